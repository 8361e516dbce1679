// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

namespace tolv::test {

// A fresh folder removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // path of a file name inside the folder
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::vector<uint8_t> ReadFileBytes(const std::string& path);
std::string ReadFileText(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteFileText(const std::string& path, const std::string& text);
// The blank-separated words of the rest of a stream, or of a line.
std::vector<std::string> Words(std::istream& in);
std::vector<std::string> Words(const std::string& line);
// The names of the entries of a folder.
std::set<std::string> Listing(const std::string& folder);

// Loads a grid into the heightmap as a reader would (rows top first).
void LoadGrid(int32_t width, int32_t height, const std::vector<int32_t>& samples, int32_t formatCode = 0);
// The current heightmap's samples, rows top first.
std::vector<int32_t> CurrentGrid();
// A w x h block, from (x0, y0), of a map whose samples tell where they are: 1000 x row + column.
std::vector<int32_t> Coded(int32_t w, int32_t h, int32_t x0 = 1, int32_t y0 = 1);

} // namespace tolv::test
