#include "conjugation/conjugation.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

namespace {

// A mix that reaches every table: regular, "iru"/"eru", exception, irregular, "tsu" and vowel.
constexpr std::array<std::u16string_view, 20> Verbs = {u"taberu", u"miru", u"kaku", u"oyogu",
    u"yomu", u"hanasu", u"matsu", u"kau", u"toru", u"kaeru", u"kuru", u"suru", u"benkyousuru",
    u"hashiru", u"shinu", u"asobu", u"iu", u"omou", u"okiru", u" Nomu "};

void BM_ConjugateVerb(benchmark::State &state)
{
    std::size_t next = 0;
    for (auto _ : state) {
        VerbForms forms = ConjugateVerb(Verbs[next]);
        benchmark::DoNotOptimize(forms);
        next = next + 1 == Verbs.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConjugateVerb);

} // namespace

BENCHMARK_MAIN();
