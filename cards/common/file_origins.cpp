#include "cards/common/file_origins.h"

#include "cards/common/program_settings.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace vrn {
namespace {

const QString kGroup = QStringLiteral("savedFiles");
// A counter that orders the saves, so the oldest records go first when there are too many.
const QString kNextSaveKey = QStringLiteral("savedFilesNext");

// One record: the model's name, the hash of the bytes, the save's number, the canonical path.
enum Field { kModel, kBytes, kSaveNumber, kPath, kFieldCount };

// Settings keys are built from a hash of the path: paths hold characters (slashes) that keys
// give a meaning of their own.
QString keyOf(const QString& canonicalPath)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(canonicalPath.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QString hashOf(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

std::optional<CardModel> modelNamed(const QString& name)
{
    for (CardModel model : kCardModels) {
        if (modelName(model) == name)
            return model;
    }
    return std::nullopt;
}

// The number of a record's save; a malformed record counts as the oldest.
qlonglong saveNumber(const QStringList& record)
{
    bool ok = false;
    const qlonglong number =
        record.size() == kFieldCount ? record[kSaveNumber].toLongLong(&ok) : -1;
    return ok ? number : -1;
}

} // namespace

void FileOrigins::remember(const QString& path, const QByteArray& bytes, CardModel model) const
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return;
    const auto settings = programSettings();
    const qlonglong number = settings->value(kNextSaveKey, 0).toLongLong();
    settings->setValue(kNextSaveKey, number + 1);
    settings->beginGroup(kGroup);
    settings->setValue(keyOf(canonical), QStringList{modelName(model), hashOf(bytes),
                                                     QString::number(number), canonical});
    const QStringList keys = settings->childKeys();
    if (keys.size() <= m_maxFiles)
        return;
    std::vector<std::pair<qlonglong, QString>> byAge;
    for (const QString& key : keys)
        byAge.emplace_back(saveNumber(settings->value(key).toStringList()), key);
    std::sort(byAge.begin(), byAge.end());
    for (qsizetype i = 0; i < keys.size() - m_maxFiles; ++i)
        settings->remove(byAge[i].second);
}

std::optional<CardModel> FileOrigins::savedBy(const QString& path, const QByteArray& bytes) const
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return std::nullopt;
    const auto settings = programSettings();
    const QStringList record =
        settings->value(kGroup + QLatin1Char('/') + keyOf(canonical)).toStringList();
    if (record.size() != kFieldCount || record[kPath] != canonical ||
        record[kBytes] != hashOf(bytes))
        return std::nullopt;
    return modelNamed(record[kModel]);
}

} // namespace vrn
