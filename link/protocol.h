#pragma once

#include <QByteArray>

#include <array>
#include <optional>

// The wire protocol of the VRN cards, written once: the line settings, the frames, the answers
// and the layout of the read reply. The program, the simulated card and vrn-card-sim all take
// these facts from here.
namespace vrn::protocol {

// Line settings of every card: 19200 baud, 8 data bits, no parity, 1 stop bit, no flow control.
constexpr qint32 kBaudRate = 19200;
constexpr int kDataBits = 8;
constexpr int kStopBits = 1;
constexpr int kBitsPerCharacter = 1 + kDataBits + kStopBits; // start bit, data, stop bit
constexpr qint64 kReceiveBufferSize = 1024;                  // characters
constexpr qint64 kTransmitBufferSize = 512;                  // characters

// Command frames: a slot letter, five decimal digits (the parameter code), then "$".
constexpr char kFrameEnd = '$';
constexpr int kCodeDigits = 5;
constexpr int kLargestCode = 99999; // five decimal digits
// The letters that carry a parameter, case-sensitive: slot a is not slot A.
constexpr std::array<char, 11> kParameterLetters{'A', 'B', 'C', 'D', 'E', 'F',
                                                 'G', 'H', 'I', 'a', 'Z'};
bool isParameterLetter(char letter);

// The last frame of every Send, and the request for the card's read reply.
constexpr char kEndFrame[] = "z$";
constexpr char kReadRequest[] = "w$";

// The card answers every frame with at least this many characters; what they say is not read.
constexpr int kFrameAnswerLength = 2;

// The read reply: at least 56 characters; fields of three characters start at positions 1, 5,
// 9 ... 53 (1-based), every fourth character, and each reads as a decimal number. A value too
// large for one field travels as a high and a low part: 256 x high + low.
constexpr int kReadReplyLength = 56;
constexpr int kFieldLength = 3;
constexpr int kFieldSpacing = 4;
constexpr int kFirstFieldPosition = 1;
constexpr int kLastFieldPosition = 53;
constexpr int kFieldCount = (kLastFieldPosition - kFirstFieldPosition) / kFieldSpacing + 1;
constexpr int kHighPartFactor = 256;

// What each field of the read reply carries, by 1-based position. Currents, Vt and the maximum
// current come as pairs; the Vt pair is the one that comes low part first.
namespace field {
constexpr int kCoil = 1;      // slot A: VRN-A coil current range 1..5
constexpr int kPwm = 5;       // slot B: PWM frequency 1..5
constexpr int kRampUp = 9;    // slot C: VRN-A ramp-up time; excitation time of VRN-C, VRN-D
constexpr int kRampDown = 13; // slot D: VRN-A ramp-down time
constexpr int kVtLow = 17;    // slot E: Vt, low part
constexpr int kVtHigh = 21;   //         Vt, high part
constexpr int kPolHigh = 25;  // slot F: I Pol
constexpr int kPolLow = 29;
constexpr int kMinHigh = 33; // slot G: I Min, minimum current
constexpr int kMinLow = 37;
constexpr int kMaxHigh = 41; // slot H: I Max, maximum current
constexpr int kMaxLow = 45;
constexpr int kReference = 49;  // slot a: VRN-A reference input
constexpr int kOverSupply = 53; // slot Z: VRN-B over-supply time
} // namespace field

// One field of the read reply: the slot letter whose value it carries, and which part of it.
struct ReplyField
{
    enum class Part { Whole, High, Low };

    int position;
    char letter;
    Part part;
};

// Every field of the read reply, in the order they come.
constexpr std::array<ReplyField, kFieldCount> kReplyLayout{{
    {field::kCoil, 'A', ReplyField::Part::Whole},
    {field::kPwm, 'B', ReplyField::Part::Whole},
    {field::kRampUp, 'C', ReplyField::Part::Whole},
    {field::kRampDown, 'D', ReplyField::Part::Whole},
    {field::kVtLow, 'E', ReplyField::Part::Low},
    {field::kVtHigh, 'E', ReplyField::Part::High},
    {field::kPolHigh, 'F', ReplyField::Part::High},
    {field::kPolLow, 'F', ReplyField::Part::Low},
    {field::kMinHigh, 'G', ReplyField::Part::High},
    {field::kMinLow, 'G', ReplyField::Part::Low},
    {field::kMaxHigh, 'H', ReplyField::Part::High},
    {field::kMaxLow, 'H', ReplyField::Part::Low},
    {field::kReference, 'a', ReplyField::Part::Whole},
    {field::kOverSupply, 'Z', ReplyField::Part::Whole},
}};

// A command frame taken apart: its letter and the digits between the letter and "$" (empty for
// a frame built from an empty slot, such as "I$").
struct CommandFrame
{
    char letter = 0;
    QByteArray digits;
    // The digits as a number; nothing when there are none or they are not all decimal digits.
    std::optional<int> code() const;
};

// Parses a complete frame ("B00003$", "I$", "a00002$"); nothing for the end frame, the read
// request, or characters that are no command frame.
std::optional<CommandFrame> parseCommandFrame(const QByteArray& frame);

} // namespace vrn::protocol
