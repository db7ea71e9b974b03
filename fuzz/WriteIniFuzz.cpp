// Fuzzes setting a value in settings text: the value reads back, every line but the key's own
// survives byte for byte and in order, a second write changes nothing, UTF-16 text is edited
// as its 8-bit twin, and only what the layer refuses is left unwritten.
#include "FuzzSupport.h"
#include "IniText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using bandix::fuzz::Require;

// Options are the bits of the input's first byte.
constexpr unsigned CrLfOption = 1;
constexpr unsigned NamesFromInputOption = 2;

// Lines with their CR, LF or CRLF, as the layer splits them.
std::vector<std::string_view> RawLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t length = std::min(text.find_first_of("\r\n"), text.size() - 1) + 1;
        if (text.substr(length - 1, 2) == "\r\n")
            ++length;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

// Between the lines both texts share at their start and end, the key's line was replaced, or
// one or two lines were added, after the last line gained an ending where it had none.
void CheckOtherLinesKept(std::string_view text, std::string_view written)
{
    const std::vector<std::string_view> before = RawLines(text);
    const std::vector<std::string_view> after = RawLines(written);
    const auto [head, _] = std::mismatch(before.begin(), before.end(), after.begin(), after.end());
    const std::size_t front = static_cast<std::size_t>(head - before.begin());
    std::size_t back = 0;
    while (back + front < std::min(before.size(), after.size()) &&
           before[before.size() - 1 - back] == after[after.size() - 1 - back])
        ++back;
    const std::size_t removed = before.size() - front - back;
    const std::size_t added = after.size() - front - back;
    const bool replaced = removed == 1 && added == 1;
    const bool inserted = removed == 0 && (added == 1 || added == 2);
    const bool completed = removed == 1 && (added == 2 || added == 3) &&
                           after[front].starts_with(before[front]) &&
                           RawLines(before[front]).size() == 1 && front + 1 == before.size();
    const bool same = removed == 0 && added == 0;
    Require(same || replaced || inserted || completed,
            "a line other than the key's changed or moved");
}

void CheckWrite(std::string_view text, std::string_view section, std::string_view key,
                std::string_view value, std::string_view newLine)
{
    const std::optional<std::string> written =
        bandix::WriteIniString(text, section, key, value, newLine);
    Require(written.has_value() != bandix::IniTextRefusal(text).has_value(),
            "a text is refused without a reason, or written despite one");
    if (!written)
        return;
    Require(bandix::ReadIniString(*written, section, key) == value, "the value does not read back");
    for (const std::string_view mark : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        Require(written->starts_with(mark) == text.starts_with(mark),
                "the byte-order mark changed");
    // Byte lines are UTF-16 text's lines only through its 8-bit twin, checked below.
    if (!text.starts_with("\xFF\xFE") && !text.starts_with("\xFE\xFF"))
        CheckOtherLinesKept(text, *written);
    Require(bandix::WriteIniString(*written, section, key, value, newLine) == *written,
            "writing the same value again changes the text");
    Require(bandix::WriteIniString(*written, bandix::fuzz::SwapAsciiCase(section),
                                   bandix::fuzz::SwapAsciiCase(key), value, newLine) == *written,
            "writing through names of another letter case changes the text");
    if (bandix::fuzz::IsAscii(text) && written->size() * 2 + 2 <= bandix::MaxIniTextSize)
        for (const bool bigEndian : {false, true})
            Require(bandix::WriteIniString(bandix::fuzz::Utf16(text, bigEndian), section, key,
                                           value,
                                           newLine) == bandix::fuzz::Utf16(*written, bigEndian),
                    "UTF-16 text is edited differently from the same 8-bit text");
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
    const std::string_view newLine = (options & CrLfOption) != 0 ? "\r\n" : "\n";
    try {
        CheckWrite(input, section, key, value, newLine);
    } catch (const std::invalid_argument &) {
        // Names or a value that would not read back as written: refused by contract.
    }
    return 0;
}
