// Fuzzes the conversion of stored integers against a reference built on std::from_chars.
#include "FuzzSupport.h"
#include "IniText.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>

namespace {

using bandix::fuzz::IsBlank;

// Written apart from the layer: prefixes told by their first character, digits converted by the
// standard library, which takes no sign into an unsigned type and reports an empty tail, and a
// range check on the 64-bit magnitude.
std::optional<std::int32_t> ReferenceParse(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with('+') || text.starts_with('-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (magnitude > limit)
        return std::nullopt;
    const std::int64_t value = static_cast<std::int64_t>(magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text = bandix::fuzz::AsText(data, size);
    bandix::fuzz::Require(bandix::ParseRuntimeInteger(text) == ReferenceParse(text),
                          "ParseRuntimeInteger disagrees with the reference conversion");
    return 0;
}
