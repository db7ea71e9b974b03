// The resistance and the result line computed from the band lists' selections.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bandix {

// Range constants: which unit the result is written in.
inline constexpr std::uint8_t LowerThanKilo = 1;
inline constexpr std::uint8_t Kilo = 2;
inline constexpr std::uint8_t Mega = 3;
inline constexpr std::uint8_t Giga = 4;

// The caption the result line writes before the tolerance, the same word in both languages.
inline constexpr std::string_view ToleranceCaption = "Tolerance";

// Multiplier list items beyond the ten powers of ten.
inline constexpr int GoldMultiplier = 10;
inline constexpr int SilverMultiplier = 11;

// Everything the computation reads: the selected item of Band1..Band6 (index 0..5)
// and which of the lists that come and go with the band count are shown.
struct BandSelection
{
    std::array<int, 6> ItemIndex{};
    bool Band3Shown = true;
    bool Band5Shown = false;
    bool Band6Shown = false;
};

// Which of Band3, Band5 and Band6 a band count shows; Band1, Band2 and Band4 are always shown.
struct ShownBands
{
    bool Band3;
    bool Band5;
    bool Band6;
};

// The lists shown for an item of the band-count group ("3 ".."6 "); nothing for no selection.
std::optional<ShownBands> ShownBandsForCount(int numberBandsIndex);

// The outcome of one calculation. OhmValue ends as the whole part in the unit of OhmRange.
struct Calculation
{
    std::uint64_t Hundredths = 0;
    std::uint64_t OhmValue = 0;
    std::uint8_t OhmRange = 0;
    std::string Text;
};

// True when at least one counted digit (Band1, Band2, and Band3 while shown) is not Black.
bool HasCountedDigit(const BandSelection &bands);

// The number written by the counted digits, leading zeros dropped (at most 999).
unsigned ValueAsString(const BandSelection &bands);

// The exact resistance in hundredths of an ohm, so Gold (x 0.1) and Silver (x 0.01) stay exact.
std::uint64_t ValueInHundredths(const BandSelection &bands);

// The resistance in whole ohms (the digits times the multiplier; Gold and Silver rounded down).
std::uint64_t ValueAsInt64(const BandSelection &bands);

// LowerThanKilo, Kilo, Mega or Giga for a value in whole ohms.
std::uint8_t OhmValueRange(std::uint64_t ohmValue);

// The result line for the selection; clB6 is the current temperature-coefficient label.
Calculation Calculate(const BandSelection &bands, std::string_view clB6);

// The refresh rule: the calculation when a counted digit is not Black, otherwise
// nothing, which is the order to clear the result.
std::optional<Calculation> RefreshResult(const BandSelection &bands, std::string_view clB6);

} // namespace bandix
