// How the default error display words an error: the box's title and its message.
#pragma once

#include <string>
#include <string_view>

namespace bandix {

// The executable's file name up to its first ".", every letter after the first in lower case:
// "BANDIX.EXE" gives "Bandix".
std::string ErrorBoxTitle(std::string_view executableFileName);

// The message with "." appended when its last character sorts after "." (so "...path" and
// "done!" are left alone but "Unable to write to C:\Bandix.ini" gains a full stop).
std::string ErrorBoxMessage(std::string_view message);

} // namespace bandix
