// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Writes the seed corpora of the fuzz targets into <seeds>/<extension>/: the kept case files of
// each readable extension, sound and damaged ones alike.
#include <cstdio>
#include <filesystem>
#include <string>

#include "SampleFiles.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <test data folder> <seeds>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path root = argv[2];
    size_t files = 0;
    for (const char* ext : tolv::test::kReadableExtensions) {
        fs::create_directories(root / ext);
        for (const std::string& file : tolv::test::KeptFiles(argv[1], ext, false)) {
            fs::copy_file(file, root / ext / fs::path(file).filename(), fs::copy_options::overwrite_existing);
            ++files;
        }
    }
    std::printf("%zu seed files in %s\n", files, root.string().c_str());
    return files > 0 ? 0 : 1;
}
