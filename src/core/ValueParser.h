// Reads a resistance written as text: what Bandix copies ("4,7 Kilo Ohm"), plain numbers
// ("4700", "0,22"), a prefix or unit after the number ("4.7 kΩ", "1.5 MOhm"), the prefix letter
// in place of the decimal mark ("4k7", "0R22", "470R"), a tolerance ("±1%") and a temperature
// coefficient ("50 ppm/K") after the value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace bandix {

// Longer texts are refused unread: a value with its tolerance and coefficient is far shorter.
inline constexpr std::size_t MaxValueTextLength = 512;

// A value a colour code can show, with the items of the tolerance and coefficient lists that the
// text names.
struct PastedValue
{
    std::uint64_t Hundredths = 0;
    std::optional<int> ToleranceIndex;
    std::optional<int> CoefficientIndex;

    friend bool operator==(const PastedValue &, const PastedValue &) = default;
};

// How each refusal reads in the user's language. %1 is the part of the text it concerns, cut to
// a few dozen characters, unless said otherwise.
struct PasteWording
{
    std::string_view NoText;
    std::string_view TooLong; // %1: MaxValueTextLength
    std::string_view NoResistance;
    std::string_view Negative;
    std::string_view BelowSmallest;
    std::string_view AboveLargest;
    std::string_view TooManyDigits; // %2: how many significant digits the value has
    std::string_view TooFine;
    std::string_view UnknownTolerance;   // %2: the tolerances that have a colour
    std::string_view UnknownCoefficient; // %2: the coefficients that have a colour
    std::string_view Unexpected;
    std::string_view SecondTolerance;
    std::string_view SecondCoefficient;
    // The coefficient's caption as the result line writes it, in every language.
    std::span<const std::string_view> CoefficientCaptions;
};

// The reason a text gives no value, worded for the user.
class ValueRefused : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The value the text names, or ValueRefused saying why there is none a colour code can show.
PastedValue ParseValue(std::string_view text, const PasteWording &wording);

} // namespace bandix
