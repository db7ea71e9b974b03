// The file side of the settings: whole-file read, edit in memory, atomic replace.
#include "IniFile.h"

#include "IniText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>
#include <string>

namespace {

#ifdef Q_OS_WIN
constexpr std::string_view NativeNewLine = "\r\n";
#else
constexpr std::string_view NativeNewLine = "\n";
#endif

std::string_view View(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::IsOddFile() const
{
    const QFileInfo info(m_path);
    return info.exists() && !info.isFile();
}

QByteArray IniFile::ReadAll() const
{
    QFile file(m_path);
    // Opening a FIFO for reading waits for a writer, and a device may never end: whatever is
    // not a regular file holds no settings of ours.
    if (!file.exists() || IsOddFile())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Unable to read " +
                                 QDir::toNativeSeparators(m_path).toStdString());
    // One byte over the limit is enough to know the text is not ours to parse.
    return file.read(static_cast<qint64>(bandix::MaxIniTextSize) + 1);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const QByteArray bytes = ReadAll();
    return bandix::ReadIniInteger(View(bytes), section, key, defaultValue);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    QByteArray bytes;
    try {
        bytes = ReadAll();
    } catch (const std::runtime_error &) {
        FailWrite();
    }
    // Replacing it would destroy what someone put there on purpose.
    if (IsOddFile())
        FailWrite();
    if (const auto refusal = bandix::IniTextRefusal(View(bytes)))
        FailWrite(*refusal);
    const auto text =
        bandix::WriteIniString(View(bytes), section, key, std::to_string(value), NativeNewLine);

    QSaveFile file(m_path);
    // Only where the directory forbids new files but the file itself may be written.
    file.setDirectWriteFallback(true);
    // Unbuffered, so a short write (disk full, size limit) shows in write()'s count: a buffered
    // QSaveFile flushes inside commit() and reports a truncated file as written.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        FailWrite();
    const auto size = static_cast<qint64>(text->size());
    if (file.write(text->data(), size) != size || !file.commit())
        FailWrite();
}

void IniFile::FailWrite(std::string_view reason) const
{
    std::string message =
        "Unable to write to " +
        QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath()).toStdString();
    if (!reason.empty())
        message.append(": ").append(reason);
    throw std::runtime_error(message);
}
