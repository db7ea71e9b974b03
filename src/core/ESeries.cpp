// The published members of E24 and E192 (IEC 60063); the coarser series step through them.
#include "ESeries.h"

#include "TextPattern.h"

#include <algorithm>
#include <array>

namespace bandix {

namespace {

// IEC 60063, E24: two counting digits.
constexpr std::array<std::uint16_t, 24> E24 = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                               33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

// IEC 60063, E192: three counting digits.
constexpr std::array<std::uint16_t, 192> E192 = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120, 121, 123,
    124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145, 147, 149, 150, 152,
    154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176, 178, 180, 182, 184, 187, 189,
    191, 193, 196, 198, 200, 203, 205, 208, 210, 213, 215, 218, 221, 223, 226, 229, 232, 234,
    237, 240, 243, 246, 249, 252, 255, 258, 261, 264, 267, 271, 274, 277, 280, 284, 287, 291,
    294, 298, 301, 305, 309, 312, 316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361,
    365, 370, 374, 379, 383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448,
    453, 459, 464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673, 681, 690,
    698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816, 825, 835, 845, 856,
    866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988};

// The tolerances are those each series' step was chosen for.
constexpr std::array<ESeries, 7> Series = {{
    {"E3", 400, E24, 8, 2},
    {"E6", 200, E24, 4, 2},
    {"E12", 100, E24, 2, 2},
    {"E24", 50, E24, 1, 2},
    {"E48", 20, E192, 4, 3},
    {"E96", 10, E192, 2, 3},
    {"E192", 5, E192, 1, 3},
}};

constexpr unsigned MostCountingDigits = 3;

bool Holds(const ESeries &series, std::uint64_t digits)
{
    std::uint64_t scale = 1;
    for (unsigned i = series.CountingDigits; i < MostCountingDigits; ++i)
        scale *= 10;
    if (digits % scale != 0)
        return false;
    const auto found = std::ranges::lower_bound(series.Decade, digits / scale);
    return found != series.Decade.end() && *found == digits / scale &&
           static_cast<std::size_t>(found - series.Decade.begin()) % series.Step == 0;
}

} // namespace

std::span<const ESeries> AllESeries()
{
    return Series;
}

const ESeries *SmallestSeriesOf(std::uint64_t hundredths)
{
    if (hundredths == 0)
        return nullptr;
    // The significant digits, brought to three: 4,7 kOhm and 47 Ohm are both 470.
    std::uint64_t digits = hundredths;
    while (digits % 10 == 0)
        digits /= 10;
    while (digits < 100)
        digits *= 10;
    const auto found = std::ranges::find_if(
        Series, [digits](const ESeries &series) { return Holds(series, digits); });
    return found == Series.end() ? nullptr : &*found;
}

std::string SeriesDescription(std::uint64_t hundredths, const SeriesWording &wording)
{
    const ESeries *series = SmallestSeriesOf(hundredths);
    if (!series)
        return std::string(wording.InNoSeries);
    std::string tolerance = std::to_string(series->TolerancePerMille / 10);
    if (series->TolerancePerMille % 10 != 0)
        tolerance.append(wording.DecimalMark)
            .append(std::to_string(series->TolerancePerMille % 10));
    return FillIn(wording.InSeries, {series->Name, tolerance});
}

} // namespace bandix
