// Tests of the language tables and the switch between them.
#include "Language.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Language;

std::vector<std::string> CurrentTexts()
{
    std::vector<std::string> texts{clB1, clB2, clB3, clB4, clB5, clB6};
    for (int colour = 1; colour <= 12; ++colour)
        texts.push_back(ColourName(colour));
    texts.insert(texts.end(), {clNumberBands, clLanguage, clDanish, clEnglish});
    return texts;
}

const std::vector<std::string> English = {"First Band",
                                          "Second Band",
                                          "Third Band",
                                          "Multiplier",
                                          "Tolerance",
                                          "Temperature Coefficient",
                                          "Black",
                                          "Brown",
                                          "Red",
                                          "Orange",
                                          "Yellow",
                                          "Green",
                                          "Blue",
                                          "Violet",
                                          "Grey",
                                          "White",
                                          "Gold",
                                          "Silver",
                                          " Number of Bands ",
                                          " Language ",
                                          "Danish",
                                          "English"};

const std::vector<std::string> Danish = {"Første ring",   "Anden ring", "Tredie ring",
                                         "Multiplikator", "Tolerance",  "Temperaturkoefficient",
                                         "Sort",          "Brun",       "Rød",
                                         "Orange",        "Gul",        "Grøn",
                                         "Blå",           "Violet",     "Grå",
                                         "Hvid",          "Guld",       "Sølv",
                                         " Antal ringe ", " Sprog ",    "Dansk",
                                         "Engelsk"};

struct SwitchRow
{
    const char *Name;
    std::uint8_t Code;
    const std::vector<std::string> *Expected;
};

class ChangeLanguageTest : public testing::TestWithParam<SwitchRow>
{
};

TEST_P(ChangeLanguageTest, CopiesTheWholeTable)
{
    // Start from the other language so every text must really be copied.
    SelectedLanguage = GetParam().Expected == &English ? Dk : Uk;
    ChangeLanguage();
    SelectedLanguage = GetParam().Code;
    ChangeLanguage();
    EXPECT_EQ(CurrentTexts(), *GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, ChangeLanguageTest,
                         testing::Values(SwitchRow{"EnglishCode", Uk, &English},
                                         SwitchRow{"DanishCode", Dk, &Danish},
                                         SwitchRow{"UnreadSettingsMeanDanish", 0, &Danish},
                                         SwitchRow{"AnyOtherCodeMeansDanish", 255, &Danish}),
                         [](const auto &info) { return std::string(info.param.Name); });

TEST(ChangeLanguage, EnglishDanishEnglishRestoresEveryText)
{
    Change2uk();
    Change2dk();
    Change2uk();
    EXPECT_EQ(CurrentTexts(), English);
}

TEST(ColourName, RejectsNumbersOutsideTheColours)
{
    EXPECT_THROW(ColourName(0), std::out_of_range);
    EXPECT_THROW(ColourName(13), std::out_of_range);
}

} // namespace
