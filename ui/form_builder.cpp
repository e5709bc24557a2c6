#include "ui/form_builder.h"

#include "ui/classic_window.h"
#include "ui/graphical_button.h"
#include "ui/option_box.h"
#include "ui/picture_strip.h"
#include "ui/spin_slider.h"
#include "ui/twips.h"
#include "ui/value_box.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QStyle>

#include <algorithm>

namespace vrn {

QWidget* FormBuilder::create(const ControlLayout& control)
{
    const QString caption = QString::fromUtf8(control.caption ? control.caption : "");
    switch (control.kind) {
    case ControlKind::Picture:
        return new PictureStrip(m_client);
    case ControlKind::Label:
    case ControlKind::BoldLabel: {
        auto* label = new QLabel(caption, m_client);
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (control.kind == ControlKind::BoldLabel)
            label->setFont(classicFont(8.25, true));
        return label;
    }
    case ControlKind::Frame: {
        auto* frame = new QFrame(m_client);
        frame->setFrameShape(QFrame::Box);
        frame->setFrameShadow(QFrame::Plain);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        return frame;
    }
    case ControlKind::ValueBox: {
        auto* box = new ValueBox(m_client);
        box->setText(caption);
        return box;
    }
    case ControlKind::Slider:
        return new SpinSlider(control.maximum, control.position, m_client);
    case ControlKind::OptionBox:
        return new OptionBox(m_client);
    case ControlKind::Button:
        return new GraphicalButton(caption, m_client);
    }
    return nullptr;
}

void FormBuilder::add(std::span<const ControlLayout> controls)
{
    for (const ControlLayout& control : controls) {
        QWidget* widget = create(control);
        widget->setObjectName(QLatin1String(control.name));
        widget->setGeometry(twipsRect(control.left, control.top, control.width, control.height,
                                      LogicalDpi::of(*m_client)));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // Fonts differ from system to system: a label never cuts its own text short, nor
            // the parts of its letters that reach below the line.
            const QSize needed = label->sizeHint();
            label->resize(std::max(needed.width(), label->width()),
                          std::max(needed.height(), label->height()));
        } else if (auto* box = qobject_cast<OptionBox*>(widget)) {
            // Nor does an option box cut its mark: the style's mark can be taller than the row.
            const int mark = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box);
            box->resize(box->width(), std::max(mark, box->height()));
        }
        if (control.kind == ControlKind::Frame)
            widget->lower(); // drawn frames lie on the window's background, under the controls
        m_widgets.insert(widget->objectName(), widget);
        if (control.accessibleName)
            widget->setAccessibleName(
                QCoreApplication::translate("Controls", control.accessibleName));
        if (control.accessibleDescription)
            widget->setAccessibleDescription(
                QCoreApplication::translate("Controls", control.accessibleDescription));
        if (control.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus)
            m_tabOrder.append({control.tabIndex, widget});
    }
}

void FormBuilder::applyTabOrder() const
{
    auto order = m_tabOrder;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

} // namespace vrn
