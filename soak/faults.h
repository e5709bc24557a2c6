#pragma once

// The faults the soak injects, and how often each is drawn.

namespace vrn::soak {

enum class Fault {
    None,
    SmallDelay,
    Wire19200,
    SplitBursts,
    Garbage,
    LongReply,
    UnknownOption,
    FieldOutOfRange,
    FieldNotNumber,
    PortLost,
    PortClosed,
    SecondClick,
    NearLimitDelay,
    PastLimitDelay,
    Silence,
    ShortReply,
};

struct FaultKind
{
    Fault fault;
    const char* name;
    bool slow; // takes seconds: a time-out, or a delay close to one
    bool send; // applies to a Send
    bool read; // applies to a Read
    int weight;
};

// Most transfers meet a fast fault or none; a few wait for a time-out.
constexpr FaultKind kFaultKinds[] = {
    {Fault::None, "none", false, true, true, 30},
    {Fault::SmallDelay, "answer delay 1 to 40 ms", false, true, true, 12},
    {Fault::Wire19200, "characters paced at 19200 baud", false, true, true, 6},
    {Fault::SplitBursts, "answers split in two bursts", false, true, true, 10},
    {Fault::Garbage, "garbage characters", false, true, true, 8},
    {Fault::LongReply, "read reply longer than 56", false, false, true, 5},
    {Fault::UnknownOption, "option field of unknown value", false, false, true, 5},
    {Fault::FieldOutOfRange, "reply field out of range", false, false, true, 8},
    {Fault::FieldNotNumber, "reply field not a number", false, false, true, 8},
    {Fault::PortLost, "port vanished mid-transfer", false, true, true, 6},
    {Fault::PortClosed, "no port open", false, true, true, 3},
    {Fault::SecondClick, "second transfer started meanwhile", false, true, true, 4},
    {Fault::NearLimitDelay, "reply delay just under the time-out", true, false, true, 1},
    {Fault::PastLimitDelay, "answer delay past the time-out", true, true, true, 2},
    {Fault::Silence, "silence", true, true, true, 1},
    {Fault::ShortReply, "read reply too short", true, false, true, 1},
};

const FaultKind& kindOf(Fault fault);

constexpr double kCharacterTimeAt19200Ms = 0.52; // ten bit times

} // namespace vrn::soak
