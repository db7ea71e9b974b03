// Fills the particulars of a message into the wording of the current language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace bandix {

// The pattern with "%1" … "%9" replaced by the values in order, in one pass, so a value that
// itself holds "%2" is left as it is. A placeholder without a value stays as written.
std::string FillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace bandix
