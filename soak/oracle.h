#pragma once

// What the soak knows about each card window, written down independently of the windows' own
// code on purpose: a mistake there must not hide the same mistake in the windows.

#include "slot_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vrn::soak {

// A value a window takes from the read reply, and where it shows after a successful Read.
struct ReadItem
{
    char letter;
    int position;        // 1-based; the high part of a pair
    int lowPosition;     // the low part of a pair; 0 for a single field
    const char* slider;  // the slider that stands at maximum - value; "" for an option field
    int maximum;         // the slider's maximum; -1 for an option field
    const char* box;     // the value box that shows the value; "" when it is not checked
    double boxFactor;    // the box shows floor(value x boxFactor)
    QStringList options; // option boxes for the values firstOption, firstOption + 1, ...
    int firstOption;
    bool exclusive;         // a known value leaves only its own box marked
    int largestOption = -1; // an option value above it is refused; -1: any three digits
};

// One frame of a window's Send: fixed characters, or a slot's content after a fixed prefix,
// brought to five digits first or sent as held.
struct FrameItem
{
    const char* fixed; // nullptr for a slot frame
    char letter;
    const char* prefix;
    bool padded;
};

struct WindowModel
{
    const char* name; // "VRN-A"
    const char* sendButton;
    const char* readButton;
    std::vector<FrameItem> frames;
    std::vector<ReadItem> reads;
};

std::vector<WindowModel> windowModels();

// The card's parameter letters, and the largest value each takes in every window's range.
constexpr char kMemoryLetters[] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'a', 'Z'};
constexpr int kMemoryMaximum[] = {6, 6, 255, 255, 200, 255, 511, 1023, 3, 99};

// The slot's content as a number: a code's digits, a plain number; nothing when empty.
std::optional<double> slotNumber(const SlotValue& value);
QString describe(const SlotValue& value);
// The slot's text in a frame, and what bringing it to five digits leaves in the slot.
QString frameText(const SlotValue& value);
SlotValue paddedValue(const SlotValue& value);
// A letter, five digits or none, "$"; and "a0000$", the VRN-A reference frame of an empty slot.
bool isCommandFrame(const QByteArray& frame);

} // namespace vrn::soak
