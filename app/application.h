#pragma once

#include "card.h"
#include "card_context.h"
#include "card_station.h"
#include "card_values.h"
#include "file_dialog_state.h"
#include "journal.h"
#include "link.h"
#include "notices.h"
#include "slot_table.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>

namespace vrn {

class CardWindow;
class CompareWindow;
class Form2;
class PortWaitWindow;
class StationWindow;
class TrafficLogWindow;

// The program: owns the slot table, the serial link and the shared file dialog for the whole
// run, the launcher and the card windows, and decides when the program ends.
class Application : public QObject
{
    Q_OBJECT
public:
    Application();
    ~Application() override;

    // Shows the launcher, centred; nothing else happens.
    void start();
    // Shows the launcher again (after its close box), as at start, and brings it to the front.
    void showLauncher();

    Form2* launcher() const { return m_launcher.get(); }
    // Shows a card window (creating it the first time, or again after its close box) and
    // brings it to the front.
    CardWindow* showCardWindow(CardModel model);
    CardWindow* cardWindow(CardModel model) const;
    // Shows the traffic log (creating it the first time) and brings it to the front.
    TrafficLogWindow* showTrafficLog();
    // The traffic log, once it was shown.
    TrafficLogWindow* trafficLog() const { return m_trafficLog.get(); }

    // Shows "Wait for a new port" (creating it the first time), waiting afresh.
    PortWaitWindow* showPortWait();
    // Shows the Compare window (creating it the first time) with `model` chosen, and brings it
    // to the front.
    CompareWindow* showCompare(CardModel model);
    // The Compare window, once it was shown.
    CompareWindow* compareWindow() const { return m_compare.get(); }
    // Shows the commissioning station (creating it the first time).
    StationWindow* showStation();

    void choosePort(int portNumber);
    // A port by its device name: one the system lists, or one the user typed.
    void chooseDevice(const QString& deviceName);
    void chooseSimulatedCard();

    SlotTable& slots() { return m_station.slots; }
    Link& link() { return m_station.link; }
    FileDialogState& files() { return m_station.files; }
    Notices& notices() { return m_station.notices; }
    CardContext& context() { return m_station.context; }
    // The card behind the "Simulated card" item.
    sim::Card& simulatedCard() { return m_simulatedCard; }

    // What ending the program does; tests put a recorder in place of leaving the event loop.
    void setEndHandler(std::function<void()> handler) { m_end = std::move(handler); }

private:
    void endProgram();
    // A window's transfer could not be put into the journal: told, and the window carries on.
    void journalNotWritten(QWidget* window, const QString& problem);
    void onLauncherClosed();
    void reportPortProblem();
    bool anyCardWindowVisible() const;

    sim::Card m_simulatedCard;
    CardStation m_station;
    std::unique_ptr<Form2> m_launcher;
    std::unique_ptr<TrafficLogWindow> m_trafficLog;
    std::unique_ptr<CompareWindow> m_compare;
    QPointer<PortWaitWindow> m_portWait;
    std::unique_ptr<StationWindow> m_stationWindow;
    // Every Send, Read and Verify of the windows and the station is appended here.
    Journal m_journal{Journal::defaultPath()};
    std::array<QPointer<CardWindow>, 4> m_cards;
    std::function<void()> m_end;
    bool m_ended = false;
};

} // namespace vrn
