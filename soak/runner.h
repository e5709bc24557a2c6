#pragma once

// The soak's run: the four card windows on a context of their own, the simulated card on the
// line, and the state kept between transfers. Its work is split by job: run.cpp drives the
// windows and transfers, faults.cpp draws what is injected, oracle.cpp says what the card and
// the windows must hold, checks.cpp checks it, report.cpp words the figures.

#include "card.h"
#include "card_context.h"
#include "card_station.h"
#include "card_window.h"
#include "faults.h"
#include "file_dialog_state.h"
#include "graphical_button.h"
#include "link.h"
#include "notices.h"
#include "oracle.h"
#include "slot_table.h"
#include "soak.h"

#include <QMap>
#include <QRandomGenerator>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace vrn::soak {

class Soak
{
public:
    explicit Soak(const SoakOptions& options);
    SoakReport run();

private:
    struct Window
    {
        const WindowModel* model;
        CardWindow* widget;
        GraphicalButton* send;
        GraphicalButton* read;
        std::vector<QWidget*> editable; // sliders and option boxes, in a fixed order
    };

    // One transfer's plan, drawn from the seed before it runs.
    struct Plan
    {
        int window = 0;
        bool send = true;
        Fault fault = Fault::None;
        int delayMs = 0;
        int count = 0; // frames before the port goes, reply length, split point
        QMap<int, QByteArray> overrides;
        QString overrideWhat;       // for the trace: which field got what
        bool expectRefused = false; // an override hits a field the window checks
        int secondWindow = 0;
        bool secondSend = true;
    };

    Plan drawPlan();
    void drawEdits();
    void drawMemory();
    void runTransfer(int index, const Plan& plan);
    static sim::Faults faultsFor(const Plan& plan);
    static QString expectedOutcome(const Plan& plan);
    void clickSecondButton(const Plan& plan, const QString& where, GraphicalButton* running);
    void waitForEnd(const QString& where);
    void restoreLine(const Plan& plan, const QString& outcome, const QString& where);
    void checkFailedSend(const QString& where, const SlotTable& slotsBefore,
                         const QStringList& controlsBefore);
    void checkFailedRead(const QString& where, const QString& outcome, const SlotTable& slotsBefore,
                         const QStringList& controlsBefore);
    void checkSend(const Plan& plan, const QString& where, const SlotTable& slotsBefore,
                   const std::map<char, int>& memoryBefore);
    void checkRead(const Plan& plan, const QString& where, const QStringList& controlsBefore);
    // Counts a failed check by its kind and keeps the first few of each kind as examples.
    void violation(const QString& kind, const QString& text);

    // The notices posted since the last call. Taken from the posted() signal: the notices'
    // history keeps only the latest few, so counting along it misses everything after them.
    QStringList takeNotices() { return std::exchange(m_posted, {}); }
    // The windows' transfer results since the last call.
    std::vector<TransferResult> takeResults() { return std::exchange(m_results, {}); }

    QStringList controlStates() const;
    std::map<char, int> memory();
    int replyField(const Plan& plan, int position);
    bool checksPosition(const WindowModel& model, int from, int to) const;
    std::vector<QByteArray> expectedFrames(const WindowModel& model, const SlotTable& slots) const;
    std::vector<int> readPositions(const WindowModel& model) const;

    SoakOptions m_options;
    QRandomGenerator m_random;
    std::vector<WindowModel> m_models = windowModels();

    sim::Card m_card; // the simulated card on the line
    CardStation m_station;
    std::vector<std::unique_ptr<CardWindow>> m_widgets;
    std::vector<Window> m_windows;
    QStringList m_posted;                  // notices posted and not yet taken
    std::vector<TransferResult> m_results; // transfer results not yet taken

    bool m_lineHasLeftovers = false; // a late answer of a timed-out transfer is in the buffer
    bool m_lateAnswerOnLine = false; // the transfer being checked started with such leftovers
    qint64 m_longestTransferMs = 0;
    SoakReport m_report;
};

// "12.3 MiB".
QString mib(qint64 bytes);

} // namespace vrn::soak
