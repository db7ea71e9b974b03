// Digits times multiplier, written in Ohm, Kilo Ohm, Mega Ohm or Giga Ohm with a decimal comma.
#include "ResistorValue.h"

#include "ColourCode.h"

#include <limits>
#include <stdexcept>

namespace bandix {

namespace {

constexpr std::uint64_t HundredthsPerOhm = 100;

struct Unit
{
    std::uint8_t Range;
    std::uint64_t Divisor;  // ohms per unit
    unsigned FractionWidth; // digits after the comma that the divisor allows
    std::string_view Text;
};

constexpr std::array<Unit, 4> Units = {{
    {LowerThanKilo, 1, 0, " Ohm"},
    {Kilo, 1'000, 3, " Kilo Ohm"},
    {Mega, 1'000'000, 6, " Mega Ohm"},
    {Giga, 1'000'000'000, 9, " Giga Ohm"},
}};

const Unit &UnitOf(std::uint8_t range)
{
    return Units[static_cast<std::size_t>(range - LowerThanKilo)];
}

std::uint64_t CheckedMultiply(std::uint64_t value, std::uint64_t factor)
{
    if (factor != 0 && value > std::numeric_limits<std::uint64_t>::max() / factor)
        throw std::overflow_error("Integer overflow");
    return value * factor;
}

std::uint64_t PowerOfTen(int exponent)
{
    std::uint64_t power = 1;
    for (int i = 0; i < exponent; ++i)
        power = CheckedMultiply(power, 10);
    return power;
}

int Digit(const BandSelection &bands, std::size_t band)
{
    const int index = bands.ItemIndex[band];
    if (index < 0 || index >= DigitItemCount)
        throw std::out_of_range("Band" + std::to_string(band + 1) + " has no digit item " +
                                std::to_string(index));
    return index;
}

// "whole,fraction" with the fraction left-filled to width digits and its trailing zeros
// dropped; no comma at all when the fraction is 0.
std::string DecimalText(std::uint64_t whole, std::uint64_t fraction, unsigned width)
{
    std::string text = std::to_string(whole);
    if (fraction == 0)
        return text;
    std::string digits = std::to_string(fraction);
    digits.insert(0, width - digits.size(), '0');
    while (digits.back() == '0')
        digits.pop_back();
    return text + ',' + digits;
}

// The 4-band mode is three digits and a multiplier, with no tolerance list.
constexpr std::array<ShownBands, 4> BandCountModes = {{
    {false, false, false}, // 3 bands: two digits, multiplier
    {true, false, false},  // 4 bands: three digits, multiplier
    {true, true, false},   // 5 bands: and tolerance
    {true, true, true},    // 6 bands: and temperature coefficient
}};

} // namespace

std::optional<ShownBands> ShownBandsForCount(int numberBandsIndex)
{
    if (numberBandsIndex < 0 || numberBandsIndex >= static_cast<int>(BandCountModes.size()))
        return std::nullopt;
    return BandCountModes[static_cast<std::size_t>(numberBandsIndex)];
}

bool HasCountedDigit(const BandSelection &bands)
{
    return bands.ItemIndex[0] != 0 || bands.ItemIndex[1] != 0 ||
           (bands.Band3Shown && bands.ItemIndex[2] != 0);
}

unsigned ValueAsString(const BandSelection &bands)
{
    auto value = static_cast<unsigned>(Digit(bands, 0) * 10 + Digit(bands, 1));
    if (bands.Band3Shown)
        value = value * 10 + static_cast<unsigned>(Digit(bands, 2));
    return value;
}

std::uint64_t ValueInHundredths(const BandSelection &bands)
{
    const std::uint64_t digits = ValueAsString(bands);
    const int multiplier = bands.ItemIndex[3];
    if (multiplier >= 0 && multiplier < GoldMultiplier)
        return CheckedMultiply(digits, PowerOfTen(multiplier + 2));
    if (multiplier == GoldMultiplier)
        return CheckedMultiply(digits, 10);
    if (multiplier == SilverMultiplier)
        return digits;
    return CheckedMultiply(digits, HundredthsPerOhm); // no multiplier selected: the digits alone
}

std::uint64_t ValueAsInt64(const BandSelection &bands)
{
    return ValueInHundredths(bands) / HundredthsPerOhm;
}

std::uint8_t OhmValueRange(std::uint64_t ohmValue)
{
    std::uint8_t range = ohmValue < 1'000 ? LowerThanKilo : ohmValue < 1'000'000 ? Kilo : Mega;
    // Exactly 10^9 ohms stays Mega and reads "1000 Mega Ohm".
    if (ohmValue > 1'000'000'000)
        range = Giga;
    return range;
}

Calculation Calculate(const BandSelection &bands, std::string_view clB6)
{
    const std::uint64_t hundredths = ValueInHundredths(bands);
    Calculation result;
    result.Hundredths = hundredths;
    result.OhmValue = hundredths / HundredthsPerOhm;
    result.OhmRange = OhmValueRange(result.OhmValue);

    if (result.OhmRange == LowerThanKilo) {
        // Only Gold and Silver leave hundredths, and only below 100 ohms.
        result.Text = DecimalText(result.OhmValue, hundredths % HundredthsPerOhm, 2);
    } else {
        const Unit &unit = UnitOf(result.OhmRange);
        const std::uint64_t remainder = result.OhmValue % unit.Divisor;
        result.OhmValue /= unit.Divisor;
        result.Text = DecimalText(result.OhmValue, remainder, unit.FractionWidth);
    }
    result.Text += UnitOf(result.OhmRange).Text;

    if (bands.Band5Shown)
        result.Text.append("\t")
            .append(ToleranceCaption)
            .append(" ")
            .append(GetTolerance(bands.ItemIndex[4]));
    if (bands.Band6Shown)
        result.Text.append("\t").append(clB6).append(" ").append(
            GetTemperatureCoefficient(bands.ItemIndex[5]));
    return result;
}

std::optional<Calculation> RefreshResult(const BandSelection &bands, std::string_view clB6)
{
    if (!HasCountedDigit(bands))
        return std::nullopt;
    return Calculate(bands, clB6);
}

} // namespace bandix
