#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace vrn {

// The one file dialog shared by all card windows: it keeps its last file name and its initial
// directory from one use to the next, in every window. A cancelled dialog gives no file.
class FileDialogState
{
public:
    enum class Mode { Save, Open };
    using Chooser = std::function<std::optional<QString>(
        QWidget* parent, Mode mode, const QString& initialDirectory, const QString& lastFile)>;

    FileDialogState();

    // Shows the save dialog; the initial directory is set afterwards, for the next dialog.
    std::optional<QString> chooseSaveFile(QWidget* parent);
    // Sets the initial directory, then shows the open dialog.
    std::optional<QString> chooseOpenFile(QWidget* parent);

    QString lastFileName() const { return m_lastFileName; }
    QString initialDirectory() const { return m_initialDirectory; }

    // Tests put their own chooser in place of the platform dialog.
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    // "C:" on Windows; the user's home folder elsewhere.
    static QString standardInitialDirectory();

private:
    std::optional<QString> choose(QWidget* parent, Mode mode);

    Chooser m_chooser;
    QString m_initialDirectory; // empty until a file command set it: the platform's default
    QString m_lastFileName;
};

} // namespace vrn
