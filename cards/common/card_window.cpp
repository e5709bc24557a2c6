#include "cards/common/card_window.h"

#include "ui/file_dialog_state.h"
#include "ui/notices.h"

#include <QAction>
#include <QCloseEvent>

namespace vrn {

CardWindow::CardWindow(CardContext& context, CardModel model, const QString& caption,
                       int clientWidthTwips, int clientHeightTwips, const CardMenuNames& menuNames)
    : ClassicWindow(caption, clientWidthTwips, clientHeightTwips), m_context(context),
      m_model(model), m_form(client()), m_menus(addCardMenus(this, menuNames)),
      m_transfers(context, this)
{
    connect(m_menus.save, &QAction::triggered, this, &CardWindow::save);
    connect(m_menus.open, &QAction::triggered, this, &CardWindow::open);
    connect(m_menus.exit, &QAction::triggered, this, &CardWindow::exitRequested);
}

Codes CardWindow::codesToSend() const
{
    return vrn::codesToSend(m_context.slots, sendFrames());
}

void CardWindow::closeEvent(QCloseEvent* event)
{
    ClassicWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void CardWindow::notify(const QString& text)
{
    m_context.notices.post(this, windowTitle(), text);
}

void CardWindow::save()
{
    const std::optional<QString> path = m_context.files.chooseSaveFile(this);
    if (!path)
        return; // cancelled: nothing is written
    if (const auto problem = writeParameterFile(*path, parameterFile()))
        notify(*problem);
}

void CardWindow::open()
{
    const std::optional<QString> path = m_context.files.chooseOpenFile(this);
    if (!path)
        return; // cancelled: nothing is loaded
    const FileFields read = readParameterFields(*path, parameterFileValues());
    if (!read.ok()) {
        notify(read.error);
        return;
    }
    if (const auto problem = applyParameterFile(read.fields))
        notify(fileRefusal(*path, *problem));
}

} // namespace vrn
