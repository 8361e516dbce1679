// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Writes the seed corpora of the fuzz targets into <folder>/<extension>/: small maps through the
// program's own writers, and hand-built files for the kinds it only reads.
#include <cstdio>
#include <filesystem>
#include <string>

#include "SampleFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const std::pair<int, int> sizes[] = {{1, 1}, {3, 2}, {17, 9}, {64, 64}};
    size_t files = 0;
    for (const char* ext : tolv::test::kReadableExtensions) {
        std::filesystem::create_directories(root / ext);
        for (auto [w, h] : sizes) {
            tolv::test::LoadPatternMap(w, h);
            const std::string stem = "seed-" + std::to_string(w) + "x" + std::to_string(h);
            files += tolv::test::WriteSampleFiles((root / ext).string(), stem, ext).size();
        }
    }
    std::printf("%zu seed files in %s\n", files, root.string().c_str());
    return 0;
}
