// Fuzzes setting a value in settings text: the value reads back, every other line survives
// byte for byte and in order, a second write changes nothing, unparsable text is refused.
#include "FuzzSupport.h"
#include "IniText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bandix::fuzz::IsBlank;
using bandix::fuzz::Require;

constexpr std::string_view Bom = "\xEF\xBB\xBF";

// Options are the bits of the input's first byte.
constexpr unsigned CrLfOption = 1;
constexpr unsigned NamesFromInputOption = 2;

// Lines with their endings, after a leading byte-order mark, as the layer splits them.
std::vector<std::string_view> RawLines(std::string_view text)
{
    if (text.starts_with(Bom))
        text.remove_prefix(Bom.size());
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lineFeed = text.find('\n');
        const std::size_t length = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

// LF, CRLF, or a CR that ends the text: the layer reads the last as a CRLF missing its LF.
std::string_view Ending(std::string_view line)
{
    if (line.ends_with("\r\n"))
        return "\r\n";
    if (line.ends_with('\n'))
        return "\n";
    return line.ends_with('\r') ? "\r" : "";
}

std::string_view Content(std::string_view line)
{
    return line.substr(0, line.size() - Ending(line).size());
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<std::string_view> HeaderName(std::string_view line)
{
    const std::string_view trimmed = TrimBlanks(Content(line));
    if (trimmed.size() < 2 || trimmed.front() != '[' || trimmed.back() != ']')
        return std::nullopt;
    return TrimBlanks(trimmed.substr(1, trimmed.size() - 2));
}

bool IsHeaderOf(std::string_view line, std::string_view section)
{
    const std::optional<std::string_view> name = HeaderName(line);
    return name && EqualIgnoringCase(*name, section);
}

bool HasNoBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool IsValidValue(std::string_view value)
{
    return HasNoBreakOrNul(value) && TrimBlanks(value).size() == value.size();
}

bool IsValidSection(std::string_view section)
{
    return IsValidValue(section);
}

bool IsValidKey(std::string_view key)
{
    return IsValidValue(key) && key.find('=') == std::string_view::npos && !key.starts_with(';') &&
           !key.starts_with('[');
}

// The line ending new lines must take: the text's first one, else the caller's.
std::string_view ExpectedEol(std::string_view text, std::string_view newLine)
{
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos)
        return newLine;
    return lineFeed > 0 && text[lineFeed - 1] == '\r' ? "\r\n" : "\n";
}

// Index of the line a read finds: reads of ever longer prefixes start finding it there.
std::size_t FoundLine(std::string_view text, const std::vector<std::string_view> &lines,
                      std::string_view section, std::string_view key)
{
    std::size_t low = 0;
    std::size_t high = lines.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        const std::size_t end =
            static_cast<std::size_t>(lines[middle].data() + lines[middle].size() - text.data());
        if (bandix::ReadIniString(text.substr(0, end), section, key))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

// An existing value: only the found line changes, and only after the blanks that follow "=".
void CheckReplaced(std::string_view text, std::string_view written, std::string_view section,
                   std::string_view key, std::string_view value)
{
    const std::vector<std::string_view> before = RawLines(text);
    const std::vector<std::string_view> after = RawLines(written);
    Require(before.size() == after.size(), "replacing a value changes the number of lines");
    const std::size_t found = FoundLine(text, before, section, key);
    for (std::size_t i = 0; i < before.size(); ++i)
        Require(i == found || before[i] == after[i], "a line other than the key's changed");
    const std::string_view old = before[found];
    std::size_t valueBegin = Content(old).find('=') + 1;
    while (valueBegin < Content(old).size() && IsBlank(old[valueBegin]))
        ++valueBegin;
    const std::string expected =
        std::string(old.substr(0, valueBegin)) + std::string(value) + std::string(Ending(old));
    Require(after[found] == expected, "the key's line is not its old start, value and ending");
}

// A new key: the old lines in order, at most the last one completed by a line ending, and the
// new lines at the end of the first matching section or, with no such section, of the text.
void CheckAdded(std::string_view text, std::string_view written, std::string_view section,
                std::string_view key, std::string_view value, std::string_view newLine)
{
    const std::vector<std::string_view> before = RawLines(text);
    const std::vector<std::string_view> after = RawLines(written);
    const std::string_view eol = ExpectedEol(text, newLine);
    std::size_t kept = 0;
    while (kept < before.size() && kept < after.size() && before[kept] == after[kept])
        ++kept;
    // Only a completed last line can start the differing part with all of its bytes: a key line
    // starts with neither a blank nor "[", so it never begins with a blank line or a header.
    if (kept + 1 == before.size() && kept < after.size() && !before.back().ends_with('\n') &&
        after[kept].starts_with(before.back())) {
        const std::string_view completion = before.back().ends_with('\r') ? "\n" : eol;
        Require(after[kept] == std::string(before.back()) + std::string(completion),
                "the unterminated last line did not get exactly its line ending");
        ++kept;
    }
    const std::string keyLine = std::string(key) + "=" + std::string(value) + std::string(eol);
    const bool sectionExists = std::any_of(
        before.begin(), before.end(), [&](std::string_view l) { return IsHeaderOf(l, section); });
    const std::size_t added = sectionExists ? 1 : 2;
    Require(after.size() == before.size() + added, "a missing key added the wrong number of lines");
    Require(std::equal(before.begin() + static_cast<std::ptrdiff_t>(kept), before.end(),
                       after.begin() + static_cast<std::ptrdiff_t>(kept + added)),
            "old lines are lost or out of order after the added ones");
    if (!sectionExists) {
        Require(kept == before.size(), "a missing section was not added at the end");
        Require(after[kept] == "[" + std::string(section) + "]" + std::string(eol),
                "the added section header is not \"[section]\" and the line ending");
        Require(after[kept + 1] == keyLine, "the added line is not \"key=value\" and the ending");
        return;
    }
    Require(after[kept] == keyLine, "the added line is not \"key=value\" and the line ending");
    const auto header = std::find_if(before.begin(), before.end(),
                                     [&](std::string_view l) { return IsHeaderOf(l, section); });
    const auto insertion = before.begin() + static_cast<std::ptrdiff_t>(kept);
    Require(header < insertion &&
                std::none_of(header + 1, insertion,
                             [](std::string_view l) { return HeaderName(l).has_value(); }),
            "the key was not added inside the first matching section");
    for (std::size_t i = kept; i < before.size() && !HeaderName(before[i]); ++i)
        Require(TrimBlanks(Content(before[i])).empty(),
                "the key was added before a non-blank line of its section");
}

void CheckWrite(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value, std::string_view newLine)
{
    const std::optional<std::string> written =
        bandix::WriteIniString(text, section, key, value, newLine);
    const bool parsable = text.find('\0') == std::string_view::npos;
    Require(written.has_value() == parsable, "only text holding NUL may be refused");
    if (!written)
        return;
    Require(bandix::ReadIniString(*written, section, key) == value, "the value does not read back");
    Require(written->starts_with(Bom) == text.starts_with(Bom), "the byte-order mark changed");
    if (bandix::ReadIniString(text, section, key))
        CheckReplaced(text, *written, section, key, value);
    else
        CheckAdded(text, *written, section, key, value, newLine);
    Require(bandix::WriteIniString(*written, section, key, value, newLine) == *written,
            "writing the same value again changes the text");
    Require(bandix::WriteIniString(*written, bandix::fuzz::SwapAsciiCase(section),
                                   bandix::fuzz::SwapAsciiCase(key), value, newLine) == *written,
            "writing through names of another letter case changes the text");
}

} // namespace

// The first byte holds the options; with names from the input, the next two lines are section
// and key. Then one line is the value and the rest is the text. Inputs with names or a value the
// layer rejects by contract are skipped.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const unsigned options = data[0];
    std::string_view input = bandix::fuzz::AsText(data + 1, size - 1);
    std::string_view section = "Language";
    std::string_view key = "Used";
    if ((options & NamesFromInputOption) != 0) {
        section = bandix::fuzz::TakeLine(input);
        key = bandix::fuzz::TakeLine(input);
    }
    const std::string_view value = bandix::fuzz::TakeLine(input);
    if (!IsValidSection(section) || !IsValidKey(key) || !IsValidValue(value))
        return 0;
    CheckWrite(input, section, key, value, (options & CrLfOption) != 0 ? "\r\n" : "\n");
    return 0;
}
