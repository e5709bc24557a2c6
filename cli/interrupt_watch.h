#pragma once

#include <QObject>

namespace vrn {

// Turns the user's Ctrl+C (SIGINT, SIGTERM; on Windows the console's Ctrl+C and close) into a
// signal on the event loop, so that the ports can stop where no frame is half sent. A second
// one ends the program at once with the status a shell gives an interrupted program.
class InterruptWatch : public QObject
{
    Q_OBJECT
public:
    explicit InterruptWatch(int stoppedAtOnceStatus, QObject* parent = nullptr);
    ~InterruptWatch() override;

Q_SIGNALS:
    void interrupted();
};

} // namespace vrn
