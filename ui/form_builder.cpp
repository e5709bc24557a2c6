#include "form_builder.h"

#include "classic_window.h"
#include "graphical_button.h"
#include "option_box.h"
#include "picture_strip.h"
#include "spin_slider.h"
#include "twips.h"
#include "value_box.h"

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
        if (auto* box = qobject_cast<OptionBox*>(widget)) {
            // An option box never cuts its mark: the style's mark can be taller than the row.
            const int mark = box->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, box);
            box->resize(box->width(), std::max(mark, box->height()));
        }
        m_widgets.insert(widget->objectName(), widget);
        m_controls.append({widget, control.kind});
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

bool FormBuilder::isFree(const QRect& area, const QWidget* except, const QRect& alreadyMet) const
{
    if (!m_client->rect().contains(area))
        return false;
    for (const auto& [widget, kind] : m_controls) {
        // Drawn frames lie under the controls; everything else covers what is below it.
        const QRect other = widget->geometry();
        if (widget != except && kind != ControlKind::Frame && other.intersects(area) &&
            !other.intersects(alreadyMet))
            return false;
    }
    return true;
}

void FormBuilder::fitLabels() const
{
    for (const auto& [widget, kind] : m_controls) {
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label)
            continue;
        const QRect table = label->geometry();
        // The line of text, and the ink of a last glyph that reaches beyond it.
        QSize needed = label->sizeHint();
        const QMargins margins = label->contentsMargins();
        const int inkRight = label->fontMetrics().tightBoundingRect(label->text()).right() + 1;
        needed.setWidth(std::max(needed.width(), margins.left() + inkRight + margins.right()));
        QRect fitted = table;
        if (needed.width() > table.width()) {
            // The new columns are free where the text runs; in the blank rows below it they
            // may meet only a control that the table's rectangle already meets.
            const int extra = needed.width() - table.width();
            const int textHeight = std::min(table.height(), needed.height());
            const QRect textRows(table.right() + 1, table.top(), extra, textHeight);
            const QRect blankRows(table.right() + 1, table.top() + textHeight, extra,
                                  table.height() - textHeight);
            if (isFree(textRows, label) && (blankRows.isEmpty() || isFree(blankRows, label, table)))
                fitted.setWidth(needed.width());
        }
        if (needed.height() > fitted.height() &&
            isFree(QRect(fitted.left(), fitted.bottom() + 1, fitted.width(),
                         needed.height() - fitted.height()),
                   label))
            fitted.setHeight(needed.height());
        label->setGeometry(fitted);
    }
}

void FormBuilder::stackControls() const
{
    const auto lowerAll = [this](auto isInGroup) {
        for (auto it = m_controls.crbegin(); it != m_controls.crend(); ++it) {
            if (isInGroup(it->second))
                it->first->lower();
        }
    };
    lowerAll([](ControlKind kind) {
        return kind == ControlKind::Label || kind == ControlKind::BoldLabel;
    });
    lowerAll([](ControlKind kind) { return kind == ControlKind::Frame; });
}

QList<QWidget*> FormBuilder::tabOrder() const
{
    auto order = m_tabOrder;
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<QWidget*> widgets;
    for (const auto& [index, widget] : order)
        widgets.append(widget);
    return widgets;
}

void FormBuilder::applyTabOrder() const
{
    const QList<QWidget*> order = tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace vrn
