#include "file_origins.h"

#include "parameter_file.h"
#include "program_settings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace vrn {
namespace {

const QString kGroup = QStringLiteral("savedContents");
// Records of an earlier version, by path and bytes; no longer read.
const QString kPathGroup = QStringLiteral("savedFiles");
// A counter that orders the saves, so the oldest records go first when there are too many.
const QString kNextSaveKey = QStringLiteral("savedFilesNext");

// More than any parameter file holds: every field of the file counts for its content.
constexpr int kAllFields = 1 << 16;

// The values of a file: its fields as read, without the empty ones after its last value.
std::vector<FileField> valuesOf(const QByteArray& content)
{
    std::vector<FileField> fields = splitParameterFields(content, kAllFields);
    while (!fields.empty() && fields.back().kind == FileField::Kind::Empty)
        fields.pop_back();
    return fields;
}

// The key of a content: a hash of its values as read, so that the line ends, leading blanks
// and blank lines after the values change nothing.
QString keyOf(const QByteArray& content)
{
    QByteArray values;
    for (const FileField& field : valuesOf(content)) {
        values += static_cast<char>('0' + static_cast<int>(field.kind));
        values += field.text.toUtf8();
        values += '\0';
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(values, QCryptographicHash::Sha256).toHex());
}

std::optional<CardModel> modelNamed(const QString& name)
{
    for (CardModel model : kCardModels) {
        if (modelName(model) == name)
            return model;
    }
    return std::nullopt;
}

// One record: the save's number, then the models that saved the content, the latest first.
qlonglong saveNumber(const QStringList& record)
{
    bool ok = false;
    const qlonglong number = record.isEmpty() ? -1 : record.first().toLongLong(&ok);
    return ok ? number : -1; // a malformed record counts as the oldest
}

} // namespace

void FileOrigins::remember(const QByteArray& content, CardModel model) const
{
    const auto settings = programSettings();
    settings->remove(kPathGroup);
    const qlonglong number = settings->value(kNextSaveKey, 0).toLongLong();
    settings->setValue(kNextSaveKey, number + 1);
    settings->beginGroup(kGroup);
    const QString key = keyOf(content);
    QStringList models{modelName(model)};
    for (const QString& earlier : settings->value(key).toStringList().mid(1)) {
        if (!models.contains(earlier) && modelNamed(earlier))
            models << earlier;
    }
    settings->setValue(key, QStringList{QString::number(number)} + models);
    const QStringList keys = settings->childKeys();
    if (keys.size() <= m_maxFiles)
        return;
    std::vector<std::pair<qlonglong, QString>> byAge;
    for (const QString& k : keys)
        byAge.emplace_back(saveNumber(settings->value(k).toStringList()), k);
    std::sort(byAge.begin(), byAge.end());
    for (qsizetype i = 0; i < keys.size() - m_maxFiles; ++i)
        settings->remove(byAge[i].second);
}

QList<CardModel> FileOrigins::savedBy(const QByteArray& content) const
{
    const QStringList record =
        programSettings()->value(kGroup + QLatin1Char('/') + keyOf(content)).toStringList();
    QList<CardModel> models;
    for (const QString& name : record.mid(1)) {
        if (const std::optional<CardModel> model = modelNamed(name))
            models << *model;
    }
    return models;
}

std::optional<QString> FileOrigins::doubt(const QByteArray& content, CardModel model) const
{
    const QList<CardModel> savers = savedBy(content);
    if (!savers.isEmpty() && !savers.contains(model))
        return QCoreApplication::translate("FileOrigins", "it was saved from the %1 window")
            .arg(modelName(savers.first()));
    if (!savers.isEmpty())
        return std::nullopt; // saved by this model's window, whatever its shape
    // A file with as many values as another model's file, and more than this one's, is most
    // likely that model's. Other extra lines are left to the window's own checks.
    const int values = static_cast<int>(valuesOf(content).size());
    const int own = cardDescription(model).fileLines;
    if (values <= own)
        return std::nullopt;
    QStringList others;
    for (CardModel other : kCardModels) {
        if (cardDescription(other).fileLines == values)
            others << modelName(other);
    }
    if (others.isEmpty())
        return std::nullopt;
    return QCoreApplication::translate(
               "FileOrigins", "it holds %1 values, as a %2 parameter file does; a %3 file holds %4")
        .arg(values)
        .arg(others.join(QStringLiteral(" / ")), modelName(model))
        .arg(own);
}

QString FileOrigins::limits()
{
    return QCoreApplication::translate(
        "FileOrigins",
        "A parameter file does not say which card it is for. VRN-PC knows the files saved on "
        "this computer by their values, wherever they are now, and tells a file of another model "
        "by the number of its values where the models differ (VRN-A 10, VRN-C 4, VRN-B and VRN-D "
        "3). A VRN-B and a VRN-D file made elsewhere cannot be told apart.");
}

} // namespace vrn
