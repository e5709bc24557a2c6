#pragma once

#include "card_values.h"
#include "transfer_result.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vrn {

class CardJob;
class CardWindow;
class FileDialogState;
class Link;

// Compares a parameter file with the card on the program's port, or with another file of the
// same card model, value by value, without loading either into a visible window or touching
// the program's slots: each file is read by a hidden card window of the model (the window's
// own Open, with all its checks) on slots of its own, and the card by that window's Verify on
// the program's link.
class CompareWindow : public QDialog
{
    Q_OBJECT
public:
    // What file A is compared with.
    enum class Against { Card, File };

    // `link` is the port the program has open; `files` the program's file dialog.
    CompareWindow(Link& link, FileDialogState& files, CardModel model, QWidget* parent = nullptr);
    ~CompareWindow() override;

    CardModel model() const;
    void setModel(CardModel model);
    void setFileA(const QString& path);
    void setFileB(const QString& path);
    void setAgainst(Against against);

    // Reads the files and compares them; against the card, the result follows the card's
    // reply. False when nothing could be compared (told in the window).
    bool compare();
    bool isRunning() const;

    // The hidden window that loaded file A of the latest comparison, and the file it loaded;
    // against the card its Verify is the comparison.
    CardWindow* hiddenWindow() const;
    QString comparedFile() const { return m_comparedFile; }

    // The verdict shown: "Card holds what the file sends", "2 values differ: I Max, PWM", or
    // why nothing was compared.
    QString summary() const;

Q_SIGNALS:
    // A comparison has ended: its result is shown, or why there is none.
    void compared();
    // The Verify of a comparison against the card has ended (or was refused), before its
    // result is shown.
    void transferEnded(const vrn::TransferResult& result);

private:
    void chooseFile(QLineEdit* line);
    void againstChanged();
    void clearResult();
    // Loads a file into a new hidden card window of the chosen model; when the window's Open
    // refuses it, shows Open's words and gives nothing.
    std::unique_ptr<CardJob> load(const QString& path, Link* link, const QString& which);
    void onVerifyEnded(const TransferResult& result);
    void showComparison(const Codes& a, const Codes& b,
                        const std::vector<ValueDifference>& differences, bool againstCard);
    void showFailure(const QString& why);
    void setRunning(bool running);

    Link& m_link;
    FileDialogState& m_files;
    QComboBox* m_model = nullptr;
    QLineEdit* m_fileA = nullptr;
    QLineEdit* m_fileB = nullptr;
    QPushButton* m_chooseA = nullptr;
    QPushButton* m_chooseB = nullptr;
    QRadioButton* m_againstCard = nullptr;
    QRadioButton* m_againstFile = nullptr;
    QLabel* m_port = nullptr;
    QPushButton* m_compare = nullptr;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    QTableWidget* m_table = nullptr;
    std::unique_ptr<CardJob> m_jobA;
    std::unique_ptr<CardJob> m_jobB;
    QString m_comparedFile;
    QStringList m_notes; // what Open told of the files that loaded
    bool m_running = false;
};

// Puts "Compare with a file..." into the menu of a card window's status line's More button; it
// runs `show`, which opens the Compare window with the window's model chosen.
void addCompareCommand(CardWindow& window, std::function<void()> show);

} // namespace vrn
