// The atlas as the birthplace field uses it: one search a keystroke over the whole
// atlas (the shortest prefixes match the most places and cost the most), the closest
// names for a place it does not know, the zone at a birth moment, and the load itself.

#include "core/atlas/atlas.h"

#include <benchmark/benchmark.h>

using namespace ferolune;

namespace {

const QString AtlasFile = QStringLiteral(FEROLUNE_ATLAS_FILE);

const Atlas &benchAtlas()
{
    static const AtlasLoad loaded = Atlas::load(AtlasFile);
    if (!loaded)
        qFatal("%s", qPrintable(loaded.error()));
    return *loaded;
}

void BM_AtlasLoad(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Atlas::load(AtlasFile));
}
BENCHMARK(BM_AtlasLoad)->Unit(benchmark::kMillisecond);

// Each keystroke of "Székesfehérvár" as typed, from "S" on.
void BM_AtlasSearchKeystroke(benchmark::State &state)
{
    const Atlas &atlas = benchAtlas();
    const QString typed = QStringLiteral("Székesfehérvár").left(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(typed));
}
BENCHMARK(BM_AtlasSearchKeystroke)->Arg(1)->Arg(2)->Arg(5)->Arg(14)->Unit(benchmark::kMillisecond);

// A name and the start of its country, "s, m": the most places a country can keep.
void BM_AtlasSearchWithCountry(benchmark::State &state)
{
    const Atlas &atlas = benchAtlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.search(QStringLiteral("s, m")));
}
BENCHMARK(BM_AtlasSearchWithCountry)->Unit(benchmark::kMillisecond);

void BM_AtlasClosestNames(benchmark::State &state)
{
    const Atlas &atlas = benchAtlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.closestNames(QStringLiteral("Szekesfehervat")));
}
BENCHMARK(BM_AtlasClosestNames)->Unit(benchmark::kMillisecond);

// A pasted text far longer than any place name: the bound stops every comparison early.
void BM_AtlasClosestNamesLongText(benchmark::State &state)
{
    const Atlas &atlas = benchAtlas();
    const QString typed = QStringLiteral("Szekesfehervar ").repeated(int(state.range(0)) / 15);
    for (auto _ : state)
        benchmark::DoNotOptimize(atlas.closestNames(typed));
}
BENCHMARK(BM_AtlasClosestNamesLongText)->Arg(60)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_ZoneAt(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(zoneAt(QByteArrayLiteral("Europe/Budapest"), QDate(1985, 3, 31), 2, 30));
}
BENCHMARK(BM_ZoneAt)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
