#include "port_wait_window.h"

#include "link_error.h"
#include "link_messages.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrn {

PortWaitWindow::PortWaitWindow(std::shared_ptr<PortSource> ports, QWidget* parent)
    : QDialog(parent), m_ports(std::move(ports))
{
    setObjectName(QStringLiteral("portWaitWindow"));
    setWindowTitle(tr("Wait for a new port"));
    setAccessibleName(windowTitle());

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("portWaitText"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_text->setFocusPolicy(Qt::StrongFocus); // read first by a screen reader, and reached by Tab
    m_text->setMinimumWidth(m_text->fontMetrics().averageCharWidth() * 60);

    auto* listed = new QLabel(tr("&Ports there now:"), this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("portWaitList"));
    m_list->setAccessibleName(tr("Ports there now"));
    listed->setBuddy(m_list);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_close = buttons->button(QDialogButtonBox::Cancel);
    m_close->setObjectName(QStringLiteral("portWaitClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(listed);
    layout->addWidget(m_list);
    layout->addWidget(buttons);

    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &PortWaitWindow::look);
    // Closed, it looks no more.
    connect(this, &QDialog::finished, &m_poll, &QTimer::stop);
}

void PortWaitWindow::startWaiting()
{
    const QList<PortInfo> ports = m_ports->ports();
    m_notWanted.clear();
    for (const PortInfo& port : ports)
        m_notWanted.insert(port.device);
    m_appeared.clear();
    listPorts(ports);
    say(tr("Plug the card's USB serial adapter in now. The port that appears is opened; nothing "
           "is sent to it or to any other port."));
    m_close->setText(tr("Cancel"));
    m_poll.start();
}

void PortWaitWindow::look()
{
    const QList<PortInfo> ports = m_ports->ports();
    listPorts(ports);
    QSet<QString> present;
    for (const PortInfo& port : ports)
        present.insert(port.device);
    // One that appeared and went again within a moment: what claimed it is told of.
    for (auto seen = m_appeared.begin(); seen != m_appeared.end();) {
        if (present.contains(seen->first)) {
            ++seen;
            continue;
        }
        if (seen->second.elapsed() < LinkError::kVanishedSoonMs) {
            LinkError gone{LinkError::Reason::LineLost, seen->first};
            gone.vanishedAfterMs = int(seen->second.elapsed());
            gone.brailleDaemonInstalled = m_ports->brailleDaemonInstalled();
            if (gone.brailleDaemonInstalled)
                say(LinkMessages::transferProblem(gone));
        }
        seen = m_appeared.erase(seen);
    }
    for (const PortInfo& port : ports) {
        if (m_notWanted.contains(port.device))
            continue;
        m_notWanted.insert(port.device);
        m_appeared[port.device].start();
        Q_EMIT portAppeared(port.device);
        return; // one port at a time: the program opens it, and says how that went
    }
}

void PortWaitWindow::listPorts(const QList<PortInfo>& ports)
{
    QStringList lines;
    for (const PortInfo& port : ports) {
        const QString adapter = AdapterIdentity::label(port);
        lines << (adapter == port.device ? port.device
                                         : QStringLiteral("%1 - %2").arg(port.device, adapter));
    }
    if (lines.isEmpty())
        lines << tr("No serial port found");
    QStringList shown;
    for (int i = 0; i < m_list->count(); ++i)
        shown << m_list->item(i)->text();
    if (shown == lines)
        return; // the list a screen reader is in stays as it is
    m_list->clear();
    m_list->addItems(lines);
}

void PortWaitWindow::showOpened(const QString& linkState)
{
    m_poll.stop();
    say(tr("Opened: %1.").arg(linkState));
    m_close->setText(tr("Close"));
}

void PortWaitWindow::showNotOpened(const QString& problem)
{
    say(problem + QLatin1Char(' ') + tr("Still waiting for another port."));
}

void PortWaitWindow::showLost(const QString& problem)
{
    showNotOpened(problem);
    m_poll.start();
}

void PortWaitWindow::say(const QString& text)
{
    m_text->setText(text);
    m_text->setAccessibleName(text);
}

} // namespace vrn
