// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Every map transform on a full-size map (interpolation from 16 x 16 to 512 x 512).
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"

using namespace tolv;

namespace {

void Load(int32_t w, int32_t h)
{
    std::vector<int32_t> grid(static_cast<size_t>(w) * h);
    for (size_t i = 0; i < grid.size(); ++i) grid[i] = static_cast<int32_t>((i * 2654435761u) % 65536);
    ClearHeightmap();
    ReplaceHeightmapGrid(w, h, std::move(grid));
    MarkHeightmapLoaded();
    UpdateHeightmapStatistics();
}

void Run(benchmark::State& state, int32_t w, int32_t h, const std::function<void()>& op)
{
    for (auto _ : state) {
        state.PauseTiming();
        Load(w, h);
        state.ResumeTiming();
        op();
    }
}

} // namespace

static void BM_FlipHorizontal(benchmark::State& s)
{
    Run(s, 513, 513, [] { FlipHeightmapHorizontal(); });
}
static void BM_FlipVertical(benchmark::State& s)
{
    Run(s, 513, 513, [] { FlipHeightmapVertical(); });
}
static void BM_RotateCCW(benchmark::State& s)
{
    Run(s, 513, 513, [] { RotateHeightmapCCW(); });
}
static void BM_RotateCW(benchmark::State& s)
{
    Run(s, 513, 513, [] { RotateHeightmapCW(); });
}
static void BM_Crop(benchmark::State& s)
{
    Run(s, 513, 513, [] { CropHeightmap(); });
}
static void BM_Scale8Bit(benchmark::State& s)
{
    Globals().scaleMethod = 0;
    Run(s, 513, 513, [] { ScaleHeightmap(); });
}
static void BM_ScalePercent(benchmark::State& s)
{
    Globals().scaleMethod = 2;
    Globals().scalePercent = 50;
    Run(s, 513, 513, [] { ScaleHeightmap(); });
}
static void BM_Move(benchmark::State& s)
{
    Run(s, 513, 513, [] { MoveHeightmap(MinAltitude() + 100); });
}
static void BM_Invert(benchmark::State& s)
{
    Run(s, 513, 513, [] { InvertHeightmap(32767); });
}
static void BM_Trim(benchmark::State& s)
{
    Run(s, 513, 513, [] { TrimHeightmap(TrimCenter, 512, 512); });
}
static void BM_Interpolate16To512(benchmark::State& s)
{
    Globals().interpolationFactor = 32;
    Globals().interpolationVariance = 0.0f;
    Run(s, 16, 16, [] { InterpolateHeightmap(); });
}
static void BM_Interpolate16To512Variance(benchmark::State& s)
{
    Globals().interpolationFactor = 32;
    Globals().interpolationVariance = 0.5f;
    Run(s, 16, 16, [] { InterpolateHeightmap(); });
}
static void BM_ResampleAverage(benchmark::State& s)
{
    Globals().resampleFactor = 2;
    Globals().resampleMethod = 1;
    Run(s, 512, 512, [] { ResampleHeightmap(); });
}

BENCHMARK(BM_FlipHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlipVertical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateCCW)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateCW)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Crop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scale8Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScalePercent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Move)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Invert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Trim)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Interpolate16To512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Interpolate16To512Variance)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResampleAverage)->Unit(benchmark::kMillisecond);
