#pragma once

#include "card_values.h"
#include "station_cycle.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace vrn {

class CardJob;
class Link;
class PortSource;
class StationHistory;

// One port of the station: its card job, the card's serial number, and a large PASS or FAIL
// with what differed and why.
class StationRow : public QWidget
{
    Q_OBJECT
public:
    StationRow(int number, Link& programLink, std::shared_ptr<PortSource> ports,
               QWidget* parent = nullptr);
    ~StationRow() override;

    int number() const { return m_number; }
    QComboBox* portBox() const { return m_port; }
    QLineEdit* serialBox() const { return m_serial; }
    QLabel* verdict() const { return m_verdict; }
    QLabel* details() const { return m_details; }
    StationCycle* cycle() const { return m_cycle.get(); }
    CardJob* job() const { return m_job.get(); }
    // The device chosen ("simulated" for the simulated card), empty for the launcher's port.
    QString chosenPort() const;
    // Chooses a port by its device name (one not listed is typed in).
    void choosePort(const QString& device);

    // Lists the system's ports again, keeping the one chosen.
    void refreshPorts();
    // The model and the station's record keeping change: the row's card job is made anew.
    void prepare(CardModel model, StationCycle::Recorder recorder);

    // Commissions the card at hand with the serial number typed; false when nothing started
    // (told in the row).
    bool commission(const StationCycle::Setup& setup);
    // Puts a snapshot back on the card at hand.
    bool restore(const QString& snapshot, const QString& operatorName);

Q_SIGNALS:
    // The operator pressed Return in the serial field (a barcode scanner does it too).
    void commissionWanted(vrn::StationRow* row);
    void historyWanted(vrn::StationRow* row);
    void cycleEnded(vrn::StationRow* row, const vrn::CycleResult& result);
    void recordFailed(const QString& why);
    // A cycle started or ended on the row.
    void runningChanged();

private:
    void makeJob();
    bool openPortIfNeeded();
    void showStep(StationCycle::Step step);
    void showResult(const CycleResult& result);
    void showVerdict(const QString& text, const QString& colour);
    void askToSendAnyway(const QString& why);

    const int m_number;
    Link& m_programLink;
    std::shared_ptr<PortSource> m_ports;
    CardModel m_model = CardModel::VrnA;
    StationCycle::Recorder m_recorder;
    std::unique_ptr<CardJob> m_job;
    std::unique_ptr<StationCycle> m_cycle;
    QString m_jobPort; // what the job was made for

    QComboBox* m_port = nullptr;
    QLineEdit* m_serial = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_history = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_details = nullptr;
    QWidget* m_confirm = nullptr;
    QPushButton* m_sendAnyway = nullptr;
    QPushButton* m_doNotSend = nullptr;
};

// The commissioning station: the card model, the recipe, the operator and the backup folder
// are chosen once; then each card is commissioned with its serial number and Return (a barcode
// scanner types both), on one row per port, side by side.
class StationWindow : public QWidget
{
    Q_OBJECT
public:
    StationWindow(Link& programLink, std::shared_ptr<PortSource> ports, QWidget* parent = nullptr);
    ~StationWindow() override;

    // Where the record of every transfer goes; a record that cannot be kept stops the station.
    void setRecorder(StationCycle::Recorder recorder);
    // The history of a card serial: what was recorded of it, newest last.
    using HistoryReader = std::function<QStringList(const QString& cardSerial)>;
    void setHistoryReader(HistoryReader reader) { m_historyReader = std::move(reader); }

    CardModel model() const;
    void setModel(CardModel model);
    // Chooses the recipe with the checks of the model's Open; false (told) when refused.
    bool chooseRecipe(const QString& path);
    QString recipe() const { return m_recipePath; }
    void setBackupFolder(const QString& folder);
    QString backupFolder() const;
    void setOperatorName(const QString& name);
    QCheckBox* recordOption() const { return m_writeRecord; }

    const std::vector<StationRow*>& rows() const { return m_rows; }
    StationRow* addRow();
    // Whether the station stopped because a record could not be kept.
    bool isStopped() const { return m_stopped; }
    QLabel* banner() const { return m_banner; }
    // Whether a card's cycle runs on any row.
    bool isRunning() const;
    // Snapshots of the model in the backup folder, newest first; of one card serial, or all.
    QStringList snapshots(const QString& cardSerial = {}) const;

Q_SIGNALS:
    void cycleEnded(vrn::StationRow* row, const vrn::CycleResult& result);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void commission(StationRow* row);
    void showHistory(StationRow* row);
    void stop(const QString& why);
    void goOn();
    void prepareRows();
    void tell(const QString& text);
    StationCycle::Recorder rowRecorder();

    Link& m_programLink;
    std::shared_ptr<PortSource> m_ports;
    StationCycle::Recorder m_recorder;
    HistoryReader m_historyReader;
    QString m_recipePath;
    QByteArray m_recipeSha256;
    bool m_stopped = false;

    QComboBox* m_model = nullptr;
    QLabel* m_recipe = nullptr;
    QPushButton* m_chooseRecipe = nullptr;
    QLineEdit* m_operator = nullptr;
    QLineEdit* m_backup = nullptr;
    QCheckBox* m_writeRecord = nullptr;
    QLabel* m_banner = nullptr;
    QPushButton* m_goOn = nullptr;
    QVBoxLayout* m_rowLayout = nullptr;
    std::vector<StationRow*> m_rows;
    QPointer<QWidget> m_history;
};

} // namespace vrn
