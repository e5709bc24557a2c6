#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

#include <vector>

namespace vrn::sim {

// Faults a simulated card can put on the line; all off by default.
struct Faults
{
    int answerDelayMs = 0;         // before the first character of any answer
    double characterTimeMs = 0.0;  // per character on the wire (0.52 ms emulates 19200 baud)
    bool splitAnswers = false;     // every answer in two bursts: splitAfter characters, the rest
    int splitAfter = 1;            // characters in the first burst of a split answer
    int splitGapMs = 5;            // gap between the two bursts
    bool silent = false;           // answers nothing at all
    bool garbageAnswers = false;   // frame answers are binary garbage instead of frameAnswer
    QByteArray frameAnswer = "OK"; // what the card answers to every frame
    int replyLength = 56;          // characters of the read reply actually sent (short < 56,
                                   // long > 56: padded with blanks after the 56)
    QMap<int, QByteArray> replyFieldOverrides; // 1-based position -> three characters sent there
    int portLostAfterFrames = -1; // the line goes dead after this many frames (-1: never)
    QByteArray keptLetters; // frames of these letters are answered, but the value is not changed
};

// One piece of the card's answer: characters that reach the line after a delay.
struct Emission
{
    int delayMs = 0; // from the moment the triggering frame was received
    QByteArray bytes;
    bool portLost = false; // the line goes dead here (the device vanished)
};

// A card of the family in memory: stores every command frame's code, answers every frame with
// two characters and answers the read request "w$" with its 56-character read reply.
class Card
{
public:
    // Feeds characters from the line; returns what the card puts on the line in reply.
    std::vector<Emission> receive(const QByteArray& bytes);

    // Parameter memory, by wire letter (A..I, a, Z); 0 when never written.
    int parameter(char letter) const { return m_memory.value(letter, 0); }
    void setParameter(char letter, int value) { m_memory[letter] = value; }

    // The read reply built from the parameter memory, before any fault.
    QByteArray readReply() const;

    Faults& faults() { return m_faults; }
    const Faults& faults() const { return m_faults; }

    // Every complete frame received, in order ("B00003$", "z$", "w$", ...).
    const QList<QByteArray>& framesReceived() const { return m_frames; }
    void clearLog() { m_frames.clear(); }

    // Forgets a partial frame (the line was reopened).
    void resetLine()
    {
        m_pending.clear();
        m_framesSinceOpen = 0;
        m_lost = false;
    }

private:
    std::vector<Emission> answer(const QByteArray& frame);
    int wireTimeMs(int characters) const;

    QMap<char, int> m_memory;
    Faults m_faults;
    QByteArray m_pending;
    QList<QByteArray> m_frames;
    int m_framesSinceOpen = 0;
    bool m_lost = false;
    quint32 m_garbageSeed = 0x2545F491u;
};

} // namespace vrn::sim
