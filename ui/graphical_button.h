#pragma once

#include "classic_colour.h"

#include <QPushButton>

class QKeyEvent;

namespace vrn {

// Whether a key press presses a focused button: Return or Enter without a modifier; a key held
// down presses it once. (Space presses a button through Qt's own handling.)
bool pressesButton(const QKeyEvent& event);

// A command button drawn in its own background colour, so that the busy colour shows on it.
// Space, Return and Enter press it once it has the focus.
class GraphicalButton : public QPushButton
{
    Q_OBJECT
public:
    explicit GraphicalButton(const QString& caption, QWidget* parent = nullptr);

    int backColour() const { return m_backColour; }
    void setBackColour(int classicBgr);

    // Red while the button's transfer runs, grey again when it has ended.
    void setBusy(bool busy) { setBackColour(busy ? kBusyColour : kGreyColour); }
    bool isBusy() const { return m_backColour == kBusyColour; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Return and Enter press the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_backColour = -1;
};

} // namespace vrn
