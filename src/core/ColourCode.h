// The resistor colour code: which colours each band list offers, how each is painted, what it
// means.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bandix {

// A platform colour value in the form 0x00BBGGRR: red in the low byte.
using TColor = std::uint32_t;

inline constexpr TColor clBlackText = 0x000000;
inline constexpr TColor clWhiteText = 0xFFFFFF;

// The paint colour and the text colour of one list item.
struct ItemColors
{
    TColor BColor;
    TColor FColor;

    friend bool operator==(const ItemColors &, const ItemColors &) = default;
};

// The twelve band colours, numbered 1 to 12 in the colour order.
enum class BandColour : std::uint8_t {
    Black = 1,
    Brown,
    Red,
    Orange,
    Yellow,
    Green,
    Blue,
    Violet,
    Grey,
    White,
    Gold,
    Silver
};

inline constexpr int ColourCount = 12;

// Swatch colour of a colour number 1..12.
TColor SwatchColour(BandColour colour);

// Items of the digit lists (Band1..Band3), the multiplier list (Band4), the
// tolerance list (Band5) and the temperature-coefficient list (Band6).
inline constexpr int DigitItemCount = 10;
inline constexpr int MultiplierItemCount = 12;
inline constexpr int ToleranceItemCount = 8;
inline constexpr int CoefficientItemCount = 9;

// Colour number (1..12) of an item of each kind of list; the caller keeps the index in range.
BandColour DigitOrMultiplierColour(int index);
BandColour ToleranceColour(int index);
BandColour CoefficientColour(int index);

// Paint and text colour of an item, or nothing for an index outside the list.
std::optional<ItemColors> ColorFirst4Bands(int index);
std::optional<ItemColors> Color5Band(int index);
std::optional<ItemColors> Color6Band(int index);

// The tolerance or coefficient text of an item; empty outside the list.
std::string_view GetTolerance(int index);
std::string_view GetTemperatureCoefficient(int index);

} // namespace bandix
