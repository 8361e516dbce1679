// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Reader and writer cases kept as files under tests/data/<ext>/ (their form: tests/data/README.md).
// A reader case is opened through the open dispatch and what the user sees and gets is written
// out in the case file's own form, so a failure shows both texts side by side. Inputs too large
// to keep are generated here and checked the same way. Then files built to hurt: valid files of
// every kind cut short or damaged at random, and the inputs that once crashed a reader. Whatever
// the bytes, an open either loads a consistent map or leaves the map from before exactly as it
// was, and says why.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>

#include "OpenOutcome.h"
#include "SampleFiles.h"
#include "TempDir.h"
#include "TestHost.h"
#include "formats/FrmRawSizeRules.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/FrmSaveSTLRules.h"
#include "shell/Globals.h"
#include "shell/vbShowDialog.h"

// Under AddressSanitizer any single allocation above 8 MB fails the test outright: no reader may
// allocate more than a few times the largest heightmap, whatever a header claims. (The largest
// that a valid file needs is the OBJ reader's vertex list for 513 x 513 points, grown to 6 MB.)
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=8:allocator_may_return_null=0"; }

using namespace tolv;
using namespace tolv::test;
namespace fs = std::filesystem;

namespace {

const fs::path kData = TOLV_TEST_DATA;

// CR, LF, tab and backslash written as \r, \n, \t and \\, so a message reads as one line.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\t' ? "\\t" : c == '\\' ? "\\\\" : std::string(1, c);
    return out;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}

// A case: what the user does (the setup lines, and for a writer the map) and what must follow.
struct Case {
    int32_t colour = 0; // the "convert colour to grayscale" setting
    std::vector<bool> answers;
    std::vector<std::string> raw, options; // raw size dialog; writer options dialog
    int32_t width = 0, height = 0;
    std::vector<int32_t> grid;
    std::vector<std::string> outcome;
};

Case ParseCase(const std::string& text)
{
    Case c;
    std::istringstream in(text);
    int32_t rowsToRead = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> w = Words(line);
        if (w.empty() || w[0][0] == '#') continue;
        if (rowsToRead > 0) {
            for (const std::string& v : w) c.grid.push_back(std::stoi(v));
            --rowsToRead;
        } else if (line == "colour weighted" || line == "colour green" || line == "colour ask") {
            c.colour = line.ends_with("weighted") ? 0 : line.ends_with("green") ? 1 : 2;
        } else if (line == "answer yes" || line == "answer no") { // other lines are outcome lines
            c.answers.push_back(line == "answer yes");
        } else if (w[0] == "raw") {
            c.raw.assign(w.begin() + 1, w.end());
        } else if (w[0] == "pgm" || w[0] == "stl" || w[0] == "obj") {
            c.options = w;
        } else if (w[0] == "grid" && w.size() == 4) {
            c.width = std::stoi(w[1]);
            c.height = rowsToRead = std::stoi(w[3]);
        } else {
            c.outcome.push_back(line);
        }
    }
    return c;
}

// Answers the raw size dialog the way the case says, noting what the dialog was told; confirms a
// writer's options dialog with its proposals, changed where the case says so.
void InstallScript(TestHost& host, const Case& c, std::vector<std::string>& seen)
{
    Globals().convertColorToGrayscale = c.colour;
    host.answers.assign(c.answers.begin(), c.answers.end());
    host.onDialog = [&c, &seen](DialogId id) {
        if (id == DialogId::RawSize) {
            const auto [length, bits] = ReadDialogParams<RawSizeParams>();
            seen.push_back("dialog Raw Size: " + std::to_string(length) + " bytes, " + std::to_string(bits) + " bits");
            const std::vector<std::string>& r = c.raw;
            if (r.empty() || r[0] == "cancel") return;
            const RawSizeState s = r.size() == 3 && r[2] == "forced" ? RawSizeState{r[0], r[1], true} // skips the rules
                                   : r[0] == "proposal"              ? ProposeRawSize(length, bits)
                                                        : ApplyRawSizeTexts(length, bits, r.at(0), r.at(1));
            if (s.okEnabled) ConfirmDialog(RawSizeResult{s.width, s.height});
            return;
        }
        ConfirmProposals();
        const std::vector<std::string>& o = c.options;
        auto has = [&](const char* word) { return std::find(o.begin(), o.end(), word) != o.end(); };
        if (id == DialogId::SavePGM && !o.empty()) ConfirmDialog(SavePgmResult{o.at(1) == "P5" ? 1 : 0});
        if (id == DialogId::SaveSTL && !o.empty()) ConfirmDialog(SaveStlResult{SpacingValue(o.at(1)), has("flip")});
        if (id == DialogId::SaveOBJ && !o.empty())
            ConfirmDialog(SaveObjValues{SpacingValue(o.at(1)), has("object"), has("smooth")});
    };
}

std::vector<std::string> Messages(const TestHost& host)
{
    std::vector<std::string> out;
    for (const Recorded& m : host.messages)
        out.push_back(m.kind + (m.caption == kAppTitle ? "" : " (" + m.caption + ")") +
                      (m.defaultNo ? " [default No]" : "") + ": " + Escaped(m.text));
    return out;
}

// The map every open starts from: a refused file must leave it exactly so.
const std::vector<int32_t> kBefore = {5, 6, 7, 8, 9, 10};
void LoadBefore() { LoadGrid(3, 2, kBefore, FmtStl); }
bool UnchangedFromBefore()
{
    return HeightmapLoaded() && HeightmapWidth() == 3 && HeightmapHeight() == 2 && FormatCode() == FmtStl &&
           CurrentGrid() == kBefore;
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

// Opens path as the case says and writes out what followed, in the case file's form: the grid
// whole, or only the points the case names ("at X,Y: altitude").
std::string OpenCase(const std::string& path, const Case& c)
{
    TestHost host;
    std::vector<std::string> seen;
    InstallScript(host, c, seen);
    LoadBefore();
    const auto start = std::chrono::steady_clock::now();
    const bool opened = OpenFileByType(path);
    std::vector<std::string> out = seen;
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5)) out.push_back("took over 5 seconds");
    for (const std::string& m : Messages(host)) out.push_back(m);
    if (!GetDialogParam(1).IsEmpty() || !GetDialogResult(1).IsEmpty()) out.push_back("dialog slots left filled");
    if (!opened) {
        out.push_back(UnchangedFromBefore() ? "map unchanged" : "map changed by a refused file");
        return Join(out);
    }
    out.push_back("loaded " + std::to_string(HeightmapWidth()) + " x " + std::to_string(HeightmapHeight()) +
                  ", format " + std::to_string(FormatCode()));
    const std::string problem = OpenOutcomeProblem(true);
    if (!problem.empty()) out.push_back(problem);
    bool points = false;
    for (const std::string& line : c.outcome) {
        int x = 0, y = 0;
        if (std::sscanf(line.c_str(), "at %d,%d:", &x, &y) != 2) continue;
        points = true;
        const bool inside = x >= 1 && y >= 1 && x <= HeightmapWidth() && y <= HeightmapHeight();
        out.push_back("at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                      (inside ? std::to_string(GetAltitude(x, y)) : "outside"));
    }
    for (int32_t y = 1; !points && y <= HeightmapHeight(); ++y) {
        std::string row;
        for (int32_t x = 1; x <= HeightmapWidth(); ++x)
            row.append(x > 1 ? " " : "").append(std::to_string(GetAltitude(x, y)));
        out.push_back(row);
    }
    return Join(out);
}

// Saves the case's map as map.<ext> and writes out what followed; the file must equal golden.
std::string SaveCase(const Case& c, const std::string& golden)
{
    TestHost host;
    std::vector<std::string> seen;
    InstallScript(host, c, seen);
    LoadGrid(c.width, c.height, c.grid, FmtNone);
    TempDir dir;
    const std::string path = dir / ("map" + fs::path(golden).extension().string());
    const bool saved = SaveFileByType(path);
    std::vector<std::string> out = Messages(host);
    if (saved) {
        EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(golden)) << golden;
    }
    out.push_back(saved                                         ? "saved, format " + std::to_string(FormatCode())
                  : FileExists(path) || FormatCode() != FmtNone ? "refused, but a file or the format code changed"
                                                                : "not saved");
    return Join(out);
}

std::vector<fs::path> Sorted(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(folder)) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool IsWriterCase(const fs::path& p) { return p.filename().string().rfind("write-", 0) == 0; }

} // namespace

// Reader cases, and writer cases: a map saved through the save dispatch (its options dialog
// answered as the case says) must give the bytes of write-<case>.<ext> exactly, or be refused as
// the case says.
TEST(DataCases, EveryReaderAndWriterCase)
{
    size_t readers = 0, writers = 0;
    for (const fs::path& folder : Sorted(kData)) { // the case folders: one per extension, named after it
        const std::string ext = folder.filename().string();
        if (!fs::is_directory(folder) || ext == "regress") continue;
        for (const fs::path& file : Sorted(folder)) {
            const std::string name = ext + "/" + file.filename().string();
            fs::path path = file, expect = file;
            if (IsWriterCase(file)) {
                if (file.extension() != ".map") continue;
                const Case c = ParseCase(ReadFileText(file.string()));
                ASSERT_EQ(c.grid.size(), size_t(c.width) * size_t(c.height)) << name;
                EXPECT_EQ(SaveCase(c, path.replace_extension(ext).string()), Join(c.outcome)) << name;
                ++writers;
                continue;
            }
            if (file.extension() == ".expect") {
                // Every expectation has its file, but the one of a file that does not exist.
                const bool missing = file.stem() == "missing-file";
                EXPECT_NE(fs::exists(path.replace_extension(ext)), missing) << name;
                if (!missing) continue;
            } else {
                ASSERT_EQ(file.extension(), "." + ext) << name << ": only cases of its folder's extension belong here";
                ASSERT_TRUE(fs::exists(expect.replace_extension(".expect"))) << name << " has no .expect";
            }
            const Case c = ParseCase(ReadFileText(expect.string()));
            EXPECT_EQ(OpenCase(path.string(), c), Join(c.outcome)) << name;
            ++readers;
        }
    }
    for (const char* ext : kReadableExtensions) EXPECT_TRUE(fs::exists(kData / ext / "missing-file.expect")) << ext;
    EXPECT_GE(readers, 100u);
    EXPECT_GE(writers, 20u);
}

// Files too large to keep, generated and checked in the same form as the kept cases.
TEST(DataCases, FilesTooLargeToKeep)
{
    auto lines = [](int count, const std::function<std::string(int)>& line) {
        std::string text;
        for (int i = 0; i < count; ++i) text += line(i);
        return text;
    };
    const std::string tooLarge = " file size is too large.\\r\\nThe maximum supported size is 513x513 which is ";
    const std::string resolution = "info: Unsupported heightmap resolution.\\r\\n\\r\\nThe heightmap size is ";
    const std::string supported = ".\\r\\nHeight resolutions up to 513x513 are supported.\nmap unchanged";
    const struct {
        const char* ext;
        std::string bytes, expect;
        // clang-format off
    } rows[] = {
        {"raw", std::string(263170, '\1'), "info: The specified RAW8" + tooLarge + "263169 bytes.\nmap unchanged"},
        {"r16", std::string(526340, '\1'), "info: The specified RAW16" + tooLarge + "526338 bytes.\nmap unchanged"},
        {"r32", std::string(1052677, '\1'), "info: The specified RAW32" + tooLarge + "1052676 bytes.\nmap unchanged"},
        {"r16", lines(513 * 513, [](int i) { return std::string{char(i), char(i / 256)}; }),
         "raw proposal\ndialog Raw Size: 526338 bytes, 16 bits\nloaded 513 x 513, format 8\n"
         "at 1,1: 0\nat 2,1: 1\nat 1,2: 513\nat 513,513: 1024"},
        // Rows bottom first: the file's first value is the lower left corner.
        {"txt", lines(513, [&](int r) { return lines(513, [&](int c) { return std::to_string(r * 100 + c) + " "; }) + "\r\n"; }),
         "loaded 513 x 513, format 11\nat 1,513: 0\nat 513,513: 512\nat 1,1: 51200\nat 513,1: 51712"},
        {"txt", std::string(20000, ' ') + "\r\n", resolution + "20000 x 1" + supported},
        {"txt", lines(100000, [](int) { return "1 \r\n"; }), resolution + "1 x 100000" + supported},
        {"obj", lines(263170, [](int) { return "v 0 0 1\n"; }),
         "warning: The object file contains more than 263169 vertices.  The object is too large.\nmap unchanged"},
        {"obj", lines(600, [](int i) { return "v " + std::to_string(i + 1) + " 1 5\r\n"; }), resolution + "601 x 2" + supported},
    };
    // clang-format on
    for (const auto& r : rows) {
        TempDir dir;
        const std::string path = dir / (std::string("big.") + r.ext);
        WriteFileText(path, r.bytes);
        const Case c = ParseCase(r.expect);
        EXPECT_EQ(OpenCase(path, c), Join(c.outcome)) << r.ext << ": " << r.expect;
    }
}

// Every kept file that loads, cut at every length up to 64 bytes and at sixteen points beyond,
// then damaged at random (bytes changed, set to 0xFF, bits flipped, the file cut). Cut bitmaps
// keep a size field that matches, so the cut reaches past the header check.
TEST(Hostile, CutAndDamagedFilesOfEveryKind)
{
    size_t files = 0;
    std::mt19937 rng(12345);
    for (const char* ext : kReadableExtensions) {
        TempDir dir;
        const std::string path = dir / (std::string("hurt.") + ext);
        for (const std::string& sample : KeptFiles(kData, ext, true)) {
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
    EXPECT_GE(files, 100u) << "every reader's kinds of file";
}

// Inputs that once crashed, hung or upset a sanitizer, opened under their own extension.
TEST(Hostile, KeptRegressionInputs)
{
    const std::vector<fs::path> files = Sorted(kData / "regress");
    ASSERT_GT(files.size(), 1u); // its README and the inputs
    for (const fs::path& file : files)
        if (file.extension() != ".md") {
            EXPECT_EQ(OpenProblem(file.string(), file.extension().string().substr(1), 2), "") << file.filename();
        }
}
