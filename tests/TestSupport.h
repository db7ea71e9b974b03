// Shared helpers of the window tests: a program folder to start from and a catcher for error boxes.
#pragma once

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
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
    QString executable() const { return m_dir.filePath(QStringLiteral("Bandix")); }
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
    QTemporaryDir m_dir;
};

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
