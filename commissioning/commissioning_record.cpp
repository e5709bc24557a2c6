#include "commissioning_record.h"

#include "slot_table.h"

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdlib>

namespace vrn {
namespace {

constexpr double kRecordPointSize = 10.0;

// Liberation Sans, the windows' face, is installed with the program; the others stand in
// where it is missing. The PDF embeds what it uses.
QFont recordFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setPointSizeF(kRecordPointSize);
    return font;
}

// Text the user typed, shown as typed: markup characters stay characters, lines stay lines.
QString typed(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString row(const QString& heading, const QString& text)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(heading, text);
}

} // namespace

QString CommissioningRecord::timeText(const QDateTime& time)
{
    const int offsetMinutes = time.offsetFromUtc() / 60;
    const QChar sign = offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+');
    return QStringLiteral("%1 UTC%2%3:%4")
        .arg(time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), sign)
        .arg(std::abs(offsetMinutes) / 60, 2, 10, QLatin1Char('0'))
        .arg(std::abs(offsetMinutes) % 60, 2, 10, QLatin1Char('0'));
}

QString CommissioningRecord::html() const
{
    QString page = QStringLiteral("<h1>%1</h1>").arg(tr("Commissioning record"));

    page += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
    page += row(tr("Card model"), modelName(model));
    page += row(tr("Serial number"),
                serialNumber.trimmed().isEmpty() ? tr("not given") : typed(serialNumber));
    page += row(tr("Date and time"), timeText(at));
    page += row(tr("Port"), port.toHtmlEscaped());
    if (!operatorName.trimmed().isEmpty())
        page += row(tr("Operator"), typed(operatorName));
    page += row(tr("Program"),
                QStringLiteral("VRN-PC %1")
                    .arg(programVersion.isEmpty() ? tr("(version unknown)") : programVersion));
    page += QStringLiteral("</table>");

    page += QStringLiteral("<h2>%1</h2>").arg(tr("Values"));
    page += QStringLiteral("<p>%1</p>").arg(tr("As this window sends them to the card."));
    page += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
                           "width=\"100%\" style=\"border-collapse: collapse;\">");
    page += QStringLiteral("<tr><th align=\"left\">%1</th><th align=\"left\">%2</th>"
                           "<th align=\"left\">%3</th></tr>")
                .arg(tr("Value"), tr("Setting"), tr("Code"));
    for (const Value& value : values) {
        QString setting =
            value.code ? valueText(value.unit, *value.code).toHtmlEscaped() : tr("not set");
        if (!value.note.isEmpty())
            setting += QStringLiteral(" (%1)").arg(value.note.toHtmlEscaped());
        page += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(value.name.toHtmlEscaped(), setting,
                         value.code ? parameterCode(*value.code) : QStringLiteral("-"));
    }
    page += QStringLiteral("</table>");

    page += QStringLiteral("<h2>%1</h2>").arg(tr("Verify"));
    if (verifiedAt) {
        page += QStringLiteral("<p><b>%1</b> %2</p>")
                    .arg(timeText(*verifiedAt), verifyResult.toHtmlEscaped());
    } else {
        page += QStringLiteral("<p>%1</p>").arg(tr("not verified"));
    }
    if (!notOnCard.isEmpty()) {
        page += QStringLiteral("<p>%1</p>")
                    .arg(tr("Not on the card as last seen: %1")
                             .arg(notOnCard.join(QStringLiteral(", ")).toHtmlEscaped()));
    }

    if (!note.trimmed().isEmpty())
        page += QStringLiteral("<h2>%1</h2><p>%2</p>").arg(tr("Note"), typed(note));

    // Lines to sign on paper.
    page += QStringLiteral("<p><br><br>%1 ______________________________<br><br><br>"
                           "%2 ______________________________<br><br><br>"
                           "%3 ______________________________</p>")
                .arg(tr("Commissioned by:"), tr("Date:"), tr("Signature:"));
    return page;
}

std::optional<QString> CommissioningRecord::writePdf(const QString& path) const
{
    const auto failed = [&path](const QString& reason) {
        return tr("The record \"%1\" could not be saved: %2.").arg(path, reason);
    };
    // Written whole to a temporary file first, so a failure never leaves half a record.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        // The document keeps a margin of its own of 2 cm on every side when it is printed.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        writer.setTitle(tr("Commissioning record %1").arg(modelName(model)));
        writer.setCreator(QStringLiteral("VRN-PC"));
        QTextDocument document;
        document.setDefaultFont(recordFont());
        document.setHtml(html());
        document.print(&writer);
    }                   // the writer ends the PDF here
    if (!file.commit()) // also when a write failed on the way
        return failed(file.errorString());
    return std::nullopt;
}

} // namespace vrn
