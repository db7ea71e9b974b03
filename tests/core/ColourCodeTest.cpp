// Tests of the colour tables: paint and text colours per list kind, meanings, indices outside the
// lists.
#include "ColourCode.h"

#include <gtest/gtest.h>

#include <string>

namespace bandix {
namespace {

using Lookup = std::optional<ItemColors> (*)(int);

struct ColourRow
{
    const char *Name;
    Lookup List;
    int Index;
    std::optional<ItemColors> Expected;
};

class ItemColoursTest : public testing::TestWithParam<ColourRow>
{
};

TEST_P(ItemColoursTest, YieldsPaintAndTextColour)
{
    EXPECT_EQ(GetParam().List(GetParam().Index), GetParam().Expected);
}

constexpr ItemColors On(TColor paint, TColor text)
{
    return {paint, text};
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ItemColoursTest,
    testing::Values(
        ColourRow{"BlackDigitWhiteText", ColorFirst4Bands, 0, On(0x000000, clWhiteText)},
        ColourRow{"BrownIsStoredBlueGreenRed", ColorFirst4Bands, 1, On(0x2A2AA5, clWhiteText)},
        ColourRow{"RedInLowByte", ColorFirst4Bands, 2, On(0x0000FF, clWhiteText)},
        ColourRow{"OrangeBlackText", ColorFirst4Bands, 3, On(0x00A5FF, clBlackText)},
        ColourRow{"YellowBlackText", ColorFirst4Bands, 4, On(0x00FFFF, clBlackText)},
        ColourRow{"GreenWhiteText", ColorFirst4Bands, 5, On(0x008000, clWhiteText)},
        ColourRow{"BlueInHighByte", ColorFirst4Bands, 6, On(0xFF0000, clWhiteText)},
        ColourRow{"VioletBlackText", ColorFirst4Bands, 7, On(0xEE82EE, clBlackText)},
        ColourRow{"GreyWhiteText", ColorFirst4Bands, 8, On(0x808080, clWhiteText)},
        ColourRow{"WhiteBlackText", ColorFirst4Bands, 9, On(0xFFFFFF, clBlackText)},
        ColourRow{"GoldMultiplierWhiteText", ColorFirst4Bands, 10, On(0x00D7FF, clWhiteText)},
        ColourRow{"SilverMultiplierBlackText", ColorFirst4Bands, 11, On(0xC0C0C0, clBlackText)},
        ColourRow{"MultiplierListEndsAtSilver", ColorFirst4Bands, 12, std::nullopt},
        ColourRow{"NoSelectionFirst4", ColorFirst4Bands, -1, std::nullopt},
        ColourRow{"ToleranceStartsAtBrown", Color5Band, 0, On(0x2A2AA5, clWhiteText)},
        ColourRow{"ToleranceVioletBlackText", Color5Band, 4, On(0xEE82EE, clBlackText)},
        ColourRow{"GoldToleranceBlackText", Color5Band, 6, On(0x00D7FF, clBlackText)},
        ColourRow{"SilverTolerance", Color5Band, 7, On(0xC0C0C0, clBlackText)},
        ColourRow{"ToleranceListHasEightItems", Color5Band, 8, std::nullopt},
        ColourRow{"NoSelectionTolerance", Color5Band, -1, std::nullopt},
        ColourRow{"CoefficientBlack", Color6Band, 0, On(0x000000, clWhiteText)},
        ColourRow{"CoefficientOrangeBlackText", Color6Band, 3, On(0x00A5FF, clBlackText)},
        ColourRow{"CoefficientGrey", Color6Band, 8, On(0x808080, clWhiteText)},
        ColourRow{"CoefficientListHasNineItems", Color6Band, 9, std::nullopt},
        ColourRow{"NoSelectionCoefficient", Color6Band, -1, std::nullopt}),
    [](const auto &info) { return std::string(info.param.Name); });

struct MeaningRow
{
    const char *Name;
    std::string_view (*Meaning)(int);
    int Index;
    std::string_view Expected;
};

class MeaningTest : public testing::TestWithParam<MeaningRow>
{
};

TEST_P(MeaningTest, YieldsTextOrEmpty)
{
    EXPECT_EQ(GetParam().Meaning(GetParam().Index), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MeaningTest,
    testing::Values(MeaningRow{"BrownOnePercent", GetTolerance, 0, "+- 1%"},
                    MeaningRow{"GreenHalfPercentWithPoint", GetTolerance, 2, "+- 0.5%"},
                    MeaningRow{"BlueQuarterPercent", GetTolerance, 3, "+- 0.25%"},
                    MeaningRow{"VioletKeepsTrailingZero", GetTolerance, 4, "+- 0.10%"},
                    MeaningRow{"GreyFiveHundredths", GetTolerance, 5, "+- 0.05%"},
                    MeaningRow{"GoldFivePercent", GetTolerance, 6, "+- 5%"},
                    MeaningRow{"SilverTenPercent", GetTolerance, 7, "+- 10%"},
                    MeaningRow{"ToleranceOutOfList", GetTolerance, 8, ""},
                    MeaningRow{"ToleranceNoSelection", GetTolerance, -1, ""},
                    MeaningRow{"BlackTwoHundredFifty", GetTemperatureCoefficient, 0, "250 ppm/K"},
                    MeaningRow{"OrangeBeforeYellow", GetTemperatureCoefficient, 3, "15 ppm/K"},
                    MeaningRow{"YellowTwentyFive", GetTemperatureCoefficient, 4, "25 ppm/K"},
                    MeaningRow{"GreyOnePpm", GetTemperatureCoefficient, 8, "1 ppm/K"},
                    MeaningRow{"CoefficientOutOfList", GetTemperatureCoefficient, 9, ""},
                    MeaningRow{"CoefficientNoSelection", GetTemperatureCoefficient, -1, ""}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(ColourOfItem, ListsNameTheColourTheyPaint)
{
    for (int i = 0; i < MultiplierItemCount; ++i)
        EXPECT_EQ(ColorFirst4Bands(i)->BColor, SwatchColour(DigitOrMultiplierColour(i))) << i;
    for (int i = 0; i < ToleranceItemCount; ++i)
        EXPECT_EQ(Color5Band(i)->BColor, SwatchColour(ToleranceColour(i))) << i;
    for (int i = 0; i < CoefficientItemCount; ++i)
        EXPECT_EQ(Color6Band(i)->BColor, SwatchColour(CoefficientColour(i))) << i;
    EXPECT_EQ(ToleranceColour(6), BandColour::Gold);
    EXPECT_THROW(ToleranceColour(8), std::out_of_range);
}

} // namespace
} // namespace bandix
