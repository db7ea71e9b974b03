// The value first, then tolerance and coefficient in any order; a refusal names the part of the
// text it concerns, so the user sees how the text was read.
#include "ValueParser.h"

#include "ColourCode.h"
#include "ResistorValue.h"
#include "TextPattern.h"
#include "TextScanner.h"

#include <algorithm>
#include <array>
#include <string>

namespace bandix {

namespace {

// A number as its significant digits and the power of ten of the last one: "4700" is 47 x 10^2,
// "0,050" is 5 x 10^-2. Zero has no digits.
struct Decimal
{
    std::string Digits;
    std::int64_t Exponent = 0;

    // The power of ten of the first digit.
    std::int64_t Magnitude() const
    {
        return Exponent + static_cast<std::int64_t>(Digits.size()) - 1;
    }

    friend bool operator==(const Decimal &, const Decimal &) = default;
};

// Without trailing zeros, digit strings of the same magnitude sort as their numbers do.
bool Above(const Decimal &a, const Decimal &b)
{
    return a.Magnitude() != b.Magnitude() ? a.Magnitude() > b.Magnitude() : a.Digits > b.Digits;
}

// The reach of a colour code: one digit times Silver (x 0.01), up to three nines times White
// (x 10^9).
const Decimal Smallest{"1", -2};
const Decimal Largest{"999", 9};
constexpr std::size_t MostDigits = 3;

// An exponent beyond this names no resistance either way; stopping here keeps sums in range.
constexpr std::int64_t ExponentLimit = 1'000'000;

// Words in any letter case; letters as written, since m and M are nine powers of ten apart.
// The letters also stand in for the decimal mark (IEC 60062, BS 1852: 4k7, 0R22, 470R).
struct Prefix
{
    std::string_view Text;
    int Exponent;
    bool Word;
};

constexpr std::array<Prefix, 16> Prefixes = {{
    {"milli", -3, true},
    {"kilohms", 3, true}, // the unit's own words: kilohm, and megohm as meg and ohm
    {"kilohm", 3, true},
    {"kilo", 3, true},
    {"mega", 6, true},
    {"giga", 9, true},
    {"tera", 12, true},
    {"meg", 6, true}, // mega as circuit simulators write it
    {"R", 0, false},
    {"r", 0, false},
    {"m", -3, false},
    {"k", 3, false},
    {"K", 3, false},
    {"M", 6, false},
    {"G", 9, false},
    {"T", 12, false},
}};

// The Greek capital omega and the ohm sign look alike and both turn up.
constexpr std::array<std::string_view, 4> OhmUnits = {"ohms", "ohm", "Ω" /* U+03A9 */,
                                                      "Ω" /* U+2126 */};

constexpr std::array<std::string_view, 3> PlusMinusSigns = {"±", "+/-", "+-"};

// Kelvin and degree Celsius are the same step; the degree sign is often typed as the ordinal º.
constexpr std::array<std::string_view, 5> Degrees = {"K", "°C", "ºC", "℃", "C"};

Decimal MakeDecimal(std::string_view whole, std::string_view fraction, std::int64_t exponent)
{
    const std::string digits = std::string(whole).append(fraction);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    const std::size_t last = digits.find_last_not_of('0');
    return {digits.substr(first, last - first + 1),
            exponent - static_cast<std::int64_t>(fraction.size()) +
                static_cast<std::int64_t>(digits.size() - 1 - last)};
}

std::int64_t ExponentOf(std::string_view digits)
{
    std::int64_t exponent = 0;
    for (const char digit : digits)
        exponent = std::min(exponent * 10 + (digit - '0'), ExponentLimit);
    return exponent;
}

bool TakeOhm(TextScanner &scanner)
{
    return std::ranges::any_of(
        OhmUnits, [&scanner](std::string_view unit) { return scanner.TakeWord(unit); });
}

// A prefix ends the word, or an ohm unit follows it at once ("kOhm", "MΩ", "megohm").
std::optional<int> TakePrefix(TextScanner &scanner, bool lettersOnly)
{
    for (const Prefix &prefix : Prefixes) {
        if (lettersOnly && prefix.Word)
            continue;
        TextScanner after = scanner;
        if (!(prefix.Word ? after.TakeCaseless(prefix.Text) : after.Take(prefix.Text)))
            continue;
        TextScanner unit = after;
        if (after.AtWordEnd() || TakeOhm(unit)) {
            scanner = after;
            return prefix.Exponent;
        }
    }
    return std::nullopt;
}

struct Number
{
    Decimal Value;
    bool LetterMark = false;
};

// "e3", "E-2", "e+6" as spreadsheets write it; nothing taken without digits.
std::int64_t TakeExponent(TextScanner &scanner)
{
    TextScanner power = scanner;
    if (!power.TakeCaseless("e"))
        return 0;
    const bool negative = power.Take("-");
    if (!negative)
        power.Take("+");
    const std::string_view digits = power.TakeDigits();
    if (digits.empty())
        return 0;
    scanner = power;
    return negative ? -ExponentOf(digits) : ExponentOf(digits);
}

// Digits with a decimal point or comma and an exponent, or with a prefix letter in place of the
// decimal mark.
std::optional<Number> TakeNumber(TextScanner &scanner, bool letterMarks)
{
    const std::string_view whole = scanner.TakeDigits();
    TextScanner mark = scanner;
    if ((mark.Take(".") || mark.Take(",")) && mark.AtDigit()) {
        scanner = mark;
        const std::string_view fraction = scanner.TakeDigits();
        return Number{MakeDecimal(whole, fraction, TakeExponent(scanner))};
    }
    if (const auto letter = letterMarks ? TakePrefix(mark, true) : std::nullopt) {
        const std::string_view fraction = mark.TakeDigits();
        TextScanner unit = mark;
        if ((!whole.empty() || !fraction.empty()) && (mark.AtWordEnd() || TakeOhm(unit))) {
            scanner = mark;
            return Number{MakeDecimal(whole, fraction, *letter), true};
        }
    }
    if (whole.empty())
        return std::nullopt;
    return Number{MakeDecimal(whole, {}, TakeExponent(scanner))};
}

enum class ItemKind { None, Tolerance, Coefficient };

struct Item
{
    ItemKind Kind = ItemKind::None;
    Decimal Amount;
};

bool TakeCoefficientUnit(TextScanner &scanner)
{
    if (!scanner.TakeCaseless("ppm"))
        return false;
    TextScanner per = scanner;
    if (per.Take("/")) {
        per.SkipBlanks();
        if (std::ranges::any_of(Degrees,
                                [&per](std::string_view unit) { return per.TakeCaseless(unit); }))
            scanner = per;
    }
    return scanner.AtWordEnd();
}

// "Tolerance +- 5%", "±1 %", "5%", "Temperature Coefficient 50 ppm/K", "50ppm/°C". A caption
// must agree with the unit.
Item TakeItem(TextScanner &scanner, std::span<const std::string_view> coefficientCaptions)
{
    ItemKind captioned = ItemKind::None;
    if (scanner.TakeWord(ToleranceCaption))
        captioned = ItemKind::Tolerance;
    else if (std::ranges::any_of(coefficientCaptions, [&scanner](std::string_view caption) {
                 return scanner.TakeWord(caption);
             }))
        captioned = ItemKind::Coefficient;
    scanner.SkipBlanks();
    std::ranges::any_of(PlusMinusSigns,
                        [&scanner](std::string_view sign) { return scanner.Take(sign); });
    scanner.SkipBlanks();
    const auto number = TakeNumber(scanner, false);
    if (!number)
        return {};
    scanner.SkipBlanks();
    const ItemKind kind = scanner.Take("%")              ? ItemKind::Tolerance
                          : TakeCoefficientUnit(scanner) ? ItemKind::Coefficient
                                                         : ItemKind::None;
    if (captioned != ItemKind::None && captioned != kind)
        return {};
    return {kind, number->Value};
}

// The amounts of the tolerance and coefficient lists, read from their texts, and the texts
// themselves for the message that lists them.
struct KnownItems
{
    std::array<Decimal, ToleranceItemCount> Tolerances;
    std::array<Decimal, CoefficientItemCount> Coefficients;
    std::string ToleranceList;
    std::string CoefficientList;
};

Decimal AmountOf(std::string_view text, ItemKind kind)
{
    TextScanner scanner(text);
    Item item = TakeItem(scanner, {});
    if (item.Kind != kind || !scanner.AtEnd())
        throw std::logic_error("The list text " + std::string(text) + " reads as no amount");
    return std::move(item.Amount);
}

const KnownItems &Known()
{
    static const KnownItems known = [] {
        KnownItems items;
        for (int i = 0; i < ToleranceItemCount; ++i) {
            items.Tolerances[static_cast<std::size_t>(i)] =
                AmountOf(GetTolerance(i), ItemKind::Tolerance);
            items.ToleranceList.append(i == 0 ? "" : ", ").append(GetTolerance(i));
        }
        for (int i = 0; i < CoefficientItemCount; ++i) {
            items.Coefficients[static_cast<std::size_t>(i)] =
                AmountOf(GetTemperatureCoefficient(i), ItemKind::Coefficient);
            items.CoefficientList.append(i == 0 ? "" : ", ").append(GetTemperatureCoefficient(i));
        }
        return items;
    }();
    return known;
}

template <std::size_t Count>
std::optional<int> IndexOf(const std::array<Decimal, Count> &amounts, const Decimal &amount)
{
    const auto found = std::ranges::find(amounts, amount);
    if (found == amounts.end())
        return std::nullopt;
    return static_cast<int>(found - amounts.begin());
}

// A few dozen characters of the text for a message, with control characters shown as spaces.
// The cut falls between characters, or after the longest character UTF-8 has where the bytes
// are no UTF-8.
std::string Excerpt(std::string_view text)
{
    constexpr std::size_t Most = 40;
    constexpr std::size_t LongestCharacter = 4;
    std::string shown;
    for (const char c : text) {
        const bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (shown.size() >= Most &&
            (startsCharacter || shown.size() >= Most + LongestCharacter - 1))
            return shown + "\u2026";
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    }
    return shown;
}

[[noreturn]] void Refuse(std::string_view wording, std::string_view particular,
                         std::string_view more = {})
{
    throw ValueRefused(FillIn(wording, {particular, more}));
}

std::uint64_t HundredthsOf(const Decimal &value, std::string_view written,
                           const PasteWording &wording)
{
    if (value.Digits.empty() || Above(Smallest, value))
        Refuse(wording.BelowSmallest, Excerpt(written));
    if (Above(value, Largest))
        Refuse(wording.AboveLargest, Excerpt(written));
    if (value.Digits.size() > MostDigits)
        Refuse(wording.TooManyDigits, Excerpt(written), std::to_string(value.Digits.size()));
    if (value.Exponent < Smallest.Exponent)
        Refuse(wording.TooFine, Excerpt(written));
    std::uint64_t hundredths = std::stoull(value.Digits);
    for (std::int64_t power = Smallest.Exponent; power < value.Exponent; ++power)
        hundredths *= 10;
    return hundredths;
}

void SkipSeparators(TextScanner &scanner)
{
    scanner.SkipBlanks();
    while (scanner.Take(",") || scanner.Take(";"))
        scanner.SkipBlanks();
}

} // namespace

PastedValue ParseValue(std::string_view text, const PasteWording &wording)
{
    if (text.size() > MaxValueTextLength)
        Refuse(wording.TooLong, std::to_string(MaxValueTextLength));
    TextScanner scanner(text);
    scanner.SkipBlanks();
    if (scanner.AtEnd())
        throw ValueRefused(std::string(wording.NoText));

    const std::size_t start = scanner.Position();
    const bool negative = scanner.Take("-") || scanner.Take("−");
    if (!negative)
        scanner.Take("+");
    auto number = TakeNumber(scanner, true);
    if (!number)
        Refuse(wording.NoResistance, Excerpt(text.substr(start)));
    bool named = number->LetterMark;
    TextScanner unit = scanner;
    unit.SkipBlanks();
    if (const auto prefix = named ? std::nullopt : TakePrefix(unit, false)) {
        number->Value.Exponent += *prefix;
        scanner = unit;
        unit.SkipBlanks();
        named = true;
    }
    if (TakeOhm(unit)) {
        scanner = unit;
        named = true;
    }
    // "5%" and "50 ppm" are a tolerance and a coefficient without the value they belong to.
    if (!named && (unit.Take("%") || unit.TakeCaseless("ppm")))
        Refuse(wording.NoResistance, Excerpt(text.substr(start)));
    if (negative)
        Refuse(wording.Negative, Excerpt(scanner.Since(start)));
    PastedValue pasted{HundredthsOf(number->Value, scanner.Since(start), wording), {}, {}};

    const KnownItems &known = Known();
    for (SkipSeparators(scanner); !scanner.AtEnd(); SkipSeparators(scanner)) {
        const std::size_t itemStart = scanner.Position();
        const Item item = TakeItem(scanner, wording.CoefficientCaptions);
        const auto written = [&] {
            return Excerpt(scanner.Since(itemStart));
        };
        if (item.Kind == ItemKind::Tolerance) {
            if (pasted.ToleranceIndex)
                Refuse(wording.SecondTolerance, written());
            pasted.ToleranceIndex = IndexOf(known.Tolerances, item.Amount);
            if (!pasted.ToleranceIndex)
                Refuse(wording.UnknownTolerance, written(), known.ToleranceList);
        } else if (item.Kind == ItemKind::Coefficient) {
            if (pasted.CoefficientIndex)
                Refuse(wording.SecondCoefficient, written());
            pasted.CoefficientIndex = IndexOf(known.Coefficients, item.Amount);
            if (!pasted.CoefficientIndex)
                Refuse(wording.UnknownCoefficient, written(), known.CoefficientList);
        } else {
            Refuse(wording.Unexpected, Excerpt(text.substr(itemStart)));
        }
    }
    return pasted;
}

} // namespace bandix
