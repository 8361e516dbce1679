// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "heightmap/MapHeight.h"

namespace tolv::fuzz {

// Writes the input to a file with the reader's extension and runs the reader on it. Messages go
// to the silent host, which answers every question with its default button.
template <typename Reader>
int RunReader(const uint8_t* data, size_t size, const char* extension, Reader reader)
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("tolv-fuzz-" + std::to_string(::getpid()) + "." + extension)).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
    ClearHeightmap();
    reader(path);
    return 0;
}

} // namespace tolv::fuzz
