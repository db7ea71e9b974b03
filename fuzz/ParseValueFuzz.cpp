// Fuzzes reading a pasted value: every text is refused with a short message, or gives a value
// that every band count codes exactly and whose result line reads back as the same value.
#include "BandEncoder.h"
#include "FuzzSupport.h"
#include "ValueParser.h"

#include <array>
#include <cstring>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 2> Captions = {"Temperature Coefficient",
                                                      "Temperaturkoefficient"};

// Both placeholders in every refusal, so what the parser fills in is exercised too.
const bandix::PasteWording Wording{.NoText = "%1 %2",
                                   .TooLong = "%1 %2",
                                   .NoResistance = "%1 %2",
                                   .Negative = "%1 %2",
                                   .BelowSmallest = "%1 %2",
                                   .AboveLargest = "%1 %2",
                                   .TooManyDigits = "%1 %2",
                                   .TooFine = "%1 %2",
                                   .UnknownTolerance = "%1 %2",
                                   .UnknownCoefficient = "%1 %2",
                                   .Unexpected = "%1 %2",
                                   .SecondTolerance = "%1 %2",
                                   .SecondCoefficient = "%1 %2",
                                   .CoefficientCaptions = Captions};

// 0,01 Ohm to 999 Giga Ohm.
constexpr std::uint64_t SmallestHundredths = 1;
constexpr std::uint64_t LargestHundredths = 99'900'000'000'000;

// The particulars are cut short and the lists of colours are fixed, so no message grows with
// the text.
constexpr std::size_t LongestMessage = 300;

constexpr int NumberBandsItems = 4;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using bandix::fuzz::Require;
    bandix::PastedValue value;
    try {
        value = bandix::ParseValue(bandix::fuzz::AsText(data, size), Wording);
    } catch (const bandix::ValueRefused &refusal) {
        Require(std::strlen(refusal.what()) < LongestMessage, "a refusal's message runs long");
        return 0;
    }
    Require(value.Hundredths >= SmallestHundredths && value.Hundredths <= LargestHundredths,
            "an accepted value lies beyond the colour code");
    for (int current = 0; current < NumberBandsItems; ++current) {
        const bandix::CodedBands coded = bandix::CodeValue(value, {}, current);
        Require(bandix::ValueInHundredths(coded.Bands) == value.Hundredths,
                "the bands show another value");
        Require(coded.Bands.ItemIndex[4] == value.ToleranceIndex.value_or(0) &&
                    coded.Bands.ItemIndex[5] == value.CoefficientIndex.value_or(0),
                "the tolerance or coefficient list shows another item");
        const auto line = bandix::RefreshResult(coded.Bands, Captions[0]);
        Require(line && bandix::ParseValue(line->Text, Wording).Hundredths == value.Hundredths,
                "the result line reads back as another value");
    }
    return 0;
}
