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
#include <QStyle>

#include <algorithm>
#include <cstdlib>

namespace vrn {
namespace {

// How near, in twips, the layout puts the things that belong together.
constexpr int kSameRowTolerance = 60;   // a label beside a control starts at the control's top
constexpr int kLabelBesideReach = 1200; // from a label's left edge to its control's left edge
constexpr int kUnitReach = 300;         // from a row's right edge to its unit label
constexpr int kLabelAboveReach = 480;   // from a label above a value box to the box
constexpr int kHeadingReach = 480;      // from a group heading's bottom down to its frame
constexpr int kCaptionReach = 120;      // a label this close under a control is its caption
constexpr int kSliderBesideBox = 300;   // from a value box's right edge to its spin slider

bool isLabel(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::BoldLabel;
}

bool takesValue(ControlKind kind)
{
    return kind == ControlKind::ValueBox || kind == ControlKind::Slider ||
           kind == ControlKind::OptionBox;
}

QString captionOf(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label ? label->text().simplified() : QString();
}

// "sec" becomes "(sec)"; a unit already in brackets stays as it is.
QString asUnit(const QString& text)
{
    if (text.isEmpty() || text.startsWith(QLatin1Char('(')))
        return text;
    return QLatin1Char('(') + text + QLatin1Char(')');
}

QString joined(const QStringList& parts)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.isEmpty())
            kept << part;
    }
    return kept.join(QLatin1Char(' '));
}

void describe(QWidget* widget, const QString& name, const QString& description)
{
    if (widget->accessibleName().isEmpty())
        widget->setAccessibleName(name);
    if (widget->accessibleDescription().isEmpty())
        widget->setAccessibleDescription(description);
}

} // namespace

QWidget* FormBuilder::create(const ControlSpec& control)
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

void FormBuilder::add(std::span<const ControlSpec> controls)
{
    for (const ControlSpec& control : controls) {
        QWidget* widget = create(control);
        widget->setObjectName(QLatin1String(control.name));
        widget->setGeometry(twipsRect(control.left, control.top, control.width, control.height));
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
        m_placed.append(
            {control.kind, control.left, control.top, control.width, control.height, widget});
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

const FormBuilder::Placed* FormBuilder::frameAround(const Placed& control) const
{
    const Placed* around = nullptr;
    for (const Placed& frame : m_placed) {
        if (frame.kind != ControlKind::Frame || &frame == &control)
            continue;
        const bool inside = control.left >= frame.left && control.left < frame.right() &&
                            control.top >= frame.top && control.top < frame.bottom();
        if (inside && (!around || frame.width * frame.height < around->width * around->height))
            around = &frame;
    }
    return around;
}

QString FormBuilder::headingOf(const Placed* frame) const
{
    if (!frame)
        return {};
    // The bold label just above the frame whose middle stands over it.
    const Placed* heading = nullptr;
    for (const Placed& label : m_placed) {
        if (label.kind != ControlKind::BoldLabel)
            continue;
        const int middle = label.left + label.width / 2;
        const int gap = frame->top - label.bottom();
        if (middle < frame->left || middle >= frame->right() || gap < -kCaptionReach ||
            gap > kHeadingReach)
            continue;
        if (!heading || label.bottom() > heading->bottom())
            heading = &label;
    }
    return heading ? captionOf(heading->widget) : QString();
}

bool FormBuilder::isLabelBesideOption(const Placed& label) const
{
    for (const Placed& box : m_placed) {
        if (box.kind == ControlKind::OptionBox &&
            std::abs(label.top - box.top) <= kSameRowTolerance && label.left >= box.right() &&
            label.left - box.left <= kLabelBesideReach)
            return true;
    }
    return false;
}

bool FormBuilder::isCaptionUnderControl(const Placed& label) const
{
    for (const Placed& control : m_placed) {
        if (!takesValue(control.kind))
            continue;
        const bool overlaps = control.left < label.right() && label.left < control.right();
        const int gap = label.top - control.bottom();
        if (overlaps && gap >= 0 && gap <= kCaptionReach)
            return true;
    }
    return false;
}

QString FormBuilder::optionGroupOf(const Placed& box, const Placed* frame) const
{
    if (!frame)
        return {};
    // Walk up the box's column inside its frame, past the other option boxes of the column: a
    // free label met there heads a group of its own within the frame ("Riferimento IN");
    // anything else (another control, or a caption hanging under one) means the frame's
    // heading names the group.
    const Placed* nearest = nullptr;
    for (const Placed& item : m_placed) {
        const bool relevant = isLabel(item.kind) || takesValue(item.kind);
        if (!relevant || &item == &box || item.bottom() > box.top + kSameRowTolerance ||
            item.top < frame->top || frameAround(item) != frame)
            continue;
        if (item.right() <= box.left || item.left >= box.right())
            continue; // not above the box itself
        if (item.kind == ControlKind::OptionBox && item.left == box.left)
            continue; // the column's own boxes
        if (!nearest || item.top > nearest->top)
            nearest = &item;
    }
    if (nearest && isLabel(nearest->kind) && !isLabelBesideOption(*nearest) &&
        !isCaptionUnderControl(*nearest))
        return captionOf(nearest->widget);
    return headingOf(frame);
}

QString FormBuilder::labelNear(const Placed& control, const Placed* frame, Side side) const
{
    const Placed* nearest = nullptr;
    int nearestDistance = 0;
    for (const Placed& label : m_placed) {
        if (!isLabel(label.kind) || frameAround(label) != frame)
            continue;
        int distance = -1;
        switch (side) {
        case Side::Above:
            if (label.left < control.right() && control.left < label.right() &&
                label.top <= control.top - kSameRowTolerance &&
                control.top - label.top <= kLabelAboveReach)
                distance = control.top - label.top;
            break;
        case Side::Left:
            if (std::abs(label.top - control.top) <= kSameRowTolerance &&
                label.left < control.left && control.left - label.left <= kLabelBesideReach)
                distance = control.left - label.left;
            break;
        case Side::Right:
            if (std::abs(label.top - control.top) <= kSameRowTolerance &&
                label.left >= control.right() && label.left - control.right() <= kUnitReach)
                distance = label.left - control.right();
            break;
        }
        if (distance >= 0 && (!nearest || distance < nearestDistance)) {
            nearest = &label;
            nearestDistance = distance;
        }
    }
    return nearest ? captionOf(nearest->widget) : QString();
}

void FormBuilder::nameControls() const
{
    for (const Placed& control : m_placed) {
        const Placed* frame = frameAround(control);
        const QString heading = headingOf(frame);
        if (control.kind == ControlKind::Picture) {
            describe(control.widget, QStringLiteral("VRN-PC"),
                     QStringLiteral("Banner: coil driver cards VRN-A, VRN-B, VRN-C, VRN-D"));
        } else if (control.kind == ControlKind::OptionBox) {
            // An option box shows no text of its own: the label to its right carries it.
            const QString text = labelNear(control, frame, Side::Right);
            describe(control.widget, joined({optionGroupOf(control, frame), text}), heading);
        } else if (control.kind == ControlKind::ValueBox) {
            // The row: the box, and the spin slider right beside it.
            const Placed* slider = nullptr;
            for (const Placed& other : m_placed) {
                if (other.kind == ControlKind::Slider &&
                    std::abs(other.top - control.top) <= kSameRowTolerance &&
                    other.left >= control.right() &&
                    other.left - control.right() <= kSliderBesideBox)
                    slider = &other;
            }
            Placed row = control;
            if (slider)
                row.width = slider->right() - control.left;
            // A frame that holds this row alone is named by its heading, and the label in the
            // row only gives the unit ("CORRENTE MASSIMA (mA)"); in a frame with several rows
            // each row's own labels name it ("I Max (mA)", "Ramp Up (sec)").
            bool aloneInFrame = frame != nullptr;
            for (const Placed& other : m_placed) {
                if (aloneInFrame && takesValue(other.kind) && &other != &control &&
                    &other != slider && frameAround(other) == frame)
                    aloneInFrame = false;
            }
            const QString left = labelNear(row, frame, Side::Left);
            const QString name =
                aloneInFrame
                    ? joined({heading, asUnit(left), asUnit(labelNear(row, frame, Side::Right))})
                    : joined({labelNear(row, frame, Side::Above), left,
                              asUnit(labelNear(row, frame, Side::Right))});
            describe(control.widget, name, heading);
            if (slider)
                describe(slider->widget, name + QStringLiteral(" up/down"), heading);
        }
    }
}

} // namespace vrn
