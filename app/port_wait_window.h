#pragma once

#include "port_source.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QSet>
#include <QTimer>

#include <map>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

namespace vrn {

// Waits for the card's adapter to be plugged in and names the port that appears, for the
// program to open. It goes by the system's list of ports alone: no character is written to any
// port to find out what it is (that would reset other equipment on the line).
class PortWaitWindow : public QDialog
{
    Q_OBJECT
public:
    explicit PortWaitWindow(std::shared_ptr<PortSource> ports, QWidget* parent = nullptr);

    // Starts waiting afresh: the ports there now are not the one waited for.
    void startWaiting();
    // What became of the port that appeared: opened (the wait is over), or not (the window
    // says why and waits for another).
    void showOpened(const QString& linkState);
    void showNotOpened(const QString& problem);
    // The port it opened went away again; a port that vanishes a moment after it appeared is
    // told of with its likely cause.
    void showLost(const QString& problem);

    bool isWaiting() const { return m_poll.isActive(); }
    static constexpr int kPollMs = 500;

Q_SIGNALS:
    void portAppeared(const QString& device);

private:
    void look();
    void listPorts(const QList<PortInfo>& ports);
    void say(const QString& text);

    std::shared_ptr<PortSource> m_ports;
    QLabel* m_text = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_close = nullptr;
    QTimer m_poll;
    QSet<QString> m_notWanted; // devices there before, or tried already
    // Devices that appeared while waiting, and since when: one gone within a moment was
    // claimed by some other program.
    std::map<QString, QElapsedTimer> m_appeared;
};

} // namespace vrn
