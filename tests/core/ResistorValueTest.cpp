// Tests of the value computation and the result line, by example table and over every selection.
#include "ResistorValue.h"

#include "ColourCode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <string>

namespace bandix {
namespace {

enum Colour { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White, Gold, Silver };

// Tolerance and coefficient lists start elsewhere in the colour order.
enum Tolerance { TolBrown, TolRed, TolGreen, TolBlue, TolViolet, TolGrey, TolGold, TolSilver };

BandSelection Bands(int mode, std::array<int, 6> items)
{
    BandSelection bands;
    bands.ItemIndex = items;
    bands.Band3Shown = mode >= 4;
    bands.Band5Shown = mode >= 5;
    bands.Band6Shown = mode >= 6;
    return bands;
}

struct ResultRow
{
    const char *Name;
    BandSelection Selection;
    const char *Expected; // nullptr: the result is cleared
};

class ResultTextTest : public testing::TestWithParam<ResultRow>
{
};

TEST_P(ResultTextTest, RefreshRuleWritesOrClears)
{
    const auto result = RefreshResult(GetParam().Selection, "Temperature Coefficient");
    if (!GetParam().Expected) {
        EXPECT_FALSE(result.has_value());
        return;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Text, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ResultTextTest,
    testing::Values(
        ResultRow{"FourPointSevenKilo", Bands(4, {Yellow, Violet, Black, Brown, 0, 0}),
                  "4,7 Kilo Ohm"},
        ResultRow{"HundredOhm", Bands(4, {Brown, Black, Black, Black, 0, 0}), "100 Ohm"},
        ResultRow{"WholeKiloHasNoComma", Bands(4, {Brown, Black, Black, Brown, 0, 0}),
                  "1 Kilo Ohm"},
        ResultRow{"KiloRemainderKeepsLeadingZero", Bands(4, {Brown, Black, Green, Brown, 0, 0}),
                  "1,05 Kilo Ohm"},
        ResultRow{"TenToTheNineIsThousandMega", Bands(4, {Brown, Black, Black, Violet, 0, 0}),
                  "1000 Mega Ohm"},
        ResultRow{"TwentyTwoGiga", Bands(4, {Red, Red, Black, Grey, 0, 0}), "22 Giga Ohm"},
        ResultRow{"ThreeBandTwoPointTwoKilo", Bands(3, {Red, Red, Red, Red, 0, 0}), "2,2 Kilo Ohm"},
        ResultRow{"FiveBandAddsTolerance", Bands(5, {Brown, Black, Black, Red, TolGold, 0}),
                  "10 Kilo Ohm\tTolerance +- 5%"},
        ResultRow{"SixBandAddsCoefficient", Bands(6, {Brown, Black, Black, Black, TolBrown, Red}),
                  "100 Ohm\tTolerance +- 1%\tTemperature Coefficient 50 ppm/K"},
        ResultRow{"LargestOhm", Bands(4, {White, White, White, Black, 0, 0}), "999 Ohm"},
        ResultRow{"SmallestKilo", Bands(3, {Brown, Black, 0, Red, 0, 0}), "1 Kilo Ohm"},
        ResultRow{"LargestKilo", Bands(4, {White, White, White, Orange, 0, 0}), "999 Kilo Ohm"},
        ResultRow{"SmallestMega", Bands(3, {Brown, Black, 0, Green, 0, 0}), "1 Mega Ohm"},
        ResultRow{"MegaRemainderKeepsLeadingZero", Bands(4, {Brown, Black, Green, Yellow, 0, 0}),
                  "1,05 Mega Ohm"},
        ResultRow{"JustAboveTenToTheNineIsGiga", Bands(3, {Brown, Brown, 0, Grey, 0, 0}),
                  "1,1 Giga Ohm"},
        ResultRow{"LargestSelection", Bands(4, {White, White, White, White, 0, 0}), "999 Giga Ohm"},
        ResultRow{"GigaRemainderKeepsNineDigitWidth", Bands(4, {Brown, Black, Brown, Violet, 0, 0}),
                  "1,01 Giga Ohm"},
        ResultRow{"FirstBlackDigitDropped", Bands(4, {Black, Brown, Black, Black, 0, 0}), "10 Ohm"},
        ResultRow{"GoldScalesByATenth", Bands(4, {Yellow, Violet, Black, Gold, 0, 0}), "47 Ohm"},
        ResultRow{"SilverScalesByAHundredth", Bands(4, {Yellow, Violet, Red, Silver, 0, 0}),
                  "4,72 Ohm"},
        ResultRow{"ThreeBandGold", Bands(3, {Yellow, Violet, Black, Gold, 0, 0}), "4,7 Ohm"},
        ResultRow{"ThreeBandSilverTenth", Bands(3, {Brown, Black, Black, Silver, 0, 0}), "0,1 Ohm"},
        ResultRow{"ThreeBandSilverHundredth", Bands(3, {Black, Brown, Black, Silver, 0, 0}),
                  "0,01 Ohm"},
        ResultRow{"GoldWithTolerance", Bands(5, {Brown, Black, Black, Gold, TolSilver, 0}),
                  "10 Ohm\tTolerance +- 10%"},
        ResultRow{"AllDigitsBlackClears", Bands(6, {Black, Black, Black, White, 3, 3}), nullptr},
        ResultRow{"HiddenThirdDigitDoesNotCount", Bands(3, {Black, Black, Red, Red, 0, 0}),
                  nullptr},
        ResultRow{"HiddenThirdDigitIgnored", Bands(3, {Brown, Black, White, Red, 0, 0}),
                  "1 Kilo Ohm"}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(RangeBoundaries, ChooseTheUnit)
{
    EXPECT_EQ(OhmValueRange(0), LowerThanKilo);
    EXPECT_EQ(OhmValueRange(999), LowerThanKilo);
    EXPECT_EQ(OhmValueRange(1'000), Kilo);
    EXPECT_EQ(OhmValueRange(999'999), Kilo);
    EXPECT_EQ(OhmValueRange(1'000'000), Mega);
    EXPECT_EQ(OhmValueRange(1'000'000'000), Mega);
    EXPECT_EQ(OhmValueRange(1'000'000'001), Giga);
}

TEST(Calculate, LeavesWholePartInTheUnit)
{
    const Calculation result = Calculate(Bands(4, {Yellow, Violet, Black, Brown, 0, 0}), "");
    EXPECT_EQ(result.OhmValue, 4u);
    EXPECT_EQ(result.OhmRange, Kilo);
}

TEST(Calculate, CoefficientLabelComesFromCaller)
{
    const auto result =
        Calculate(Bands(6, {Brown, Black, Black, Black, TolRed, Grey}), "Temperaturkoefficient");
    EXPECT_EQ(result.Text, "100 Ohm\tTolerance +- 2%\tTemperaturkoefficient 1 ppm/K");
}

TEST(Calculate, DigitOutsideItsListIsRejected)
{
    EXPECT_THROW(ValueAsString(Bands(4, {10, 0, 0, 0, 0, 0})), std::out_of_range);
    EXPECT_THROW(ValueAsString(Bands(4, {1, -1, 0, 0, 0, 0})), std::out_of_range);
}

TEST(ValueAsInt64, NoMultiplierSelectedLeavesTheDigits)
{
    EXPECT_EQ(ValueAsInt64(Bands(4, {Brown, Red, Orange, -1, 0, 0})), 123u);
}

// Reads "W[,F] Unit" back into hundredths of an ohm, checking the writing rules on the way.
std::uint64_t ParseHundredths(const std::string &text, std::uint8_t &range)
{
    struct UnitText
    {
        std::string_view Text;
        std::uint8_t Range;
        std::uint64_t Hundredths;
    };
    static constexpr UnitText Units[] = {{" Giga Ohm", Giga, 100'000'000'000},
                                         {" Mega Ohm", Mega, 100'000'000},
                                         {" Kilo Ohm", Kilo, 100'000},
                                         {" Ohm", LowerThanKilo, 100}};
    const std::string_view value = std::string_view(text).substr(0, text.find('\t'));
    for (const UnitText &unit : Units) {
        if (!value.ends_with(unit.Text))
            continue;
        range = unit.Range;
        const std::string_view number = value.substr(0, value.size() - unit.Text.size());
        const std::size_t comma = number.find(',');
        const std::string_view whole = number.substr(0, comma);
        EXPECT_TRUE(whole == "0" || whole.front() != '0') << text;
        std::uint64_t result = 0;
        std::from_chars(whole.data(), whole.data() + whole.size(), result);
        result *= unit.Hundredths;
        if (comma != std::string_view::npos) {
            const std::string_view fraction = number.substr(comma + 1);
            EXPECT_NE(fraction.back(), '0') << text;
            std::uint64_t scale = unit.Hundredths;
            for (char digit : fraction) {
                scale /= 10;
                result += static_cast<std::uint64_t>(digit - '0') * scale;
            }
        }
        return result;
    }
    ADD_FAILURE() << "no unit in " << text;
    return 0;
}

std::uint8_t ExpectedRange(std::uint64_t hundredths)
{
    const std::uint64_t ohms = hundredths / 100;
    if (ohms > 1'000'000'000)
        return Giga;
    return ohms < 1'000 ? LowerThanKilo : ohms < 1'000'000 ? Kilo : Mega;
}

// Every mode and every item of every list in use; hidden lists set to another item must not
// change the result.
TEST(EverySelection, TextParsesBackToTheExactValue)
{
    for (int mode = 3; mode <= 6; ++mode) {
        const int thirdCount = mode >= 4 ? DigitItemCount : 1;
        const int toleranceCount = mode >= 5 ? ToleranceItemCount : 1;
        const int coefficientCount = mode >= 6 ? CoefficientItemCount : 1;
        for (int b1 = 0; b1 < DigitItemCount; ++b1)
            for (int b2 = 0; b2 < DigitItemCount; ++b2)
                for (int b3 = 0; b3 < thirdCount; ++b3)
                    for (int b4 = 0; b4 < MultiplierItemCount; ++b4)
                        for (int b5 = 0; b5 < toleranceCount; ++b5)
                            for (int b6 = 0; b6 < coefficientCount; ++b6) {
                                const BandSelection bands = Bands(mode, {b1, b2, b3, b4, b5, b6});
                                const auto result = RefreshResult(bands, "TC");
                                const int digits = (b1 * 10 + b2) * (mode >= 4 ? 10 : 1) + b3;
                                ASSERT_EQ(result.has_value(), digits != 0)
                                    << mode << ' ' << b1 << b2 << b3;
                                if (!result)
                                    continue;

                                BandSelection moved = bands;
                                if (mode == 3)
                                    moved.ItemIndex[2] = (b1 + 3) % DigitItemCount;
                                if (mode < 5)
                                    moved.ItemIndex[4] = (b2 + 5) % ToleranceItemCount;
                                if (mode < 6)
                                    moved.ItemIndex[5] = (b4 + 2) % CoefficientItemCount;
                                ASSERT_EQ(RefreshResult(moved, "TC")->Text, result->Text);

                                auto expected = static_cast<std::uint64_t>(digits);
                                if (b4 < GoldMultiplier)
                                    for (int k = -2; k < b4; ++k)
                                        expected *= 10;
                                else if (b4 == GoldMultiplier)
                                    expected *= 10;
                                std::uint8_t range = 0;
                                ASSERT_EQ(ParseHundredths(result->Text, range), expected)
                                    << result->Text;
                                ASSERT_EQ(range, ExpectedRange(expected)) << result->Text;
                                ASSERT_EQ(result->OhmRange, range);

                                std::string tail;
                                if (mode >= 5)
                                    tail += "\tTolerance " + std::string(GetTolerance(b5));
                                if (mode >= 6)
                                    tail += "\tTC " + std::string(GetTemperatureCoefficient(b6));
                                ASSERT_TRUE(result->Text.ends_with(tail)) << result->Text;
                                ASSERT_EQ(
                                    std::count(result->Text.begin(), result->Text.end(), '\t'),
                                    mode - 4 > 0 ? mode - 4 : 0);
                            }
    }
}

} // namespace
} // namespace bandix
