// One row per text: where the current text lives and its English and Danish wording.
#include "Language.h"

#include <array>
#include <stdexcept>

namespace Language {

std::uint8_t SelectedLanguage = 0;

std::string clB1, clB2, clB3, clB4, clB5, clB6;
std::string clColor1, clColor2, clColor3, clColor4, clColor5, clColor6;
std::string clColor7, clColor8, clColor9, clColor10, clColor11, clColor12;
std::string clNumberBands, clLanguage, clDanish, clEnglish;
std::string clCopy, clPasteValue, clSeriesValue, clNoSeries, clDecimalMark;
std::string clRefusedNoText, clRefusedTooLong, clRefusedNoResistance, clRefusedNegative;
std::string clRefusedBelowSmallest, clRefusedAboveLargest, clRefusedTooManyDigits;
std::string clRefusedTooFine, clRefusedUnknownTolerance, clRefusedUnknownCoefficient;
std::string clRefusedUnexpected, clRefusedSecondTolerance, clRefusedSecondCoefficient;

namespace {

struct TextRow
{
    std::string *Current;
    std::string_view English;
    std::string_view Danish;
};

const std::array<TextRow, 40> Texts = {{
    {&clB1, ukB1, dkB1},
    {&clB2, ukB2, dkB2},
    {&clB3, ukB3, dkB3},
    {&clB4, ukB4, dkB4},
    {&clB5, ukB5, dkB5},
    {&clB6, ukB6, dkB6},
    {&clColor1, ukColor1, dkColor1},
    {&clColor2, ukColor2, dkColor2},
    {&clColor3, ukColor3, dkColor3},
    {&clColor4, ukColor4, dkColor4},
    {&clColor5, ukColor5, dkColor5},
    {&clColor6, ukColor6, dkColor6},
    {&clColor7, ukColor7, dkColor7},
    {&clColor8, ukColor8, dkColor8},
    {&clColor9, ukColor9, dkColor9},
    {&clColor10, ukColor10, dkColor10},
    {&clColor11, ukColor11, dkColor11},
    {&clColor12, ukColor12, dkColor12},
    {&clNumberBands, ukNumberBands, dkNumberBands},
    {&clLanguage, ukLanguage, dkLanguage},
    {&clDanish, ukDanish, dkDanish},
    {&clEnglish, ukEnglish, dkEnglish},
    {&clCopy, ukCopy, dkCopy},
    {&clPasteValue, ukPasteValue, dkPasteValue},
    {&clSeriesValue, ukSeriesValue, dkSeriesValue},
    {&clNoSeries, ukNoSeries, dkNoSeries},
    {&clDecimalMark, ukDecimalMark, dkDecimalMark},
    {&clRefusedNoText, ukRefusedNoText, dkRefusedNoText},
    {&clRefusedTooLong, ukRefusedTooLong, dkRefusedTooLong},
    {&clRefusedNoResistance, ukRefusedNoResistance, dkRefusedNoResistance},
    {&clRefusedNegative, ukRefusedNegative, dkRefusedNegative},
    {&clRefusedBelowSmallest, ukRefusedBelowSmallest, dkRefusedBelowSmallest},
    {&clRefusedAboveLargest, ukRefusedAboveLargest, dkRefusedAboveLargest},
    {&clRefusedTooManyDigits, ukRefusedTooManyDigits, dkRefusedTooManyDigits},
    {&clRefusedTooFine, ukRefusedTooFine, dkRefusedTooFine},
    {&clRefusedUnknownTolerance, ukRefusedUnknownTolerance, dkRefusedUnknownTolerance},
    {&clRefusedUnknownCoefficient, ukRefusedUnknownCoefficient, dkRefusedUnknownCoefficient},
    {&clRefusedUnexpected, ukRefusedUnexpected, dkRefusedUnexpected},
    {&clRefusedSecondTolerance, ukRefusedSecondTolerance, dkRefusedSecondTolerance},
    {&clRefusedSecondCoefficient, ukRefusedSecondCoefficient, dkRefusedSecondCoefficient},
}};

const std::array<const std::string *, 12> ColourNames = {
    &clColor1, &clColor2, &clColor3, &clColor4,  &clColor5,  &clColor6,
    &clColor7, &clColor8, &clColor9, &clColor10, &clColor11, &clColor12,
};

} // namespace

void Change2uk()
{
    for (const TextRow &row : Texts)
        row.Current->assign(row.English);
}

void Change2dk()
{
    for (const TextRow &row : Texts)
        row.Current->assign(row.Danish);
}

void ChangeLanguage()
{
    if (SelectedLanguage == Uk)
        Change2uk();
    else
        Change2dk();
}

const std::string &ColourName(int colourNumber)
{
    if (colourNumber < 1 || colourNumber > static_cast<int>(ColourNames.size()))
        throw std::out_of_range("No colour number " + std::to_string(colourNumber));
    return *ColourNames[static_cast<std::size_t>(colourNumber - 1)];
}

bandix::PasteWording CurrentPasteWording()
{
    return {.NoText = clRefusedNoText,
            .TooLong = clRefusedTooLong,
            .NoResistance = clRefusedNoResistance,
            .Negative = clRefusedNegative,
            .BelowSmallest = clRefusedBelowSmallest,
            .AboveLargest = clRefusedAboveLargest,
            .TooManyDigits = clRefusedTooManyDigits,
            .TooFine = clRefusedTooFine,
            .UnknownTolerance = clRefusedUnknownTolerance,
            .UnknownCoefficient = clRefusedUnknownCoefficient,
            .Unexpected = clRefusedUnexpected,
            .SecondTolerance = clRefusedSecondTolerance,
            .SecondCoefficient = clRefusedSecondCoefficient,
            .CoefficientCaptions = CoefficientCaptions};
}

} // namespace Language
