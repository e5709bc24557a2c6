#pragma once

#include "command_line.h"

#include <QCoreApplication>
#include <QString>

namespace vrn {

struct JournalRecord;

// What `vrn-cli journal check` and `vrn-cli journal show` print, and their exit status.
class JournalCommand
{
    Q_DECLARE_TR_FUNCTIONS(JournalCommand)
public:
    struct Output
    {
        QString out;      // for standard output
        QString error;    // for standard error
        int exitCode = 0; // 0 intact or shown, 1 a bad line, 2 no journal that can be read
    };

    static Output run(const CliRequest& request);
    // An entry for people: when, what, from where, port and adapter, card model, outcome and
    // reason, and on a line of its own the values on the card afterwards.
    static QString entryText(const JournalRecord& record);
};

} // namespace vrn
