// A settings file on disk: reads and writes one integer by section and key, nothing else kept open.
#pragma once

#include <QString>

#include <string_view>

class IniFile
{
public:
    explicit IniFile(QString path);

    // The integer, or the default for a missing file, section or key or a value that is no
    // integer. A path that is no regular file (folder, FIFO, socket, device) reads as no file
    // and is never opened. Throws std::runtime_error when the file exists but cannot be read.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Replaces the value or adds it, keeping every other byte of the file. The new file replaces
    // the old one atomically, so a failed write leaves the old file as it was. Throws
    // std::runtime_error("Unable to write to <path>") on failure and for a path that is no
    // regular file; for a file it cannot rewrite without losing data, the message goes on to
    // say why.
    void WriteInteger(std::string_view section, std::string_view key, int value);

    QString path() const { return m_path; }

private:
    QByteArray ReadAll() const;
    // Something other than a regular file stands at the path.
    bool IsOddFile() const;
    [[noreturn]] void FailWrite(std::string_view reason = {}) const;

    QString m_path;
};
