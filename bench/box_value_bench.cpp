// Reading a box's value is linear in the length of its text, so that a paste of any size is read
// at once: the time per character stays flat from a thousand to a million characters.
#include <benchmark/benchmark.h>

#include <string>

#include "form/box_value.h"

namespace {

void read(benchmark::State& state, char16_t filler, std::u16string prefix) {
    const std::u16string text = prefix + std::u16string(state.range(0), filler);
    for (auto _ : state) {
        benchmark::DoNotOptimize(pelmora::box_value(text));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void digits(benchmark::State& state) {
    read(state, u'7', u"");
}
void blanks_then_a_number(benchmark::State& state) {
    read(state, u' ', u"");
}
void full_width_digits(benchmark::State& state) {
    read(state, u'\uFF17', u"");
}
void hexadecimal(benchmark::State& state) {
    read(state, u'F', u"&H");
}

}  // namespace

BENCHMARK(digits)->RangeMultiplier(10)->Range(1000, 1'000'000);
BENCHMARK(blanks_then_a_number)->RangeMultiplier(10)->Range(1000, 1'000'000);
BENCHMARK(full_width_digits)->RangeMultiplier(10)->Range(1000, 1'000'000);
BENCHMARK(hexadecimal)->RangeMultiplier(10)->Range(1000, 1'000'000);

BENCHMARK_MAIN();
