#pragma once

#include "reply_fields.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <map>
#include <optional>

namespace vrn {

// Codes by slot letter.
using Codes = std::map<char, int>;

// The codes in frames that went out ("H00769$" gives H = 769); a frame without digits gives
// no entry.
Codes codesInFrames(const QList<QByteArray>& frames);

// What a read reply says the card holds, for every letter of the reply (pairs combined).
// Fields that are no number give no entry.
Codes codesInReply(const ReplyFields& reply);

// What the card on the open line was last seen to hold: the codes, from which transfer, when
// and on which port. It knows only what a transfer showed: a Send that ended well puts its
// codes on the card (a frame without digits leaves its letter unknown), an accepted read
// reply tells them all. Any change of port, a lost line and every failed or refused transfer
// forget it all, for the card at the other end may not be the same or may hold anything.
class CardState : public QObject
{
    Q_OBJECT
public:
    enum class Source { None, Send, Read, Verify };

    explicit CardState(QObject* parent = nullptr) : QObject(parent) {}

    // Which transfer the knowledge comes from; None while nothing is known.
    Source source() const { return m_source; }
    bool isKnown() const { return m_source != Source::None; }
    // When and on which port the card was last seen.
    const QDateTime& seenAt() const { return m_at; }
    const QString& port() const { return m_port; }
    // The code the card holds for a letter, when it is known.
    std::optional<int> code(char letter) const;
    // Every code known.
    const Codes& codes() const { return m_codes; }
    // The code the last good Send on this port put out for a letter.
    std::optional<int> sent(char letter) const;
    // Nothing is known because a Send failed after the card had answered some of its frames.
    bool mayHoldMix() const { return m_mix; }
    // Counts every change, so that a result can tell whether it is still the latest news.
    quint64 generation() const { return m_generation; }

    // A Send ended well with these frames on `port`.
    void sendDone(const QList<QByteArray>& frames, const QString& port);
    // A read reply was accepted by a Read or a Verify: the codes it gives (codesInReply()).
    void replyAccepted(const Codes& codes, Source source, const QString& port);
    // Forgets everything known; `mix` when a Send failed after the card answered some frames.
    void forget(bool mix = false);

Q_SIGNALS:
    void changed();

private:
    void seen(Source source, const QString& port);

    Source m_source = Source::None;
    QDateTime m_at;
    QString m_port;
    Codes m_codes;
    Codes m_sent;
    bool m_mix = false;
    quint64 m_generation = 0;
};

} // namespace vrn
