#include "ui/form_builder.h"

#include "ui/classic_window.h"
#include "ui/graphical_button.h"
#include "ui/option_box.h"
#include "ui/picture_strip.h"
#include "ui/spin_slider.h"
#include "ui/twips.h"
#include "ui/value_box.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace vrn {

QWidget* FormBuilder::create(const ControlSpec& spec)
{
    const QString caption = QString::fromUtf8(spec.caption ? spec.caption : "");
    switch (spec.kind) {
    case ControlKind::Picture:
        return new PictureStrip(m_client);
    case ControlKind::Label:
    case ControlKind::BoldLabel: {
        auto* label = new QLabel(caption, m_client);
        label->setAutoFillBackground(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (spec.kind == ControlKind::BoldLabel)
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
        return new SpinSlider(spec.maximum, spec.position, m_client);
    case ControlKind::OptionBox:
        return new OptionBox(m_client);
    case ControlKind::Button:
        return new GraphicalButton(caption, m_client);
    }
    return nullptr;
}

void FormBuilder::add(std::span<const ControlSpec> specs)
{
    for (const ControlSpec& spec : specs) {
        QWidget* widget = create(spec);
        widget->setObjectName(QLatin1String(spec.name));
        widget->setGeometry(twipsRect(spec.left, spec.top, spec.width, spec.height));
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // Fonts differ from system to system: a label never cuts its own text short.
            const int needed = label->sizeHint().width();
            if (needed > label->width())
                label->resize(needed, label->height());
        }
        if (spec.kind == ControlKind::Frame)
            widget->lower(); // drawn frames lie on the window's background, under the controls
        m_widgets.insert(widget->objectName(), widget);
        if (spec.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus)
            m_tabOrder.append({spec.tabIndex, widget});
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
