// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Speed of every reader and writer on a 513 x 513 map (the OBJ read on 512 x 512), of every
// transform and of the four preview views.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "OpenOutcome.h"
#include "SampleFiles.h"
#include "SampleKinds.h"
#include "formats/FormatTable.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/Globals.h"
#include "shell/vbPreview.h"

namespace fs = std::filesystem;
using namespace tolv;
using namespace tolv::test;

namespace {

// Quiet user: answers Yes, confirms dialogs with their proposals, counts messages.
YesHost g_host;
fs::path g_dir;

void Fail(benchmark::State& state, const std::string& why) { state.SkipWithError(why.c_str()); }

void BenchRead(benchmark::State& state, std::string path)
{
    for (auto _ : state) {
        ClearHeightmap();
        if (!OpenFileByType(path)) {
            Fail(state, "could not read " + path);
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
}

void BenchWrite(benchmark::State& state, std::string ext, int32_t size)
{
    LoadPatternMap(size, size);
    const std::string path = (g_dir / ("written." + ext)).string();
    for (auto _ : state) {
        ClearDialogParams();
        if (!SaveFileByType(path)) {
            Fail(state, "could not write ." + ext);
            break;
        }
    }
    if (fs::exists(path)) state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
}

// A transform on a fresh 513 x 513 map each time; the reload is not timed.
void BenchTransform(benchmark::State& state, std::function<bool()> transform, int32_t size)
{
    for (auto _ : state) {
        state.PauseTiming();
        LoadPatternMap(size, size);
        state.ResumeTiming();
        if (!transform()) {
            Fail(state, "transform refused");
            break;
        }
    }
}

// Rolling hills over the full 0..65535 range: what a real terrain looks like to the views.
void LoadHillsMap(int32_t size)
{
    std::vector<int32_t> grid(static_cast<size_t>(size) * size);
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            grid[static_cast<size_t>(y) * size + x] =
                static_cast<int32_t>(32767.5 + 32767.5 * std::sin(x * 0.031) * std::cos(y * 0.023));
    ReplaceHeightmapGrid(size, size, std::move(grid));
    MarkHeightmapLoaded();
    UpdateHeightmapStatistics();
}

// smooth: a terrain of hills; otherwise the jagged pattern map, the worst case for the
// perspective, whose every cell becomes a tall polygon.
void BenchView(benchmark::State& state, int32_t view, bool smooth)
{
    if (smooth) LoadHillsMap(513);
    else LoadPatternMap(513, 513);
    BuildColorTable(Globals().previewColorset);
    PixelBuffer area(kPreviewSize, kPreviewSize, 0xFFFFFFFF);
    for (auto _ : state) {
        RenderPreview(area, view, true, 0xFFFFFF, true);
        benchmark::DoNotOptimize(area);
    }
}

} // namespace

int main(int argc, char** argv)
{
    InstallHost(&g_host);
    char folder[] = "/tmp/tolv-bench-XXXXXX";
    if (!mkdtemp(folder)) return 1;
    g_dir = folder;

    // Readers: every kind of sample file at 513 x 513; OBJ at 512 x 512.
    for (const char* ext : kReadableExtensions) {
        const int32_t size = std::string(ext) == "obj" ? 512 : 513;
        LoadPatternMap(size, size);
        for (const std::string& path : WriteSampleFiles(g_dir.string(), "read", ext)) {
            const std::string kind = fs::path(path).stem().string().substr(5);
            benchmark::RegisterBenchmark(("Read/" + std::string(ext) + "/" + kind).c_str(), BenchRead, path)
                ->Unit(benchmark::kMillisecond);
        }
    }
    for (const FormatRow& row : FormatTable()) {
        if (row.save.kind != SaveKind::Writer) continue;
        const std::string ext = row.ext;
        benchmark::RegisterBenchmark(("Write/" + ext).c_str(), BenchWrite, ext, 513)->Unit(benchmark::kMillisecond);
    }

    struct Named {
        const char* name;
        std::function<bool()> run;
        int32_t size;
    };
    const Named transforms[] = {
        {"FlipHorizontal", FlipHeightmapHorizontal, 513},
        {"FlipVertical", FlipHeightmapVertical, 513},
        {"RotateCCW", RotateHeightmapCCW, 513},
        {"RotateCW", RotateHeightmapCW, 513},
        {"Crop", CropHeightmap, 513},
        {"Scale50percent",
         [] {
             Globals().scaleMethod = 2;
             Globals().scalePercent = 50;
             return ScaleHeightmap();
         },
         513},
        {"Move", [] { return MoveHeightmap(1000); }, 513},
        {"Invert", [] { return InvertHeightmap(MidAltitude()); }, 513},
        {"Interpolate2x_from_256",
         [] {
             Globals().interpolationFactor = 2;
             Globals().interpolationVariance = 0.0f;
             return InterpolateHeightmap();
         },
         256},
        {"Interpolate2x_variance_from_256",
         [] {
             Globals().interpolationFactor = 2;
             Globals().interpolationVariance = 0.5f;
             return InterpolateHeightmap();
         },
         256},
        {"Resample2x_cut_from_512",
         [] {
             Globals().resampleFactor = 2;
             Globals().resampleMethod = 0;
             return ResampleHeightmap();
         },
         512},
        {"Resample2x_average_from_512",
         [] {
             Globals().resampleFactor = 2;
             Globals().resampleMethod = 1;
             return ResampleHeightmap();
         },
         512},
        {"Trim512", [] { return TrimHeightmap(TrimCenter, 512, 512); }, 513},
        {"Split4x4_seamless", [] { return WriteSplitTiles((g_dir / "tile.bmp").string(), 4, 4, 129, 129, true); }, 513},
    };
    for (const Named& t : transforms)
        benchmark::RegisterBenchmark((std::string("Transform/") + t.name).c_str(), BenchTransform, t.run, t.size)
            ->Unit(benchmark::kMillisecond);
    const char* views[] = {"Top", "Front", "Side", "Perspective"};
    for (bool smooth : {true, false})
        for (int32_t v = 0; v < 4; ++v)
            benchmark::RegisterBenchmark((std::string("View/") + views[v] + (smooth ? "_hills" : "_jagged")).c_str(),
                                         BenchView, v, smooth)
                ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(g_dir, ec);
    return 0;
}
