#pragma once

// A second program that holds a serial device, for tests of a port that another program has
// open: the test starts its own executable again with VRN_HOLD_PORT set to the device.

#include <QSerialPort>
#include <QString>

#include <cstdio>
#include <unistd.h>

// Holds the device until standard input closes; prints "held", or "refused: why".
inline int holdPort(const QString& device)
{
    QSerialPort port(device);
    if (!port.open(QIODevice::ReadWrite)) {
        std::printf("refused: %s\n", qPrintable(port.errorString()));
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) > 0) {
    }
    return 0;
}
