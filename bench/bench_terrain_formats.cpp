// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Reading and writing a 513 x 513 map in the Terragen, PGM, PAM, T3D and VistaPro formats.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "formats/vbFileManagement.h"
#include "formats/vbPNM.h"
#include "formats/vbT3D.h"
#include "formats/vbTerragen.h"
#include "formats/vbVistaPro.h"
#include "heightmap/MapHeight.h"

using namespace tolv;

namespace {

constexpr int32_t kSide = 513;

std::vector<int32_t> Pattern()
{
    std::vector<int32_t> g(static_cast<size_t>(kSide) * kSide);
    for (size_t i = 0; i < g.size(); ++i) g[i] = static_cast<int32_t>((i * 2654435761u) % 65536);
    g[0] = 0;
    return g;
}

void LoadPattern()
{
    static const std::vector<int32_t> grid = Pattern();
    ReplaceHeightmapGrid(kSide, kSide, grid);
    MarkHeightmapLoaded();
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("tolv-bench-" + name)).string();
}

void Check(benchmark::State& state, bool ok)
{
    if (!ok) state.SkipWithError("the reader or writer failed");
}

void BM_TerragenWrite(benchmark::State& state)
{
    LoadPattern();
    const std::string path = TempPath("w.ter");
    for (auto _ : state) Check(state, SaveTerragenFile(path));
    std::remove(path.c_str());
}

void BM_TerragenRead(benchmark::State& state)
{
    LoadPattern();
    const std::string path = TempPath("r.ter");
    SaveTerragenFile(path);
    for (auto _ : state) Check(state, LoadTerragenFile(path));
    std::remove(path.c_str());
}

template <bool (*Writer)(const std::string&, int32_t, int32_t, const std::vector<int32_t>&)>
void BM_NetpbmWrite(benchmark::State& state)
{
    const std::vector<int32_t> grid = Pattern();
    const std::string path = TempPath("w.pnm");
    for (auto _ : state) Check(state, Writer(path, kSide, kSide, grid));
    std::remove(path.c_str());
}

template <bool (*Writer)(const std::string&, int32_t, int32_t, const std::vector<int32_t>&)>
void BM_NetpbmRead(benchmark::State& state)
{
    const bool pam = Writer == WritePamFile;
    const std::string path = TempPath(pam ? "r.pam" : "r.pgm");
    Writer(path, kSide, kSide, Pattern());
    for (auto _ : state) Check(state, pam ? LoadPamFile(path) : LoadPgmFile(path));
    std::remove(path.c_str());
}

void BM_T3dWrite(benchmark::State& state)
{
    const std::vector<int32_t> grid = Pattern();
    const std::string path = TempPath("w.t3d");
    for (auto _ : state) Check(state, WriteT3dFile(path, kSide, kSide, grid));
    std::remove(path.c_str());
}

void BM_VistaProRead(benchmark::State& state)
{
    const std::string path = TempPath("r.txt");
    {
        const std::vector<int32_t> grid = Pattern();
        std::ofstream out(path, std::ios::binary);
        for (int32_t y = 0; y < kSide; ++y) {
            for (int32_t x = 0; x < kSide; ++x) out << grid[static_cast<size_t>(y) * kSide + x] << ' ';
            out << "\r\n";
        }
    }
    for (auto _ : state) Check(state, LoadVistaProAsciiFile(path));
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_TerragenWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TerragenRead)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmWrite, WritePgmP2File)->Name("BM_PgmP2Write")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmRead, WritePgmP2File)->Name("BM_PgmP2Read")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmWrite, WritePgmP5File)->Name("BM_PgmP5Write")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmRead, WritePgmP5File)->Name("BM_PgmP5Read")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmWrite, WritePamFile)->Name("BM_PamWrite")->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_NetpbmRead, WritePamFile)->Name("BM_PamRead")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_T3dWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VistaProRead)->Unit(benchmark::kMillisecond);
