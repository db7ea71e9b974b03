// The texts that change with the language: the English and Danish tables and the current texts.
#pragma once

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

// The names the band lists are designed with, before the first language change.
inline constexpr std::string_view ukColors[] = {ukColor1, ukColor2,  ukColor3,  ukColor4,
                                                ukColor5, ukColor6,  ukColor7,  ukColor8,
                                                ukColor9, ukColor10, ukColor11, ukColor12};

// Copy the English or the Danish table into the current texts.
void Change2uk();
void Change2dk();

// English when SelectedLanguage is Uk; any other code selects Danish.
void ChangeLanguage();

// The current name of colour number 1..12 (clColor1 .. clColor12).
const std::string &ColourName(int colourNumber);

} // namespace Language
