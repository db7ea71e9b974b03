// Tests of the settings file on disk: what a failed, interrupted or refused write leaves behind.
#include "IniFile.h"

#include "IniText.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTest>

#include <csignal>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
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
    void agreesWithTheProfileService_data();
    void agreesWithTheProfileService();

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
    QTest::addColumn<int>("read");
    QTest::newRow("NUL byte, read up to it") << QByteArray("[Language]\nUsed=2\0\x01\n", 20) << 2;
    QTest::newRow("UTF-16 without byte-order mark") << QByteArray("[\0]\0\n\0U\0=\0", 10) << 1;
    QTest::newRow("over a mebibyte") << QByteArray(1024 * 1024 + 1, ';') << 1;
}

void IniFileTest::refusalsLeaveTheFileAlone()
{
    QFETCH(QByteArray, content);
    QFETCH(int, read);
    ProgramFolder folder;
    folder.writeIni(content);
    IniFile file(folder.iniPath());
    QCOMPARE(file.ReadInteger("Language", "Used", 1), read);
    try {
        file.WriteInteger("Language", "Used", 1);
        QFAIL("a file we cannot keep whole must not be overwritten");
    } catch (const std::runtime_error &error) {
        // The box says why, after the path.
        QVERIFY(QString::fromUtf8(error.what()).startsWith(WriteError(file) + ": it "));
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

#ifdef Q_OS_WIN
namespace {

// The forms of lines users' files hold; "%" takes one of the stored values.
const char *const Headers[] = {
    "[Language]",  "[ language ]", "[LANGUAGE] ; comment", "[Language]x", "[]",
    "[Other]",     "[Lang",        "\x1a[Language]\f",     "[Language]]", "[Language] [x]",
    "[Lang]uage]x"};
const char *const Keys[] = {"Used=%",      "USED =\t%  ",   "\vused= %", "Used",
                            "Other=1",     "; Used=2",      "Left=546",  "Used\x1a=\f%",
                            "[Language=%", "Sprog=\xC3\xB8"};
const char *const Values[] = {"2",     "1", "7",     "300", "0x2",     "$FF",  "-1",
                              "Dansk", "",  "\"2\"", "'2'", " \"2\" ", "\"2'", "2\x1b"};
const char *const LineEnds[] = {"\n", "\r\n", "\r", ""};
enum Form { Bytes, Utf8Mark, Utf16Le, Utf16Be, Nul, Utf16WithoutMark, FormCount };
const char *const FormNames[] = {"8-bit",    "UTF-8 with mark", "UTF-16LE",
                                 "UTF-16BE", "NUL byte",        "UTF-16 without mark"};

QByteArray Utf16(const QByteArray &utf8, bool bigEndian, bool mark)
{
    auto encode =
        QStringEncoder(bigEndian ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE,
                       mark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encode(QString::fromUtf8(utf8));
}

// A file of one to seven lines of those forms, with mixed line ends, in the given form.
QByteArray GeneratedFile(std::mt19937 &random, Form form)
{
    const auto pick = [&random](const auto &list) {
        return list[random() % std::size(list)];
    };
    QByteArray text;
    for (unsigned line = 0, lines = 1 + random() % 7; line < lines; ++line) {
        const unsigned kind = random() % 10;
        text += kind < 3   ? QByteArray(pick(Headers))
                : kind < 9 ? QByteArray(pick(Keys)).replace("%", pick(Values))
                           : QByteArray(" \t");
        text += line + 1 < lines ? LineEnds[random() % 3] : pick(LineEnds);
    }
    switch (form) {
    case Utf8Mark:
        return "\xEF\xBB\xBF" + text;
    case Utf16Le:
    case Utf16Be:
    case Utf16WithoutMark:
        return Utf16(text, form == Utf16Be, form != Utf16WithoutMark);
    case Nul:
        return text.insert(static_cast<qsizetype>(random() % (text.size() + 1)), '\0');
    default:
        return text;
    }
}

QString Trimmed(QString text)
{
    static const QRegularExpression edges(QStringLiteral("^[ \t\v\f\x1a]+|[ \t\v\f\x1a]+$"));
    return text.remove(edges);
}

// A file as its sections, keys and values: the encoding, then each line that holds something,
// trimmed, a header as its name alone. The service drops blank lines, an empty "[]" header and
// what follows a header's last "]" when it rewrites a file; Bandix keeps the user's lines whole.
QStringList ProfileLines(const QByteArray &bytes)
{
    const bool little = bytes.startsWith("\xFF\xFE");
    const bool utf16 = little || bytes.startsWith("\xFE\xFF");
    auto decode = QStringDecoder(!utf16   ? QStringDecoder::Utf8
                                 : little ? QStringDecoder::Utf16LE
                                          : QStringDecoder::Utf16BE);
    QStringList lines{utf16                              ? (little ? "UTF-16LE" : "UTF-16BE")
                      : bytes.startsWith("\xEF\xBB\xBF") ? "UTF-8 with mark"
                                                         : "8-bit"};
    static const QRegularExpression lineEnds(QStringLiteral("[\r\n]+"));
    for (QString line : QString(decode(bytes)).split(lineEnds)) {
        line = Trimmed(line);
        const qsizetype close = line.lastIndexOf(u']');
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'[') && close > 0)
            line = u'[' + Trimmed(line.mid(1, close - 1)) + u']';
        else if (equals >= 0)
            line = Trimmed(line.left(equals)) + u'=' + Trimmed(line.mid(equals + 1));
        if (!line.isEmpty() && line != QStringLiteral("[]"))
            lines.append(line);
    }
    return lines;
}

} // namespace
#endif

void IniFileTest::agreesWithTheProfileService_data()
{
#ifndef Q_OS_WIN
    QSKIP("The private profile service is Windows' own");
#else
    using namespace std::string_view_literals;
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<bool>("refused");       // where Bandix refuses to rewrite on purpose
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray("") << false;
    QTest::newRow("UTF-8 mark alone") << QByteArray("\xEF\xBB\xBF") << false;
    QTest::newRow("UTF-16 mark alone") << QByteArray("\xFF\xFE") << false;
    // The files users reported, then the generated ones.
    for (const auto &reported :
         {"[Language]\rUsed=2\r"sv, "[Language]\nUsed=2\rOther=1\n"sv,
          "[Language]\nUSED =\t7  \r[Other]\nLeft=546\r\n"sv, "[Language]\nUsed= \"2\" \n"sv,
          "[Language] ; comment\nUsed=2\n"sv, "[Language]\nUsed\n"sv, "[Language]\nUsed=2\0"sv,
          "[Language]]\nUsed=2\n"sv, "[Language] ; see [notes]\nUsed=2\n"sv})
        QTest::addRow("reported: %s",
                      QByteArray(reported.data()).toPercentEncoding("[]=;\"' ").constData())
            << QByteArray(reported.data(), static_cast<qsizetype>(reported.size()))
            << (reported.find('\0') != std::string_view::npos);
    std::mt19937 random(20261209);
    for (int row = 0; row < 240; ++row) {
        const auto form = static_cast<Form>(row % FormCount);
        // The service would cut every line at a NUL and rewrite the file without what follows.
        QTest::addRow("%s %d", FormNames[form], row)
            << GeneratedFile(random, form) << (form == Nul || form == Utf16WithoutMark);
    }
#endif
}

// Each generated file through Bandix and through Windows' private profile service: the language
// read at start, and the file after the write-back at start and the picks of Danish and English.
void IniFileTest::agreesWithTheProfileService()
{
#ifdef Q_OS_WIN
    QFETCH(QByteArray, content);
    QFETCH(bool, refused);
    ProgramFolder ours;
    ProgramFolder service;
    if (!content.isNull()) {
        ours.writeIni(content);
        service.writeIni(content);
    }
    const std::wstring servicePath = QDir::toNativeSeparators(service.iniPath()).toStdWString();
    wchar_t stored[64] = {};
    GetPrivateProfileStringW(L"Language", L"Used", L"", stored, 64, servicePath.c_str());
    const std::string storedText = QString::fromWCharArray(stored).toStdString();
    const auto danish = [](int code) {
        return code != 1 && code >= 0 && code <= 255;
    };
    const bool startsDanish = danish(IniFile(ours.iniPath()).ReadInteger("Language", "Used", 1));
    QCOMPARE(startsDanish, danish(bandix::ParseRuntimeInteger(storedText).value_or(1)));
    for (const int code : startsDanish ? std::vector{2, 2, 1} : std::vector{2, 1}) {
        bool oursRefused = false;
        try {
            IniFile(ours.iniPath()).WriteInteger("Language", "Used", code);
        } catch (const std::runtime_error &) {
            oursRefused = true;
        }
        QVERIFY(WritePrivateProfileStringW(L"Language", L"Used", std::to_wstring(code).c_str(),
                                           servicePath.c_str()));
        QCOMPARE(oursRefused, refused);
        if (refused)
            QCOMPARE(ours.readIni(), content);
        else
            QCOMPARE(ProfileLines(ours.readIni()), ProfileLines(service.readIni()));
    }
#endif
}

QTEST_MAIN(IniFileTest)
#include "IniFileTest.moc"
