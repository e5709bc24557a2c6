#pragma once

#include "card_values.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vrn {

// Which card windows saved which parameter file, kept between runs in the program's settings.
// The file formats carry no model, so a file is known by its content alone: the values it holds,
// whatever its name, its folder, its line ends or blank lines after them. A copy or a renamed
// file is the same file; a file with one value changed is another. Only the files saved last are
// kept.
class FileOrigins
{
public:
    static constexpr int kMaxFiles = 1000;

    explicit FileOrigins(int maxFiles = kMaxFiles) : m_maxFiles(maxFiles) {}

    // The window of `model` has just saved a file with this content.
    void remember(const QByteArray& content, CardModel model) const;
    // The models whose windows saved a file with this content, the latest first; empty for a
    // file that was not saved on this computer (or not since it was changed).
    QList<CardModel> savedBy(const QByteArray& content) const;

    // Why a file may not be meant for the window of `model`, in words for the user: another
    // model's window saved it, or it holds as many values as another model's file and more than
    // this one's ("it holds 10 values, as a VRN-A parameter file does; a VRN-B file holds 3").
    // Nothing when there is no reason to doubt.
    std::optional<QString> doubt(const QByteArray& content, CardModel model) const;

    // What the guard can and cannot tell, for the question and the user's manual.
    static QString limits();

private:
    int m_maxFiles;
};

} // namespace vrn
