#pragma once

#include "card_values.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace vrn {

// What a technician prints and files after setting up a card: the card, when and over which
// port, with which program, every value the window sends and what the last Verify found.
struct CommissioningRecord
{
    Q_DECLARE_TR_FUNCTIONS(CommissioningRecord)
public:
    // One value as the window would send it; no code when the value is not set.
    struct Value
    {
        QString name;
        ValueUnit unit;
        std::optional<int> code;
        QString note; // "set in the VRN-D window": not what this window's control shows
    };

    CardModel model = CardModel::VrnA;
    QDateTime at;
    QString port;
    QString programVersion;
    QString serialNumber;
    QString operatorName; // who commissioned the card at the station; empty elsewhere
    QString note;
    std::vector<Value> values;
    // The last Verify, if there was one: when and what it found.
    std::optional<QDateTime> verifiedAt;
    QString verifyResult;
    // Values of the window that the card did not hold when last seen (after that Verify or a
    // later Send or Read).
    QStringList notOnCard;

    // The record as a page of rich text.
    QString html() const;
    // Writes the record as an A4 PDF; the sentence for the user on failure, else nothing. Any
    // earlier file of that name stays as it was when writing fails.
    std::optional<QString> writePdf(const QString& path) const;

    // "2026-12-09 14:02:11 UTC+01:00": the same in every language, with the offset, so a
    // record filed in another time zone still reads right.
    static QString timeText(const QDateTime& time);
};

} // namespace vrn
