// Sectioned key-value ("INI") text: read an integer, set one value, keep every other byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bandix {

// Files larger than this, or holding a NUL byte (binary, UTF-16), are not parsed.
inline constexpr std::size_t MaxIniTextSize = std::size_t{1024} * 1024;

// True when the text is something this layer reads and edits.
bool IsParsableIniText(std::string_view text);

// Converts text the way the runtime converts integers: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "0x", "0X", "$", "x" or "X".
// Anything else, or a value outside the signed 32-bit range, yields nothing.
std::optional<std::int32_t> ParseRuntimeInteger(std::string_view text);

// The trimmed value of the first matching key of the first matching section, names matched
// without regard to ASCII letter case; nothing when absent or the text is not parsable.
std::optional<std::string_view> ReadIniString(std::string_view text, std::string_view section,
                                              std::string_view key);

// ReadIniString converted by ParseRuntimeInteger, or the default.
std::int32_t ReadIniInteger(std::string_view text, std::string_view section, std::string_view key,
                            std::int32_t defaultValue);

// The text with the value of section/key set, every other byte kept: an existing value is
// replaced in place, a missing key is added at the end of its section, a missing section at the
// end of the text. New lines take the text's line ending, or newLine for a text without one.
// Nothing when the text is not parsable, so a caller never overwrites what it cannot read.
// Throws std::invalid_argument for a newLine other than LF or CRLF, and for a section, key or
// value that could not be read back as written (line break, NUL, blanks around a name, a key
// holding "=" or starting with ";" or "[").
std::optional<std::string> WriteIniString(std::string_view text, std::string_view section,
                                          std::string_view key, std::string_view value,
                                          std::string_view newLine);

} // namespace bandix
