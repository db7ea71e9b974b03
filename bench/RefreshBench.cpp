// Cost of the refresh rule: every selection of every mode turned into its result text.
#include "ColourCode.h"
#include "ResistorValue.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<bandix::BandSelection> AllSelections()
{
    std::vector<bandix::BandSelection> selections;
    for (int mode = 3; mode <= 6; ++mode)
        for (int b1 = 0; b1 < bandix::DigitItemCount; ++b1)
            for (int b2 = 0; b2 < bandix::DigitItemCount; ++b2)
                for (int b3 = 0; b3 < bandix::DigitItemCount; ++b3)
                    for (int b4 = 0; b4 < bandix::MultiplierItemCount; ++b4) {
                        bandix::BandSelection bands;
                        bands.ItemIndex = {b1,
                                           b2,
                                           b3,
                                           b4,
                                           (b1 + b4) % bandix::ToleranceItemCount,
                                           (b2 + b3) % bandix::CoefficientItemCount};
                        bands.Band3Shown = mode >= 4;
                        bands.Band5Shown = mode >= 5;
                        bands.Band6Shown = mode >= 6;
                        selections.push_back(bands);
                    }
    return selections;
}

void RefreshRule(benchmark::State &state)
{
    const std::vector<bandix::BandSelection> selections = AllSelections();
    std::size_t next = 0;
    for (auto _ : state) {
        auto result = bandix::RefreshResult(selections[next], "Temperature Coefficient");
        benchmark::DoNotOptimize(result);
        next = next + 1 == selections.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("one result text per iteration, cycling through " +
                   std::to_string(selections.size()) + " selections");
}
BENCHMARK(RefreshRule);

} // namespace
