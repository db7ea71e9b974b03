// Reading and in-place editing of sectioned key-value text by the profile service's rules.
#include "IniText.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <vector>

namespace bandix {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeBom = "\xFF\xFE";
constexpr std::string_view Utf16BeBom = "\xFE\xFF";
constexpr char CommentMark = ';';
// What the runtime skips before an integer.
constexpr std::string_view RuntimeBlanks = " \t";

// The profile service's blanks: tab, vertical tab, form feed, space and the DOS end-of-file
// mark; CR and LF never reach here, they end lines.
template <typename Unit> bool IsBlank(Unit c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1a;
}

template <typename Unit> Unit LowerAscii(Unit c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<Unit>(c - 'A' + 'a') : c;
}

template <typename Unit> bool EqualIgnoringCase(std::basic_string_view<Unit> a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](Unit x, char y) {
        return LowerAscii(x) == static_cast<Unit>(LowerAscii(y));
    });
}

// One pair of matching quotes around a value, which reading removes.
template <typename Unit> bool IsQuoted(std::basic_string_view<Unit> value)
{
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

enum class LineKind { Other, Section, Key };

// Positions are offsets into the whole text, so edits keep every unit they do not replace.
struct Line
{
    std::size_t Begin;
    std::size_t ContentEnd; // before the CR, LF or CRLF
    std::size_t End;        // after it, or the end of the text
    LineKind Kind;
    bool Blank;
    std::size_t NameBegin; // section or key name, trimmed and ending at a NUL
    std::size_t NameEnd;
    bool HasEquals;         // key lines
    std::size_t ValueBegin; // after "=" and its blanks; without "=", after the trimmed line
    std::size_t ValueEnd;   // the trimmed line's end
};

// Narrows [begin, end) to leave out the blanks at both ends.
template <typename Unit>
void Trim(std::basic_string_view<Unit> text, std::size_t &begin, std::size_t &end)
{
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
}

template <typename Unit>
void SetName(std::basic_string_view<Unit> text, std::size_t begin, std::size_t end, Line &line)
{
    Trim(text, begin, end);
    line.NameBegin = begin;
    line.NameEnd = begin + std::min(end - begin, text.substr(begin, end - begin).find(Unit{0}));
}

template <typename Unit> void Classify(std::basic_string_view<Unit> text, Line &line)
{
    std::size_t first = line.Begin;
    std::size_t last = line.ContentEnd;
    Trim(text, first, last);
    line.Blank = first == last;
    if (line.Blank || text[first] == CommentMark)
        return;
    // A header's name runs to the last "]" on its line, as the profile service reads it: "[a]]"
    // names the section "a]". What follows that "]" is ignored.
    const std::size_t close = text.substr(first, last - first).rfind(Unit{']'});
    if (text[first] == '[' && close != std::basic_string_view<Unit>::npos) {
        line.Kind = LineKind::Section;
        SetName(text, first + 1, first + close, line);
        return;
    }
    const std::size_t equals = std::min(text.substr(0, last).find(Unit{'='}, first), last);
    line.Kind = LineKind::Key;
    line.HasEquals = equals < last;
    SetName(text, first, equals, line);
    line.ValueBegin = equals;
    if (line.HasEquals) {
        ++line.ValueBegin;
        // Past trailing blanks too, so that writing an empty value twice gives the same line.
        while (line.ValueBegin < line.ContentEnd && IsBlank(text[line.ValueBegin]))
            ++line.ValueBegin;
    }
    line.ValueEnd = std::max(last, line.ValueBegin);
}

// The text is the code units the rules apply to: bytes, or UTF-16 units, after any byte-order mark.
template <typename Unit> std::vector<Line> SplitLines(std::basic_string_view<Unit> text)
{
    const Unit lineEnds[] = {'\r', '\n'};
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        Line line{};
        line.Begin = begin;
        line.ContentEnd = std::min(text.find_first_of(lineEnds, begin, 2), text.size());
        line.End = std::min(line.ContentEnd + 1, text.size());
        if (line.End < text.size() && text[line.ContentEnd] == '\r' && text[line.End] == '\n')
            ++line.End;
        Classify(text, line);
        lines.push_back(line);
        begin = line.End;
    }
    return lines;
}

template <typename Unit>
std::basic_string_view<Unit> NameOf(std::basic_string_view<Unit> text, const Line &line)
{
    return text.substr(line.NameBegin, line.NameEnd - line.NameBegin);
}

// Line indices of what a read or write of section/key touches: only the first matching section
// counts, as with the profile service.
struct Location
{
    std::optional<std::size_t> Section;
    std::optional<std::size_t> Key;
    std::size_t LastNonBlank = 0; // of the section, the header itself when it has nothing else
};

template <typename Unit>
Location Find(std::basic_string_view<Unit> text, const std::vector<Line> &lines,
              std::string_view section, std::string_view key)
{
    Location found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        if (line.Kind == LineKind::Section) {
            if (found.Section)
                break;
            if (EqualIgnoringCase(NameOf(text, line), section)) {
                found.Section = i;
                found.LastNonBlank = i;
            }
            continue;
        }
        if (!found.Section)
            continue;
        if (!line.Blank)
            found.LastNonBlank = i;
        if (line.Kind == LineKind::Key && EqualIgnoringCase(NameOf(text, line), key)) {
            found.Key = i;
            break;
        }
    }
    return found;
}

// The value as the service hands it out: up to a NUL, less one pair of matching quotes.
template <typename Unit>
std::optional<std::basic_string_view<Unit>>
ReadUnits(std::basic_string_view<Unit> text, std::string_view section, std::string_view key)
{
    const std::vector<Line> lines = SplitLines(text);
    const Location found = Find(text, lines, section, key);
    if (!found.Key || !lines[*found.Key].HasEquals)
        return std::nullopt;
    const Line &line = lines[*found.Key];
    std::basic_string_view<Unit> value =
        text.substr(line.ValueBegin, line.ValueEnd - line.ValueBegin);
    value = value.substr(0, value.find(Unit{0}));
    if (IsQuoted(value))
        value = value.substr(1, value.size() - 2);
    return value;
}

template <typename Unit>
std::basic_string_view<Unit> LineEndingStyle(std::basic_string_view<Unit> text,
                                             const std::vector<Line> &lines,
                                             std::basic_string_view<Unit> newLine)
{
    for (const Line &line : lines)
        if (line.End > line.ContentEnd)
            return text.substr(line.ContentEnd, line.End - line.ContentEnd);
    return newLine;
}

template <typename Unit> std::basic_string<Unit> Widen(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

template <typename Unit>
std::basic_string<Unit> WriteUnits(std::basic_string_view<Unit> text, std::string_view section,
                                   std::string_view key, std::string_view value,
                                   std::string_view newLine)
{
    using String = std::basic_string<Unit>;
    const std::vector<Line> lines = SplitLines(text);
    const Location found = Find(text, lines, section, key);
    const String wideNewLine = Widen<Unit>(newLine);
    const String eol(LineEndingStyle<Unit>(text, lines, wideNewLine));
    const String keyLine = Widen<Unit>(key) + Unit{'='} + Widen<Unit>(value) + eol;
    // A last line without an ending gets one before anything is added after it.
    const auto completion = [&](const Line &line) {
        return line.End > line.ContentEnd ? String() : eol;
    };

    if (found.Key) {
        const Line &line = lines[*found.Key];
        return String(text.substr(0, line.ValueBegin)) +
               (line.HasEquals ? String() : Widen<Unit>("=")) + Widen<Unit>(value) +
               String(text.substr(line.ContentEnd));
    }
    if (found.Section) {
        const Line &last = lines[found.LastNonBlank];
        return String(text.substr(0, last.End)) + completion(last) + keyLine +
               String(text.substr(last.End));
    }
    String result(text);
    if (!lines.empty())
        result += completion(lines.back());
    return result + Unit{'['} + Widen<Unit>(section) + Unit{']'} + eol + keyLine;
}

// UTF-16 text with its byte-order mark: the units after it, and the byte order.
struct Utf16Text
{
    std::u16string Units;
    bool BigEndian;
};

std::optional<Utf16Text> DecodeUtf16(std::string_view text)
{
    const bool little = text.starts_with(Utf16LeBom);
    if (!little && !text.starts_with(Utf16BeBom))
        return std::nullopt;
    Utf16Text decoded{{}, !little};
    // A trailing odd byte belongs to no unit; IniTextRefusal keeps such a text from being written.
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
        const auto high = static_cast<unsigned char>(text[little ? i + 1 : i]);
        const auto low = static_cast<unsigned char>(text[little ? i : i + 1]);
        decoded.Units.push_back(static_cast<char16_t>(high << 8 | low));
    }
    return decoded;
}

std::string EncodeUtf16(const Utf16Text &text)
{
    std::string bytes(text.BigEndian ? Utf16BeBom : Utf16LeBom);
    for (const char16_t unit : text.Units) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes.push_back(text.BigEndian ? high : low);
        bytes.push_back(text.BigEndian ? low : high);
    }
    return bytes;
}

// UTF-16 units as UTF-8; a surrogate without its partner becomes U+FFFD.
std::string ToUtf8(std::u16string_view units)
{
    std::string utf8;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() &&
                          units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000;
        if (pair)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
            continue;
        }
        constexpr std::array<char32_t, 4> LeadMarks = {0, 0xC0, 0xE0, 0xF0};
        const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        utf8.push_back(static_cast<char>(LeadMarks[tail] | (c >> (6 * tail))));
        for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
            utf8.push_back(static_cast<char>(0x80 | ((c >> shift) & 0x3F)));
    }
    return utf8;
}

// A UTF-8 byte-order mark is kept aside, so that no line starts with it.
std::string_view Utf8MarkOf(std::string_view text)
{
    return text.starts_with(Utf8Bom) ? Utf8Bom : std::string_view();
}

enum Field : unsigned { SectionField = 1, KeyField = 2, ValueField = 4 };
constexpr unsigned AllFields = SectionField | KeyField | ValueField;

// A section, key or value that breaks one of these would not read back as written.
struct StorageRule
{
    unsigned Fields;
    bool (*Breaks)(std::string_view);
    std::string_view Reason;
};

constexpr std::array<StorageRule, 8> StorageRules = {{
    {AllFields,
     [](std::string_view t) {
         return t.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
     },
     "holds a line break or NUL byte"},
    {AllFields,
     [](std::string_view t) {
         return std::any_of(t.begin(), t.end(), [](char c) { return (c & 0x80) != 0; });
     },
     "holds a character outside ASCII, which files of another encoding would not read back"},
    {AllFields,
     [](std::string_view t) { return !t.empty() && (IsBlank(t.front()) || IsBlank(t.back())); },
     "starts or ends with a blank"},
    {SectionField, [](std::string_view t) { return t.find(']') != std::string_view::npos; },
     R"(holds "]", which readers that end a section's name at its first "]" would cut short)"},
    {KeyField, [](std::string_view t) { return t.find('=') != std::string_view::npos; },
     "holds \"=\""},
    {KeyField, [](std::string_view t) { return t.starts_with(CommentMark); },
     "starts with \";\" and would read as a comment"},
    {KeyField, [](std::string_view t) { return t.starts_with('['); },
     "starts with \"[\" and could read as a section"},
    {ValueField, [](std::string_view t) { return IsQuoted(t); },
     "stands in matching quotes, which reading removes"},
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

std::optional<std::string_view> IniTextRefusal(std::string_view text)
{
    if (text.size() > MaxIniTextSize)
        return "it is larger than 1 MiB, far more than a settings file holds";
    if (const std::optional<Utf16Text> utf16 = DecodeUtf16(text)) {
        if (text.size() % 2 != 0)
            return "it is UTF-16 text with an odd number of bytes, so its last one is no character";
        if (utf16->Units.find(u'\0') == std::u16string::npos)
            return std::nullopt;
    } else if (text.find('\0') == std::string_view::npos) {
        return std::nullopt;
    }
    return "it holds NUL characters: it may be UTF-16 text without a byte-order mark or no text "
           "at all, and rewriting it would lose what follows them";
}

std::optional<std::int32_t> ParseRuntimeInteger(std::string_view text)
{
    std::size_t pos = std::min(text.find_first_not_of(RuntimeBlanks), text.size());
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

std::optional<std::string> ReadIniString(std::string_view text, std::string_view section,
                                         std::string_view key)
{
    if (text.size() > MaxIniTextSize)
        return std::nullopt;
    if (const std::optional<Utf16Text> utf16 = DecodeUtf16(text)) {
        const auto value = ReadUnits(std::u16string_view(utf16->Units), section, key);
        return value ? std::optional(ToUtf8(*value)) : std::nullopt;
    }
    const auto value = ReadUnits(text.substr(Utf8MarkOf(text).size()), section, key);
    return value ? std::optional(std::string(*value)) : std::nullopt;
}

std::int32_t ReadIniInteger(std::string_view text, std::string_view section, std::string_view key,
                            std::int32_t defaultValue)
{
    const std::optional<std::string> stored = ReadIniString(text, section, key);
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
    if (IniTextRefusal(text))
        return std::nullopt;
    if (std::optional<Utf16Text> utf16 = DecodeUtf16(text)) {
        utf16->Units = WriteUnits(std::u16string_view(utf16->Units), section, key, value, newLine);
        return EncodeUtf16(*utf16);
    }
    const std::string_view mark = Utf8MarkOf(text);
    return std::string(mark) + WriteUnits(text.substr(mark.size()), section, key, value, newLine);
}

} // namespace bandix
