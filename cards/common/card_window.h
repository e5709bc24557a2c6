#pragma once

#include "cards/common/card_context.h"
#include "cards/common/card_transfers.h"
#include "cards/common/parameter_file.h"
#include "ui/classic_window.h"
#include "ui/form_builder.h"

#include <optional>
#include <vector>

namespace vrn {

// What the four card windows share: the window chrome with its menu bar, the layout builder,
// the transfers on the one link, and the Save and Open commands around the shared dialog.
class CardWindow : public ClassicWindow
{
    Q_OBJECT
public:
    CardWindow(CardContext& context, const QString& caption, int clientWidthTwips,
               int clientHeightTwips, const CardMenuNames& menuNames);

    // The window's Save and Open, as its "&File" menu runs them.
    void save();
    void open();

Q_SIGNALS:
    // "&Exit" was chosen: the program ends at once.
    void exitRequested();
    // The window was closed with its close box.
    void closed();

protected:
    // The file's lines as this window writes them.
    virtual QByteArray parameterFile() const = 0;
    // How many values the window's file holds.
    virtual int parameterFileValues() const = 0;
    // Checks every loaded value first; the sentence for the user when one is wrong, else
    // applies them all and returns nothing.
    virtual std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) = 0;

    void closeEvent(QCloseEvent* event) override;
    void notify(const QString& text);

    CardContext& m_context;
    FormBuilder m_form;
    CardMenus m_menus;
    CardTransfers m_transfers;
};

} // namespace vrn
