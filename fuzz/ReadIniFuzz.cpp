// Fuzzes reading settings text with any bytes and any names: a value found is one line, free of
// NUL, independent of the names' letter case and of the text's encoding.
#include "FuzzSupport.h"
#include "IniText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using bandix::fuzz::Require;

void CheckRead(std::string_view text, std::string_view section, std::string_view key)
{
    const std::optional<std::string> value = bandix::ReadIniString(text, section, key);
    Require(bandix::ReadIniString(text, bandix::fuzz::SwapAsciiCase(section),
                                  bandix::fuzz::SwapAsciiCase(key)) == value,
            "the letter case of the names changes what is read");
    constexpr std::int32_t Fallback = -7;
    Require(bandix::ReadIniInteger(text, section, key, Fallback) ==
                (value ? bandix::ParseRuntimeInteger(*value).value_or(Fallback) : Fallback),
            "ReadIniInteger differs from ReadIniString converted");
    // An ASCII text without a mark of its own reads the same as UTF-16.
    if (bandix::fuzz::IsAscii(text) && text.size() * 2 + 2 <= bandix::MaxIniTextSize)
        for (const bool bigEndian : {false, true})
            Require(bandix::ReadIniString(bandix::fuzz::Utf16(text, bigEndian), section, key) ==
                        value,
                    "UTF-16 text reads differently from the same 8-bit text");
    if (value)
        Require(value->find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos,
                "the value spans lines or holds a NUL");
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
