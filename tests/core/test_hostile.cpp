// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Files built to hurt, beyond the kept cases: valid files of every kind cut short or damaged at
// random, and the inputs that once crashed a reader. Whatever the bytes, an open either loads a
// consistent map or leaves the map from before exactly as it was, and says why.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "OpenOutcome.h"
#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"

extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=8:allocator_may_return_null=0"; }

using namespace tolv;
using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

void LoadBefore() { LoadGrid(3, 2, {5, 6, 7, 8, 9, 10}, FmtHma); }
bool UnchangedFromBefore()
{
    return HeightmapLoaded() && FormatCode() == FmtHma && CurrentGrid() == std::vector<int32_t>{5, 6, 7, 8, 9, 10};
}

// Opens path as a user who says Yes and confirms every dialog; "" when the outcome is sound.
std::string OpenProblem(const std::string& path, const std::string& ext, int32_t colourSetting)
{
    TestHost host;
    Globals().convertColorToGrayscale = colourSetting;
    host.onDialog = [](DialogId) { YesHost::AnswerRawSize(); };
    LoadBefore();
    if (OpenFileByType(path)) return OpenOutcomeProblem(true);
    if (!UnchangedFromBefore()) return "a refused file changed the map";
    // Questions asked on the way are not refusals. A Targa or TIFF file failing validation and
    // a cancelled raw size dialog pass in silence.
    const auto said = std::count_if(host.messages.begin(), host.messages.end(),
                                    [](auto& m) { return m.kind != "question"; });
    const bool maySayNothing = ext == "tga" || ext == "tif" || ext == "raw" || ext == "r16" || ext == "r32";
    if (said > 1 || (said == 0 && !maySayNothing)) return std::to_string(said) + " messages for one refusal";
    return "";
}

} // namespace

// Every kind of file each reader takes, cut at every length up to 64 bytes and at sixteen points
// beyond, then damaged at random (bytes changed, set to 0xFF, bits flipped, the file cut). Cut
// bitmaps keep a size field that matches, so the cut reaches past the header check.
TEST(Hostile, CutAndDamagedFilesOfEveryKind)
{
    size_t files = 0;
    std::mt19937 rng(12345);
    for (const char* ext : kReadableExtensions) {
        TempDir dir;
        std::vector<std::string> samples;
        {
            TestHost setup;
            LoadPatternMap(37, 21);
            samples = WriteSampleFiles(dir.Path(), "sample", ext);
        }
        const std::string path = dir / (std::string("hurt.") + ext);
        for (const std::string& sample : samples) {
            ++files;
            const std::vector<uint8_t> whole = ReadFileBytes(sample);
            std::vector<std::vector<uint8_t>> variants;
            for (size_t n = 0; n < whole.size() && n <= 64; ++n)
                variants.emplace_back(whole.begin(), whole.begin() + long(n));
            for (size_t k = 1; k < 16; ++k)
                variants.emplace_back(whole.begin(), whole.begin() + long(whole.size() * k / 16));
            if (std::string(ext) == "bmp")
                for (auto& v : variants)
                    for (size_t i = 2; i < 6 && i < v.size(); ++i) v[i] = uint8_t(v.size() >> (8 * (i - 2)));
            for (int round = 0; round < 60; ++round) {
                std::vector<uint8_t> b = whole;
                for (int edits = 1 + int(rng() % 4); edits > 0 && !b.empty(); --edits) {
                    const size_t at = rng() % b.size();
                    switch (rng() % 4) {
                    case 0: b[at] = uint8_t(rng()); break;
                    case 1: b[at] = 0xFF; break;
                    case 2: b.resize(at); break;
                    default: b[at] ^= uint8_t(1u << (rng() % 8)); break;
                    }
                }
                variants.push_back(b);
            }
            for (size_t i = 0; i < variants.size(); ++i) {
                WriteFileBytes(path, variants[i]);
                EXPECT_EQ(OpenProblem(path, ext, int32_t(i % 3)), "")
                    << GetFileName(sample) << " variant " << i << " of " << variants[i].size() << " bytes";
            }
        }
    }
    EXPECT_GE(files, 20u) << "every reader's kinds of file";
}

// Inputs that once crashed, hung or upset a sanitizer, opened under their own extension.
TEST(Hostile, KeptRegressionInputs)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(fs::path(TOLV_TEST_DATA) / "regress"))
        if (e.path().extension() != ".md") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files)
        EXPECT_EQ(OpenProblem(file.string(), file.extension().string().substr(1), 2), "") << file.filename();
}
