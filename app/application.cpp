#include "application.h"
#include "card_window.h"
#include "card_windows.h"
#include "classic_window.h"
#include "commissioning.h"
#include "compare_window.h"
#include "form2.h"
#include "journal_recorder.h"
#include "link_messages.h"
#include "port_wait_window.h"
#include "simulated_transport.h"
#include "station_window.h"
#include "status_line.h"
#include "traffic_log_window.h"

#include <QApplication>
#include <QIcon>

namespace vrn {

namespace {

// The program's icon in each size it was drawn in at build time.
QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vrn-pc-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Application::Application()
    : m_launcher(std::make_unique<Form2>()), m_end([] { QCoreApplication::exit(0); })
{
    // Every window without an icon of its own shows the program's: launcher, card windows,
    // messages and the windows of the status line.
    QApplication::setWindowIcon(programIcon());
    // Messages that send the user to the launcher, and the traffic log's command, reach this
    // program's windows.
    m_station.context.showLauncher = [this] { showLauncher(); };
    m_station.context.showTrafficLog = [this] { showTrafficLog(); };
    // Messages, the status lines and the windows of their own draw in the classic windows' face
    // too, rather than in whatever the desktop's default happens to be.
    QApplication::setFont(classicFont(9));
    // An adapter pulled out and plugged back is opened again, under whatever name it returns.
    m_station.link.setReopensLostAdapter(true);
    // The "Seriale" menu lists the ports the link itself looks for adapters in.
    m_launcher->setPortLister(
        [this] { return Form2::entriesOf(m_station.link.portSource().ports()); });
    connect(m_launcher.get(), &Form2::portChosen, this, &Application::choosePort);
    connect(m_launcher.get(), &Form2::deviceChosen, this, &Application::chooseDevice);
    connect(m_launcher.get(), &Form2::simulatedCardChosen, this, &Application::chooseSimulatedCard);
    connect(m_launcher.get(), &Form2::cardWindowWanted, this,
            [this](int model) { showCardWindow(static_cast<CardModel>(model)); });
    connect(m_launcher.get(), &Form2::closed, this, &Application::onLauncherClosed);
    connect(m_launcher.get(), &Form2::trafficLogWanted, this, &Application::showTrafficLog);
    connect(m_launcher.get(), &Form2::portWaitWanted, this, &Application::showPortWait);
    // From the launcher: the model chosen last, VRN-A the first time.
    connect(m_launcher.get(), &Form2::compareWanted, this,
            [this] { showCompare(m_compare ? m_compare->model() : CardModel::VrnA); });
    connect(m_launcher.get(), &Form2::stationWanted, this, &Application::showStation);
    const auto showLinkState = [this] {
        m_launcher->statusLine()->setLinkText(LinkMessages::linkState(m_station.link),
                                              LinkMessages::adapterDetails(m_station.link));
    };
    connect(&m_station.link, &Link::portChanged, this, showLinkState);
    showLinkState();
    // The traffic log tells of the line itself as of its frames.
    connect(&m_station.link, &Link::lineLost, this, [this](const LinkError& reason) {
        m_station.link.traffic().addEvent(TrafficEntry::kNoTag,
                                          LinkMessages::transferProblem(reason));
    });
    connect(&m_station.link, &Link::portChanged, this, [this] {
        m_station.link.traffic().addEvent(TrafficEntry::kNoTag,
                                          QCoreApplication::translate("Application", "Port: %1")
                                              .arg(LinkMessages::linkState(m_station.link)));
    });
}

Application::~Application()
{
    // The program is ending: a transfer still waiting is abandoned and no handler runs.
    m_station.link.engine().abandon();
    for (auto& card : m_cards)
        delete card.data();
}

void Application::start()
{
    m_launcher->show();
}

void Application::showLauncher()
{
    m_launcher->show();
    m_launcher->raise();
    m_launcher->activateWindow();
}

CardWindow* Application::cardWindow(CardModel model) const
{
    return m_cards[static_cast<std::size_t>(model)].data();
}

CardWindow* Application::showCardWindow(CardModel model)
{
    QPointer<CardWindow>& slot = m_cards[static_cast<std::size_t>(model)];
    if (!slot) {
        // Deleted when closed (VRN-B, C, D) or when the program ends.
        slot = makeCardWindow(model, m_station.context).release();
        addCommissioningRecord(*slot);
        addCompareCommand(*slot, [this, model] { showCompare(model); });
        QPointer<CardWindow> window = slot;
        journalTransfers(*slot, m_journal, [this, window](const QString& problem) {
            journalNotWritten(window, problem);
        });
        if (model == CardModel::VrnA) {
            // Closing the VRN-A window closes the port, then the program ends.
            connect(slot, &CardWindow::closed, this, [this] {
                m_station.link.closePort();
                endProgram();
            });
        } else {
            slot->setAttribute(Qt::WA_DeleteOnClose); // shown again, it starts afresh
        }
        connect(slot, &CardWindow::exitRequested, this, &Application::endProgram);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

TrafficLogWindow* Application::showTrafficLog()
{
    if (!m_trafficLog) {
        m_trafficLog = std::make_unique<TrafficLogWindow>(m_station.link.traffic());
        m_trafficLog->setPortText([this] { return LinkMessages::portText(m_station.link); });
    }
    m_trafficLog->show();
    m_trafficLog->raise();
    m_trafficLog->activateWindow();
    return m_trafficLog.get();
}

void Application::journalNotWritten(QWidget* window, const QString& problem)
{
    m_station.notices.post(
        window, window ? window->windowTitle() : QString(),
        tr("%1 This transfer is not in the journal; the program carries on.").arg(problem));
}

StationWindow* Application::showStation()
{
    if (!m_stationWindow) {
        m_stationWindow =
            std::make_unique<StationWindow>(m_station.link, m_station.link.sharedPortSource());
        // No card is commissioned without its record: a journal that cannot be written stops
        // the station.
        m_stationWindow->setRecorder([this](const CardEvent& event) {
            return recordInJournal(m_journal, event, QStringLiteral("station"));
        });
        m_stationWindow->setHistoryReader([this](const QString& serial) {
            QString error;
            QStringList lines;
            for (const JournalRecord& record : readJournal(m_journal.path(), serial, &error))
                lines << journalEntryText(record.entry).trimmed();
            if (!error.isEmpty())
                lines << error;
            return lines;
        });
    }
    m_stationWindow->show();
    m_stationWindow->raise();
    m_stationWindow->activateWindow();
    return m_stationWindow.get();
}

PortWaitWindow* Application::showPortWait()
{
    if (!m_portWait) {
        m_portWait = new PortWaitWindow(m_station.link.sharedPortSource(), m_launcher.get());
        connect(m_portWait, &PortWaitWindow::portAppeared, this, [this](const QString& device) {
            if (m_station.link.openDevice(device)) {
                m_portWait->showOpened(LinkMessages::linkState(m_station.link));
            } else {
                const QString text = LinkMessages::portProblem(m_station.link.lastError());
                m_station.link.traffic().addEvent(TrafficEntry::kNoTag, text);
                m_portWait->showNotOpened(text);
            }
        });
        // The port it opened going away at once is told there, with its likely cause.
        connect(&m_station.link, &Link::lineLost, m_portWait, [this](const LinkError& reason) {
            if (m_portWait->isVisible() && !m_portWait->isWaiting())
                m_portWait->showLost(LinkMessages::transferProblem(reason));
        });
    }
    m_portWait->startWaiting();
    m_portWait->show();
    m_portWait->raise();
    m_portWait->activateWindow();
    return m_portWait;
}

CompareWindow* Application::showCompare(CardModel model)
{
    if (!m_compare) {
        m_compare = std::make_unique<CompareWindow>(m_station.link, m_station.files, model);
        // A Compare with the card is a Verify: it goes into the journal as the windows' do.
        connect(m_compare.get(), &CompareWindow::transferEnded, this,
                [this](const TransferResult& result) {
                    const CardWindow* hidden = m_compare->hiddenWindow();
                    if (!hidden)
                        return;
                    if (const auto problem = recordInJournal(
                            m_journal, cardEventOf(*hidden, result), QStringLiteral("window")))
                        journalNotWritten(m_compare.get(), *problem);
                });
    }
    m_compare->setModel(model);
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
    return m_compare.get();
}

void Application::choosePort(int portNumber)
{
    if (!m_station.link.openPort(portNumber))
        reportPortProblem();
}

void Application::chooseDevice(const QString& deviceName)
{
    if (!m_station.link.openDevice(deviceName))
        reportPortProblem();
}

void Application::chooseSimulatedCard()
{
    if (!sim::openSimulatedCard(m_station.link, m_simulatedCard))
        reportPortProblem();
}

void Application::reportPortProblem()
{
    const QString text = LinkMessages::portProblem(m_station.link.lastError());
    m_station.link.traffic().addEvent(TrafficEntry::kNoTag, text);
    m_station.notices.post(m_launcher.get(), m_launcher->windowTitle(), text);
}

bool Application::anyCardWindowVisible() const
{
    for (const auto& card : m_cards) {
        if (card && card->isVisible())
            return true;
    }
    return false;
}

void Application::onLauncherClosed()
{
    m_station.link.closePort();
    if (!anyCardWindowVisible())
        endProgram();
}

void Application::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    m_station.link.engine().abandon();
    if (m_end)
        m_end();
}

} // namespace vrn
