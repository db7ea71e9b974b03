// The IEC 60063 series of preferred values, E3 to E192, and which of them holds a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace bandix {

struct ESeries
{
    std::string_view Name;
    unsigned TolerancePerMille; // the tolerance the series is made for, in tenths of a percent
    // Each series is every second, fourth or eighth member of a finer one: the finer decade and
    // the step through it. Members are counting digits, two for E3 to E24, three for E48 on.
    std::span<const std::uint16_t> Decade;
    std::size_t Step;
    unsigned CountingDigits;

    std::size_t Count() const { return Decade.size() / Step; }
    std::uint16_t Member(std::size_t i) const { return Decade[i * Step]; }
};

// E3, E6, E12, E24, E48, E96, E192, coarsest first.
std::span<const ESeries> AllESeries();

// The coarsest series that holds the value's significant digits, or nullptr for none.
const ESeries *SmallestSeriesOf(std::uint64_t hundredths);

// The series' wording in the user's language: %1 its name, %2 its tolerance.
struct SeriesWording
{
    std::string_view InSeries;
    std::string_view InNoSeries;
    std::string_view DecimalMark;
};

// What the result line's tooltip says of a value: "E12 value (±10 %)", or that it is in none.
std::string SeriesDescription(std::uint64_t hundredths, const SeriesWording &wording);

} // namespace bandix
