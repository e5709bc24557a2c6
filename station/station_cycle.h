#pragma once

#include "card_event.h"
#include "card_values.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vrn {

class CardJob;

// How a card's turn at the station ended, for the operator.
struct CycleResult
{
    bool passed = false;
    QString reason; // on a failure: why (no answer, line lost, reply refused, a file, ...)
    std::vector<ValueDifference> differences; // recipe ("window") against card
    QString snapshot;                         // the snapshot saved of the card, if one was
    QString record;                           // the commissioning record written, if one was
};

// What the station does with each card, on a card job: the card is read and what it held is
// saved as a parameter file (the snapshot); the recipe is loaded, sent and verified; a
// commissioning record is written if wanted. Every transfer is put on record before the next
// starts, and a record that cannot be kept ends the cycle. Restoring a snapshot loads it,
// sends it and verifies it.
class StationCycle : public QObject
{
    Q_OBJECT
public:
    enum class Step { Idle, Snapshot, Confirming, Sending, Verifying, Restoring, Recording };

    // What the station chose once for all its cards.
    struct Setup
    {
        QString recipe;          // the parameter file sent to every card
        QByteArray recipeSha256; // its bytes when it was chosen: a changed file is not sent
        QString backupFolder;    // where the snapshots go
        QString operatorName;
        bool writeRecord = false; // a commissioning record PDF beside the snapshot
    };
    // Puts an event on record; the reason for the user when it could not be kept.
    using Recorder = std::function<std::optional<QString>(const CardEvent&)>;

    explicit StationCycle(CardJob& job, QObject* parent = nullptr);

    void setRecorder(Recorder recorder) { m_recorder = std::move(recorder); }
    Step step() const { return m_step; }
    bool isRunning() const { return m_step != Step::Idle; }

    // Starts a card's cycle; false when one runs already.
    bool start(const Setup& setup, const QString& cardSerial);
    // Puts a snapshot back on the card: loaded, sent and verified.
    bool restore(const QString& snapshot, const QString& cardSerial, const QString& operatorName);
    // After confirmationNeeded(): send the recipe although no snapshot was kept, or stop.
    void confirmSend();
    void cancel();

    // "VRN-B-A1234-20261211-101500.par": the card's serial (or the port, without one) with
    // anything a file name may not hold replaced.
    static QString snapshotName(CardModel model, const QString& cardSerial, const QString& port,
                                const QDateTime& at);

Q_SIGNALS:
    void stepChanged(vrn::StationCycle::Step step);
    // The card could not be read or its snapshot not saved: sending would lose its old values.
    void confirmationNeeded(const QString& why);
    // A record could not be kept: the cycle has ended and the station must stop.
    void recordFailed(const QString& why);
    void ended(const vrn::CycleResult& result);

private:
    void onTransferEnded(const TransferResult& result);
    void afterSnapshot(const TransferResult& result);
    void loadAndSend();
    void afterSend(const TransferResult& result);
    void afterVerify(const TransferResult& result);
    bool record(CardEvent::Action action, const TransferResult& result, const QString& file,
                const QByteArray& sha256, const QString& outcome, const QString& reason);
    void setStep(Step step);
    void fail(const QString& reason);
    void finish(CycleResult result);

    CardJob& m_job;
    Recorder m_recorder;
    Step m_step = Step::Idle;
    bool m_restoring = false;
    Setup m_setup;
    QString m_serial;
    QString m_sentFile; // the recipe or the snapshot being put on the card
    CycleResult m_result;
};

} // namespace vrn
