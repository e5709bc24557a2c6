#pragma once

#include "ui/classic_colour.h"

#include <QPushButton>

namespace vrn {

// A command button drawn in its own background colour, so that the busy colour shows on it.
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

private:
    int m_backColour = -1;
};

} // namespace vrn
