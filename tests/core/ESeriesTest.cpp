// The E-series table against IEC 60063, and the series a value's tooltip names.
#include "ESeries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

namespace bandix {
namespace {

// IEC 60063 publishes each series' members as 10^(i/n) rounded to its counting digits, but for
// these values (the published one, then the rounded power), kept from the older series.
const std::map<int, int> Exceptions = {{27, 26}, {30, 29}, {33, 32}, {36, 35},  {39, 38},
                                       {43, 42}, {47, 46}, {82, 83}, {920, 919}};

TEST(ESeriesTable, MembersAreThePublishedValues)
{
    for (const ESeries &series : AllESeries()) {
        const auto count = std::stoul(std::string(series.Name.substr(1)));
        ASSERT_EQ(series.Count(), count) << series.Name;
        for (std::size_t i = 0; i < count; ++i) {
            const auto rounded = static_cast<int>(
                std::lround(std::pow(10.0, series.CountingDigits - 1 + double(i) / double(count))));
            const auto exception = Exceptions.find(series.Member(i));
            EXPECT_EQ(exception == Exceptions.end() ? series.Member(i) : exception->second, rounded)
                << series.Name << " member " << i;
        }
    }
}

TEST(ESeriesTable, TooltipNamesTheCoarsestSeries)
{
    const SeriesWording wording{"%1 (%2)", "none", ","};
    const std::map<std::uint64_t, std::string> expected = {
        {47, "E3 (40)"},          {150'000, "E6 (20)"}, {1'200, "E12 (10)"},
        {110'000'000, "E24 (5)"}, {10'500, "E48 (2)"},  {1'020, "E96 (1)"},
        {92'000, "E192 (0,5)"},   {999, "none"},        {47'500'000'000'000, "E96 (1)"}};
    for (const auto &[hundredths, description] : expected)
        EXPECT_EQ(SeriesDescription(hundredths, wording), description) << hundredths;
}

} // namespace
} // namespace bandix
