// Tests of reading a value from text and coding it in bands: forms and refusals by table, and
// every result line the window can show read back to itself.
#include "ValueParser.h"
#include "BandEncoder.h"
#include "Language.h"

#include <gtest/gtest.h>

#include <string>

namespace bandix {
namespace {

enum Colour { Black, Brown, Red, Orange, Yellow, Green, Blue, Violet, Grey, White, Gold, Silver };

// Each refusal names itself and its particulars, so a row says which one it expects.
const PasteWording Marked{.NoText = "NoText",
                          .TooLong = "TooLong %1",
                          .NoResistance = "NoResistance %1",
                          .Negative = "Negative %1",
                          .BelowSmallest = "Below %1",
                          .AboveLargest = "Above %1",
                          .TooManyDigits = "Digits %1 %2",
                          .TooFine = "Fine %1",
                          .UnknownTolerance = "Tolerance %1: %2",
                          .UnknownCoefficient = "Coefficient %1",
                          .Unexpected = "Unexpected %1",
                          .SecondTolerance = "SecondTolerance %1",
                          .SecondCoefficient = "SecondCoefficient %1",
                          .CoefficientCaptions = Language::CoefficientCaptions};

BandSelection Bands(int mode, std::array<int, 6> items)
{
    return {items, mode >= 4, mode >= 5, mode >= 6};
}

struct PasteRow
{
    const char *Name;
    std::string Text;
    int FromMode;
    int Mode;                 // the band count pasting chooses
    std::array<int, 6> Items; // the lists' items after pasting
    std::string Refusal;      // empty: accepted
};

// Before pasting: a hidden third digit, tolerance and coefficient items that must stay.
constexpr std::array<int, 6> Before = {Black, Black, Green, Black, 3, 4};

PasteRow Accepted(const char *name, std::string text, int from, int mode, std::array<int, 6> items)
{
    return {name, std::move(text), from, mode, items, {}};
}

PasteRow Refused(const char *name, std::string text, std::string refusal)
{
    return {name, std::move(text), 4, 4, Before, std::move(refusal)};
}

class PasteTextTest : public testing::TestWithParam<PasteRow>
{
};

TEST_P(PasteTextTest, GivesBandsOrSaysWhyNot)
{
    const PasteRow &row = GetParam();
    try {
        const CodedBands coded =
            CodeValue(ParseValue(row.Text, Marked), Bands(row.FromMode, Before), row.FromMode - 3);
        EXPECT_EQ(row.Refusal, "") << "accepted";
        EXPECT_EQ(coded.NumberBandsIndex + 3, row.Mode);
        EXPECT_EQ(coded.Bands.ItemIndex, row.Items);
    } catch (const ValueRefused &refusal) {
        EXPECT_EQ(refusal.what(), row.Refusal);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PasteTextTest,
    testing::Values(
        Accepted("BandixLine", "4,7 Kilo Ohm", 4, 4, {Yellow, Violet, Black, Brown, 3, 4}),
        Accepted("BandixTolerance", "10 Kilo Ohm\tTolerance +- 5%", 4, 5, {Brown, 0, 0, Red, 6, 4}),
        Accepted("BandixDanishCoefficient",
                 "100 Ohm\tTolerance +- 1%\tTemperaturkoefficient 50 ppm/K", 4, 6,
                 {Brown, 0, 0, 0, 0, 2}),
        Accepted("BandixPart", "7 Kilo", 4, 4, {Violet, 0, 0, Brown, 3, 4}),
        Accepted("PlainOhms", "4700", 4, 4, {Yellow, Violet, 0, Brown, 3, 4}),
        Accepted("PointFillsDigitsWithSilver", "4.7", 4, 4, {Yellow, Violet, 0, Silver, 3, 4}),
        Accepted("BlackFirstOnlyWhenUnavoidable", "0,22", 4, 4, {0, Red, Red, Silver, 3, 4}),
        Accepted("ThreeBandsAvoidItThere", "0,47", 3, 3, {Yellow, Violet, Green, Silver, 3, 4}),
        Accepted("PrefixAndOmega", "\u00A04,7 kΩ\r\n", 4, 4, {4, 7, 0, 1, 3, 4}),
        Accepted("LetterAndOhm", "4K7 ohm", 4, 4, {Yellow, Violet, 0, Brown, 3, 4}),
        Accepted("MegaOhm", "1.5 MOhm", 4, 4, {Brown, Green, 0, Yellow, 3, 4}),
        Accepted("GigaOhmSign", "22 GΩ", 4, 4, {Red, Red, 0, Grey, 3, 4}),
        Accepted("Ohms", "470 ohms", 4, 4, {Yellow, Violet, 0, Black, 3, 4}),
        Accepted("Kilohms", "4.7 kilohms", 4, 4, {Yellow, Violet, 0, Brown, 3, 4}),
        Accepted("Exponent", "47E-1", 4, 4, {Yellow, Violet, 0, Silver, 3, 4}),
        Accepted("MegaLetter", "1M5", 4, 4, {Brown, Green, 0, Yellow, 3, 4}),
        Accepted("GigaLetter", "2G2", 4, 4, {Red, Red, 0, Violet, 3, 4}),
        Accepted("OhmLetter", "0R22", 4, 4, {0, Red, Red, Silver, 3, 4}),
        Accepted("OhmLetterFirst", "R47", 4, 4, {0, Yellow, Violet, Silver, 3, 4}),
        Accepted("OhmLetterLast", "470R", 4, 4, {Yellow, Violet, 0, Black, 3, 4}),
        Accepted("PlusMinusSign", "4k7 ±1%", 4, 5, {4, 7, 0, 1, 0, 4}),
        Accepted("PlusMinusLetters", "4k7 +-0.5%", 4, 5, {4, 7, 0, 1, 2, 4}),
        Accepted("PlusSlashMinus", "4k7 +/- 5 %", 4, 5, {4, 7, 0, 1, 6, 4}),
        Accepted("BareTolerance", "4k7 10%", 4, 5, {4, 7, 0, 1, 7, 4}),
        Accepted("CoefficientPerKelvin", "4k7 15 ppm/K", 4, 6, {4, 7, 0, 1, 3, 3}),
        Accepted("CoefficientBare", "4k7 5ppm", 4, 6, {4, 7, 0, 1, 3, 7}),
        Accepted("CoefficientPerDegree", "4k7 250 ppm/°C", 4, 6, {4, 7, 0, 1, 3, 0}),
        Accepted("EitherOrderAndSeparators", "4k7, 50ppm; 1%", 4, 6, {4, 7, 0, 1, 0, 2}),
        Accepted("ThreeBandsKept", "2,2 Kilo Ohm", 3, 3, {Red, Red, Green, Red, 3, 4}),
        Accepted("ThreeDigitsNeedFour", "4,75 Kilo Ohm", 3, 4, {4, 7, 5, 1, 3, 4}),
        Accepted("ToleranceNeedsFive", "4k7 1%", 3, 5, {4, 7, 0, 1, 0, 4}),
        Accepted("SixBandsKeepTheirCoefficient", "4k7 1%", 6, 6, {4, 7, 0, 1, 0, 4}),
        Accepted("LargestFromThreeBands", "999 Giga Ohm", 3, 4, {9, 9, 9, White, 3, 4}),
        Accepted("SmallestInThreeBands", "0,01", 3, 3, {0, Brown, Green, Silver, 3, 4}),
        Refused("Empty", "", "NoText"), Refused("BlanksOnly", " \t\r\n", "NoText"),
        Refused("TooLong", std::string(MaxValueTextLength, ' ') + "1", "TooLong 512"),
        Refused("FourDigits", "4,712 Kilo Ohm", "Digits 4,712 Kilo Ohm 4"),
        Refused("BelowSmallest", "0,005", "Below 0,005"), Refused("Zero", "0R", "Below 0R"),
        Refused("MilliIsNotMega", "4m7", "Below 4m7"),
        Refused("AboveLargest", "999,1 Giga Ohm", "Above 999,1 Giga Ohm"),
        Refused("HugeExponent", "1e308", "Above 1e308"),
        Refused("FourHundredDigits", std::string(400, '9'), "Above " + std::string(40, '9') + "…"),
        Refused("FinerThanSilver", "0.015", "Fine 0.015"),
        Refused("NoColourTolerance", "4k7 ±3%",
                "Tolerance ±3%: +- 1%, +- 2%, +- 0.5%, +- 0.25%, +- 0.10%, +- 0.05%, "
                "+- 5%, +- 10%"),
        Refused("NoColourCoefficient", "4k7 30 ppm/K", "Coefficient 30 ppm/K"),
        Refused("NotANumber", "NaN", "NoResistance NaN"),
        Refused("ToleranceAlone", "5%", "NoResistance 5%"),
        Refused("Negative", "-4k7", "Negative -4k7"),
        Refused("Trailing", "4k7 foo", "Unexpected foo"),
        Refused("ControlCharacter", "4k7\x01", "Unexpected  "),
        Refused("TwoTolerances", "4k7 1% 5%", "SecondTolerance 5%"),
        Refused("TwoCoefficients", "4k7 50ppm 5ppm", "SecondCoefficient 5ppm")),
    [](const auto &info) { return std::string(info.param.Name); });

// Copy in a window in any state and paste in a fresh one (4 bands, every list on its first
// item, the same language): the result line is the same. The languages take turns, so each
// meets every tolerance and coefficient.
TEST(PasteRoundTrip, EveryResultLineReadsBackToItself)
{
    const BandSelection fresh = Bands(4, {});
    std::size_t turn = 0;
    for (int mode = 3; mode <= 6; ++mode)
        for (int b1 = 0; b1 < 10; ++b1)
            for (int b2 = 0; b2 < 10; ++b2)
                for (int b3 = 0; b3 < (mode >= 4 ? 10 : 1); ++b3)
                    for (int b4 = 0; b4 < 12; ++b4)
                        for (int b5 = 0; b5 < (mode >= 5 ? 8 : 1); ++b5)
                            for (int b6 = 0; b6 < (mode >= 6 ? 9 : 1); ++b6) {
                                const std::string_view caption =
                                    Language::CoefficientCaptions[++turn % 2];
                                const auto copied =
                                    RefreshResult(Bands(mode, {b1, b2, b3, b4, b5, b6}), caption);
                                if (!copied)
                                    continue;
                                const CodedBands pasted =
                                    CodeValue(ParseValue(copied->Text, Marked), fresh, 1);
                                ASSERT_EQ(RefreshResult(pasted.Bands, caption)->Text, copied->Text);
                            }
}

} // namespace
} // namespace bandix
