#pragma once

#include "classic_window.h"
#include "port_source.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QInputDialog;
class QMenu;

namespace vrn {

class GraphicalButton;
class StatusLine;

// A serial port the system reports: its device ("/dev/ttyUSB0", "COM3") and what it is.
struct SerialPortEntry
{
    QString location;
    QString description;  // "FT232R USB UART"; may be empty
    QString manufacturer; // "FTDI"; may be empty

    // The port's item in the "Seriale" menu: "/dev/ttyUSB0 - FT232R USB UART (FTDI)".
    QString caption() const;
};

// The launcher: chooses and opens the serial port and shows the four card windows.
class Form2 : public ClassicWindow
{
    Q_OBJECT
public:
    using PortLister = std::function<QList<SerialPortEntry>()>;

    explicit Form2(QWidget* parent = nullptr);

    // The serial ports the system has right now.
    static QList<SerialPortEntry> systemPorts();
    static QList<SerialPortEntry> entriesOf(const QList<PortInfo>& ports);
    // Where the "Seriale" menu takes its list of ports from; tests put a fixed list here.
    void setPortLister(PortLister lister) { m_portLister = std::move(lister); }

    // The line under the client area: the state of the link.
    StatusLine* statusLine() const { return m_status; }

    // Asks for a device name that the system does not list (a pseudo-terminal, an unusual
    // adapter); the launcher stays usable while the question is open.
    void askForOtherPort();

Q_SIGNALS:
    void portChosen(int portNumber);
    void deviceChosen(const QString& deviceName);
    void simulatedCardChosen();
    void cardWindowWanted(int model); // 0 VRN-A, 1 VRN-B, 2 VRN-C, 3 VRN-D
    void trafficLogWanted();
    void portWaitWanted();
    void compareWanted();
    void stationWanted();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void listSystemPorts();

    QMenu* m_portMenu = nullptr;
    StatusLine* m_status = nullptr;
    QList<QAction*> m_listedPorts; // the system's ports and "Other port...", rebuilt on opening
    PortLister m_portLister;
    QPointer<QInputDialog> m_otherPortDialog;
    QString m_lastOtherPort;
};

} // namespace vrn
