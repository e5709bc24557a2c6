#pragma once

#include <QStringList>

namespace vrn {

class PortSource;

// Runs vrn-cli: reads the command line, runs the command on every port at once on the event
// loop of the application that exists, prints the results and returns the exit status.
// Adapters named on the command line, and the ports command, are looked up in `ports`.
int runCli(const QStringList& arguments, PortSource& ports);

} // namespace vrn
