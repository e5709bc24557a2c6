#include "commissioning_dialog.h"

#include "card_window.h"
#include "commissioning.h"
#include "link.h"
#include "program_settings.h"
#include "status_line.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace vrn {
namespace {

const QString kFolderKey = QStringLiteral("records/folder");
constexpr int kSerialMaxLength = 64;

} // namespace

CommissioningDialog::CommissioningDialog(CardWindow& window) : QDialog(&window), m_window(window)
{
    setObjectName(QStringLiteral("commissioningRecord"));
    setWindowTitle(tr("Commissioning record - %1").arg(modelName(window.model())));

    m_serial = new QLineEdit(this);
    m_serial->setObjectName(QStringLiteral("recordSerial"));
    m_serial->setAccessibleName(tr("Card serial number"));
    m_serial->setMaxLength(kSerialMaxLength);

    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("recordNote"));
    m_note->setAccessibleName(tr("Note"));
    m_note->setTabChangesFocus(true); // Tab goes on to the buttons
    m_note->setPlaceholderText(tr("Where the card is fitted, the coil, what was checked..."));

    m_verifyState = new QLabel(this);
    m_verifyState->setObjectName(QStringLiteral("recordVerifyState"));
    m_verifyState->setWordWrap(true);
    // A screen reader reads what these labels say as their names, and hears them change.
    m_verifyState->setAccessibleDescription(tr("Last Verify"));

    m_outcome = new QLabel(this);
    m_outcome->setObjectName(QStringLiteral("recordOutcome"));
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_outcome->setAccessibleDescription(tr("Saved record"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_save = buttons->addButton(tr("Save as &PDF..."), QDialogButtonBox::ActionRole);
    m_save->setObjectName(QStringLiteral("recordSave"));
    m_save->setAccessibleName(tr("Save as PDF"));
    m_save->setDefault(true);
    connect(m_save, &QPushButton::clicked, this, &CommissioningDialog::chooseFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    auto* serialLabel = new QLabel(tr("Card &serial number:"), this);
    serialLabel->setBuddy(m_serial);
    auto* noteLabel = new QLabel(tr("&Note:"), this);
    noteLabel->setBuddy(m_note);
    form->addRow(serialLabel, m_serial);
    form->addRow(noteLabel, m_note);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_verifyState);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);
    setTabOrder(m_serial, m_note);
    setTabOrder(m_note, m_save);

    connect(&m_window, &CardWindow::verified, this, &CommissioningDialog::refreshVerifyState);
    connect(&m_window.link(), &Link::portChanged, this, &CommissioningDialog::portChanged);
    connect(&m_window.link().card(), &CardState::changed, this,
            &CommissioningDialog::refreshVerifyState);
    m_port = m_window.link().portName();
}

void CommissioningDialog::portChanged()
{
    const QString port = m_window.link().portName();
    if (port == m_port)
        return; // the same port again, after its line was lost, say
    m_port = port;
    m_serial->clear();
    m_note->clear();
    m_outcome->clear();
    refreshVerifyState();
}

void CommissioningDialog::showEvent(QShowEvent* event)
{
    refreshVerifyState();
    QDialog::showEvent(event);
}

void CommissioningDialog::refreshVerifyState()
{
    const auto& verify = m_window.lastVerify();
    m_verifyState->setText(
        verify ? tr("Last Verify: %1, %2")
                     .arg(CommissioningRecord::timeText(verify->at), verify->text())
               : tr("Not verified yet: Verify (%1) before saving records what the card holds.")
                     .arg(shortcutText(m_window.verifyAction())));
}

QString CommissioningDialog::suggestedFileName() const
{
    QStringList parts{modelName(m_window.model())};
    // A serial number may hold characters that no file name can.
    QString serial = m_serial->text().trimmed();
    serial.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\s]+")), QStringLiteral("-"));
    if (!serial.isEmpty())
        parts << serial;
    parts << QDate::currentDate().toString(Qt::ISODate);
    return parts.join(QLatin1Char(' ')) + QStringLiteral(".pdf");
}

void CommissioningDialog::chooseFile()
{
    if (m_chooser) {
        m_chooser->raise();
        m_chooser->activateWindow();
        return;
    }
    QString folder = programSettings()->value(kFolderKey).toString();
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    m_chooser = new QFileDialog(this, tr("Save the commissioning record"), folder);
    m_chooser->setObjectName(QStringLiteral("recordFileDialog"));
    m_chooser->setAcceptMode(QFileDialog::AcceptSave);
    m_chooser->setNameFilter(tr("PDF files (*.pdf)"));
    m_chooser->setDefaultSuffix(QStringLiteral("pdf"));
    m_chooser->selectFile(suggestedFileName());
    connect(m_chooser, &QFileDialog::fileSelected, this, &CommissioningDialog::savePdf);
    connect(m_chooser, &QFileDialog::finished, m_chooser, &QObject::deleteLater);
    m_chooser->open();
}

bool CommissioningDialog::savePdf(const QString& path)
{
    // Typed into the window while the dialog was open, and not yet taken.
    m_window.applyPendingEntry();
    CommissioningRecord record = commissioningRecordOf(m_window);
    record.serialNumber = m_serial->text();
    record.note = m_note->toPlainText();
    if (const auto problem = record.writePdf(path)) {
        m_outcome->setText(*problem);
        return false;
    }
    programSettings()->setValue(kFolderKey, QFileInfo(path).absolutePath());
    m_outcome->setText(tr("Saved to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace vrn
