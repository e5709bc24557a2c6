#pragma once

#include "card_context.h"
#include "card_transfers.h"
#include "card_values.h"
#include "classic_window.h"
#include "form_builder.h"
#include "parameter_file.h"

#include <QDateTime>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QToolButton;
class QMenu;
class QMessageBox;

namespace vrn {

class GraphicalButton;
class StatusLine;

// What the four card windows share: the window chrome with its menu bar, the layout builder,
// the transfers on the one link, the Save and Open commands around the shared dialog, and the
// status line below the client area that tells the link's state, the last transfer and which
// values the card does not hold yet, with Verify.
class CardWindow : public ClassicWindow
{
    Q_OBJECT
public:
    // The window's caption comes from the model's description.
    CardWindow(CardContext& context, CardModel model, int clientWidthTwips, int clientHeightTwips,
               const CardMenuNames& menuNames);
    ~CardWindow() override;

    CardModel model() const { return m_model; }
    // What the window sets on its card and how: its values, its Send and its file.
    const CardDescription& description() const { return m_description; }

    // What the user typed into a value box that still has the focus is applied, as leaving the
    // box would apply it: every command runs this first, so that a shortcut or a menu acts on
    // what the window shows, as a click on a button of the window does.
    void applyPendingEntry();

    // The window's Send and Read, as its buttons run them; false when the link refused to
    // start (the refusal is told).
    bool send();
    bool read();
    // Reads the card and compares what it holds with what this window would send, changing
    // nothing in the window or the slots.
    bool verify();
    // The window's Save and Open, as its "&File" menu runs them. Save remembers which window
    // saved the file; Open asks before loading a file that another card's window saved.
    void save();
    void open();
    // Save and Open of a file named without the dialog (the command line): the same checks,
    // the same file and the same notices, except that a file another card's window saved is
    // refused instead of asked about; false when nothing was written or loaded.
    bool saveFile(const QString& path);
    bool openFile(const QString& path);

    // The transfers of the window, for whoever waits for one to end.
    using TransferKind = TransferResult::Kind;

    // Whether a Send that ended well starts a Verify as the "Verify after every Send" option
    // says (the default); a window driven by a program turns this off and verifies itself.
    void setVerifyAfterSendOptionFollowed(bool followed) { m_followVerifyOption = followed; }

    // The values this window sets on its card, in the order of its Send.
    std::span<const CardValue> cardValues() const { return m_description.values; }
    // The frames of its Send, and the values of the read reply it checks before applying any.
    std::span<const SendFrame> sendFrames() const { return m_description.frames; }
    std::span<const ReplyValue> replyChecks() const { return m_replyChecks; }
    // What the next Send would put out, by letter, without changing a slot.
    Codes codesToSend() const;

    // A value whose slot another window set, while this window's own control shows another
    // (the slots are shared: the next Send carries the other window's value).
    struct SetElsewhere
    {
        CardValue value;
        int code;                 // what the slot holds and the next Send puts out
        CardModel by;             // the window that set it
        std::optional<int> shown; // what this window's control shows, if it shows one value
        QString text() const;     // "Maximum current set in the VRN-D window: 2780 mA"
    };
    std::vector<SetElsewhere> valuesSetElsewhere() const;
    QStringList setElsewhereTexts() const;

    // The parameter file the window's values came from or went to last: its path, the SHA-256
    // of its bytes then, and what the window would have sent then (when the window still
    // sends that, it still holds the file's values).
    struct WindowFile
    {
        QString path;
        QByteArray sha256;
        Codes codes;
    };
    const std::optional<WindowFile>& lastFile() const { return m_lastFile; }

    // What the card on the port was last seen to hold, when anything is known of it.
    std::optional<Codes> cardHolds() const;
    // The values that differ between the window and what the card was last seen to hold.
    std::vector<ValueDifference> valuesNotOnCard() const;

    // The last Verify that got a reply: when, and which values differed.
    struct VerifyResult
    {
        QDateTime at;
        std::vector<ValueDifference> differences;
        quint64 cardGeneration = 0; // what the card state was when it was made
        QStringList setElsewhere;   // values compared that another window set
        // "Card holds what this window sends" or "3 values differ: ...", then the values that
        // another window set.
        QString text() const;
        QString differenceSummary() const; // the first part of text()
    };
    // This window's last Verify while it is still the latest news of the card on the port: a
    // change of port, a lost line, a failed transfer or any later transfer makes it stale.
    std::optional<VerifyResult> lastVerify() const;

    StatusLine* statusLine() const { return m_status; }
    // The link the window works on.
    Link& link() const { return m_context.link; }
    // Commands of the status line: Verify, and the option to verify after every Send.
    QAction* verifyAction() const { return m_verifyAction; }
    QAction* verifyAfterSendAction() const { return m_verifyAfterSend; }
    // The menu of the status line's "More" button, where features add their commands.
    QMenu* moreMenu() const { return m_moreMenu; }

Q_SIGNALS:
    // "&Exit" was chosen: the program ends at once.
    void exitRequested();
    // The window was closed with its close box.
    void closed();
    // A Verify got its reply and compared it.
    void verified();
    // A file was saved or loaded by the window.
    void fileSaved(const QString& path);
    // A Send, Read or Verify has ended (its button grey, any problem told), or the link refused
    // to start it (told at once): what it did. Not ok for a refused, failed or refused reply.
    void transferEnded(const vrn::TransferResult& result);

protected:
    // Once the window's layout is built: the window opens with the focus on the first control
    // of its classic tab order.
    void finishForm();
    // The transfer buttons of the window's layout; VRN-A pauses after each frame of its Send.
    void setTransferButtons(GraphicalButton* send, GraphicalButton* read, bool settlePauses);
    // Applies a read reply that passed its checks to the controls and the slots.
    virtual void applyReply(const ReplyFields& fields) = 0;
    // The code the window's own control for a letter shows (a slider's code, the one marked
    // option box); nothing where it shows none or several.
    virtual std::optional<int> shownCode(char letter) const = 0;

    // The file's lines as this window writes them.
    virtual QByteArray parameterFile() const = 0;
    // How many values the window's file holds.
    int parameterFileValues() const { return m_description.fileLines; }
    // Checks every loaded value first; the sentence for the user when one is wrong, else
    // applies them all and returns nothing.
    virtual std::optional<QString> applyParameterFile(const std::vector<FileField>& fields) = 0;

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void notify(const QString& text);
    // While a file is applied: a value of the file that was out of range and what was set
    // instead ("line 6 (I Max) held 99999999: 2997 mA was set"); Open tells them all at once.
    void noteLoadAdjustment(const QString& text) { m_loadAdjustments << text; }

    CardContext& m_context;
    const CardModel m_model;
    const CardDescription& m_description;
    const std::vector<ReplyValue> m_replyChecks; // of every value, in the order of the Send
    FormBuilder m_form;
    CardMenus m_menus;
    CardTransfers m_transfers;

private:
    void buildStatusLine();
    void refreshLinkState();
    void refreshCardState();
    // What the status line says of the card against the window.
    QString cardStateText() const;
    void started(TransferKind kind);
    // A transfer of the window ended or was refused: the user is told, the status line shows
    // it, and whoever waits learns the result.
    void ended(const TransferResult& told);
    // Puts what happened into the link's traffic record, with the model's name, and a problem
    // into a notice.
    void tellResult(const TransferResult& result);
    void compareWithCard(const Codes& card);
    void showVerifyResult();
    // Asks, without blocking the other windows, before loading a file that may be another
    // card's (`doubt` says why).
    void askBeforeLoading(const QString& path, const QString& doubt, std::vector<FileField> fields,
                          const QByteArray& content);
    bool load(const QString& path, const std::vector<FileField>& fields, const QByteArray& content);

    GraphicalButton* m_sendButton = nullptr;
    GraphicalButton* m_readButton = nullptr;
    bool m_settlePauses = false;
    StatusLine* m_status = nullptr;
    QAction* m_verifyAction = nullptr;
    QAction* m_verifyAfterSend = nullptr;
    QMenu* m_moreMenu = nullptr;
    QPointer<QMessageBox> m_verifyBox;
    std::optional<TransferKind> m_running; // this window's transfer that runs now
    std::optional<Codes> m_cardBefore;     // what the card was known to hold as it started
    std::optional<WindowFile> m_lastFile;
    QString m_statusPort; // the port the status line's last transfer was on
    std::optional<VerifyResult> m_lastVerify;
    QStringList m_loadAdjustments;
    QPointer<QMessageBox> m_otherModelQuestion;
    bool m_followVerifyOption = true;
};

// Puts the "Traffic log" command (Ctrl+Shift+L, anywhere in the window) on a window's status
// line; it runs `show`, and is greyed out where there is nothing to show. Returns its button.
QToolButton* addTrafficLogCommand(QWidget* window, StatusLine* statusLine,
                                  std::function<void()> show);

} // namespace vrn
