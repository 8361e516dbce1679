// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Mesh export and import at the largest sizes, beside a plain copy of files of the same size.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/BinaryIO.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbSTL.h"

using namespace tolv;

namespace {

std::vector<int32_t> Pattern(int32_t side)
{
    std::vector<int32_t> g(static_cast<size_t>(side) * side);
    for (size_t i = 0; i < g.size(); ++i) g[i] = static_cast<int32_t>((i * 2654435761u) % 65536);
    return g;
}

std::string TempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("tolv-bench-" + name)).string();
}

void Check(benchmark::State& state, bool ok)
{
    if (!ok) state.SkipWithError("the reader or writer failed");
}

// Copies a file through 1 MiB blocks: the yardstick for the writers.
void CopyFile(const std::string& from, const std::string& to)
{
    FileReader in(from);
    FileWriter out(to);
    std::vector<char> block(1 << 20);
    for (size_t n; (n = in.Read(block.data(), block.size())) > 0;) out.Put(block.data(), n);
    out.Close();
}

void BM_ObjWrite513(benchmark::State& state)
{
    const auto g = Pattern(513);
    const std::string path = TempPath("w.obj");
    for (auto _ : state) Check(state, WriteObjFile(path, 513, 513, 16, true, true, g));
    state.counters["bytes"] = static_cast<double>(FileLengthOf(path));
}

void BM_StlWrite513(benchmark::State& state)
{
    const auto g = Pattern(513);
    const std::string path = TempPath("w.stl");
    for (auto _ : state) Check(state, WriteStlFile(path, 513, 513, 16, false, g));
    state.counters["bytes"] = static_cast<double>(FileLengthOf(path));
}

void BM_CopyObjSizedFile(benchmark::State& state)
{
    const std::string from = TempPath("w.obj"), to = TempPath("copy.obj");
    for (auto _ : state) CopyFile(from, to);
    std::remove(to.c_str());
}

void BM_CopyStlSizedFile(benchmark::State& state)
{
    const std::string from = TempPath("w.stl"), to = TempPath("copy.stl");
    for (auto _ : state) CopyFile(from, to);
    std::remove(to.c_str());
}

void BM_ObjRead512(benchmark::State& state)
{
    const std::string path = TempPath("r.obj");
    Check(state, WriteObjFile(path, 512, 512, 16, true, true, Pattern(512)));
    for (auto _ : state) Check(state, LoadObjFile(path));
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_ObjWrite513)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyObjSizedFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StlWrite513)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyStlSizedFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjRead512)->Unit(benchmark::kMillisecond);
