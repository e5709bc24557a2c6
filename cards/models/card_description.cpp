#include "card_description.h"

#include "number_rules.h"
#include "vrn_a.h"
#include "vrn_b.h"
#include "vrn_c.h"
#include "vrn_d.h"

#include <QCoreApplication>
#include <QLocale>

namespace vrn {
namespace {

QString optionCaption(ValueUnit unit, int code)
{
    const auto& pwm = kPwmCaptions;
    const auto& coil = kCoilCaptions;
    const auto& reference = kReferenceCaptions;
    switch (unit) {
    case ValueUnit::PwmChoice:
        if (code >= 1 && code <= 5)
            return QString::fromLatin1(pwm[code - 1]);
        break;
    case ValueUnit::CoilRange:
        if (code >= 1 && code <= 5)
            return QString::fromLatin1(coil[code - 1]);
        break;
    case ValueUnit::ReferenceInput:
        if (code >= 0 && code <= 2)
            return QString::fromLatin1(reference[code]);
        break;
    default:
        break;
    }
    return QCoreApplication::translate("Values", "code %1").arg(code);
}

} // namespace

const CardDescription& cardDescription(CardModel model)
{
    switch (model) {
    case CardModel::VrnA:
        return vrn_a::kDescription;
    case CardModel::VrnB:
        return vrn_b::kDescription;
    case CardModel::VrnC:
        return vrn_c::kDescription;
    case CardModel::VrnD:
        return vrn_d::kDescription;
    }
    return vrn_a::kDescription;
}

QString modelName(CardModel model)
{
    return QString::fromLatin1(cardDescription(model).name);
}

QString CardValue::displayName() const
{
    return QCoreApplication::translate("Values", name);
}

QString valueText(ValueUnit unit, int code)
{
    const QLocale locale;
    switch (unit) {
    case ValueUnit::Milliamps:
        return QCoreApplication::translate("Values", "%1 mA").arg(displayCurrent(code));
    case ValueUnit::Millivolts:
        return QCoreApplication::translate("Values", "%1 mV").arg(displayCurrent(code));
    case ValueUnit::Seconds:
        return QCoreApplication::translate("Values", "%1 s")
            .arg(boxNumberText(code * kSecondsPerStep, locale));
    case ValueUnit::TenMilliseconds:
        return QCoreApplication::translate("Values", "%1 ms").arg(code * kMillisecondsPerStep);
    case ValueUnit::PwmChoice:
    case ValueUnit::CoilRange:
    case ValueUnit::ReferenceInput:
        return optionCaption(unit, code);
    }
    return {};
}

QString unitSymbol(ValueUnit unit)
{
    switch (unit) {
    case ValueUnit::Milliamps:
        return QStringLiteral("mA");
    case ValueUnit::Millivolts:
        return QStringLiteral("mV");
    case ValueUnit::Seconds:
        return QStringLiteral("s");
    case ValueUnit::TenMilliseconds:
        return QStringLiteral("ms");
    case ValueUnit::PwmChoice:
        return QStringLiteral("PWM choice");
    case ValueUnit::CoilRange:
        return QStringLiteral("coil range");
    case ValueUnit::ReferenceInput:
        return QStringLiteral("reference input");
    }
    return {};
}

} // namespace vrn
