#pragma once

#include "card_job.h"
#include "card_values.h"
#include "card_window.h"
#include "command_line.h"
#include "journal.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

namespace vrn {

// How one port's run ended.
enum class PortOutcome {
    Verified,    // the card holds what the file sends (send, verify)
    Differs,     // the card answered and holds other values (send, verify)
    Sent,        // sent without reading back (send --no-verify)
    Saved,       // read and saved (read)
    Failed,      // the port could not be opened, or a transfer failed or was refused
    RefusedFile, // the parameter file was not loaded; the port was not touched
    NotSaved,    // read, but the file could not be written
    Interrupted  // stopped by the user (Ctrl+C) at a frame's boundary
};

// "verified", "differs", ...: the outcome as the JSON output gives it.
QString outcomeName(PortOutcome outcome);

// What a port's run found out: for every value of the card, what the file (or the window
// after a read) holds and what the card was last seen to hold.
struct PortResult
{
    QString port;    // the device; empty when no port was found for the adapter named
    QString adapter; // the adapter's key as given ("usb:A10K3JX2"); empty for a device name
    CardModel model = CardModel::VrnA;
    CliRequest::Command command = CliRequest::Command::Send;
    QString file; // loaded or saved
    PortOutcome outcome = PortOutcome::Failed;
    QString error; // what went wrong, naming the port or the file; empty when nothing did
    QString
        note; // what Open told about a file it loaded (values set to the nearest the card takes)
    qint64 elapsedMs = 0;
    std::vector<CardValue> values;  // in the order of the Send
    Codes fileCodes;                // what the window would send
    std::optional<Codes> cardCodes; // what the card's reply said; none unless the card was read
    std::vector<ValueDifference> differences;
};

// One port of a command-line run, on a card job of its own (slot table, link, file state,
// notices and one card window that is never shown), the engine the station's rows run too.
// Runs on the event loop beside the other ports.
class PortRun : public QObject
{
    Q_OBJECT
public:
    PortRun(const CliRequest& request, const CliPort& port, QObject* parent = nullptr);
    ~PortRun() override;

    // For send and verify: loads the parameter file into the window as its Open does. False
    // when the window refuses it; the run has then ended (finished() follows).
    bool loadFile();
    // Opens the port and starts the command; finished() follows, also when the port cannot
    // be opened.
    void start();

    // Ends a run that has not started because the file was refused on another port.
    void cancel(const QString& why);
    // The user wants to stop (Ctrl+C): a transfer ends at its next frame boundary and the run
    // tells how far it got; a run not yet started ends at once.
    void interrupt();

    bool isFinished() const { return m_finished; }
    qint64 elapsedMs() const { return m_clock.isValid() ? m_clock.elapsed() : 0; }
    const PortResult& result() const { return m_result; }
    // Where the run stands, for people: "sending 4/12", "verifying".
    QString stage() const;

Q_SIGNALS:
    void progressed();
    void finished();

private:
    enum class Stage { Waiting, Opening, Sending, Verifying, Reading, Done };

    void onTransferEnded(const TransferResult& result);
    void startVerify();
    void finish(PortOutcome outcome, const QString& error = {});
    // What the window told since the last time asked.
    QString toldSinceStart();

    const CliRequest m_request;
    const QString m_portProblem; // why no port was chosen for the adapter named
    // Puts a transfer of the run into the journal; a failure to write is told in the note.
    void record(const TransferResult& result);

    CardJob m_job;
    CardWindow* const m_window;
    Journal m_journal;
    Stage m_stage = Stage::Waiting;
    int m_framesAnswered = 0; // how far the running Send is, for stage()
    int m_framesPlanned = 0;
    std::optional<Codes> m_cardSaid; // the codes of the card's last accepted reply
    bool m_finished = false;
    bool m_interrupted = false;
    QElapsedTimer m_clock;
    PortResult m_result;
};

} // namespace vrn
