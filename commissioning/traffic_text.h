#pragma once

#include "card_values.h"
#include "traffic_record.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace vrn {

// The characters as text: printable ones as they are, the others escaped ("\r", "\x07"), and a
// backslash doubled, so that the line shows exactly what crossed the wire.
QString escapedCharacters(const QByteArray& bytes);

// What an entry of the traffic record means, named with the values of the card model whose
// transfer it belongs to ("I Max 2253 mA", "end of Send", "read reply: Coil current (2) 1200 mA,
// ..."); with no values (the model is not known) values are told by letter and code.
QString trafficMeaning(const TrafficEntry& entry, std::span<const CardValue> values);

// The entry's wall-clock time with milliseconds, as the log shows it: "14:45:48.123".
QString trafficTime(const TrafficEntry& entry);

// One line of the traffic log: time, direction, the characters and what they mean; an event
// in its words.
// "14:45:48.123  → card  H00769$  I Max 2253 mA"
// "14:45:50.130  * note  VRN-B Send failed: The card on /dev/ttyUSB0 did not answer ..."
QString trafficLine(const TrafficEntry& entry, std::span<const CardValue> values);

} // namespace vrn
