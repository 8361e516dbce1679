// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Writes the sample heightmaps of the data folder: two fractal terrains made with the
// diamond-square method from a fixed seed, saved through the program's own writers, so the
// samples are always in step with the formats the program really writes.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "formats/FormatTable.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/UiHost.h"

namespace {

// Prints what a writer would have told the user; questions get their default button and
// parameter dialogs are never shown (formats that ask for options are left out).
class PrintingHost : public tolv::UiHost {
public:
    void ShowMessage(tolv::MessageKind, const std::string& text, const std::string&, int) override
    {
        std::fprintf(stderr, "  message: %s\n", text.c_str());
    }
    bool AskQuestion(const std::string&, const std::string&, bool defaultNo, int) override { return !defaultNo; }
    void ShowDialog(tolv::DialogId) override {}
};

// Diamond-square on a (2^n + 1) square grid; values are relative, scaled afterwards.
std::vector<double> DiamondSquare(int size, uint32_t seed, double roughness)
{
    std::mt19937 rng(seed);
    // Our own mapping of the generator's output, so every platform makes the same terrain.
    auto noise = [&rng] { return double(rng()) / 4294967295.0 * 2.0 - 1.0; };
    std::vector<double> g(static_cast<size_t>(size) * size, 0.0);
    auto at = [&g, size](int x, int y) -> double& { return g[static_cast<size_t>(y) * size + x]; };
    at(0, 0) = noise();
    at(size - 1, 0) = noise();
    at(0, size - 1) = noise();
    at(size - 1, size - 1) = noise();
    double amplitude = 1.0;
    for (int step = size - 1; step > 1; step /= 2) {
        const int half = step / 2;
        for (int y = half; y < size; y += step)
            for (int x = half; x < size; x += step)
                at(x, y) = (at(x - half, y - half) + at(x + half, y - half) + at(x - half, y + half) +
                            at(x + half, y + half)) /
                               4.0 +
                           noise() * amplitude;
        for (int y = 0; y < size; y += half) {
            for (int x = (y / half) % 2 == 0 ? half : 0; x < size; x += step) {
                double sum = 0;
                int n = 0;
                if (x >= half) sum += at(x - half, y), ++n;
                if (x + half < size) sum += at(x + half, y), ++n;
                if (y >= half) sum += at(x, y - half), ++n;
                if (y + half < size) sum += at(x, y + half), ++n;
                at(x, y) = sum / n + noise() * amplitude;
            }
        }
        amplitude *= roughness;
    }
    return g;
}

bool MakeHeightmap(int size, uint32_t seed, int32_t low, int32_t high)
{
    const std::vector<double> g = DiamondSquare(size, seed, 0.55);
    double lo = g[0], hi = g[0];
    for (double v : g) lo = std::min(lo, v), hi = std::max(hi, v);
    if (!tolv::BeginHeightmapLoad(size, size)) return false;
    for (int y = 1; y <= size; ++y) {
        int32_t* row = tolv::MutableAltitudeRow(y);
        for (int x = 0; x < size; ++x) {
            const double t = (g[static_cast<size_t>(y - 1) * size + x] - lo) / (hi - lo);
            row[x] = low + static_cast<int32_t>(t * (high - low) + 0.5);
        }
    }
    tolv::FinishHeightmapLoad(tolv::FmtNone);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path folder = argv[1];
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(), ec.message().c_str());
        return 1;
    }
    PrintingHost host;
    tolv::InstallHost(&host);

    struct Sample {
        int size;
        uint32_t seed;
        int32_t low, high;
    };
    const Sample samples[] = {{257, 20260101u, 0, 65535}, {513, 20260513u, 2048, 61440}};
    // Every format the program writes without asking for options and can open again.
    std::vector<const char*> extensions;
    for (const tolv::FormatRow& row : tolv::FormatTable())
        if (row.save.kind == tolv::SaveKind::Writer && !row.save.asksOptions && tolv::HasReader(row.ext))
            extensions.push_back(row.ext);
    int written = 0;
    for (const Sample& s : samples) {
        if (!MakeHeightmap(s.size, s.seed, s.low, s.high)) return 1;
        for (const char* ext : extensions) {
            const fs::path file = folder / ("terrain" + std::to_string(s.size) + "." + ext);
            // A fresh file each time: no ".bak" copies pile up in the folder.
            fs::remove(file, ec);
            if (tolv::SaveFileByType(file.string())) {
                ++written;
            } else {
                std::fprintf(stderr, "  %s skipped: its writer did not write it\n", file.filename().string().c_str());
                fs::remove(file, ec);
            }
        }
    }
    tolv::InstallHost(nullptr);
    std::printf("%d sample heightmaps in %s\n", written, folder.string().c_str());
    return written > 0 ? 0 : 1;
}
