// Shared helpers of the window tests: a program folder to start from and a catcher for error boxes.
#pragma once

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

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

// Takes away write access to a folder while it lives. Root writes everywhere, so under root the
// test drops its effective user id to "nobody" for the duration.
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
