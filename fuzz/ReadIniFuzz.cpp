// Fuzzes reading settings text with any bytes and any names: a value found must be a trimmed
// single-line view into the text itself, independent of the names' letter case.
#include "FuzzSupport.h"
#include "IniText.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

using bandix::fuzz::Require;

void CheckRead(std::string_view text, std::string_view section, std::string_view key)
{
    const std::optional<std::string_view> value = bandix::ReadIniString(text, section, key);
    Require(bandix::ReadIniString(text, bandix::fuzz::SwapAsciiCase(section),
                                  bandix::fuzz::SwapAsciiCase(key)) == value,
            "the letter case of the names changes what is read");
    constexpr std::int32_t Fallback = -7;
    Require(bandix::ReadIniInteger(text, section, key, Fallback) ==
                (value ? bandix::ParseRuntimeInteger(*value).value_or(Fallback) : Fallback),
            "ReadIniInteger differs from ReadIniString converted");
    if (!value || value->empty())
        return;
    Require(text.find('\0') == std::string_view::npos, "a value is read from text holding NUL");
    const auto first = reinterpret_cast<std::uintptr_t>(value->data());
    const auto textFirst = reinterpret_cast<std::uintptr_t>(text.data());
    Require(first >= textFirst && first + value->size() <= textFirst + text.size(),
            "the value is not a view into the text");
    Require(value->find('\n') == std::string_view::npos, "the value spans lines");
    Require(!bandix::fuzz::IsBlank(value->front()) && !bandix::fuzz::IsBlank(value->back()),
            "the value is not trimmed");
}

} // namespace

// The first two lines name the section and the key, the rest is the text; the whole input is
// also read for the key the program itself uses.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view whole = bandix::fuzz::AsText(data, size);
    std::string_view text = whole;
    const std::string_view section = bandix::fuzz::TakeLine(text);
    const std::string_view key = bandix::fuzz::TakeLine(text);
    CheckRead(text, section, key);
    CheckRead(whole, "Language", "Used");
    return 0;
}
