#pragma once

#include "ui/classic_window.h"

class QAction;

namespace vrn {

class GraphicalButton;

// The launcher: chooses and opens the serial port and shows the four card windows.
class Form2 : public ClassicWindow
{
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);

Q_SIGNALS:
    void portChosen(int portNumber);
    void simulatedCardChosen();
    void cardWindowWanted(int model); // 0 VRN-A, 1 VRN-B, 2 VRN-C, 3 VRN-D
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace vrn
