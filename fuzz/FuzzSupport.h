// Helpers shared by the fuzz targets: cutting leading lines off the input, failing loudly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace bandix::fuzz {

// libFuzzer keeps an input only when the process dies on it, so a broken invariant aborts.
inline void Require(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "Broken invariant: %s\n", what);
    std::abort();
}

inline std::string_view AsText(const std::uint8_t *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

// Removes the first line from the input and returns it without its LF.
inline std::string_view TakeLine(std::string_view &input)
{
    const std::size_t lineFeed = input.find('\n');
    const std::string_view line = input.substr(0, lineFeed);
    input.remove_prefix(lineFeed == std::string_view::npos ? input.size() : lineFeed + 1);
    return line;
}

// The blanks the runtime skips before an integer.
inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

inline bool IsAscii(std::string_view text)
{
    for (const char c : text)
        if ((c & 0x80) != 0)
            return false;
    return true;
}

// ASCII text as UTF-16 with its byte-order mark: the settings layer must read and edit it alike.
inline std::string Utf16(std::string_view ascii, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        bytes.push_back(bigEndian ? '\0' : c);
        bytes.push_back(bigEndian ? c : '\0');
    }
    return bytes;
}

// Names match without regard to ASCII case, so every swapped variant must behave the same.
inline std::string SwapAsciiCase(std::string_view text)
{
    std::string swapped(text);
    for (char &c : swapped) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return swapped;
}

} // namespace bandix::fuzz
