// Shared helpers of the window tests: a program folder to start from and a catcher for error boxes.
#pragma once

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <QDir>

#include <filesystem>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#endif

// The text of a settings file the program created: lines end as the platform's text files do.
inline QByteArray NewIniText(QByteArray text)
{
#ifdef Q_OS_WIN
    text.replace("\n", "\r\n");
#endif
    return text;
}

// A temporary folder standing in for the executable's folder.
class ProgramFolder
{
public:
    std::filesystem::path executable() const { return m_dir.filePath("Bandix").toStdU16String(); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("Bandix.ini")); }
    QString path() const { return m_dir.path(); }

    void writeIni(const QByteArray &content) const
    {
        QFile file(iniPath());
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot prepare %s", qPrintable(iniPath()));
    }

    QByteArray readIni() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool hasIni() const { return QFile::exists(iniPath()); }

private:
    // Named with Danish letters, which the program reads and writes as any others.
    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/Bandix-æøå-XXXXXX")};
};

// What can stand at the settings path instead of a regular file.
enum class OddFile { Directory, Fifo, Socket, Device };

inline void MakeOddFile(OddFile kind, const QString &path)
{
    bool made = false;
#ifdef Q_OS_WIN
    // Windows has FIFOs, sockets and devices, but none of them at a path in a folder.
    made = kind == OddFile::Directory && QDir().mkdir(path);
#else
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case OddFile::Directory:
        made = mkdir(name.constData(), 0700) == 0;
        break;
    case OddFile::Fifo:
        made = mkfifo(name.constData(), 0600) == 0;
        break;
    case OddFile::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, name.constData(), sizeof address.sun_path - 1);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        made = socket >= 0 &&
               bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
        if (socket >= 0)
            close(socket);
        break;
    }
    case OddFile::Device:
        // A link to a terminal-like device: reading it may never end.
        made = symlink("/dev/zero", name.constData()) == 0;
        break;
    }
#endif
    if (!made)
        qFatal("cannot make %s", qPrintable(path));
}

// Notices whoever opens a FIFO for reading while it lives, and lets them go at once with an end
// of file instead of leaving them blocked; watches nothing at a path that is no FIFO.
#ifdef Q_OS_WIN
class FifoReaderWatch
{
public:
    explicit FifoReaderWatch(const QString &) {}
    bool opened() const { return false; }
};
#else
class FifoReaderWatch
{
public:
    explicit FifoReaderWatch(const QString &path) : m_path(QFile::encodeName(path))
    {
        struct stat status
        {
        };
        if (stat(m_path.constData(), &status) != 0 || !S_ISFIFO(status.st_mode))
            return;
        m_thread = std::thread([this] {
            while (!m_stop) {
                // Opening the writing end without blocking succeeds only while a reader waits.
                const int writer = open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) {
                    m_opened = true;
                    close(writer);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~FifoReaderWatch()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    FifoReaderWatch(const FifoReaderWatch &) = delete;
    FifoReaderWatch &operator=(const FifoReaderWatch &) = delete;

    bool opened() const { return m_opened; }

private:
    QByteArray m_path;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_opened = false;
    std::thread m_thread;
};
#endif

// Takes away write access to the settings file while it lives.
#ifdef Q_OS_WIN
// A folder the user may not write to is a matter of its access control list, which Wine, where
// these tests run, does not enforce. Holding the file open without sharing write or delete
// access refuses every write and replacement the same way, and still lets the program read it.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const ProgramFolder &folder)
        : m_handle(CreateFileW(reinterpret_cast<const wchar_t *>(folder.iniPath().utf16()),
                               GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            qFatal("cannot lock %s", qPrintable(folder.iniPath()));
    }
    ~ReadOnlyFolder() { CloseHandle(m_handle); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    HANDLE m_handle;
};
#else
// Root writes everywhere, so under root the test drops its effective user id to "nobody" for
// the duration.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const ProgramFolder &folder) : m_path(folder.path())
    {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        if (QFile::exists(folder.iniPath()))
            QFile::setPermissions(folder.iniPath(),
                                  QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);
        if (geteuid() == 0)
            m_droppedRoot = seteuid(65534) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (m_droppedRoot && seteuid(0) != 0)
            qFatal("cannot restore the effective user id");
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_path;
    bool m_droppedRoot = false;
};
#endif

// Records and closes every message box shown while it lives.
class ErrorBoxCatcher
{
public:
    ErrorBoxCatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            titles << box->windowTitle();
            texts << box->text();
            icons << box->icon();
            box->accept();
        });
        m_timer.start(5);
    }

    QStringList titles;
    QStringList texts;
    QList<QMessageBox::Icon> icons;

private:
    QTimer m_timer;
};
