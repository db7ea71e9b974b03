// Line-by-line reading and in-place editing of sectioned key-value text, kept as opaque bytes.
#include "IniText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <vector>

namespace bandix {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Blanks = " \t";
constexpr char CommentMark = ';';

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

enum class LineKind { Other, Section, Key };

// Positions are offsets into the whole text, so edits keep every byte they do not replace.
struct Line
{
    std::size_t Begin;
    std::size_t ContentEnd; // before the stripped CR and the LF
    std::size_t End;        // after the LF, or the end of the text
    bool HasLineFeed;
    LineKind Kind;
    std::string_view Name;  // section or key name
    std::size_t ValueBegin; // key lines: after the "=" and the blanks that follow it
    std::string_view Value; // key lines: the trimmed value
    bool Blank;
};

void Classify(std::string_view text, Line &line)
{
    const std::string_view content = text.substr(line.Begin, line.ContentEnd - line.Begin);
    const std::string_view trimmed = Trim(content);
    line.Blank = trimmed.empty();
    if (trimmed.empty() || trimmed.front() == CommentMark)
        return;
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
        line.Kind = LineKind::Section;
        line.Name = Trim(trimmed.substr(1, trimmed.size() - 2));
        return;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view afterEquals = content.substr(equals + 1);
    const std::size_t valueOffset =
        std::min(afterEquals.find_first_not_of(Blanks), afterEquals.size());
    line.Kind = LineKind::Key;
    line.Name = Trim(content.substr(0, equals));
    line.ValueBegin = line.Begin + equals + 1 + valueOffset;
    line.Value = Trim(afterEquals);
}

std::vector<Line> SplitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t begin = text.starts_with(Utf8Bom) ? Utf8Bom.size() : 0;
    while (begin < text.size()) {
        const std::size_t lineFeed = text.find('\n', begin);
        Line line{};
        line.Begin = begin;
        line.HasLineFeed = lineFeed != std::string_view::npos;
        line.End = line.HasLineFeed ? lineFeed + 1 : text.size();
        line.ContentEnd = line.HasLineFeed ? lineFeed : text.size();
        // A CR left at the very end of the text is read as an unfinished CRLF, like any other.
        if (line.ContentEnd > begin && text[line.ContentEnd - 1] == '\r')
            --line.ContentEnd;
        Classify(text, line);
        lines.push_back(line);
        begin = line.End;
    }
    return lines;
}

// Line indices of what a read or write of section/key touches.
struct Location
{
    std::optional<std::size_t> Section;
    std::optional<std::size_t> Key;
    std::size_t LastNonBlank = 0; // of the section, the header itself when it has nothing else
};

Location Find(const std::vector<Line> &lines, std::string_view section, std::string_view key)
{
    Location found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        if (line.Kind == LineKind::Section) {
            if (found.Section)
                break;
            if (EqualIgnoringCase(line.Name, section)) {
                found.Section = i;
                found.LastNonBlank = i;
            }
            continue;
        }
        if (!found.Section)
            continue;
        if (!line.Blank)
            found.LastNonBlank = i;
        if (line.Kind == LineKind::Key && EqualIgnoringCase(line.Name, key)) {
            found.Key = i;
            break;
        }
    }
    return found;
}

std::string_view LineEndingStyle(std::string_view text, std::string_view newLine)
{
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos)
        return newLine;
    return (lineFeed > 0 && text[lineFeed - 1] == '\r') ? "\r\n" : "\n";
}

// What ends a last line that has no LF; a stripped CR only lacks its LF, and an added CRLF
// would turn that CR into part of the line.
std::string_view Completion(const Line &line, std::string_view eol)
{
    if (line.HasLineFeed)
        return {};
    return line.ContentEnd < line.End ? "\n" : eol;
}

enum Field : unsigned { SectionField = 1, KeyField = 2, ValueField = 4 };

// A section, key or value that breaks one of these would not read back as written.
struct StorageRule
{
    unsigned Fields;
    bool (*Breaks)(std::string_view);
    std::string_view Reason;
};

constexpr std::array<StorageRule, 5> StorageRules = {{
    {SectionField | KeyField | ValueField,
     [](std::string_view t) {
         return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
     },
     "holds a line break or NUL byte"},
    {SectionField | KeyField, [](std::string_view t) { return Trim(t).size() != t.size(); },
     "starts or ends with a blank"},
    {KeyField, [](std::string_view t) { return t.find('=') != std::string_view::npos; },
     "holds \"=\""},
    {KeyField, [](std::string_view t) { return t.starts_with(CommentMark); },
     "starts with \";\" and would read as a comment"},
    {KeyField, [](std::string_view t) { return t.starts_with('['); },
     "starts with \"[\" and could read as a section"},
}};

void RequireStorable(Field field, std::string_view what, std::string_view text)
{
    for (const StorageRule &rule : StorageRules)
        if ((rule.Fields & field) != 0 && rule.Breaks(text))
            throw std::invalid_argument("Settings text: the " + std::string(what) + " \"" +
                                        std::string(text) + "\" " + std::string(rule.Reason));
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = LowerAscii(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

int DecimalDigitValue(char c)
{
    return (c >= '0' && c <= '9') ? c - '0' : -1;
}

constexpr std::array<std::string_view, 5> HexPrefixes = {"0x", "0X", "$", "x", "X"};

} // namespace

bool IsParsableIniText(std::string_view text)
{
    return text.size() <= MaxIniTextSize && text.find('\0') == std::string_view::npos;
}

std::optional<std::int32_t> ParseRuntimeInteger(std::string_view text)
{
    std::size_t pos = std::min(text.find_first_not_of(Blanks), text.size());
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int radix = 10;
    for (const std::string_view prefix : HexPrefixes) {
        if (text.substr(pos).starts_with(prefix)) {
            radix = 16;
            pos += prefix.size();
            break;
        }
    }
    if (pos == text.size())
        return std::nullopt;

    constexpr std::int64_t Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t Highest = std::numeric_limits<std::int32_t>::max();
    const std::int64_t limit = negative ? -Lowest : Highest;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = radix == 16 ? HexDigitValue(text[pos]) : DecimalDigitValue(text[pos]);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * radix + digit;
        // Checked per digit so that any number of digits cannot overflow.
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::string_view> ReadIniString(std::string_view text, std::string_view section,
                                              std::string_view key)
{
    if (!IsParsableIniText(text))
        return std::nullopt;
    const std::vector<Line> lines = SplitLines(text);
    const Location found = Find(lines, section, key);
    if (!found.Key)
        return std::nullopt;
    return lines[*found.Key].Value;
}

std::int32_t ReadIniInteger(std::string_view text, std::string_view section, std::string_view key,
                            std::int32_t defaultValue)
{
    const std::optional<std::string_view> stored = ReadIniString(text, section, key);
    if (!stored)
        return defaultValue;
    return ParseRuntimeInteger(*stored).value_or(defaultValue);
}

std::optional<std::string> WriteIniString(std::string_view text, std::string_view section,
                                          std::string_view key, std::string_view value,
                                          std::string_view newLine)
{
    if (newLine != "\n" && newLine != "\r\n")
        throw std::invalid_argument("Settings text: a new line must be LF or CRLF");
    RequireStorable(SectionField, "section", section);
    RequireStorable(KeyField, "key", key);
    RequireStorable(ValueField, "value", value);
    if (!IsParsableIniText(text))
        return std::nullopt;

    const std::vector<Line> lines = SplitLines(text);
    const Location found = Find(lines, section, key);
    const std::string_view eol = LineEndingStyle(text, newLine);
    std::string result;

    if (found.Key) {
        const Line &line = lines[*found.Key];
        result.append(text.substr(0, line.ValueBegin));
        result.append(value);
        result.append(text.substr(line.ContentEnd));
        return result;
    }
    if (found.Section) {
        const Line &last = lines[found.LastNonBlank];
        result.append(text.substr(0, last.End));
        result.append(Completion(last, eol));
        result.append(key).append("=").append(value).append(eol);
        result.append(text.substr(last.End));
        return result;
    }
    result.append(text);
    if (!lines.empty())
        result.append(Completion(lines.back(), eol));
    result.append("[").append(section).append("]").append(eol);
    result.append(key).append("=").append(value).append(eol);
    return result;
}

} // namespace bandix
