#include "soak.h"

#include "card_context.h"
#include "card_windows.h"
#include "link.h"
#include "option_box.h"
#include "outcome.h"
#include "protocol.h"
#include "runner.h"
#include "simulated_transport.h"
#include "spin_slider.h"
#include "timeouts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace vrn::soak {
namespace {

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

Soak::Soak(const SoakOptions& options) : m_options(options), m_random(options.seed)
{
    m_station.notices.setShowWindows(false);
    QObject::connect(&m_station.notices, &Notices::posted, &m_station.notices,
                     [this](const QString&, const QString& text) { m_posted.append(text); });
    for (const CardModel model : kCardModels)
        m_widgets.push_back(makeCardWindow(model, m_station.context));
    for (std::size_t i = 0; i < m_widgets.size(); ++i) {
        CardWindow* widget = m_widgets[i].get();
        widget->show();
        QObject::connect(widget, &CardWindow::transferEnded, widget,
                         [this](const TransferResult& result) { m_results.push_back(result); });
        Window window{&m_models[i],
                      widget,
                      widget->findChild<GraphicalButton*>(m_models[i].sendButton),
                      widget->findChild<GraphicalButton*>(m_models[i].readButton),
                      {}};
        for (QWidget* child : widget->findChildren<QWidget*>()) {
            if (qobject_cast<SpinSlider*>(child) || qobject_cast<OptionBox*>(child))
                window.editable.push_back(child);
        }
        std::sort(window.editable.begin(), window.editable.end(),
                  [](QWidget* a, QWidget* b) { return a->objectName() < b->objectName(); });
        m_windows.push_back(window);
    }
}

// A click on another transfer button while the transfer runs: refused at once, and the running
// transfer's button stays red.
void Soak::clickSecondButton(const Plan& plan, const QString& where, GraphicalButton* running)
{
    Window& other = m_windows[plan.secondWindow];
    GraphicalButton* second = plan.secondSend ? other.send : other.read;
    const QStringList earlier = takeNotices();
    std::vector<TransferResult> earlierResults = takeResults();
    const QStringList controls = controlStates();
    second->click();
    const QStringList notices = takeNotices();
    const QString outcome = outcomeOf(takeResults());
    m_posted = earlier; // the running transfer's own notices, if any, stay with it
    m_results = std::move(earlierResults);
    ++m_report.outcomes[QStringLiteral("second click: ") + outcome];
    if (outcome != kBusy || notices.size() != 1)
        violation(QStringLiteral("second transfer not refused"),
                  where + QStringLiteral(": a second transfer started meanwhile was not "
                                         "refused: %1")
                              .arg(notices.join(u" | ")));
    if (second != running && second->isBusy())
        violation(QStringLiteral("refused second transfer left its button red"),
                  where + QStringLiteral(": the refused second transfer left %1 %2 red")
                              .arg(QLatin1String(other.model->name), second->objectName()));
    if (!running->isBusy() && m_station.link.isBusy())
        violation(QStringLiteral("refused second click greyed the running transfer's button"),
                  where + QStringLiteral(": the refused second click turned the running "
                                         "transfer's button grey while it still runs"));
    if (controlStates() != controls)
        violation(QStringLiteral("refused second transfer changed controls"),
                  where + QStringLiteral(": the refused second transfer changed controls"));
}

// The transfer ends on its own: by its answers, by a time-out or by a failure.
void Soak::waitForEnd(const QString& where)
{
    constexpr int kLongestWaitMs = 15000;
    if (m_station.link.isBusy()) {
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_station.link.engine(), &TransferEngine::finished, &loop,
                         &QEventLoop::quit, Qt::QueuedConnection);
        deadline.start(kLongestWaitMs);
        loop.exec();
    }
    QCoreApplication::processEvents();
    if (m_station.link.isBusy())
        violation(QStringLiteral("transfer never ended"),
                  where + QStringLiteral(": still running after %1 s").arg(kLongestWaitMs / 1000));
    for (const Window& w : m_windows) {
        for (GraphicalButton* b : {w.send, w.read}) {
            if (b->backColour() != kGreyColour)
                violation(QStringLiteral("button not grey after the transfer"),
                          where + QStringLiteral(": %1 %2 has colour %3 after the transfer")
                                      .arg(QLatin1String(w.model->name), b->objectName())
                                      .arg(b->backColour()));
        }
    }
}

void Soak::runTransfer(int index, const Plan& plan)
{
    Window& window = m_windows[plan.window];
    const WindowModel& model = *window.model;
    sim::Card& card = m_card;
    const QString kind = plan.send ? QStringLiteral("Send") : QStringLiteral("Read");
    const QString where =
        QStringLiteral("transfer %1 (%2 %3, %4%5)")
            .arg(index)
            .arg(QLatin1String(model.name), kind, QLatin1String(kindOf(plan.fault).name),
                 plan.overrideWhat.isEmpty() ? QString() : u' ' + plan.overrideWhat);
    ++m_report.transfersByWindow[QLatin1String(model.name) + u' ' + kind];
    ++m_report.faults[QLatin1String(kindOf(plan.fault).name)];

    const SlotTable slotsBefore = m_station.slots;
    const QStringList controlsBefore = controlStates();
    const std::map<char, int> memoryBefore = memory();
    const bool cleanLine = !m_lineHasLeftovers;
    m_lateAnswerOnLine = !cleanLine;
    if (plan.fault == Fault::PortClosed)
        m_station.link.closePort();
    card.faults() = faultsFor(plan);
    card.clearLog();

    takeNotices(); // anything posted before the click belongs to no transfer
    takeResults();
    GraphicalButton* button = plan.send ? window.send : window.read;
    QElapsedTimer clock;
    clock.start();
    button->click();
    if (plan.fault == Fault::SecondClick)
        clickSecondButton(plan, where, button);
    waitForEnd(where);
    const qint64 elapsed = clock.elapsed();
    m_longestTransferMs = std::max(m_longestTransferMs, elapsed);

    // A clear outcome: one notice for a failure, naming the port when the line failed.
    const QStringList notices = takeNotices();
    const QString outcome = outcomeOf(takeResults());
    ++m_report.outcomes[outcome];
    if (outcome == kUnrecognised || notices.size() > 1)
        violation(QStringLiteral("unclear outcome"),
                  where + QStringLiteral(": unclear outcome: %1").arg(notices.join(u" | ")));
    const bool lineFailure = outcome == kTimeOut || outcome == kShortReply || outcome == kPortLost;
    if (lineFailure && !notices.first().contains(m_station.link.portName()))
        violation(
            QStringLiteral("notice does not name the port"),
            where + QStringLiteral(": the notice does not name the port: %1").arg(notices.first()));
    const QString expected = expectedOutcome(plan);
    if ((cleanLine || plan.send || plan.fault == Fault::PortClosed) && outcome != expected)
        violation(QStringLiteral("outcome other than the fault leads to"),
                  where + QStringLiteral(": ended \"%1\" where \"%2\" was due (%3)")
                              .arg(outcome, expected, notices.join(u" | ")));

    // The state the transfer leaves behind.
    if (plan.send && outcome == kOk)
        checkSend(plan, where, slotsBefore, memoryBefore);
    else if (plan.send)
        checkFailedSend(where, slotsBefore, controlsBefore);
    else if (outcome == kOk)
        checkRead(plan,
                  cleanLine ? where
                            : where + QStringLiteral(" [a late answer of an earlier transfer was "
                                                     "waiting on the line]"),
                  controlsBefore);
    else
        checkFailedRead(where, outcome, slotsBefore, controlsBefore);
    if (outcome == kNoPort && !card.framesReceived().isEmpty())
        violation(QStringLiteral("frames sent without a port"),
                  where + QStringLiteral(": frames reached the card without a port"));

    if (m_options.trace)
        m_options.trace(QStringLiteral("%1 -> %2 in %3 ms").arg(where, outcome).arg(elapsed));
    restoreLine(plan, outcome, where);
}

// Back to a sound card. A late answer still under way lands first, as it would on the line;
// a Send discards such leftovers at its start, a Read does not.
void Soak::restoreLine(const Plan& plan, const QString& outcome, const QString& where)
{
    m_card.faults() = sim::Faults{};
    if (plan.send)
        m_lineHasLeftovers = false;
    if (plan.fault == Fault::PastLimitDelay && outcome == kTimeOut) {
        runEventsFor(plan.delayMs - (plan.send ? kAnswerTimeoutMs : kReplyTimeoutMs) + 200);
        m_lineHasLeftovers = true;
    }
    if (!m_station.link.isOpen()) {
        if (!sim::openSimulatedCard(m_station.link, m_card))
            violation(QStringLiteral("card did not open again"),
                      where + QStringLiteral(": the simulated card did not open again: %1")
                                  .arg(m_station.link.lastError().debugText()));
        m_lineHasLeftovers = false; // a reopened line starts empty
    }
}

SoakReport Soak::run()
{
    QElapsedTimer clock;
    clock.start();
    m_report.seed = m_options.seed;
    m_report.transfers = m_options.transfers;
    if (!sim::openSimulatedCard(m_station.link, m_card))
        violation(QStringLiteral("card did not open"),
                  QStringLiteral("the simulated card did not open: ") +
                      m_station.link.lastError().debugText());
    QCoreApplication::processEvents();
    m_report.rssStartBytes = residentSetBytes();
    for (int i = 1; i <= m_options.transfers; ++i) {
        drawEdits();
        const Plan plan = drawPlan();
        drawMemory();
        runTransfer(i, plan);
        if (i == m_options.transfers / 2)
            m_report.rssMiddleBytes = residentSetBytes();
    }
    QCoreApplication::processEvents();
    m_report.rssEndBytes = residentSetBytes();
    // The first half may still fill caches; the second must not keep taking memory.
    constexpr qint64 kSecondHalfGrowthLimit = 4 * 1024 * 1024;
    m_lateAnswerOnLine = false;
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory in quarantine, so the resident set says nothing here;
    // the sanitizer's own leak check stands in for this one.
    constexpr bool kResidentSetTellsGrowth = false;
#else
    constexpr bool kResidentSetTellsGrowth = true;
#endif
    if (kResidentSetTellsGrowth &&
        m_report.rssEndBytes - m_report.rssMiddleBytes > kSecondHalfGrowthLimit)
        violation(QStringLiteral("memory grew in the second half"),
                  QStringLiteral("the resident set grew from %1 to %2 in the second half")
                      .arg(mib(m_report.rssMiddleBytes), mib(m_report.rssEndBytes)));
    for (const QString& text : m_station.notices.history())
        m_report.noticeHistoryBytes += text.size() * static_cast<qint64>(sizeof(QChar));
    m_report.elapsedMs = clock.elapsed();
    m_report.longestTransferMs = m_longestTransferMs;
    return m_report;
}

SoakReport runSoak(const SoakOptions& options)
{
    Soak soak(options);
    return soak.run();
}

} // namespace vrn::soak
