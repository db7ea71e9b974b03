// Time to read one pasted text: the forms people paste, the refusals, and the longest text read.
#include "Language.h"
#include "ValueParser.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> AcceptedTexts = {
    "4,7 Kilo Ohm",
    "10 Kilo Ohm\tTolerance +- 5%",
    "100 Ohm\tTolerance +- 1%\tTemperature Coefficient 50 ppm/K",
    "4700",
    "0,22",
    "4.7k",
    "4,7 kΩ",
    "1.5 MOhm",
    "470 ohms",
    "4k7",
    "0R22",
    "470R",
    "4k7 ±1%",
    "4k7 +/- 5 %",
    "4k7 50 ppm/°C",
};

const std::vector<std::string> RefusedTexts = {
    "",    "4,712 Kilo Ohm", "0,005",   "1000 Giga Ohm", "1e308",     "0.015",
    "NaN", "-4k7",           "4k7 ±3%", "4k7 foo",       "4k7 1% 5%", std::string(400, '9'),
};

// Every text in turn; a refusal is caught as the window catches it.
void ParseEach(benchmark::State &state, const std::vector<std::string> &texts)
{
    Language::Change2uk();
    const bandix::PasteWording english = Language::CurrentPasteWording();
    std::size_t next = 0;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(bandix::ParseValue(texts[next], english));
        } catch (const bandix::ValueRefused &refusal) {
            benchmark::DoNotOptimize(refusal.what());
        }
        next = next + 1 == texts.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("one text per iteration, cycling through " + std::to_string(texts.size()));
}

void AcceptedText(benchmark::State &state)
{
    ParseEach(state, AcceptedTexts);
}
BENCHMARK(AcceptedText);

void RefusedText(benchmark::State &state)
{
    ParseEach(state, RefusedTexts);
}
BENCHMARK(RefusedText);

// A value, a tolerance and a coefficient spread over the most characters the parser reads.
void LongestText(benchmark::State &state)
{
    const std::string value = "4k7";
    const std::string tolerance = " 5%";
    const std::string coefficient = " 50 ppm/K";
    const std::string blanks(
        (bandix::MaxValueTextLength - value.size() - tolerance.size() - coefficient.size()) / 2,
        ' ');
    ParseEach(state, {value + blanks + tolerance + blanks + coefficient});
}
BENCHMARK(LongestText);

} // namespace
