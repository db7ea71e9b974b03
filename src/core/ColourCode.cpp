// The colour code tables as data: one row per colour, one row per list item.
#include "ColourCode.h"

#include <array>
#include <span>
#include <stdexcept>
#include <string>

namespace bandix {

namespace {

constexpr std::array<TColor, ColourCount> Swatches = {
    0x000000, // Black
    0x2A2AA5, // Brown
    0x0000FF, // Red
    0x00A5FF, // Orange
    0x00FFFF, // Yellow
    0x008000, // Green
    0xFF0000, // Blue
    0xEE82EE, // Violet
    0x808080, // Grey
    0xFFFFFF, // White
    0x00D7FF, // Gold
    0xC0C0C0, // Silver
};

struct ListItem
{
    BandColour Colour;
    TColor TextColour;
    std::string_view Meaning; // tolerance or coefficient text; empty for digits and multipliers
};

using enum BandColour;

// Digits are the item index; the multiplier of item k (0..9) is 10^k, Gold and Silver 0.1 and 0.01.
constexpr std::array<ListItem, MultiplierItemCount> DigitAndMultiplierItems = {{
    {Black, clWhiteText, {}},
    {Brown, clWhiteText, {}},
    {Red, clWhiteText, {}},
    {Orange, clBlackText, {}},
    {Yellow, clBlackText, {}},
    {Green, clWhiteText, {}},
    {Blue, clWhiteText, {}},
    {Violet, clBlackText, {}},
    {Grey, clWhiteText, {}},
    {White, clBlackText, {}},
    {Gold, clWhiteText, {}},
    {Silver, clBlackText, {}},
}};

// Gold carries black text here but white text in the multiplier list.
constexpr std::array<ListItem, ToleranceItemCount> ToleranceItems = {{
    {Brown, clWhiteText, "+- 1%"},
    {Red, clWhiteText, "+- 2%"},
    {Green, clWhiteText, "+- 0.5%"},
    {Blue, clWhiteText, "+- 0.25%"},
    {Violet, clBlackText, "+- 0.10%"},
    {Grey, clWhiteText, "+- 0.05%"},
    {Gold, clBlackText, "+- 5%"},
    {Silver, clBlackText, "+- 10%"},
}};

// In colour order, not by size: Orange (15) comes before Yellow (25).
constexpr std::array<ListItem, CoefficientItemCount> CoefficientItems = {{
    {Black, clWhiteText, "250 ppm/K"},
    {Brown, clWhiteText, "100 ppm/K"},
    {Red, clWhiteText, "50 ppm/K"},
    {Orange, clBlackText, "15 ppm/K"},
    {Yellow, clBlackText, "25 ppm/K"},
    {Green, clWhiteText, "20 ppm/K"},
    {Blue, clWhiteText, "10 ppm/K"},
    {Violet, clBlackText, "5 ppm/K"},
    {Grey, clWhiteText, "1 ppm/K"},
}};

const ListItem *FindItem(std::span<const ListItem> items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

std::optional<ItemColors> ColorsOf(std::span<const ListItem> items, int index)
{
    const ListItem *item = FindItem(items, index);
    if (!item)
        return std::nullopt;
    return ItemColors{SwatchColour(item->Colour), item->TextColour};
}

BandColour ColourOf(std::span<const ListItem> items, int index)
{
    const ListItem *item = FindItem(items, index);
    if (!item)
        throw std::out_of_range("No list item " + std::to_string(index));
    return item->Colour;
}

std::string_view MeaningOf(std::span<const ListItem> items, int index)
{
    const ListItem *item = FindItem(items, index);
    return item ? item->Meaning : std::string_view{};
}

} // namespace

TColor SwatchColour(BandColour colour)
{
    return Swatches[static_cast<std::size_t>(colour) - 1];
}

BandColour DigitOrMultiplierColour(int index)
{
    return ColourOf(DigitAndMultiplierItems, index);
}

BandColour ToleranceColour(int index)
{
    return ColourOf(ToleranceItems, index);
}

BandColour CoefficientColour(int index)
{
    return ColourOf(CoefficientItems, index);
}

std::optional<ItemColors> ColorFirst4Bands(int index)
{
    return ColorsOf(DigitAndMultiplierItems, index);
}

std::optional<ItemColors> Color5Band(int index)
{
    return ColorsOf(ToleranceItems, index);
}

std::optional<ItemColors> Color6Band(int index)
{
    return ColorsOf(CoefficientItems, index);
}

std::string_view GetTolerance(int index)
{
    return MeaningOf(ToleranceItems, index);
}

std::string_view GetTemperatureCoefficient(int index)
{
    return MeaningOf(CoefficientItems, index);
}

} // namespace bandix
