// Digits widened to fill the digit lists, so a value is coded as a user would read it off a part.
#include "BandEncoder.h"

#include <algorithm>
#include <optional>
#include <string>

namespace bandix {

namespace {

// Items of the band-count group: 3 bands to 6 bands.
constexpr int FewestBandsIndex = 0;
constexpr int MostBandsIndex = 3;

struct Coding
{
    unsigned Digits;
    int MultiplierIndex;
};

int MultiplierIndex(int powerOfTen)
{
    if (powerOfTen == -1)
        return GoldMultiplier;
    if (powerOfTen == -2)
        return SilverMultiplier;
    return powerOfTen;
}

// The digits and multiplier for a value in hundredths of an ohm with digitCount digits.
std::optional<Coding> CodeIn(std::uint64_t hundredths, int digitCount)
{
    if (hundredths == 0)
        return std::nullopt;
    const std::uint64_t mostDigits = digitCount == 2 ? 99 : 999;
    std::uint64_t digits = hundredths;
    int power = -2;
    while (digits % 10 == 0) {
        digits /= 10;
        ++power;
    }
    // Trailing zeros move from the multiplier into the digits while both allow it.
    while (digits * 10 <= mostDigits && power > -2) {
        digits *= 10;
        --power;
    }
    if (digits > mostDigits || power > 9)
        return std::nullopt;
    return Coding{static_cast<unsigned>(digits), MultiplierIndex(power)};
}

std::optional<CodedBands> CodeWith(const PastedValue &value, const BandSelection &current,
                                   int numberBandsIndex)
{
    const std::optional<ShownBands> shown = ShownBandsForCount(numberBandsIndex);
    if (!shown || (value.ToleranceIndex && !shown->Band5) ||
        (value.CoefficientIndex && !shown->Band6))
        return std::nullopt;
    const int digitCount = shown->Band3 ? 3 : 2;
    const std::optional<Coding> coding = CodeIn(value.Hundredths, digitCount);
    if (!coding)
        return std::nullopt;

    CodedBands coded{numberBandsIndex, current};
    BandSelection &bands = coded.Bands;
    unsigned rest = coding->Digits;
    for (int band = digitCount - 1; band >= 0; --band, rest /= 10)
        bands.ItemIndex[static_cast<std::size_t>(band)] = static_cast<int>(rest % 10);
    bands.ItemIndex[3] = coding->MultiplierIndex;
    bands.ItemIndex[4] = value.ToleranceIndex.value_or(current.ItemIndex[4]);
    bands.ItemIndex[5] = value.CoefficientIndex.value_or(current.ItemIndex[5]);
    bands.Band3Shown = shown->Band3;
    bands.Band5Shown = shown->Band5;
    bands.Band6Shown = shown->Band6;
    return coded;
}

} // namespace

CodedBands CodeValue(const PastedValue &value, const BandSelection &current, int numberBandsIndex)
{
    // The current count first, then one band fewer and one more, and so on outwards.
    const int from = std::clamp(numberBandsIndex, FewestBandsIndex, MostBandsIndex);
    for (int distance = 0; distance <= MostBandsIndex - FewestBandsIndex; ++distance)
        for (const int index : {from - distance, from + distance})
            if (const auto coded = CodeWith(value, current, index))
                return *coded;
    throw std::out_of_range("No colour code shows " + std::to_string(value.Hundredths) +
                            " hundredths of an ohm");
}

} // namespace bandix
