// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

#include "heightmap/MapHeight.h"

namespace tolv::test {

TempDir::TempDir()
{
    std::string tmpl = (std::filesystem::temp_directory_path() / "tolv-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make folders read-only; give the rights back so the folder can go.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
    std::filesystem::remove_all(path_, ec);
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    const std::string text = ReadFileText(path);
    return {text.begin(), text.end()};
}

void WriteFileText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    WriteFileText(path, std::string(bytes.begin(), bytes.end()));
}

std::vector<std::string> Words(std::istream& in)
{
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    return Words(in);
}

std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

void LoadGrid(int32_t width, int32_t height, const std::vector<int32_t>& samples, int32_t formatCode)
{
    if (samples.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw std::invalid_argument("LoadGrid: sample count does not match the size");
    SetHeightmapWidth(width);
    SetHeightmapHeight(height);
    if (!AllocateHeightmap(width, height)) throw std::invalid_argument("LoadGrid: size refused");
    for (int32_t y = 1; y <= height; ++y)
        for (int32_t x = 1; x <= width; ++x) SetAltitude(x, y, samples[static_cast<size_t>((y - 1) * width + x - 1)]);
    MarkHeightmapLoaded();
    SetFormatCode(formatCode);
    UpdateHeightmapStatistics();
}

std::vector<int32_t> CurrentGrid()
{
    std::vector<int32_t> out;
    for (int32_t y = 1; y <= HeightmapHeight(); ++y)
        for (int32_t x = 1; x <= HeightmapWidth(); ++x) out.push_back(GetAltitude(x, y));
    return out;
}

std::vector<int32_t> Coded(int32_t w, int32_t h, int32_t x0, int32_t y0)
{
    std::vector<int32_t> v;
    for (int32_t y = y0; y < y0 + h; ++y)
        for (int32_t x = x0; x < x0 + w; ++x) v.push_back(1000 * y + x);
    return v;
}

} // namespace tolv::test
