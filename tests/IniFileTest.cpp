// Tests of the settings file on disk: what a failed, interrupted or refused write leaves behind.
#include "IniFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <stdexcept>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

class IniFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsWhatWasWritten();
    void refusalsLeaveTheFileAlone_data();
    void refusalsLeaveTheFileAlone();
    void interruptedWriteKeepsTheOldFile();
    void readOnlyFileIsNotReplaced();
    void oddFileReadsAsNoneAndRefusesWrites_data();
    void oddFileReadsAsNoneAndRefusesWrites();
    void fileVanishingBeforeTheWriteIsCreatedAgain();

private:
    static QString WriteError(const IniFile &file)
    {
        return QStringLiteral("Unable to write to ") +
               QDir::toNativeSeparators(QFileInfo(file.path()).absoluteFilePath());
    }
};

void IniFileTest::readsWhatWasWritten()
{
    ProgramFolder folder;
    IniFile file(folder.iniPath());
    QCOMPARE(file.ReadInteger("Language", "Used", 1), 1);
    QVERIFY(!folder.hasIni());
    file.WriteInteger("Language", "Used", 2);
    QCOMPARE(folder.readIni(), NewIniText("[Language]\nUsed=2\n"));
    QCOMPARE(file.ReadInteger("language", "USED", 1), 2);
    folder.writeIni("\xEF\xBB\xBF; kept\r\n[Other]\r\nUsed=9\r\n[LANGUAGE]\r\nused = 2\r\n");
    file.WriteInteger("Language", "Used", 1);
    QCOMPARE(folder.readIni(),
             QByteArray("\xEF\xBB\xBF; kept\r\n[Other]\r\nUsed=9\r\n[LANGUAGE]\r\nused = 1\r\n"));
}

void IniFileTest::refusalsLeaveTheFileAlone_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("binary file with a NUL byte") << QByteArray("[Language]\nUsed=2\n\0\x01", 20);
    QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFE[\0L\0]\0", 8);
    QTest::newRow("over a mebibyte") << QByteArray(1024 * 1024 + 1, ';');
}

void IniFileTest::refusalsLeaveTheFileAlone()
{
    QFETCH(QByteArray, content);
    ProgramFolder folder;
    folder.writeIni(content);
    IniFile file(folder.iniPath());
    QCOMPARE(file.ReadInteger("Language", "Used", 1), 1);
    try {
        file.WriteInteger("Language", "Used", 2);
        QFAIL("a file we cannot parse must not be overwritten");
    } catch (const std::runtime_error &error) {
        QCOMPARE(QString::fromUtf8(error.what()), WriteError(file));
    }
    QCOMPARE(folder.readIni(), content);
}

void IniFileTest::interruptedWriteKeepsTheOldFile()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has no per-process file size limit to cut a write short with");
#else
    ProgramFolder folder;
    const QByteArray old = "[Language]\nUsed=1\n" + QByteArray(4000, ';') + "\n";
    folder.writeIni(old);
    IniFile file(folder.iniPath());

    // The disk "fills up" after 1 KiB: every write beyond it fails with EFBIG.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString message;
    try {
        file.WriteInteger("Language", "Used", 2);
    } catch (const std::runtime_error &error) {
        message = QString::fromUtf8(error.what());
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(message, WriteError(file));
    QCOMPARE(folder.readIni(), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"Bandix.ini"});
#endif
}

void IniFileTest::readOnlyFileIsNotReplaced()
{
    ProgramFolder folder;
    folder.writeIni("[Language]\nUsed=1\n");
    IniFile file(folder.iniPath());
    // Anyone may add files to the folder, but the file itself is read-only.
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::WriteOther |
                                             QFile::ExeOther);
    // On Windows this sets the file's read-only attribute.
    QFile::setPermissions(folder.iniPath(), QFile::ReadOwner | QFile::ReadOther);
#ifndef Q_OS_WIN
    const bool root = geteuid() == 0; // root writes everywhere: act as "nobody" for the write
    QVERIFY(!root || seteuid(65534) == 0);
#endif
    QString message;
    try {
        file.WriteInteger("Language", "Used", 2);
    } catch (const std::runtime_error &error) {
        message = QString::fromUtf8(error.what());
    }
#ifndef Q_OS_WIN
    QVERIFY(!root || seteuid(0) == 0);
#endif
    QCOMPARE(message, WriteError(file));
    QCOMPARE(folder.readIni(), QByteArray("[Language]\nUsed=1\n"));
}

void IniFileTest::oddFileReadsAsNoneAndRefusesWrites_data()
{
    QTest::addColumn<OddFile>("kind");
    QTest::newRow("folder") << OddFile::Directory;
#ifndef Q_OS_WIN
    QTest::newRow("FIFO, never opened") << OddFile::Fifo;
    QTest::newRow("socket") << OddFile::Socket;
    QTest::newRow("link to a device") << OddFile::Device;
#endif
}

void IniFileTest::oddFileReadsAsNoneAndRefusesWrites()
{
    QFETCH(OddFile, kind);
    ProgramFolder folder;
    MakeOddFile(kind, folder.iniPath());
    const QFileInfo before(folder.iniPath());
    IniFile file(folder.iniPath());
    const FifoReaderWatch watch(folder.iniPath());
    QCOMPARE(file.ReadInteger("Language", "Used", 1), 1);
    QString message;
    try {
        file.WriteInteger("Language", "Used", 2);
    } catch (const std::runtime_error &error) {
        message = QString::fromUtf8(error.what());
    }
    QCOMPARE(message, WriteError(file));
    QVERIFY(!watch.opened());
    const QFileInfo after(folder.iniPath());
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isFile(), false);
    QCOMPARE(after.isDir(), before.isDir());
}

void IniFileTest::fileVanishingBeforeTheWriteIsCreatedAgain()
{
    ProgramFolder folder;
    folder.writeIni("[Language]\nUsed=1\n");
    IniFile file(folder.iniPath());
    QCOMPARE(file.ReadInteger("Language", "Used", 2), 1);
    QVERIFY(QFile::remove(folder.iniPath()));
    file.WriteInteger("Language", "Used", 2);
    QCOMPARE(folder.readIni(), NewIniText("[Language]\nUsed=2\n"));
}

QTEST_MAIN(IniFileTest)
#include "IniFileTest.moc"
