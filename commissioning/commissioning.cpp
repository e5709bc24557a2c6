#include "commissioning.h"

#include "card_window.h"
#include "commissioning_dialog.h"
#include "link_messages.h"
#include "status_line.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace vrn {

// The texts keep the translation context of the card window, whose More menu shows them.

void addCommissioningRecord(CardWindow& window)
{
    QAction* action = window.moreMenu()->addAction(
        QCoreApplication::translate("vrn::CardWindow", "Commissioning record..."));
    action->setObjectName(QStringLiteral("commissioningRecord"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    action->setToolTip(
        QCoreApplication::translate("vrn::CardWindow",
                                    "Save a record of this card's values and the last Verify as "
                                    "a PDF to print (%1)")
            .arg(shortcutText(action)));
    QObject::connect(action, &QAction::triggered, &window,
                     [&window] { showCommissioningRecord(window); });
    window.addAction(action); // the shortcut works anywhere in the window
}

CommissioningRecord commissioningRecordOf(const CardWindow& window)
{
    CommissioningRecord record;
    record.model = window.model();
    record.at = QDateTime::currentDateTime();
    record.port = LinkMessages::portText(window.link());
    record.programVersion = QCoreApplication::applicationVersion();
    const Codes codes = window.codesToSend();
    const std::vector<CardWindow::SetElsewhere> elsewhere = window.valuesSetElsewhere();
    for (const CardValue& value : window.cardValues()) {
        const auto code = codes.find(value.letter);
        QString note;
        for (const CardWindow::SetElsewhere& other : elsewhere) {
            if (other.value.letter == value.letter)
                note = QCoreApplication::translate("vrn::CardWindow", "set in the %1 window")
                           .arg(modelName(other.by));
        }
        record.values.push_back(
            {value.displayName(), value.unit,
             code == codes.end() ? std::nullopt : std::optional<int>(code->second), note});
    }
    if (const std::optional<CardWindow::VerifyResult> verify = window.lastVerify()) {
        record.verifiedAt = verify->at;
        record.verifyResult = verify->text();
    }
    for (const ValueDifference& difference : window.valuesNotOnCard())
        record.notOnCard << difference.value.displayName();
    return record;
}

CommissioningDialog* showCommissioningRecord(CardWindow& window)
{
    window.applyPendingEntry();
    auto* dialog = window.findChild<CommissioningDialog*>(QString(), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new CommissioningDialog(window);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

} // namespace vrn
