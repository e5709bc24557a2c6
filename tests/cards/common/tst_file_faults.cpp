// What the Save and Open of the four card windows do when the file or the disk misbehaves: a
// folder where a file should be, a file gone after the dialog, garbage, NUL bytes, huge files,
// pipes and devices, a full disk. A refused file changes neither the window nor the slots, and
// the notice names the file and the reason; a failed save leaves any earlier file as it was.

#include "card_window_rig.h"
#include "file_dialog_state.h"
#include "form1.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "link.h"
#include "notices.h"
#include "option_box.h"
#include "slot_table.h"
#include "spin_slider.h"
#include "value_box.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

using namespace vrn;
using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kQuickMs = 1000; // a refusal never waits or reads a large file whole
constexpr qint64 kMostMemoryForAnOpen = 16 * 1024 * 1024;

const QStringList kForms{"Form1", "Form3", "Form4", "Form5"};

// A card window on a rig of its own, with ways to change it and to see all of its state.
struct FileRig : CardWindowRig
{
    using CardWindowRig::CardWindowRig;

    // Every slider, option box, value box and slot, as "name=value" tokens.
    QString state() const
    {
        QStringList tokens;
        for (QWidget* c : window->findChildren<QWidget*>()) {
            if (auto* slider = qobject_cast<SpinSlider*>(c))
                tokens << c->objectName() + u'=' + QString::number(slider->value()) +
                              (slider->isEnabled() ? u""_s : u" off"_s);
            else if (auto* box = qobject_cast<OptionBox*>(c))
                tokens << c->objectName() + (box->isChecked() ? u"=1"_s : u"=0"_s);
            else if (auto* text = qobject_cast<ValueBox*>(c))
                tokens << c->objectName() + u"=\""_s + text->text() + u'"';
        }
        for (char letter : SlotTable::kLetters) {
            const SlotValue& value = slots.value(letter);
            tokens << QChar::fromLatin1(letter) +
                          (std::holds_alternative<double>(value) ? u"=#"_s : u"="_s) +
                          slotText(value);
        }
        tokens.sort();
        return tokens.join(u' ');
    }

    // Settings away from the initial ones: "(3) 300 Hz", ramps on in VRN-A, every slider at a
    // third of its range.
    void edit()
    {
        window->findChild<OptionBox*>("Check9")->click();
        if (auto* ramps = window->findChild<OptionBox*>("Check13"))
            ramps->click();
        for (SpinSlider* slider : window->findChildren<SpinSlider*>()) {
            if (slider->isEnabled())
                slider->setValue(slider->maximum() / 3);
        }
    }

    // The window's own file for the edited settings, as its Save writes it.
    QByteArray savedFile()
    {
        FileRig other(window->objectName());
        other.edit();
        other.chosen = other.folder.filePath("own.par");
        other.window->save();
        QFile file(other.chosen);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString path(const QString& name) const { return folder.filePath(name); }
};

// The most resident memory this process has used so far (VmHWM); 0 where the system does not
// tell.
qint64 peakResidentBytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

// A file's path as notices give it: quoted, in the system's own way of writing paths.
QString shownPath(const QString& path)
{
    return u'"' + QDir::toNativeSeparators(path) + u'"';
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Bytes that are neither digits, blanks, commas, quotes nor line ends: a single field.
QByteArray garbage(int size)
{
    QRandomGenerator random(20240607);
    QByteArray bytes;
    while (bytes.size() < size) {
        const char c = static_cast<char>(random.bounded(256));
        if (!QByteArray("0123456789 \t,\"\r\n+-.eE").contains(c))
            bytes += c;
    }
    return bytes;
}

// Blank lines after the window's file up to the given size: extra lines beyond the format.
QByteArray paddedTo(QByteArray bytes, qsizetype size)
{
    while (bytes.size() + 2 <= size)
        bytes += "\r\n";
    if (bytes.size() < size)
        bytes += ' ';
    return bytes;
}

#ifdef Q_OS_UNIX
bool isCharacterDevice(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISCHR(info.st_mode);
}
bool isPipe(const QString& path)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}
// A node of the full device ("/dev/full") of the test's own where the system allows it, so a
// save that went wrong could never replace the system's one.
QString fullDevice(const QString& folder)
{
    const QString own = folder + u"/full"_s;
    if (::mknod(QFile::encodeName(own).constData(), S_IFCHR | 0666, makedev(1, 7)) == 0)
        return own;
    return u"/dev/full"_s;
}
#endif

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void openRefused_data();
    void openRefused();
    void openAccepted_data();
    void openAccepted();
    void saveRefused_data();
    void saveRefused();
};

// ----- Open

void TestFileFaults::openRefused_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told");
    const QList<std::pair<const char*, const char*>> faults{
        {"folder", "it is a folder, not a file"},
        {"removed-after-the-dialog", "it does not exist"},
        {"path-under-a-file", "it does not exist"},
        {"binary-garbage", "it holds 1 of the"},
        {"binary-garbage-in-lines", "which is not a number"},
        {"nul-bytes", "it holds 1 of the"},
        {"nul-after-a-number", "line 1 ("},
        {"one-byte-over-the-limit", "it is larger than 4096 bytes"},
        {"very-large-sparse-file", "it is larger than 4096 bytes"},
#ifdef Q_OS_UNIX
        {"pipe", "it is a device, a pipe or a socket, not a file"},
        {"endless-device", "it is a device, a pipe or a socket, not a file"},
#endif
#ifdef Q_OS_LINUX
        {"read-error", "Input/output error"},
#endif
    };
    for (const QString& form : kForms) {
        for (const auto& [fault, told] : faults)
            QTest::addRow("%s-%s", qPrintable(form), fault) << form << fault << told;
    }
}

void TestFileFaults::openRefused()
{
    QFETCH(QString, form);
    QFETCH(QString, fault);
    QFETCH(QString, told);
    FileRig rig(form);
    const QByteArray own = rig.savedFile();
    QVERIFY(!own.isEmpty());
    rig.edit(); // so that anything applied by mistake shows
    const QString before = rig.state();

    rig.chosen = rig.path("chosen.par");
    if (fault == "folder") {
        rig.chosen = rig.folder.path();
    } else if (fault == "removed-after-the-dialog") {
        QVERIFY(writeFile(rig.chosen, own));
        rig.whileChoosing = [&rig] { QFile::remove(rig.chosen); };
    } else if (fault == "path-under-a-file") {
        QVERIFY(writeFile(rig.path("plain"), own));
        rig.chosen = rig.path("plain/chosen.par");
    } else if (fault == "binary-garbage") {
        QVERIFY(writeFile(rig.chosen, garbage(512)));
    } else if (fault == "binary-garbage-in-lines") {
        QByteArray lines;
        for (int i = 0; i < 12; ++i)
            lines += garbage(5 + i) + "\r\n";
        QVERIFY(writeFile(rig.chosen, lines));
    } else if (fault == "nul-bytes") {
        QVERIFY(writeFile(rig.chosen, QByteArray(512, '\0')));
    } else if (fault == "nul-after-a-number") {
        QVERIFY(writeFile(rig.chosen, QByteArray(own).insert(own.indexOf('\r'), '\0')));
    } else if (fault == "one-byte-over-the-limit") {
        QVERIFY(writeFile(rig.chosen, paddedTo(own, kMaxParameterFileBytes + 1)));
    } else if (fault == "very-large-sparse-file") {
        QVERIFY(writeFile(rig.chosen, own));
        QVERIFY(QFile::resize(rig.chosen, qint64(1) << 30)); // 1 GiB, read as far as needed
    } else if (fault == "pipe") {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(rig.chosen).constData(), 0600), 0);
#endif
    } else if (fault == "endless-device") {
        rig.chosen = u"/dev/zero"_s;
    } else if (fault == "read-error") {
        rig.chosen = u"/proc/self/mem"_s; // a plain file whose first page cannot be read
        if (!QFileInfo::exists(rig.chosen))
            QSKIP("no /proc/self/mem here");
    }

    const qint64 peakBefore = peakResidentBytes();
    QElapsedTimer clock;
    clock.start();
    rig.window->open();
    QVERIFY2(clock.elapsed() < kQuickMs, qPrintable(QString::number(clock.elapsed())));
    // A file is never read whole: the 1 GiB one leaves the peak memory where it was.
    QVERIFY2(peakResidentBytes() - peakBefore < kMostMemoryForAnOpen,
             qPrintable(QString::number(peakResidentBytes() - peakBefore)));

    QCOMPARE(rig.state(), before);
    QCOMPARE(rig.notices.history().size(), 1);
    const QString notice = rig.notices.last();
    QVERIFY2(notice.contains(shownPath(rig.chosen)) && notice.contains(told), qPrintable(notice));
    QVERIFY2(notice.contains("was not loaded") && notice.contains("Nothing was changed"),
             qPrintable(notice));

    // The program goes on: the next Save and Open work.
    rig.whileChoosing = nullptr;
    rig.chosen = rig.path("next.par");
    rig.window->save();
    rig.window->open();
    QCOMPARE(rig.notices.history().size(), 1);
    QCOMPARE(readFile(rig.chosen), own);
}

void TestFileFaults::openAccepted_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("variant");
    for (const QString& form : kForms) {
        for (const char* variant :
             {"lf-line-ends", "cr-line-ends", "no-line-end-at-the-end",
              "extra-lines-beyond-the-format", "leading-blanks", "exactly-4096-bytes"})
            QTest::addRow("%s-%s", qPrintable(form), variant) << form << variant;
    }
}

// A file in another accepted form loads exactly as the window's own file does.
void TestFileFaults::openAccepted()
{
    QFETCH(QString, form);
    QFETCH(QString, variant);
    FileRig reference(form);
    const QByteArray own = reference.savedFile();
    const QString initial = reference.state();
    reference.chosen = reference.path("own.par");
    QVERIFY(writeFile(reference.chosen, own));
    reference.window->open();
    QCOMPARE(reference.notices.history(), QStringList());
    QVERIFY(reference.state() != initial); // the file carries settings of its own

    QByteArray bytes = own;
    if (variant == "lf-line-ends")
        bytes.replace("\r\n", "\n");
    else if (variant == "cr-line-ends")
        bytes.replace("\r\n", "\r");
    else if (variant == "no-line-end-at-the-end")
        bytes.chop(2);
    else if (variant == "extra-lines-beyond-the-format")
        // Five values more: no model's file holds 8, 9 or 15 values, so nothing is asked.
        bytes += QByteArrayLiteral("999\r\n\"00007\"\r\n1,2\r\ntext after the values\r\n");
    else if (variant == "leading-blanks")
        bytes.replace("\r\n", "\r\n  \t");
    else if (variant == "exactly-4096-bytes")
        bytes = paddedTo(own, kMaxParameterFileBytes);

    FileRig rig(form);
    rig.chosen = rig.path("variant.par");
    QVERIFY(writeFile(rig.chosen, bytes));
    rig.window->open();
    QCOMPARE(rig.notices.history(), QStringList());
    QCOMPARE(rig.state(), reference.state());
}

// ----- Save

void TestFileFaults::saveRefused_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("told"); // empty: the system's own words, which differ by system
    const QList<std::pair<const char*, const char*>> faults{
        {"folder", "it is a folder"},
        {"path-under-a-file", ""},
        {"read-only-folder", ""},
#ifdef Q_OS_LINUX
        {"folder-that-takes-no-files", "No such file or directory"},
#endif
#ifdef Q_OS_UNIX
        {"full-device", "it is a device, a pipe or a socket, not a file"},
        {"pipe", "it is a device, a pipe or a socket, not a file"},
        {"disk-full-keeps-the-earlier-file", "File too large"},
#endif
    };
    for (const QString& form : kForms) {
        for (const auto& [fault, told] : faults)
            QTest::addRow("%s-%s", qPrintable(form), fault) << form << fault << told;
    }
}

void TestFileFaults::saveRefused()
{
    QFETCH(QString, form);
    QFETCH(QString, fault);
    QFETCH(QString, told);
    FileRig rig(form);
    rig.edit();
    const QString before = rig.state();
    const QByteArray earlier = "earlier file\r\n";
    QString folder = rig.folder.path(); // where a left-over temporary file would show

    rig.chosen = rig.path("chosen.par");
    if (fault == "folder") {
        rig.chosen = rig.folder.path();
    } else if (fault == "path-under-a-file") {
        QVERIFY(writeFile(rig.path("plain"), earlier));
        rig.chosen = rig.path("plain/chosen.par");
    } else if (fault == "read-only-folder") {
#ifdef Q_OS_WIN
        QSKIP("Windows lets anyone create files in a folder marked read-only (only access rules "
              "refuse them); the row path-under-a-file gives a folder that refuses the file");
#endif
        QVERIFY(QDir(rig.folder.path()).mkdir("locked"));
        folder = rig.path("locked");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        rig.chosen = folder + "/chosen.par";
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QSKIP("root writes into a read-only folder; the rows path-under-a-file and "
                  "folder-that-takes-no-files give a folder that refuses the file");
#endif
    } else if (fault == "folder-that-takes-no-files") {
        rig.chosen = u"/proc/vrn-file-faults.par"_s; // not even root creates files here
    } else if (fault == "full-device") {
#ifdef Q_OS_UNIX
        rig.chosen = fullDevice(rig.folder.path());
#endif
    } else if (fault == "pipe") {
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(rig.chosen).constData(), 0600), 0);
#endif
    } else if (fault == "disk-full-keeps-the-earlier-file") {
        QVERIFY(writeFile(rig.chosen, earlier));
    }

#ifdef Q_OS_UNIX
    // A disk that takes no more than a few bytes: every write past them fails.
    rlimit saved{};
    const bool diskFull = fault == "disk-full-keeps-the-earlier-file";
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    if (diskFull) {
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limited{4, saved.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
#endif
    QElapsedTimer clock;
    clock.start();
    rig.window->save();
    const qint64 elapsed = clock.elapsed();
#ifdef Q_OS_UNIX
    if (diskFull)
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, previousSignal);
#endif
    QVERIFY2(elapsed < kQuickMs, qPrintable(QString::number(elapsed)));

    QCOMPARE(rig.state(), before);
    QCOMPARE(rig.notices.history().size(), 1);
    const QString notice = rig.notices.last();
    QVERIFY2(notice.contains(shownPath(rig.chosen)) && notice.contains(told) &&
                 notice.contains("could not be saved"),
             qPrintable(notice));
    // One sentence with a reason in it, whoever words the reason.
    static const QRegularExpression sentence(u"could not be saved: (.*[^. ])\\. Any earlier file "
                                             u"of that name is unchanged\\.$"_s);
    const QRegularExpressionMatch reason = sentence.match(notice);
    QVERIFY2(reason.hasMatch() && !reason.captured(1).contains("Unknown error"),
             qPrintable(notice));

    // Nothing was put in the file's place, and no temporary file is left beside it.
    if (fault == "disk-full-keeps-the-earlier-file")
        QCOMPARE(readFile(rig.chosen), earlier);
    if (fault == "path-under-a-file")
        QCOMPARE(readFile(rig.path("plain")), earlier);
#ifdef Q_OS_UNIX
    if (fault == "full-device")
        QVERIFY(isCharacterDevice(rig.chosen));
    if (fault == "pipe")
        QVERIFY(isPipe(rig.chosen));
#endif
    QStringList present = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                 QDir::System | QDir::Hidden);
    present.removeOne("chosen.par");
    present.removeOne("plain");
    present.removeOne("full");
    QCOMPARE(present, QStringList());

    // The program goes on: saving somewhere sound works.
    rig.chosen = rig.path("sound.par");
    rig.window->save();
    QCOMPARE(rig.notices.history().size(), 1);
    QVERIFY(QFileInfo(rig.chosen).size() > 0);
}

QTEST_MAIN(TestFileFaults)
#include "tst_file_faults.moc"
