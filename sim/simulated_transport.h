#pragma once

#include "card.h"
#include "link.h"
#include "transport.h"

#include <QElapsedTimer>
#include <QTimer>

#include <map>

namespace vrn::sim {

// The in-process simulated card on a line of its own: writes go out on the next turn of the
// event loop, answers arrive after the delays the card asks for, exactly as on a real port.
class SimulatedTransport : public Transport
{
    Q_OBJECT
public:
    explicit SimulatedTransport(Card& card, QObject* parent = nullptr);

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString name() const override { return QStringLiteral("simulated card"); }
    bool isSimulated() const override { return true; }
    LinkError error() const override { return m_error; }
    void clearOutput() override { m_outgoing.clear(); }
    void write(const QByteArray& bytes) override;
    qint64 bytesToWrite() const override { return m_outgoing.size(); }
    qint64 bytesAvailable() const override { return m_incoming.size(); }
    QByteArray readAll() override;

    Card& card() { return m_card; }

private:
    void deliverOutgoing();
    void deliverDue();
    void schedule(const Emission& emission);
    void armTimer();

    Card& m_card;
    bool m_open = false;
    LinkError m_error;
    QByteArray m_outgoing;
    QByteArray m_incoming;
    QElapsedTimer m_clock;
    std::multimap<qint64, Emission> m_due; // by arrival time in ms on m_clock
    QTimer m_sendTimer;
    QTimer m_arrivalTimer;
};

// Opens the card on the link, as the "Simulated card" item of the launcher does.
bool openSimulatedCard(Link& link, Card& card);

} // namespace vrn::sim
