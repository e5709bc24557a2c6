#include "station_window.h"

#include "card_job.h"
#include "card_window.h"
#include "link.h"
#include "link_messages.h"
#include "port_source.h"
#include "portable_folder.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>

namespace vrn {

namespace {

// The combo box's entry that stands for the port the launcher has open.
const QString kLaunchersPort = QStringLiteral("launcher");

QString codeText(const CardValue& value, const std::optional<int>& code, const QString& none)
{
    return code ? valueText(value.unit, *code) : none;
}

// Tells a screen reader that a label's words changed.
void announce(QLabel* label, const QString& name)
{
    label->setAccessibleName(name);
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QByteArray sha256Of(const QString& path, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = file.errorString();
        return {};
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) {
        *problem = file.errorString();
        return {};
    }
    return hash.result();
}

} // namespace

StationRow::StationRow(int number, Link& programLink, std::shared_ptr<PortSource> ports,
                       QWidget* parent)
    : QWidget(parent), m_number(number), m_programLink(programLink), m_ports(std::move(ports))
{
    setObjectName(QStringLiteral("stationRow%1").arg(number));
    auto* layout = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;
    layout->addLayout(line);

    auto* portLabel = new QLabel(tr("Port &%1:").arg(number), this);
    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setEditable(true); // a device the system does not list can be typed
    m_port->setInsertPolicy(QComboBox::NoInsert);
    m_port->setMinimumContentsLength(28);
    m_port->setAccessibleName(tr("Port of row %1").arg(number));
    portLabel->setBuddy(m_port);
    line->addWidget(portLabel);
    line->addWidget(m_port, 1);

    auto* serialLabel = new QLabel(tr("Card &serial number:"), this);
    m_serial = new QLineEdit(this);
    m_serial->setObjectName(QStringLiteral("serial"));
    m_serial->setMaxLength(100);
    m_serial->setAccessibleName(tr("Card serial number, row %1").arg(number));
    m_serial->setToolTip(tr("Type or scan the card's serial number and press Return: the card is "
                            "read and saved, sent the recipe and verified"));
    serialLabel->setBuddy(m_serial);
    line->addWidget(serialLabel);
    line->addWidget(m_serial, 1);

    m_start = new QPushButton(tr("&Commission"), this);
    m_start->setObjectName(QStringLiteral("commission"));
    m_start->setAccessibleName(tr("Commission the card on row %1").arg(number));
    line->addWidget(m_start);
    m_history = new QPushButton(tr("&History..."), this);
    m_history->setObjectName(QStringLiteral("history"));
    m_history->setAccessibleName(tr("History and restore, row %1").arg(number));
    line->addWidget(m_history);

    m_verdict = new QLabel(this);
    m_verdict->setObjectName(QStringLiteral("verdict"));
    m_verdict->setAlignment(Qt::AlignCenter);
    m_verdict->setMinimumHeight(72);
    QFont big = m_verdict->font();
    big.setPointSize(std::max(28, big.pointSize() * 3));
    big.setBold(true);
    m_verdict->setFont(big);
    m_verdict->setAutoFillBackground(true);
    layout->addWidget(m_verdict);

    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setWordWrap(true);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_details->setAccessibleName(tr("Details, row %1").arg(number));
    layout->addWidget(m_details);

    m_confirm = new QWidget(this);
    auto* confirm = new QHBoxLayout(m_confirm);
    confirm->setContentsMargins(0, 0, 0, 0);
    m_sendAnyway = new QPushButton(tr("Send &anyway"), m_confirm);
    m_sendAnyway->setObjectName(QStringLiteral("sendAnyway"));
    m_sendAnyway->setAccessibleName(tr("Send the recipe without a snapshot, row %1").arg(number));
    m_doNotSend = new QPushButton(tr("Do &not send"), m_confirm);
    m_doNotSend->setObjectName(QStringLiteral("doNotSend"));
    m_doNotSend->setAccessibleName(tr("Do not send, row %1").arg(number));
    confirm->addWidget(m_sendAnyway);
    confirm->addWidget(m_doNotSend);
    confirm->addStretch(1);
    m_confirm->hide();
    layout->addWidget(m_confirm);

    connect(m_serial, &QLineEdit::returnPressed, this, [this] { Q_EMIT commissionWanted(this); });
    connect(m_start, &QPushButton::clicked, this, [this] { Q_EMIT commissionWanted(this); });
    connect(m_history, &QPushButton::clicked, this, [this] { Q_EMIT historyWanted(this); });
    connect(m_sendAnyway, &QPushButton::clicked, this, [this] {
        m_confirm->hide();
        if (m_cycle)
            m_cycle->confirmSend();
    });
    connect(m_doNotSend, &QPushButton::clicked, this, [this] {
        m_confirm->hide();
        if (m_cycle)
            m_cycle->cancel();
    });
    refreshPorts();
    showVerdict({}, {});
}

StationRow::~StationRow()
{
    m_cycle.reset();
    if (m_job)
        m_job->closePort();
}

void StationRow::refreshPorts()
{
    const QString chosen = m_port->count() ? chosenPort() : QString();
    m_port->clear();
    if (m_programLink.isOpen())
        m_port->addItem(tr("The launcher's port (%1)").arg(m_programLink.portName()),
                        kLaunchersPort);
    QList<PortInfo> listed = m_ports->ports();
    std::sort(listed.begin(), listed.end(),
              [](const PortInfo& a, const PortInfo& b) { return comesBefore(a.device, b.device); });
    for (const PortInfo& port : listed)
        m_port->addItem(port.description.isEmpty()
                            ? port.device
                            : QStringLiteral("%1 - %2").arg(port.device, port.description),
                        port.device);
    m_port->addItem(tr("Simulated card"), kSimulatedPort);
    if (!chosen.isEmpty() || m_port->findData(kLaunchersPort) < 0)
        choosePort(chosen.isEmpty() ? m_port->itemData(0).toString() : chosen);
    else
        m_port->setCurrentIndex(0);
}

QString StationRow::chosenPort() const
{
    const int index = m_port->findText(m_port->currentText());
    const QString device =
        index >= 0 ? m_port->itemData(index).toString() : m_port->currentText().trimmed();
    return device == kLaunchersPort ? QString() : device;
}

void StationRow::choosePort(const QString& device)
{
    const int index = m_port->findData(device.isEmpty() ? kLaunchersPort : device);
    if (index >= 0)
        m_port->setCurrentIndex(index);
    else
        m_port->setEditText(device);
}

void StationRow::prepare(CardModel model, StationCycle::Recorder recorder)
{
    m_model = model;
    m_recorder = std::move(recorder);
    m_cycle.reset();
    if (m_job)
        m_job->closePort();
    m_job.reset();
    m_jobPort.clear();
}

void StationRow::makeJob()
{
    const QString port = chosenPort();
    if (m_job && m_jobPort == port)
        return;
    m_cycle.reset();
    if (m_job)
        m_job->closePort();
    m_job = std::make_unique<CardJob>(m_model, port.isEmpty() ? &m_programLink : nullptr);
    m_jobPort = port;
    if (m_job->ownsLink())
        m_job->link().setReopensLostAdapter(true);
    m_cycle = std::make_unique<StationCycle>(*m_job);
    m_cycle->setRecorder(m_recorder);
    connect(m_cycle.get(), &StationCycle::stepChanged, this, &StationRow::showStep);
    connect(m_cycle.get(), &StationCycle::confirmationNeeded, this, &StationRow::askToSendAnyway);
    connect(m_cycle.get(), &StationCycle::recordFailed, this, &StationRow::recordFailed);
    connect(m_cycle.get(), &StationCycle::ended, this, [this](const CycleResult& result) {
        showResult(result);
        Q_EMIT cycleEnded(this, result);
    });
}

bool StationRow::openPortIfNeeded()
{
    makeJob();
    Link& link = m_job->link();
    if (!m_job->ownsLink() || link.isOpen())
        return true;
    if (link.adapterWait() == Link::AdapterWait::Waiting) {
        showResult({false, LinkMessages::linkState(link), {}, {}, {}});
        return false;
    }
    const QString port = chosenPort();
    if (port.isEmpty() || !m_job->openPort(port)) {
        showResult({false,
                    port.isEmpty() ? tr("Choose the port of this row first.")
                                   : LinkMessages::portProblem(link.lastError()),
                    {},
                    {},
                    {}});
        return false;
    }
    return true;
}

bool StationRow::commission(const StationCycle::Setup& setup)
{
    if (m_cycle && m_cycle->isRunning())
        return false;
    m_confirm->hide();
    if (!openPortIfNeeded())
        return false;
    return m_cycle->start(setup, m_serial->text().trimmed());
}

bool StationRow::restore(const QString& snapshot, const QString& operatorName)
{
    if (m_cycle && m_cycle->isRunning())
        return false;
    m_confirm->hide();
    if (!openPortIfNeeded())
        return false;
    return m_cycle->restore(snapshot, m_serial->text().trimmed(), operatorName);
}

void StationRow::showStep(StationCycle::Step step)
{
    const bool running = step != StationCycle::Step::Idle;
    m_start->setEnabled(!running);
    m_history->setEnabled(!running);
    m_port->setEnabled(!running);
    Q_EMIT runningChanged();
    switch (step) {
    case StationCycle::Step::Idle:
        return; // the result follows
    case StationCycle::Step::Snapshot:
        showVerdict(tr("Reading the card..."), {});
        break;
    case StationCycle::Step::Confirming:
        showVerdict(tr("No snapshot"), QStringLiteral("#b06000"));
        break;
    case StationCycle::Step::Sending:
        showVerdict(tr("Sending the recipe..."), {});
        break;
    case StationCycle::Step::Restoring:
        showVerdict(tr("Restoring the snapshot..."), {});
        break;
    case StationCycle::Step::Verifying:
        showVerdict(tr("Verifying..."), {});
        break;
    case StationCycle::Step::Recording:
        showVerdict(tr("Writing the record..."), {});
        break;
    }
    m_details->clear();
}

void StationRow::showVerdict(const QString& text, const QString& colour)
{
    m_verdict->setText(text);
    QPalette palette = this->palette();
    if (!colour.isEmpty()) {
        palette.setColor(QPalette::Window, QColor(colour));
        palette.setColor(QPalette::WindowText, Qt::white);
    }
    m_verdict->setPalette(palette);
    announce(m_verdict, text.isEmpty() ? tr("Row %1: no card commissioned yet").arg(m_number)
                                       : tr("Row %1: %2").arg(m_number).arg(text));
}

void StationRow::showResult(const CycleResult& result)
{
    m_confirm->hide();
    m_start->setEnabled(true);
    m_history->setEnabled(true);
    m_port->setEnabled(true);
    // PASS only for a card that holds the recipe, verified; anything else is FAIL.
    showVerdict(result.passed ? tr("PASS") : tr("FAIL"),
                result.passed ? QStringLiteral("#1e7e34") : QStringLiteral("#c0392b"));
    QStringList lines;
    const QString serial = m_serial->text().trimmed();
    if (!serial.isEmpty())
        lines << tr("Card %1").arg(serial.toHtmlEscaped());
    for (const ValueDifference& difference : result.differences)
        lines << tr("%1: recipe %2, card %3")
                     .arg(difference.value.displayName(),
                          codeText(difference.value, difference.window, tr("not set")),
                          codeText(difference.value, difference.card, tr("not in the reply")))
                     .toHtmlEscaped();
    if (!result.reason.isEmpty() && result.differences.empty())
        lines << result.reason.toHtmlEscaped();
    if (!result.snapshot.isEmpty())
        lines << tr("Snapshot: %1").arg(QDir::toNativeSeparators(result.snapshot).toHtmlEscaped());
    if (!result.record.isEmpty())
        lines << tr("Record: %1").arg(QDir::toNativeSeparators(result.record).toHtmlEscaped());
    m_details->setText(lines.join(QStringLiteral("<br>")));
    m_details->setAccessibleDescription(
        QString(m_details->text()).replace(QStringLiteral("<br>"), QStringLiteral("; ")));
    m_serial->setFocus();
    m_serial->selectAll(); // the next scan replaces it
}

void StationRow::askToSendAnyway(const QString& why)
{
    m_details->setText(
        tr("%1 Sending the recipe now would lose the card's old values. Send anyway?")
            .arg(why)
            .toHtmlEscaped());
    m_confirm->show();
    m_doNotSend->setFocus(); // Return keeps the card as it is
}

StationWindow::StationWindow(Link& programLink, std::shared_ptr<PortSource> ports, QWidget* parent)
    : QWidget(parent, Qt::Window), m_programLink(programLink), m_ports(std::move(ports))
{
    setObjectName(QStringLiteral("station"));
    setWindowTitle(tr("Commissioning station"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("model"));
    for (CardModel model : kCardModels)
        m_model->addItem(modelName(model), static_cast<int>(model));
    m_model->setAccessibleName(tr("Card model"));
    form->addRow(tr("Card &model:"), m_model);

    auto* recipeLine = new QHBoxLayout;
    m_recipe = new QLabel(tr("none chosen"), this);
    m_recipe->setObjectName(QStringLiteral("recipe"));
    m_recipe->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chooseRecipe = new QPushButton(tr("&Open recipe..."), this);
    m_chooseRecipe->setObjectName(QStringLiteral("openRecipe"));
    m_chooseRecipe->setAccessibleName(tr("Open the recipe, the parameter file sent to every card"));
    recipeLine->addWidget(m_recipe, 1);
    recipeLine->addWidget(m_chooseRecipe);
    auto* recipeLabel = new QLabel(tr("&Recipe:"), this);
    recipeLabel->setBuddy(m_chooseRecipe);
    form->addRow(recipeLabel, recipeLine);

    m_operator = new QLineEdit(this);
    m_operator->setObjectName(QStringLiteral("operator"));
    m_operator->setMaxLength(100);
    m_operator->setAccessibleName(tr("Operator's name"));
    form->addRow(tr("O&perator (optional):"), m_operator);

    auto* backupLine = new QHBoxLayout;
    m_backup = new QLineEdit(this);
    m_backup->setObjectName(QStringLiteral("backupFolder"));
    m_backup->setAccessibleName(tr("Backup folder for the snapshots"));
    auto* chooseBackup = new QPushButton(tr("Choose..."), this);
    chooseBackup->setAccessibleName(tr("Choose the backup folder"));
    backupLine->addWidget(m_backup, 1);
    backupLine->addWidget(chooseBackup);
    auto* backupLabel = new QLabel(tr("&Backup folder:"), this);
    backupLabel->setBuddy(m_backup);
    form->addRow(backupLabel, backupLine);
    const QString portable = portableFolder();
    setBackupFolder(QDir(portable.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             : portable)
                        .filePath(QStringLiteral("snapshots")));

    m_writeRecord = new QCheckBox(tr("Write a commissioning &record PDF for every card"), this);
    m_writeRecord->setObjectName(QStringLiteral("writeRecord"));
    form->addRow(QString(), m_writeRecord);

    auto* bannerLine = new QHBoxLayout;
    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("banner"));
    m_banner->setWordWrap(true);
    m_banner->setAccessibleName(tr("Station state"));
    m_goOn = new QPushButton(tr("&Go on"), this);
    m_goOn->setObjectName(QStringLiteral("goOn"));
    m_goOn->setAccessibleName(tr("Go on commissioning"));
    m_goOn->hide();
    bannerLine->addWidget(m_banner, 1);
    bannerLine->addWidget(m_goOn);
    layout->addLayout(bannerLine);

    auto* rows = new QWidget(this);
    m_rowLayout = new QVBoxLayout(rows);
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->addStretch(1); // the rows stay together at the top
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    auto* addPort = new QPushButton(tr("&Add a port"), this);
    addPort->setObjectName(QStringLiteral("addPort"));
    addPort->setAccessibleName(tr("Add a row for another port"));
    buttons->addWidget(addPort);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_model, &QComboBox::currentIndexChanged, this, [this] {
        // A recipe is a file of one model: another model needs its own.
        m_recipePath.clear();
        m_recipeSha256.clear();
        m_recipe->setText(tr("none chosen"));
        prepareRows();
    });
    connect(m_chooseRecipe, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Open recipe"),
            m_recipePath.isEmpty() ? QDir::homePath() : QFileInfo(m_recipePath).absolutePath(),
            tr("Parameter files (*.par);;All files (*)"));
        if (!path.isEmpty())
            chooseRecipe(path);
    });
    connect(chooseBackup, &QPushButton::clicked, this, [this] {
        const QString folder =
            QFileDialog::getExistingDirectory(this, tr("Backup folder"), backupFolder());
        if (!folder.isEmpty())
            setBackupFolder(folder);
    });
    connect(addPort, &QPushButton::clicked, this, [this] { addRow()->serialBox()->setFocus(); });
    connect(m_goOn, &QPushButton::clicked, this, &StationWindow::goOn);

    addRow();
    resize(860, 560);
}

StationWindow::~StationWindow() = default;

void StationWindow::setRecorder(StationCycle::Recorder recorder)
{
    m_recorder = std::move(recorder);
    prepareRows();
}

StationCycle::Recorder StationWindow::rowRecorder()
{
    if (!m_recorder)
        return {};
    return [this](const CardEvent& event) { return m_recorder(event); };
}

void StationWindow::prepareRows()
{
    for (StationRow* row : m_rows)
        row->prepare(model(), rowRecorder());
}

CardModel StationWindow::model() const
{
    return static_cast<CardModel>(m_model->currentData().toInt());
}

void StationWindow::setModel(CardModel model)
{
    m_model->setCurrentIndex(m_model->findData(static_cast<int>(model)));
}

bool StationWindow::chooseRecipe(const QString& path)
{
    // The model's own Open checks it, on a card job that touches no port.
    CardJob check(model());
    if (!check.window().openFile(path)) {
        tell(check.takeTold());
        return false;
    }
    m_recipePath = path;
    m_recipeSha256 = check.window().lastFile()->sha256;
    m_recipe->setText(QStringLiteral("%1 (SHA-256 %2...)")
                          .arg(QDir::toNativeSeparators(path),
                               QString::fromLatin1(m_recipeSha256.toHex().left(12))));
    m_recipe->setAccessibleName(tr("Recipe: %1").arg(QDir::toNativeSeparators(path)));
    if (const QString told = check.takeTold(); !told.isEmpty())
        tell(told); // values set to the nearest the card takes
    else if (!m_stopped)
        tell({});
    return true;
}

void StationWindow::setBackupFolder(const QString& folder)
{
    m_backup->setText(QDir::toNativeSeparators(folder));
}

QString StationWindow::backupFolder() const
{
    return QDir::fromNativeSeparators(m_backup->text().trimmed());
}

void StationWindow::setOperatorName(const QString& name)
{
    m_operator->setText(name);
}

StationRow* StationWindow::addRow()
{
    auto* row = new StationRow(static_cast<int>(m_rows.size()) + 1, m_programLink, m_ports, this);
    if (!m_rows.empty())
        row->choosePort({}); // a row of its own: no port chosen yet
    m_rows.push_back(row);
    m_rowLayout->insertWidget(m_rowLayout->count() - 1, row);
    row->prepare(model(), rowRecorder());
    connect(row, &StationRow::commissionWanted, this, &StationWindow::commission);
    connect(row, &StationRow::historyWanted, this, &StationWindow::showHistory);
    connect(row, &StationRow::recordFailed, this, &StationWindow::stop);
    connect(row, &StationRow::cycleEnded, this, &StationWindow::cycleEnded);
    // The model and the recipe stay as they are while a card is worked with them.
    connect(row, &StationRow::runningChanged, this, [this] {
        m_model->setEnabled(!isRunning());
        m_chooseRecipe->setEnabled(!isRunning());
    });
    return row;
}

bool StationWindow::isRunning() const
{
    return std::any_of(m_rows.begin(), m_rows.end(), [](const StationRow* row) {
        return row->cycle() && row->cycle()->isRunning();
    });
}

void StationWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Adapters come and go while the program runs: the rows list the ports there now.
    for (StationRow* row : m_rows) {
        if (!row->cycle() || !row->cycle()->isRunning())
            row->refreshPorts();
    }
}

void StationWindow::tell(const QString& text)
{
    m_banner->setText(text);
    announce(m_banner, text.isEmpty() ? tr("Station state") : text);
}

void StationWindow::stop(const QString& why)
{
    m_stopped = true;
    tell(tr("The station stopped: %1 No card is commissioned without its record. Mend the cause, "
            "then press Go on.")
             .arg(why));
    m_goOn->show();
    m_goOn->setFocus();
}

void StationWindow::goOn()
{
    m_stopped = false;
    m_goOn->hide();
    tell({});
    if (!m_rows.empty())
        m_rows.front()->serialBox()->setFocus();
}

void StationWindow::commission(StationRow* row)
{
    if (m_stopped) {
        m_goOn->setFocus();
        return;
    }
    if (m_recipePath.isEmpty()) {
        tell(tr("Open the recipe first: the parameter file sent to every card."));
        m_chooseRecipe->setFocus();
        return;
    }
    QString problem;
    const QByteArray now = sha256Of(m_recipePath, &problem);
    if (now.isEmpty()) {
        tell(tr("The recipe \"%1\" cannot be read: %2. Nothing was sent.")
                 .arg(QDir::toNativeSeparators(m_recipePath), problem));
        return;
    }
    StationCycle::Setup setup{m_recipePath, m_recipeSha256, backupFolder(), m_operator->text(),
                              m_writeRecord->isChecked()};
    if (now != m_recipeSha256) {
        QMessageBox* box = new QMessageBox(
            QMessageBox::Question, windowTitle(),
            tr("The recipe \"%1\" was changed since it was chosen. Send it as it is now?")
                .arg(QDir::toNativeSeparators(m_recipePath)),
            QMessageBox::Cancel, this);
        box->setObjectName(QStringLiteral("recipeChanged"));
        QPushButton* yes = box->addButton(tr("&Use it as it is now"), QMessageBox::AcceptRole);
        box->setDefaultButton(QMessageBox::Cancel);
        box->setWindowModality(Qt::WindowModal);
        QPointer<StationRow> target(row);
        connect(box, &QMessageBox::finished, this, [this, box, yes, target] {
            box->deleteLater();
            if (box->clickedButton() == yes && chooseRecipe(m_recipePath) && target)
                commission(target);
        });
        box->open();
        return;
    }
    if (!m_stopped && !m_banner->text().isEmpty() && m_goOn->isHidden())
        tell({});
    row->commission(setup);
}

QStringList StationWindow::snapshots(const QString& cardSerial) const
{
    const QString prefix = modelName(model()) + QLatin1Char('-');
    QStringList names = QDir(backupFolder())
                            .entryList({prefix + QStringLiteral("*.par")}, QDir::Files,
                                       QDir::Name | QDir::Reversed);
    if (!cardSerial.isEmpty()) {
        const QString ofCard =
            StationCycle::snapshotName(model(), cardSerial, {}, QDateTime::currentDateTime())
                .chopped(QStringLiteral("yyyyMMdd-HHmmss.par").size());
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [&](const QString& name) { return !name.startsWith(ofCard); }),
                    names.end());
    }
    QStringList paths;
    for (const QString& name : names)
        paths << QDir(backupFolder()).filePath(name);
    return paths;
}

void StationWindow::showHistory(StationRow* row)
{
    delete m_history;
    auto* dialog = new QDialog(this);
    m_history = dialog;
    dialog->setObjectName(QStringLiteral("stationHistory"));
    const QString serial = row->serialBox()->text().trimmed();
    dialog->setWindowTitle(serial.isEmpty() ? tr("Snapshots of %1 cards").arg(modelName(model()))
                                            : tr("History of card %1").arg(serial));
    auto* layout = new QVBoxLayout(dialog);
    auto* listLabel = new QLabel(tr("&Snapshots, newest first:"), dialog);
    auto* list = new QListWidget(dialog);
    list->setObjectName(QStringLiteral("snapshots"));
    list->setAccessibleName(tr("Snapshots"));
    listLabel->setBuddy(list);
    for (const QString& path : snapshots(serial)) {
        auto* item = new QListWidgetItem(QFileInfo(path).fileName(), list);
        item->setData(Qt::UserRole, path);
    }
    list->setCurrentRow(0);
    layout->addWidget(listLabel);
    layout->addWidget(list, 1);
    if (m_historyReader && !serial.isEmpty()) {
        auto* journalLabel = new QLabel(tr("&Journal of this card:"), dialog);
        auto* journal = new QPlainTextEdit(dialog);
        journal->setObjectName(QStringLiteral("journal"));
        journal->setReadOnly(true);
        journal->setAccessibleName(tr("Journal entries of card %1").arg(serial));
        const QStringList entries = m_historyReader(serial);
        journal->setPlainText(entries.isEmpty() ? tr("Nothing recorded of this card.")
                                                : entries.join(QLatin1Char('\n')));
        journalLabel->setBuddy(journal);
        layout->addWidget(journalLabel);
        layout->addWidget(journal, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton* restore = buttons->addButton(
        tr("&Restore on the card of row %1").arg(row->number()), QDialogButtonBox::ActionRole);
    restore->setObjectName(QStringLiteral("restore"));
    restore->setEnabled(list->count() > 0);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    QPointer<StationRow> target(row);
    connect(restore, &QPushButton::clicked, dialog, [this, dialog, list, target] {
        if (!target || !list->currentItem() || m_stopped)
            return;
        const QString path = list->currentItem()->data(Qt::UserRole).toString();
        dialog->close();
        target->restore(path, m_operator->text());
    });
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->resize(560, 420);
    dialog->show();
    list->setFocus();
}

} // namespace vrn
