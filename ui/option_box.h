#pragma once

#include <QCheckBox>

namespace vrn {

// A tiny check box without visible text; the label beside it carries the text. toggled is the
// click action's trigger: it fires on a user click and on a mark changed by code, only on a
// change. The boxes of a group never clear one another.
class OptionBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit OptionBox(QWidget* parent = nullptr);
};

} // namespace vrn
