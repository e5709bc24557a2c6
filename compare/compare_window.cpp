#include "compare_window.h"

#include "card_job.h"
#include "card_window.h"
#include "file_dialog_state.h"
#include "link.h"
#include "link_messages.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>

namespace vrn {
namespace {

// The table's columns.
enum Column { kValue, kUnit, kFileA, kOther, kDiffers, kColumns };

// The unit a value is shown in, for the table's unit column.
QString unitText(ValueUnit unit)
{
    switch (unit) {
    case ValueUnit::Milliamps:
    case ValueUnit::CoilRange:
        return QStringLiteral("mA");
    case ValueUnit::Millivolts:
        return QStringLiteral("mV");
    case ValueUnit::Seconds:
        return QStringLiteral("s");
    case ValueUnit::TenMilliseconds:
        return QStringLiteral("ms");
    case ValueUnit::PwmChoice:
        return QStringLiteral("Hz");
    case ValueUnit::ReferenceInput:
        return CompareWindow::tr("input type");
    }
    return {};
}

QTableWidgetItem* cell(const QString& text, bool differs)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (differs) {
        // Bold beside the "differs" column's word: the mark does not rest on looks alone.
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

} // namespace

CompareWindow::CompareWindow(Link& link, FileDialogState& files, CardModel model, QWidget* parent)
    : QDialog(parent), m_link(link), m_files(files)
{
    setObjectName(QStringLiteral("compareWindow"));
    setWindowTitle(tr("Compare"));
    setAccessibleName(windowTitle());

    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("compareModel"));
    m_model->setAccessibleName(tr("Card model"));
    // A screen reader names a combo box by the item it shows: what it chooses is told here.
    m_model->setAccessibleDescription(tr("Card model"));
    for (const CardModel each : kCardModels)
        m_model->addItem(modelName(each), static_cast<int>(each));
    setModel(model);

    const auto fileRow = [this](QLineEdit*& line, QPushButton*& choose, const char* name,
                                const QString& accessible, const QString& chooseCaption,
                                const QString& chooseAccessible) {
        line = new QLineEdit(this);
        line->setObjectName(QStringLiteral("compare") + QLatin1String(name));
        line->setAccessibleName(accessible);
        line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 50);
        choose = new QPushButton(chooseCaption, this);
        choose->setObjectName(QStringLiteral("compareChoose") + QLatin1String(name).right(1));
        choose->setAccessibleName(chooseAccessible);
        choose->setAutoDefault(false);
        connect(choose, &QPushButton::clicked, this, [this, line] { chooseFile(line); });
        connect(line, &QLineEdit::textEdited, this, &CompareWindow::clearResult);
        auto* row = new QHBoxLayout;
        row->addWidget(line, 1);
        row->addWidget(choose);
        return row;
    };
    QHBoxLayout* rowA =
        fileRow(m_fileA, m_chooseA, "FileA", tr("File A"), tr("C&hoose..."), tr("Choose file A"));
    QHBoxLayout* rowB =
        fileRow(m_fileB, m_chooseB, "FileB", tr("File B"), tr("Ch&oose..."), tr("Choose file B"));

    auto* against = new QGroupBox(tr("Compare file A with"), this);
    m_againstCard = new QRadioButton(tr("The card on the &port"), against);
    m_againstCard->setObjectName(QStringLiteral("compareAgainstCard"));
    m_againstFile = new QRadioButton(tr("Another &file of the model (file B)"), against);
    m_againstFile->setObjectName(QStringLiteral("compareAgainstFile"));
    m_againstCard->setChecked(true);
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_againstCard);
    choice->addButton(m_againstFile);
    m_port = new QLabel(against);
    m_port->setObjectName(QStringLiteral("comparePort"));
    m_port->setWordWrap(true);
    m_port->setIndent(m_againstCard->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth));
    auto* againstLayout = new QVBoxLayout(against);
    againstLayout->addWidget(m_againstCard);
    againstLayout->addWidget(m_port);
    againstLayout->addWidget(m_againstFile);
    connect(m_againstCard, &QRadioButton::toggled, this, &CompareWindow::againstChanged);

    m_compare = new QPushButton(tr("&Compare"), this);
    m_compare->setObjectName(QStringLiteral("compareRun"));
    m_compare->setDefault(true);
    connect(m_compare, &QPushButton::clicked, this, &CompareWindow::compare);

    // The verdict is reached by Tab and read as the label's text, and a screen reader hears it
    // change.
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("compareSummary"));
    m_summary->setAccessibleDescription(tr("Result"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_summary->setFocusPolicy(Qt::StrongFocus);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("compareNote"));
    m_note->setAccessibleDescription(tr("Notes"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    m_table = new QTableWidget(0, kColumns, this);
    m_table->setObjectName(QStringLiteral("compareTable"));
    m_table->setAccessibleName(tr("Values compared"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTabKeyNavigation(false); // Tab goes on to Close; the arrows move in the table
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("compareClose"));
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    auto* modelLabel = new QLabel(tr("Card &model:"), this);
    modelLabel->setBuddy(m_model);
    auto* labelA = new QLabel(tr("File &A:"), this);
    labelA->setBuddy(m_fileA);
    auto* labelB = new QLabel(tr("File &B:"), this);
    labelB->setBuddy(m_fileB);
    form->addRow(modelLabel, m_model);
    form->addRow(labelA, rowA);
    form->addRow(against);
    form->addRow(labelB, rowB);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_compare, 0, Qt::AlignLeft);
    layout->addWidget(m_summary);
    layout->addWidget(m_note);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);

    QWidget* order[] = {m_model,       m_fileA,       m_chooseA,
                        m_againstCard, m_againstFile, m_fileB,
                        m_chooseB,     m_compare,     m_summary,
                        m_note,        m_table,       buttons->button(QDialogButtonBox::Close)};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_model, &QComboBox::currentIndexChanged, this, &CompareWindow::clearResult);
    const auto showPort = [this] {
        m_port->setText(tr("Port: %1").arg(LinkMessages::linkState(m_link)));
    };
    connect(&m_link, &Link::portChanged, this, showPort);
    showPort();
    againstChanged();
    resize(sizeHint().width(), sizeHint().height() + 8 * fontMetrics().height());
}

CompareWindow::~CompareWindow() = default;

CardModel CompareWindow::model() const
{
    return static_cast<CardModel>(m_model->currentData().toInt());
}

void CompareWindow::setModel(CardModel model)
{
    if (!m_running)
        m_model->setCurrentIndex(m_model->findData(static_cast<int>(model)));
}

void CompareWindow::setFileA(const QString& path)
{
    m_fileA->setText(path);
    clearResult();
}

void CompareWindow::setFileB(const QString& path)
{
    m_fileB->setText(path);
    clearResult();
}

void CompareWindow::setAgainst(Against against)
{
    (against == Against::Card ? m_againstCard : m_againstFile)->setChecked(true);
}

bool CompareWindow::isRunning() const
{
    return m_running;
}

CardWindow* CompareWindow::hiddenWindow() const
{
    return m_jobA ? &m_jobA->window() : nullptr;
}

QString CompareWindow::summary() const
{
    return m_summary->text();
}

void CompareWindow::chooseFile(QLineEdit* line)
{
    if (const std::optional<QString> path = m_files.chooseOpenFile(this)) {
        line->setText(*path);
        clearResult();
    }
}

void CompareWindow::againstChanged()
{
    const bool file = m_againstFile->isChecked();
    m_fileB->setEnabled(file && !m_running);
    m_chooseB->setEnabled(file && !m_running);
    m_port->setEnabled(!file);
    m_table->setHorizontalHeaderLabels(
        {tr("Value"), tr("Unit"), tr("File A"), file ? tr("File B") : tr("Card"), tr("Differs")});
    clearResult();
}

void CompareWindow::clearResult()
{
    if (m_running)
        return;
    m_table->setRowCount(0);
    m_summary->clear();
    m_note->clear();
}

std::unique_ptr<CardJob> CompareWindow::load(const QString& path, Link* link, const QString& which)
{
    auto job = std::make_unique<CardJob>(model(), link);
    if (!job->window().openFile(path)) {
        showFailure(job->takeTold());
        return nullptr;
    }
    // Values set to the nearest the card takes: the comparison is of what the window loaded.
    if (const QString told = job->takeTold(); !told.isEmpty())
        m_notes << tr("%1: %2").arg(which, told);
    return job;
}

bool CompareWindow::compare()
{
    if (m_running)
        return false;
    clearResult();
    m_notes.clear();
    m_jobA.reset();
    m_jobB.reset();
    const bool againstCard = m_againstCard->isChecked();
    const QString pathA = m_fileA->text().trimmed();
    const QString pathB = m_fileB->text().trimmed();
    m_comparedFile = pathA;
    if (pathA.isEmpty()) {
        showFailure(tr("Choose file A first."));
        return false;
    }
    if (!againstCard && pathB.isEmpty()) {
        showFailure(tr("Choose file B first."));
        return false;
    }
    // Against another file no link is used: each file gets a window on a link of its own
    // that is never opened.
    m_jobA = load(pathA, againstCard ? &m_link : nullptr, tr("File A"));
    if (!m_jobA)
        return false;
    if (!againstCard) {
        m_jobB = load(pathB, nullptr, tr("File B"));
        if (!m_jobB)
            return false;
        const Codes a = m_jobA->window().codesToSend();
        const Codes b = m_jobB->window().codesToSend();
        showComparison(a, b, compareValues(m_jobA->window().cardValues(), a, b), false);
        return true;
    }
    connect(&m_jobA->window(), &CardWindow::transferEnded, this, &CompareWindow::onVerifyEnded);
    setRunning(true);
    m_summary->setText(tr("Reading the card..."));
    // A refused Verify has been told to onVerifyEnded() already.
    return m_jobA->window().verify();
}

void CompareWindow::onVerifyEnded(const TransferResult& result)
{
    // Whoever keeps a record of the card's transfers hears of it before the user does.
    Q_EMIT transferEnded(result);
    setRunning(false);
    if (!result.ok()) {
        showFailure(LinkMessages::transferNotice(result));
        return;
    }
    CardWindow& window = m_jobA->window();
    const Codes a = window.codesToSend();
    const std::optional<CardWindow::VerifyResult> verify = window.lastVerify();
    m_notes << tr("The card was read at %1 (port: %2).")
                   .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")),
                        LinkMessages::portText(m_link));
    showComparison(a, result.cardCodes,
                   verify ? verify->differences
                          : compareValues(window.cardValues(), a, result.cardCodes),
                   true);
}

void CompareWindow::showComparison(const Codes& a, const Codes& b,
                                   const std::vector<ValueDifference>& differences,
                                   bool againstCard)
{
    const std::span<const CardValue> values = cardDescription(model()).values;
    const auto text = [](const CardValue& value, const Codes& codes, const QString& none) {
        const auto it = codes.find(value.letter);
        return it == codes.end() ? none : valueText(value.unit, it->second);
    };
    QStringList differing;
    m_table->setRowCount(int(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const CardValue& value = values[i];
        const bool differs =
            std::any_of(differences.begin(), differences.end(),
                        [&value](const auto& d) { return d.value.letter == value.letter; });
        if (differs)
            differing << value.displayName();
        const int row = int(i);
        m_table->setItem(row, kValue, cell(value.displayName(), differs));
        m_table->setItem(row, kUnit, cell(unitText(value.unit), differs));
        m_table->setItem(row, kFileA, cell(text(value, a, tr("not set")), differs));
        m_table->setItem(
            row, kOther,
            cell(text(value, b, againstCard ? tr("not in the reply") : tr("not set")), differs));
        m_table->setItem(row, kDiffers, cell(differs ? tr("differs") : tr("same"), differs));
    }
    QString verdict;
    if (differing.isEmpty())
        verdict = againstCard ? tr("Card holds what the file sends")
                              : tr("The files hold the same values");
    else if (differing.size() == 1)
        verdict = tr("1 value differs: %1").arg(differing.first());
    else
        verdict = tr("%1 values differ: %2")
                      .arg(differing.size())
                      .arg(differing.join(QStringLiteral(", ")));
    m_summary->setText(verdict);
    m_note->setText(m_notes.join(QLatin1Char(' ')));
    if (isActiveWindow())
        m_summary->setFocus(Qt::OtherFocusReason); // read out first
    Q_EMIT compared();
}

void CompareWindow::showFailure(const QString& why)
{
    m_table->setRowCount(0);
    m_summary->setText(tr("Not compared. %1").arg(why));
    m_note->setText(m_notes.join(QLatin1Char(' ')));
    if (isActiveWindow())
        m_summary->setFocus(Qt::OtherFocusReason);
    Q_EMIT compared();
}

void CompareWindow::setRunning(bool running)
{
    m_running = running;
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_model, m_fileA, m_chooseA, m_againstCard, m_againstFile, m_compare})
        control->setEnabled(!running);
    const bool file = m_againstFile->isChecked();
    m_fileB->setEnabled(file && !running);
    m_chooseB->setEnabled(file && !running);
}

void addCompareCommand(CardWindow& window, std::function<void()> show)
{
    // In the card window's translation context, beside the menu's other items.
    QAction* action = window.moreMenu()->addAction(
        QCoreApplication::translate("vrn::CardWindow", "Compare with a file..."));
    action->setObjectName(QStringLiteral("compareWithFile"));
    action->setToolTip(QCoreApplication::translate(
        "vrn::CardWindow", "Compare a parameter file with the card or with another file, "
                           "without loading it into this window"));
    QObject::connect(action, &QAction::triggered, &window, [&window, show = std::move(show)] {
        window.applyPendingEntry();
        show();
    });
}

} // namespace vrn
