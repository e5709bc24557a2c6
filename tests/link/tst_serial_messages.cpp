// What the user is told when a serial port cannot be opened, above all when the system refuses
// it: a port in use by another program, or a user who lacks the right to open it.

#include "link.h"
#include "link_words.h"
#include "pty_card_server.h"
#include "serial_transport.h"
#include "under_wine.h"

#include <QTemporaryFile>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace vrn;
using Access = DeviceAccess;

Q_DECLARE_METATYPE(vrn::DeviceAccess)
Q_DECLARE_METATYPE(QSerialPort::SerialPortError)

class TestSerialMessages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusalSaysHowToFixIt_data();
    void refusalSaysHowToFixIt();
    void deviceAccessOfRealFiles_data();
    void deviceAccessOfRealFiles();
    void portHeldByAnotherLinkIsInUse();
};

void TestSerialMessages::refusalSaysHowToFixIt_data()
{
    QTest::addColumn<QSerialPort::SerialPortError>("error");
    QTest::addColumn<Access>("access");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QStringList>("doesNotSay");
    const auto perm = QSerialPort::PermissionError;
#ifdef Q_OS_WIN
    // Windows refuses a port only to the second program that asks for it, and has no groups.
    QTest::newRow("refused-port-is-in-use-whatever-the-access")
        << perm << Access{false, "dialout", false}
        << QStringList{"COM3 is in use by another program", "Close the other program"}
        << QStringList{"usermod", "group", "dialout", "log in"};
    QTest::newRow("missing-port-says-plug-in-and-where-ports-are-listed")
        << QSerialPort::DeviceNotFoundError << Access{}
        << QStringList{"COM3 does not exist", "plugged in", "Device Manager"}
        << QStringList{"usermod"};
#else
    QTest::newRow("no-right-names-group-and-command")
        << perm << Access{false, "dialout", false}
        << QStringList{"/dev/ttyUSB0", "group \"dialout\"", "sudo usermod -aG dialout $USER",
                       "log out and log in again"}
        << QStringList{"another program"};
    QTest::newRow("other-distribution-group-named")
        << perm << Access{false, "uucp", false}
        << QStringList{"group \"uucp\"", "sudo usermod -aG uucp $USER"} << QStringList{"dialout"};
    QTest::newRow("joined-after-login-only-needs-new-login")
        << perm << Access{false, "dialout", true}
        << QStringList{"added to the group \"dialout\"", "Log out and log in again"}
        << QStringList{"usermod"};
    QTest::newRow("allowed-but-refused-is-in-use")
        << perm << Access{true, "dialout", false}
        << QStringList{"/dev/ttyUSB0 is in use by another program", "Close the other program"}
        << QStringList{"usermod", "group"};
    QTest::newRow("root-only-device-asks-administrator")
        << perm << Access{false, "root", false}
        << QStringList{"Ask the administrator", "\"dialout\""} << QStringList{"-aG root"};
    QTest::newRow("missing-device-says-plug-in")
        << QSerialPort::DeviceNotFoundError << Access{}
        << QStringList{"/dev/ttyUSB0 does not exist", "plugged in"}
        << QStringList{"usermod", "Device Manager"};
#endif
}

void TestSerialMessages::refusalSaysHowToFixIt()
{
    QFETCH(QSerialPort::SerialPortError, error);
    QFETCH(Access, access);
    QFETCH(QStringList, says);
    QFETCH(QStringList, doesNotSay);
#ifdef Q_OS_WIN
    const QString port = QStringLiteral("COM3");
#else
    const QString port = QStringLiteral("/dev/ttyUSB0");
#endif
    const QString text =
        saidOfPort(SerialTransport::errorFor(port, error, "Permission denied", access));
    for (const QString& part : says)
        QVERIFY2(text.contains(part), qPrintable(part + " missing in: " + text));
    for (const QString& part : doesNotSay)
        QVERIFY2(!text.contains(part), qPrintable(part + " found in: " + text));
}

void TestSerialMessages::deviceAccessOfRealFiles_data()
{
    QTest::addColumn<QString>("path"); // "<locked>": a file of this user that nobody may open
    QTest::addColumn<bool>("userMayOpen");
#ifdef Q_OS_WIN
    QSKIP("Windows has no device files with an owner and a group to look at");
#endif
    QTest::newRow("null-device-open-to-all") << "/dev/null" << true;
    QTest::newRow("name-without-dev-folder") << "null" << true;
    QTest::newRow("file-without-permissions") << "<locked>" << false;
}

void TestSerialMessages::deviceAccessOfRealFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, userMayOpen);
    QTemporaryFile locked;
    if (path == QLatin1String("<locked>")) {
#ifdef Q_OS_UNIX
        if (geteuid() == 0)
#endif
            QSKIP("the superuser may open any file");
        QVERIFY(locked.open());
        QVERIFY(locked.setPermissions(QFileDevice::Permissions()));
        path = locked.fileName();
    }
    const Access access = SerialTransport::deviceAccess(path);
    QCOMPARE(access.userMayOpen, userMayOpen);
    QVERIFY(!access.group.isEmpty());
}

// A port that one program holds is refused to the next one, which is told to close the first.
void TestSerialMessages::portHeldByAnotherLinkIsInUse()
{
    if (underWine())
        QSKIP("wine opens a COM port a second time although the first open shares it with "
              "none; Windows refuses the second open");
    sim::PtyCardServer card;
    QVERIFY2(card.open(), qPrintable(card.errorString()));
    Link first;
    QVERIFY2(first.openDevice(card.slavePath()), qPrintable(saidOfPort(first.lastError())));
    Link second;
    QVERIFY(!second.openDevice(card.slavePath()));
    QVERIFY2(
        saidOfPort(second.lastError()).contains(card.slavePath() + " is in use by another program"),
        qPrintable(saidOfPort(second.lastError())));
    first.closePort();
    QVERIFY2(second.openDevice(card.slavePath()), qPrintable(saidOfPort(second.lastError())));
}

QTEST_GUILESS_MAIN(TestSerialMessages)
#include "tst_serial_messages.moc"
