// The texts that change with the language: the English and Danish tables and the current texts.
#pragma once

#include "ValueParser.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Language {

inline constexpr std::uint8_t Uk = 1;
inline constexpr std::uint8_t Dk = 2;

// The chosen language; 0 until the settings have been read.
extern std::uint8_t SelectedLanguage;

// Current texts, empty until the first ChangeLanguage.
extern std::string clB1, clB2, clB3, clB4, clB5, clB6;
extern std::string clColor1, clColor2, clColor3, clColor4, clColor5, clColor6;
extern std::string clColor7, clColor8, clColor9, clColor10, clColor11, clColor12;
extern std::string clNumberBands, clLanguage, clDanish, clEnglish;
// The window's context menu, the result line's tooltip and the reasons a pasted value is refused;
// %1 and %2 stand for the particulars the core fills in.
extern std::string clCopy, clPasteValue, clSeriesValue, clNoSeries, clDecimalMark;
extern std::string clRefusedNoText, clRefusedTooLong, clRefusedNoResistance, clRefusedNegative;
extern std::string clRefusedBelowSmallest, clRefusedAboveLargest, clRefusedTooManyDigits;
extern std::string clRefusedTooFine, clRefusedUnknownTolerance, clRefusedUnknownCoefficient;
extern std::string clRefusedUnexpected, clRefusedSecondTolerance, clRefusedSecondCoefficient;

// English table.
inline constexpr std::string_view ukB1 = "First Band";
inline constexpr std::string_view ukB2 = "Second Band";
inline constexpr std::string_view ukB3 = "Third Band";
inline constexpr std::string_view ukB4 = "Multiplier";
inline constexpr std::string_view ukB5 = "Tolerance";
inline constexpr std::string_view ukB6 = "Temperature Coefficient";
inline constexpr std::string_view ukColor1 = "Black";
inline constexpr std::string_view ukColor2 = "Brown";
inline constexpr std::string_view ukColor3 = "Red";
inline constexpr std::string_view ukColor4 = "Orange";
inline constexpr std::string_view ukColor5 = "Yellow";
inline constexpr std::string_view ukColor6 = "Green";
inline constexpr std::string_view ukColor7 = "Blue";
inline constexpr std::string_view ukColor8 = "Violet";
inline constexpr std::string_view ukColor9 = "Grey";
inline constexpr std::string_view ukColor10 = "White";
inline constexpr std::string_view ukColor11 = "Gold";
inline constexpr std::string_view ukColor12 = "Silver";
inline constexpr std::string_view ukNumberBands = " Number of Bands ";
inline constexpr std::string_view ukLanguage = " Language ";
inline constexpr std::string_view ukDanish = "Danish";
inline constexpr std::string_view ukEnglish = "English";
inline constexpr std::string_view ukCopy = "Copy";
inline constexpr std::string_view ukPasteValue = "Paste value";
inline constexpr std::string_view ukSeriesValue = "%1 value (±%2 %)";
inline constexpr std::string_view ukNoSeries =
    "In no E-series: a resistor read from the wrong end often gives such a value";
inline constexpr std::string_view ukDecimalMark = ".";
inline constexpr std::string_view ukRefusedNoText =
    "The clipboard holds no text to read a value from";
inline constexpr std::string_view ukRefusedTooLong =
    "The clipboard holds more than %1 characters, too many for a value";
inline constexpr std::string_view ukRefusedNoResistance = "No resistance found in “%1”";
inline constexpr std::string_view ukRefusedNegative = "“%1” is negative; a resistance never is";
inline constexpr std::string_view ukRefusedBelowSmallest =
    "“%1” is below 0,01 Ohm, the smallest value a colour code holds";
inline constexpr std::string_view ukRefusedAboveLargest =
    "“%1” is above 999 Giga Ohm, the largest value a colour code holds";
inline constexpr std::string_view ukRefusedTooManyDigits =
    "“%1” needs %2 significant digits; a colour code holds at most 3";
inline constexpr std::string_view ukRefusedTooFine =
    "“%1” goes finer than 0,01 Ohm, the smallest step of a colour code";
inline constexpr std::string_view ukRefusedUnknownTolerance =
    "No colour stands for the tolerance “%1”; the colours stand for %2";
inline constexpr std::string_view ukRefusedUnknownCoefficient =
    "No colour stands for the temperature coefficient “%1”; the colours stand for %2";
inline constexpr std::string_view ukRefusedUnexpected =
    "“%1” after the value is neither a tolerance nor a temperature coefficient";
inline constexpr std::string_view ukRefusedSecondTolerance =
    "“%1” is a second tolerance; a resistor has one";
inline constexpr std::string_view ukRefusedSecondCoefficient =
    "“%1” is a second temperature coefficient; a resistor has one";

// Danish table.
inline constexpr std::string_view dkB1 = "Første ring";
inline constexpr std::string_view dkB2 = "Anden ring";
inline constexpr std::string_view dkB3 = "Tredie ring";
inline constexpr std::string_view dkB4 = "Multiplikator";
inline constexpr std::string_view dkB5 = "Tolerance";
inline constexpr std::string_view dkB6 = "Temperaturkoefficient";
inline constexpr std::string_view dkColor1 = "Sort";
inline constexpr std::string_view dkColor2 = "Brun";
inline constexpr std::string_view dkColor3 = "Rød";
inline constexpr std::string_view dkColor4 = "Orange";
inline constexpr std::string_view dkColor5 = "Gul";
inline constexpr std::string_view dkColor6 = "Grøn";
inline constexpr std::string_view dkColor7 = "Blå";
inline constexpr std::string_view dkColor8 = "Violet";
inline constexpr std::string_view dkColor9 = "Grå";
inline constexpr std::string_view dkColor10 = "Hvid";
inline constexpr std::string_view dkColor11 = "Guld";
inline constexpr std::string_view dkColor12 = "Sølv";
inline constexpr std::string_view dkNumberBands = " Antal ringe ";
inline constexpr std::string_view dkLanguage = " Sprog ";
inline constexpr std::string_view dkDanish = "Dansk";
inline constexpr std::string_view dkEnglish = "Engelsk";
inline constexpr std::string_view dkCopy = "Kopiér";
inline constexpr std::string_view dkPasteValue = "Indsæt værdi";
inline constexpr std::string_view dkSeriesValue = "%1-værdi (±%2 %)";
inline constexpr std::string_view dkNoSeries =
    "I ingen E-række: en modstand aflæst fra den forkerte ende giver ofte sådan en værdi";
inline constexpr std::string_view dkDecimalMark = ",";
inline constexpr std::string_view dkRefusedNoText =
    "Udklipsholderen indeholder ingen tekst at læse en værdi af";
inline constexpr std::string_view dkRefusedTooLong =
    "Udklipsholderen indeholder mere end %1 tegn, for mange til en værdi";
inline constexpr std::string_view dkRefusedNoResistance = "Ingen modstandsværdi fundet i »%1«";
inline constexpr std::string_view dkRefusedNegative = "»%1« er negativ; det er en modstand aldrig";
inline constexpr std::string_view dkRefusedBelowSmallest =
    "»%1« er under 0,01 Ohm, den mindste værdi en farvekode kan vise";
inline constexpr std::string_view dkRefusedAboveLargest =
    "»%1« er over 999 Giga Ohm, den største værdi en farvekode kan vise";
inline constexpr std::string_view dkRefusedTooManyDigits =
    "»%1« kræver %2 betydende cifre; en farvekode har højst 3";
inline constexpr std::string_view dkRefusedTooFine =
    "»%1« er finere end 0,01 Ohm, det mindste trin i en farvekode";
inline constexpr std::string_view dkRefusedUnknownTolerance =
    "Ingen farve står for tolerancen »%1«; farverne står for %2";
inline constexpr std::string_view dkRefusedUnknownCoefficient =
    "Ingen farve står for temperaturkoefficienten »%1«; farverne står for %2";
inline constexpr std::string_view dkRefusedUnexpected =
    "»%1« efter værdien er hverken en tolerance eller en temperaturkoefficient";
inline constexpr std::string_view dkRefusedSecondTolerance =
    "»%1« er en tolerance mere; en modstand har kun én";
inline constexpr std::string_view dkRefusedSecondCoefficient =
    "»%1« er en temperaturkoefficient mere; en modstand har kun én";

// The names the band lists are designed with, before the first language change.
inline constexpr std::string_view ukColors[] = {ukColor1, ukColor2,  ukColor3,  ukColor4,
                                                ukColor5, ukColor6,  ukColor7,  ukColor8,
                                                ukColor9, ukColor10, ukColor11, ukColor12};

// The coefficient's caption in both languages: a result line copied in either reads back.
inline constexpr std::string_view CoefficientCaptions[] = {ukB6, dkB6};

// The reasons a pasted value is refused, worded in the current texts.
bandix::PasteWording CurrentPasteWording();

// Copy the English or the Danish table into the current texts.
void Change2uk();
void Change2dk();

// English when SelectedLanguage is Uk; any other code selects Danish.
void ChangeLanguage();

// The current name of colour number 1..12 (clColor1 .. clColor12).
const std::string &ColourName(int colourNumber);

} // namespace Language
