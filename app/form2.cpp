#include "form2.h"

#include "card_window.h"
#include "form_builder.h"
#include "graphical_button.h"
#include "status_line.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include <algorithm>

namespace vrn {

QString SerialPortEntry::caption() const
{
    QString text = location;
    if (!description.isEmpty())
        text += QStringLiteral(" - ") + description;
    if (!manufacturer.isEmpty() && manufacturer != description) {
        // Windows names the maker of built-in ports "(Standard port types)", brackets included.
        const bool bracketed =
            manufacturer.startsWith(QLatin1Char('(')) && manufacturer.endsWith(QLatin1Char(')'));
        text +=
            bracketed ? QLatin1Char(' ') + manufacturer : QStringLiteral(" (%1)").arg(manufacturer);
    }
    text.replace(QLatin1Char('&'), QLatin1String("&&")); // an "&" would mark a shortcut
    return text;
}

Form2::Form2(QWidget* parent)
    : ClassicWindow(QStringLiteral("VRN-PC rev01"), 7470, 3660, parent),
      m_portLister(&Form2::systemPorts)
{
    setObjectName(QStringLiteral("Form2"));

    m_portMenu = menuBar()->addMenu(QStringLiteral("Seriale"));
    m_portMenu->setObjectName(QStringLiteral("se"));
    const char* const captions[] = {"Ser1", "Ser2", "Ser3", "Se4", "Ser5"};
    for (int n = 1; n <= 5; ++n) {
        QAction* item = m_portMenu->addAction(QString::fromLatin1(captions[n - 1]));
        item->setObjectName(QStringLiteral("se%1").arg(n));
        connect(item, &QAction::triggered, this, [this, n] { Q_EMIT portChosen(n); });
    }
    m_portMenu->addSeparator();
    QAction* simulated =
        m_portMenu->addAction(QCoreApplication::translate("Launcher", "Simulated card"));
    simulated->setObjectName(QStringLiteral("seSimulated"));
    connect(simulated, &QAction::triggered, this, &Form2::simulatedCardChosen);
    m_portMenu->addSeparator();
    // The system's ports come between this separator and "Other port...": adapters come and go
    // while the program runs, so the list is read again every time the menu opens.
    QAction* other =
        m_portMenu->addAction(QCoreApplication::translate("Launcher", "Other port..."));
    other->setObjectName(QStringLiteral("seOther"));
    connect(other, &QAction::triggered, this, &Form2::askForOtherPort);
    QAction* wait =
        m_portMenu->addAction(QCoreApplication::translate("Launcher", "Wait for a new port..."));
    wait->setObjectName(QStringLiteral("seWait"));
    connect(wait, &QAction::triggered, this, &Form2::portWaitWanted);
    QAction* compare = m_portMenu->addAction(QCoreApplication::translate("Launcher", "Compare..."));
    compare->setObjectName(QStringLiteral("seCompare"));
    compare->setToolTip(QCoreApplication::translate(
        "Launcher", "Compare a parameter file with the card on the port or with another file"));
    connect(compare, &QAction::triggered, this, &Form2::compareWanted);
    QAction* station =
        m_portMenu->addAction(QCoreApplication::translate("Launcher", "Commissioning station..."));
    station->setObjectName(QStringLiteral("seStation"));
    station->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    station->setToolTip(
        QCoreApplication::translate("Launcher",
                                    "Commission cards one after another: each is read and saved, "
                                    "sent the recipe and verified (%1)")
            .arg(shortcutText(station)));
    connect(station, &QAction::triggered, this, &Form2::stationWanted);
    addAction(station); // the shortcut works anywhere in the launcher
    connect(m_portMenu, &QMenu::aboutToShow, this, &Form2::listSystemPorts);

    m_status = new StatusLine(this);
    setStatusBar(m_status);
    // Reached with its shortcut and the mouse: the launcher's Tab cycle stays its classic one.
    QToolButton* logButton =
        addTrafficLogCommand(this, m_status, [this] { Q_EMIT trafficLogWanted(); });
    logButton->setFocusPolicy(Qt::ClickFocus);
    m_status->addCommand(station)->setFocusPolicy(Qt::ClickFocus);

    FormBuilder form(client());
    form.add({
        // clang-format off
        {.name = "Picture1", .kind = ControlKind::Picture,
         .left = 0, .top = 0, .width = 10695, .height = 1335, .tabIndex = 0},
        {.name = "Command1", .kind = ControlKind::Button, .caption = "VRN-A",
         .left = 1320, .top = 1680, .width = 1575, .height = 495, .tabIndex = 1,
         .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "Opens the VRN-A card window")},
        {.name = "Command2", .kind = ControlKind::Button, .caption = "VRB",
         .left = 1320, .top = 2640, .width = 1575, .height = 495, .tabIndex = 2,
         .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "Opens the VRN-B card window")},
        {.name = "Command3", .kind = ControlKind::Button, .caption = "VRC",
         .left = 4560, .top = 1680, .width = 1575, .height = 495, .tabIndex = 3,
         .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "Opens the VRN-C card window")},
        {.name = "Command4", .kind = ControlKind::Button, .caption = "VRD",
         .left = 4560, .top = 2640, .width = 1575, .height = 495, .tabIndex = 4,
         .accessibleDescription = QT_TRANSLATE_NOOP("Controls", "Opens the VRN-D card window")},
        // clang-format on
    });
    form.finish();
    const char* const buttons[] = {"Command1", "Command2", "Command3", "Command4"};
    for (int model = 0; model < 4; ++model) {
        auto* button = form.get<GraphicalButton>(buttons[model]);
        button->setFont(classicFont(9.75, true));
        connect(button, &GraphicalButton::clicked, this,
                [this, model] { Q_EMIT cardWindowWanted(model); });
    }
}

QList<SerialPortEntry> Form2::entriesOf(const QList<PortInfo>& ports)
{
    QList<SerialPortEntry> entries;
    for (const PortInfo& port : ports)
        entries.append({port.device, port.description, port.manufacturer});
    return entries;
}

QList<SerialPortEntry> Form2::systemPorts()
{
    SystemPorts system;
    return entriesOf(system.ports());
}

void Form2::listSystemPorts()
{
    for (QAction* item : std::as_const(m_listedPorts)) {
        m_portMenu->removeAction(item);
        item->deleteLater(); // the menu may still be delivering this action's events
    }
    m_listedPorts.clear();

    QList<SerialPortEntry> ports = m_portLister ? m_portLister() : QList<SerialPortEntry>();
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry& a, const SerialPortEntry& b) {
        return comesBefore(a.location, b.location);
    });

    QAction* other = m_portMenu->findChild<QAction*>(QStringLiteral("seOther"));
    const auto insert = [this, other](const QString& caption) {
        auto* item = new QAction(caption, m_portMenu);
        m_portMenu->insertAction(other, item);
        m_listedPorts.append(item);
        return item;
    };
    if (ports.isEmpty()) {
        QAction* none = insert(QCoreApplication::translate("Launcher", "No serial port found"));
        none->setObjectName(QStringLiteral("seNoPort"));
        none->setEnabled(false);
        return;
    }
    for (qsizetype i = 0; i < ports.size(); ++i) {
        QAction* item = insert(ports[i].caption());
        item->setObjectName(QStringLiteral("sePort%1").arg(i));
        item->setData(ports[i].location);
        const QString device = ports[i].location;
        connect(item, &QAction::triggered, this, [this, device] { Q_EMIT deviceChosen(device); });
    }
}

void Form2::askForOtherPort()
{
    if (!m_otherPortDialog) {
        m_otherPortDialog = new QInputDialog(this);
        m_otherPortDialog->setObjectName(QStringLiteral("otherPortDialog"));
        m_otherPortDialog->setWindowTitle(QCoreApplication::translate("Launcher", "Other port"));
        m_otherPortDialog->setLabelText(
#ifdef Q_OS_WIN
            QCoreApplication::translate("Launcher",
                                        "Device name of the serial port (for example COM7):"));
#else
            QCoreApplication::translate(
                "Launcher",
                "Device name of the serial port (for example /dev/ttyUSB1 or /dev/pts/3):"));
#endif
        m_otherPortDialog->setInputMode(QInputDialog::TextInput);
        connect(m_otherPortDialog, &QInputDialog::textValueSelected, this,
                [this](const QString& text) {
                    const QString device = text.trimmed();
                    if (device.isEmpty())
                        return;
                    m_lastOtherPort = device;
                    Q_EMIT deviceChosen(device);
                });
    }
    m_otherPortDialog->setTextValue(m_lastOtherPort);
    // open(), not exec(): the question blocks the launcher only, and no nested event loop runs
    // under the menu that asked it while card windows go on with their transfers.
    m_otherPortDialog->open();
}

void Form2::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT closed();
}

} // namespace vrn
