// Sectioned key-value ("INI") text: read an integer, set one value, keep every other byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bandix {

// Text larger than this is neither read nor written: no settings file comes near it.
inline constexpr std::size_t MaxIniTextSize = std::size_t{1024} * 1024;

// Why a write to the text is refused, or nothing when it can be edited without losing data.
std::optional<std::string_view> IniTextRefusal(std::string_view text);

// Converts text the way the runtime converts integers: leading blanks, an optional sign,
// then decimal digits, or hexadecimal digits after "0x", "0X", "$", "x" or "X".
// Anything else, or a value outside the signed 32-bit range, yields nothing.
std::optional<std::int32_t> ParseRuntimeInteger(std::string_view text);

// The value of the first matching key of the first matching section, read by the rules of
// Windows' private profile service: CR, LF and CRLF end lines; UTF-16 with a byte-order mark is
// read as such, anything else as 8-bit or UTF-8 text; a header's name runs to the last "]" on its
// line; names are matched without regard to ASCII letter case; names and value are trimmed of
// blanks and end at a NUL; one pair of matching quotes around the value is removed. Nothing when
// absent, when the key's line has no "=", or when the text is larger than MaxIniTextSize. UTF-16
// values come back as UTF-8.
std::optional<std::string> ReadIniString(std::string_view text, std::string_view section,
                                         std::string_view key);

// ReadIniString converted by ParseRuntimeInteger, or the default.
std::int32_t ReadIniInteger(std::string_view text, std::string_view section, std::string_view key,
                            std::int32_t defaultValue);

// The text with the value of section/key set, every other line kept byte for byte, in the
// text's own encoding: an existing value is replaced in place, a key line without "=" gains one,
// a missing key is added at the end of its section, a missing section at the end of the text.
// New lines take the text's first line ending, or newLine for a text without one. Nothing when
// IniTextRefusal refuses the text, so a caller never overwrites what it cannot keep whole.
// Throws std::invalid_argument for a newLine other than LF or CRLF, and for a section, key or
// value that could not be read back as written (line break, NUL, a character outside ASCII,
// blanks around it, a key holding "=" or starting with ";" or "[", a value in matching quotes),
// or not by readers that end a section's name at its first "]" (a section holding "]").
std::optional<std::string> WriteIniString(std::string_view text, std::string_view section,
                                          std::string_view key, std::string_view value,
                                          std::string_view newLine);

} // namespace bandix
