#pragma once

#include "card_values.h"
#include "traffic_record.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace vrn {

class StatusLine;

// The traffic log: every frame out to the card and every answer in, the latest 10,000, each with
// its time, direction, characters and what they mean for the card model whose window sent them.
// While shown it follows the link's traffic record live; hidden, it does not listen to it at all.
// It only reads the record: nothing it does reaches the line.
class TrafficLogWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxLines = static_cast<int>(TrafficRecord::kCapacity);
    // New entries are shown together, at most this often, and at the latest after twice this.
    static constexpr int kRefreshMs = 50;
    // A save's result stays at least this long, then until a later transfer sends something.
    static constexpr int kResultKeptMs = 3000;

    // The values each card model sets (from its description) name what its frames carry.
    explicit TrafficLogWindow(TrafficRecord& record, QWidget* parent = nullptr);

    // The lines shown, oldest first.
    QStringList lines() const;
    // Asks for a file without waiting for the answer; the chosen file gets the lines.
    void chooseFileAndSave();
    // Writes the lines shown to the file, replacing an earlier one only once all is written, and
    // tells under the lines how it went; false when it failed.
    bool save(const QString& path);
    // What the last save told the user.
    QString saveResult() const;
    // Empties the log and the record behind it.
    void clear();
    // Names the port in use for the header of a saved log.
    void setPortText(std::function<QString()> portText) { m_portText = std::move(portText); }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void entryAdded(bool out);
    void refreshDue();
    void showNewEntries();
    std::span<const CardValue> valuesOf(int tag) const;

    TrafficRecord& m_record;
    QPlainTextEdit* m_lines = nullptr;
    QLabel* m_result = nullptr;
    QTimer m_refresh;
    bool m_refreshDue = false;           // waiting for the next frame out to take new lines
    QMetaObject::Connection m_listening; // to the record, while shown
    quint64 m_shownUpTo = 0;             // the number of the newest entry shown
    QPointer<QFileDialog> m_dialog;
    QString m_lastFile;
    std::function<QString()> m_portText;
    bool m_following = true; // the view stays at the newest line until the user scrolls up
    bool m_appending = false;
    QElapsedTimer m_resultShown; // since the last save told its result
};

} // namespace vrn
