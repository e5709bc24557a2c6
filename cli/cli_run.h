#pragma once

#include <QStringList>

namespace vrn {

// Runs vrn-cli: reads the command line, runs the command on every port at once on the event
// loop of the application that exists, prints the results and returns the exit status.
int runCli(const QStringList& arguments);

} // namespace vrn
