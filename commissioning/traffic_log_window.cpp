#include "traffic_log_window.h"

#include "commissioning_record.h"
#include "parameter_file.h"
#include "status_line.h"
#include "traffic_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vrn {

TrafficLogWindow::TrafficLogWindow(TrafficRecord& record, QWidget* parent)
    : QWidget(parent, Qt::Window), m_record(record)
{
    setObjectName(QStringLiteral("trafficLog"));
    setWindowTitle(tr("Traffic log"));
    setAccessibleName(tr("Traffic log"));
    // An open log does not keep the program running once the card windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_lines = new QPlainTextEdit(this);
    m_lines->setObjectName(QStringLiteral("trafficLines"));
    m_lines->setAccessibleName(tr("Frames and answers"));
    m_lines->setAccessibleDescription(
        tr("Time of day, direction, the characters and what they mean, or what happened; the "
           "newest last"));
    m_lines->setReadOnly(true);
    m_lines->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_lines->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_lines->setMaximumBlockCount(kMaxLines);
    m_lines->setTabChangesFocus(true);
    m_lines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("trafficSaveResult"));
    // A screen reader reads what the label says as its name, and hears it change.
    m_result->setAccessibleDescription(tr("Save result"));
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setWordWrap(true);

    auto* save = new QPushButton(tr("&Save..."), this);
    save->setObjectName(QStringLiteral("trafficSave"));
    save->setAccessibleName(tr("Save the traffic log"));
    save->setToolTip(tr("Write the lines shown to a text file"));
    connect(save, &QPushButton::clicked, this, &TrafficLogWindow::chooseFileAndSave);
    auto* clearButton = new QPushButton(tr("C&lear"), this);
    clearButton->setObjectName(QStringLiteral("trafficClear"));
    clearButton->setAccessibleName(tr("Clear the traffic log"));
    connect(clearButton, &QPushButton::clicked, this, &TrafficLogWindow::clear);
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("trafficClose"));
    close->setAccessibleName(tr("Close the traffic log"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_result, 1);
    buttons->addWidget(save);
    buttons->addWidget(clearButton);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lines, 1);
    layout->addLayout(buttons);
    setTabOrder(m_lines, save);
    setTabOrder(save, clearButton);
    setTabOrder(clearButton, close);
    resize(760, 420);

    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &TrafficLogWindow::refreshDue);
    // Scrolled by the user: the view follows the newest line again once back at the bottom.
    connect(m_lines->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_appending && isVisible())
            m_following = value == m_lines->verticalScrollBar()->maximum();
    });
}

QStringList TrafficLogWindow::lines() const
{
    if (m_lines->document()->isEmpty())
        return {};
    return m_lines->toPlainText().split(QLatin1Char('\n'));
}

void TrafficLogWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_following = true; // opened again: at the newest line, wherever the view was before
    showNewEntries();   // what came while the log was closed
    // Once laid out, at the newest line again.
    QTimer::singleShot(0, this, [this] {
        if (m_following)
            m_lines->verticalScrollBar()->setValue(m_lines->verticalScrollBar()->maximum());
    });
    // Follows the record only while shown, so that a closed log costs the transfers nothing.
    if (!m_listening)
        m_listening =
            connect(&m_record, &TrafficRecord::added, this, &TrafficLogWindow::entryAdded);
}

// Drawing the log takes a few milliseconds; drawn while the card's answer comes in, it would
// hold up the transfer's next frame. Right after a frame has gone out, the card needs at least
// the wire time of its answer, so that is when the log takes its new lines once a refresh is due
// (the window system draws them as soon as the event loop is back, before any answer can be
// read). A stream of entries cannot put a refresh off: it is due kRefreshMs after the first entry
// not yet shown, and when no frame goes out for another kRefreshMs (the transfer has ended, or
// the line only brings characters in), the log takes its new lines then.
void TrafficLogWindow::entryAdded(bool out)
{
    if (m_refreshDue && out) {
        m_refresh.start(0); // as soon as the event loop is back
    } else if (!m_refreshDue && !m_refresh.isActive()) {
        m_refresh.start(kRefreshMs);
    }
}

void TrafficLogWindow::refreshDue()
{
    if (m_refreshDue) {
        showNewEntries();
        return;
    }
    m_refreshDue = true;
    m_refresh.start(kRefreshMs);
}

void TrafficLogWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    disconnect(m_listening);
    m_listening = {};
    m_refresh.stop();
    m_refreshDue = false;
}

std::span<const CardValue> TrafficLogWindow::valuesOf(int tag) const
{
    // A tag is the number of the card model whose window started the transfer.
    if (tag < 0 || static_cast<std::size_t>(tag) >= std::size(kCardModels))
        return {};
    return cardDescription(static_cast<CardModel>(tag)).values;
}

void TrafficLogWindow::showNewEntries()
{
    m_refresh.stop();
    m_refreshDue = false;
    const std::vector<TrafficEntry> entries = m_record.entriesAfter(m_shownUpTo);
    if (entries.empty())
        return;
    m_shownUpTo = entries.back().number;
    // Only as many as the log keeps; older ones would be dropped again at once.
    const std::size_t skip =
        entries.size() > std::size_t(kMaxLines) ? entries.size() - std::size_t(kMaxLines) : 0;
    QStringList text;
    text.reserve(static_cast<qsizetype>(entries.size() - skip));
    for (std::size_t i = skip; i < entries.size(); ++i)
        text << trafficLine(entries[i], valuesOf(entries[i].tag));

    // The log follows the newest line unless the user scrolled up to read older ones.
    QScrollBar* bar = m_lines->verticalScrollBar();
    m_appending = true;
    m_lines->appendPlainText(text.join(QLatin1Char('\n')));
    if (m_following)
        bar->setValue(bar->maximum());
    m_appending = false;
    // What a save told is no longer news once a later transfer has sent the card something;
    // it stays long enough to be read while a transfer runs on.
    const bool sentSince =
        std::any_of(entries.begin() + static_cast<std::ptrdiff_t>(skip), entries.end(),
                    [](const TrafficEntry& e) { return e.isOut(); });
    if (sentSince && m_resultShown.isValid() && m_resultShown.hasExpired(kResultKeptMs)) {
        m_result->clear();
        m_resultShown.invalidate();
    }
}

void TrafficLogWindow::clear()
{
    m_record.clear();
    m_lines->clear();
    m_result->clear();
}

void TrafficLogWindow::chooseFileAndSave()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    const QString start =
        m_lastFile.isEmpty() ? QDir::home().filePath(QStringLiteral("vrn-traffic-%1.txt")
                                                         .arg(QDateTime::currentDateTime().toString(
                                                             QStringLiteral("yyyyMMdd-HHmmss"))))
                             : m_lastFile;
    // Opened without a nested event loop: transfers and the log go on while it asks.
    auto* dialog = new QFileDialog(this, tr("Save the traffic log"));
    dialog->setObjectName(QStringLiteral("trafficSaveDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({tr("Text files (*.txt)"), tr("All files (*)")});
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->setDirectory(QFileInfo(start).absolutePath());
    dialog->selectFile(start);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &TrafficLogWindow::save);
    m_dialog = dialog;
    dialog->open();
}

bool TrafficLogWindow::save(const QString& path)
{
    if (path.isEmpty())
        return false;
    m_lastFile = path;
    const QStringList shown = lines();
    // A header that a log read months later, or on another computer, needs.
    QByteArray bytes = tr("VRN-PC traffic log\nSaved: %1\nProgram: VRN-PC %2\nPort: %3\n\n")
                           .arg(CommissioningRecord::timeText(QDateTime::currentDateTime()),
                                QCoreApplication::applicationVersion(),
                                m_portText ? m_portText() : tr("not known"))
                           .toUtf8();
    for (const QString& line : shown)
        bytes += line.toUtf8() + '\n';
    m_resultShown.start();
    if (const std::optional<QString> problem = writeParameterFile(path, bytes)) {
        m_result->setText(*problem);
        return false;
    }
    const QString where = QDir::toNativeSeparators(path);
    m_result->setText(shown.size() == 1 ? tr("1 line saved to %1").arg(where)
                                        : tr("%1 lines saved to %2").arg(shown.size()).arg(where));
    return true;
}

QString TrafficLogWindow::saveResult() const
{
    return m_result->text();
}

} // namespace vrn
