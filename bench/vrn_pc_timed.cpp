// vrn-pc-timed: the program started exactly as app/main.cpp starts it, plus the clock readings
// the start-up benchmark needs. It is built from the same libraries as vrn-pc and is never
// installed. Once the launcher has been painted it clicks the launcher's four buttons, waits for
// the four card windows to be painted, prints its readings and ends:
//   entered_ns <t>        main() entered (after the system loaded the program and its libraries)
//   launcher_shown_ns <t> the launcher was shown (show() returned)
//   launcher_painted_ns <t> the launcher's first paint was complete
//   cards_painted_ns <t>  the four card windows' first paints were complete
//   rss_kb <n> / peak_rss_kb <n>  resident memory then, and the most it ever was
// Times are on the monotonic clock (CLOCK_MONOTONIC) in nanoseconds, so that the parent that
// started the process can subtract its own reading taken just before it started it.

#include "application.h"
#include "card_window.h"
#include "form2.h"
#include "proc_status.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <set>

#include <time.h>

namespace {

qint64 monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Watches the first paints of the launcher and then of the four card windows.
class StartWatch : public QObject
{
public:
    explicit StartWatch(vrn::Application& app) : m_app(app)
    {
        m_app.launcher()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->removeEventFilter(this);
        // The paint runs after this filter: read the clock on the next turn of the event loop.
        if (watched == m_app.launcher())
            QTimer::singleShot(0, this, [this] { launcherPainted(); });
        else if (m_unpainted.erase(watched) && m_unpainted.empty())
            QTimer::singleShot(0, this, [this] { cardsPainted(); });
        return false;
    }

private:
    void launcherPainted()
    {
        std::printf("launcher_painted_ns %lld\n", static_cast<long long>(monotonicNs()));
        const vrn::CardModel models[] = {vrn::CardModel::VrnA, vrn::CardModel::VrnB,
                                         vrn::CardModel::VrnC, vrn::CardModel::VrnD};
        for (const vrn::CardModel model : models) {
            const QString name = QStringLiteral("Command%1").arg(static_cast<int>(model) + 1);
            auto* button = m_app.launcher()->findChild<QAbstractButton*>(name);
            if (!button) {
                std::fprintf(stderr, "vrn-pc-timed: the launcher has no %s\n", qPrintable(name));
                QCoreApplication::exit(1);
                return;
            }
            button->click(); // as the user opens the window
            vrn::CardWindow* window = m_app.cardWindow(model);
            if (window && !m_unpainted.count(window)) {
                m_unpainted.insert(window);
                window->installEventFilter(this);
            }
        }
    }

    void cardsPainted()
    {
        std::printf("cards_painted_ns %lld\n", static_cast<long long>(monotonicNs()));
        std::printf("rss_kb %ld\npeak_rss_kb %ld\n", procStatusKb("VmRSS"), procStatusKb("VmHWM"));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    vrn::Application& m_app;
    std::set<QObject*> m_unpainted;
};

} // namespace

int main(int argc, char* argv[])
{
    const qint64 enteredNs = monotonicNs();
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("VRN-PC"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    vrn::Application app;
    StartWatch watch(app);
    app.start();
    std::printf("entered_ns %lld\nlauncher_shown_ns %lld\n", static_cast<long long>(enteredNs),
                static_cast<long long>(monotonicNs()));
    return QApplication::exec();
}
