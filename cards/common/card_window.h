#pragma once

#include "cards/common/card_context.h"
#include "cards/common/card_transfers.h"
#include "cards/common/card_values.h"
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
    CardWindow(CardContext& context, CardModel model, const QString& caption, int clientWidthTwips,
               int clientHeightTwips, const CardMenuNames& menuNames);

    CardModel model() const { return m_model; }

    // The window's Send and Read, as its buttons run them.
    virtual void send() = 0;
    virtual void read() = 0;
    // The window's Save and Open, as its "&File" menu runs them.
    void save();
    void open();

    // The values this window sets on its card, in the order of its Send.
    virtual std::span<const CardValue> cardValues() const = 0;
    // The frames of its Send, and the values of the read reply it checks before applying any.
    virtual std::span<const SendFrame> sendFrames() const = 0;
    virtual std::span<const ReplyValue> replyChecks() const = 0;
    // What the next Send would put out, by letter, without changing a slot.
    Codes codesToSend() const;

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
    const CardModel m_model;
    FormBuilder m_form;
    CardMenus m_menus;
    CardTransfers m_transfers;
};

} // namespace vrn
