#pragma once

#include "journal.h"

// A journal entry as a VRN-A Send from vrn-cli writes it, with the ten values the card held
// before and after: `step` tells the entries apart.
inline vrn::JournalEntry vrnASendEntry(const QString& cardSerial, int step)
{
    static const struct
    {
        const char* name;
        const char* unit;
    } kValues[] = {{"Coil range", "coil range"},
                   {"PWM", "PWM choice"},
                   {"Ramp up", "s"},
                   {"Ramp down", "s"},
                   {"Vt", "mV"},
                   {"I Pol", "mA"},
                   {"I Min", "mA"},
                   {"I Max", "mA"},
                   {"Reference input", "reference input"},
                   {"Ramps enabled", ""}};
    vrn::JournalEntry entry;
    entry.action = QStringLiteral("send");
    entry.source = QStringLiteral("cli");
    entry.operatorName = QStringLiteral("A. Technician");
    entry.port = QStringLiteral("/dev/ttyUSB0");
    entry.adapter = QStringLiteral("usb:A10K3JX2");
    entry.adapterDetails =
        QStringLiteral("USB serial number A10K3JX2, vendor 0403, product 6001, plugged in at 1-2");
    entry.model = QStringLiteral("VRN-A");
    entry.cardSerial = cardSerial;
    entry.file = QStringLiteral("/home/technician/rigs/line 3/pump \"north\".par");
    entry.fileSha256 =
        QStringLiteral("9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08");
    int code = step;
    for (const auto& value : kValues) {
        entry.before.push_back({QLatin1String(value.name), QLatin1String(value.unit), code++});
        entry.after.push_back({QLatin1String(value.name), QLatin1String(value.unit), code++});
    }
    entry.before.back().code.reset(); // a value the card did not tell
    entry.outcome = QStringLiteral("verified");
    return entry;
}
