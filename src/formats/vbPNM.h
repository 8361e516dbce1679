// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tolv {

// PGM (P2 decimal text, P5 binary) and PAM (P7) files. The writers always use the full 16-bit
// range (maximum value 65535, big-endian binary samples), rows top first.
struct PgmOptions {
    bool p5 = false; // the binary form; P2 otherwise
};
// Shows the PGM options dialog; nothing when it was cancelled.
std::optional<PgmOptions> AskPgmOptions();
bool SavePgmFile(const std::string& path, const PgmOptions& options);
bool SavePamFile(const std::string& path);
// grid: width x height samples, rows top first; each sample contributes its low 16 bits.
bool WritePgmP2File(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid);
bool WritePgmP5File(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid);
bool WritePamFile(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid);

// Readers of what the writers (and common tools) write: any maximum value up to 65535, one- and
// two-byte binary samples, comments and any whitespace in the header. Samples are stored as they
// are, not scaled. PGM accepts P2 and P5 (format code 6), PAM accepts P7 with DEPTH 1 (code 5).
bool LoadPgmFile(const std::string& path);
bool LoadPamFile(const std::string& path);

} // namespace tolv
