#pragma once

#include "cards/common/card_values.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace vrn {

// Which card window saved which parameter file, kept between runs in the program's settings.
// A file is known by its canonical path and a hash of its bytes: a file changed since it was
// saved, or another file put at that path, has no record. Only the files saved last are kept.
class FileOrigins
{
public:
    static constexpr int kMaxFiles = 1000;

    explicit FileOrigins(int maxFiles = kMaxFiles) : m_maxFiles(maxFiles) {}

    // The window of `model` has just saved `bytes` to `path`.
    void remember(const QString& path, const QByteArray& bytes, CardModel model) const;
    // The model whose window saved exactly these bytes at this path, if one is known.
    std::optional<CardModel> savedBy(const QString& path, const QByteArray& bytes) const;

private:
    int m_maxFiles;
};

} // namespace vrn
