#include "option_box.h"

namespace vrn {

OptionBox::OptionBox(QWidget* parent) : QCheckBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

} // namespace vrn
