#include "file_dialog_state.h"

#include <QDir>
#include <QFileDialog>

namespace vrn {
namespace {

std::optional<QString> platformDialog(QWidget* parent, FileDialogState::Mode mode,
                                      const QString& initialDirectory, const QString& lastFile)
{
    const QString start = lastFile.isEmpty() ? initialDirectory : lastFile;
    const QString chosen = mode == FileDialogState::Mode::Save
                               ? QFileDialog::getSaveFileName(parent, QString(), start)
                               : QFileDialog::getOpenFileName(parent, QString(), start);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

} // namespace

FileDialogState::FileDialogState() : m_chooser(&platformDialog)
{
}

QString FileDialogState::standardInitialDirectory()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:");
#else
    return QDir::homePath();
#endif
}

std::optional<QString> FileDialogState::choose(QWidget* parent, Mode mode)
{
    std::optional<QString> chosen = m_chooser(parent, mode, m_initialDirectory, m_lastFileName);
    if (chosen && chosen->isEmpty())
        chosen.reset();
    if (chosen)
        m_lastFileName = *chosen;
    return chosen;
}

std::optional<QString> FileDialogState::chooseSaveFile(QWidget* parent)
{
    std::optional<QString> chosen = choose(parent, Mode::Save);
    m_initialDirectory = standardInitialDirectory();
    return chosen;
}

std::optional<QString> FileDialogState::chooseOpenFile(QWidget* parent)
{
    m_initialDirectory = standardInitialDirectory();
    return choose(parent, Mode::Open);
}

} // namespace vrn
