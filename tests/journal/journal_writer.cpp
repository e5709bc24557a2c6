// Appends entries to a journal one after another, each synced, as a program journalling its
// transfers does; the test kills it on the way.
//
//   vrn-test-journal-writer JOURNAL COUNT

#include "journal_entries.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 2;
    vrn::Journal journal(arguments[1]);
    const int count = arguments[2].toInt();
    for (int i = 0; i < count; ++i) {
        QString error;
        if (!journal.append(vrnASendEntry(QStringLiteral("S-%1").arg(i % 7), i), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
