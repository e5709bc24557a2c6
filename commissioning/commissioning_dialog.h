#pragma once

#include <QDialog>
#include <QPointer>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vrn {

class CardWindow;

// The card window's commissioning record: the technician types the card's serial number and a
// note and saves the record as a PDF to print and file. The record states the window's values
// and the last Verify at the moment it is saved.
class CommissioningDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CommissioningDialog(CardWindow& window);

    // Lets the user choose where to save the record; the dialog does not wait for the choice.
    void chooseFile();
    // Writes the record to `path` and tells the outcome in the dialog; false on failure.
    bool savePdf(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refreshVerifyState();
    // Another port was chosen: the serial number and the note were typed for the card on the
    // port before, so they go.
    void portChanged();
    QString suggestedFileName() const;

    CardWindow& m_window;
    QLineEdit* m_serial = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QLabel* m_verifyState = nullptr;
    QLabel* m_outcome = nullptr;
    QPushButton* m_save = nullptr;
    QPointer<QFileDialog> m_chooser;
    QString m_port; // the port the serial number and the note were typed for
};

} // namespace vrn
