// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbTerragen.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr int64_t kFirstChunk = 16;
constexpr int64_t kAltitudeDataSkip = 8; // "ALTW", HeightScale, BaseHeight
constexpr const char* kRefusal = "Invalid or unsupported Terragen Terrain file.";

// Size of a chunk the walk can step over, marker included; 0 for any other marker.
int64_t ChunkSize(std::string_view marker)
{
    if (marker == "SIZE" || marker == "XPTS" || marker == "YPTS" || marker == "CRAD" || marker == "CRVM") return 8;
    if (marker == "SCAL") return 16;
    return 0;
}

bool IsDimension(int32_t v) { return v != 0 && v != -1; }

void Refuse(const std::string& detail) { ShowWarning(std::string(kRefusal) + kCrLf + detail); }

// One walk over the chunks from the header on, remembering the first offset of every marker met.
// It ends at "ALTW", at "EOF ", or at a marker it cannot step over (which is remembered too).
struct ChunkWalk {
    std::vector<std::pair<std::string, int64_t>> found;
    bool metEnd = false; // stopped at "EOF "

    int64_t OffsetOf(std::string_view marker) const
    {
        for (const auto& [m, offset] : found)
            if (m == marker) return offset;
        return 0;
    }
};

// Raises a run-time error when the file ends inside the walk. A lookup stops at the marker it
// wants; the load walks on to "ALTW".
ChunkWalk WalkChunks(FileReader& in, std::string_view wanted = {})
{
    ChunkWalk walk;
    in.Seek(kFirstChunk);
    int64_t offset = kFirstChunk;
    char skip[16];
    for (;;) {
        char m[4];
        in.ReadExact(m, sizeof m);
        const std::string marker(m, sizeof m);
        if (marker == "EOF ") {
            walk.metEnd = true;
            return walk;
        }
        if (walk.OffsetOf(marker) == 0) walk.found.emplace_back(marker, offset);
        const int64_t size = ChunkSize(marker);
        if (marker == wanted || marker == "ALTW" || size == 0) return walk;
        // Step over the chunk by reading it, so a long walk stays buffered.
        in.ReadExact(skip, static_cast<size_t>(size - 4));
        offset += size;
    }
}

// The signed 16-bit value after a dimension marker.
int32_t ChunkValue(FileReader& in, int64_t offset)
{
    uint8_t v[2];
    in.Seek(offset + 4);
    in.ReadExact(v, sizeof v);
    return LoadI16LE(v);
}

// What a lookup of marker gives after the walk: its offset, -1 when "ALTW" came first, 0 when
// an unknown marker or the end came first.
int64_t LookupResult(const ChunkWalk& walk, std::string_view marker)
{
    if (const int64_t offset = walk.OffsetOf(marker); offset != 0) return offset;
    return walk.OffsetOf("ALTW") != 0 ? -1 : 0;
}

// What the load takes from the chunks: the walk and the dimension values it found (a lookup's
// 0 or -1 where a marker is missing).
struct TerragenHeader {
    ChunkWalk walk;
    int32_t xpts = 0, ypts = 0, size = 0;
    int64_t length = 0;
};

TerragenHeader ReadTerragenHeader(FileReader& in)
{
    TerragenHeader h;
    h.walk = WalkChunks(in);
    h.length = in.Length();
    auto value = [&](std::string_view marker) {
        const int64_t offset = LookupResult(h.walk, marker);
        return offset > 0 ? ChunkValue(in, offset) : static_cast<int32_t>(offset);
    };
    h.xpts = value("XPTS");
    h.ypts = value("YPTS");
    h.size = value("SIZE");
    return h;
}

} // namespace

bool ValidateTerragenFile(const std::string& path)
{
    if (!CheckReaderExtension(path, "ter", "TER")) return false;
    return TrapErrors("An error occurred validating the Terragen Terrain File.", [&] {
        FileReader in(path);
        char head[16] = {};
        const size_t got = in.Read(head, sizeof head);
        in.Close();
        if (got == sizeof head && std::memcmp(head, "TERRAGENTERRAIN ", 16) == 0) return true;
        ShowWarning(kRefusal);
        return false;
    });
}

int64_t FindTerragenChunk(const std::string& path, const std::string& marker)
{
    return TrapErrors(
        "An error occurred locating a Terragen Terrain chunk offset.",
        [&] {
            FileReader in(path);
            const ChunkWalk walk = WalkChunks(in, marker);
            const int64_t result = LookupResult(walk, marker);
            if (result == 0 && walk.metEnd) ShowWarning("Premature end of file!");
            return result;
        },
        0);
}

int32_t ReadTerragenChunkValue(const std::string& path, const std::string& marker)
{
    const int64_t offset = FindTerragenChunk(path, marker);
    if (offset == 0 || offset == -1) return static_cast<int32_t>(offset);
    return TrapErrors(
        "An error occurred retrieving the Terragen Terrain " + marker + " value.",
        [&] {
            FileReader in(path);
            return ChunkValue(in, offset);
        },
        0);
}

bool LoadTerragenFile(const std::string& path)
{
    if (!ValidateTerragenFile(path)) return false;
    // The chunks are walked once, so a damaged file is told about once.
    const std::optional<TerragenHeader> header =
        TrapErrors("An error occurred locating a Terragen Terrain chunk offset.", [&] {
            FileReader in(path);
            return std::optional(ReadTerragenHeader(in));
        });
    if (!header) return false;
    const TerragenHeader& h = *header;
    if (h.walk.metEnd) {
        ShowWarning("Premature end of file!");
        return false;
    }
    const int64_t altw = h.walk.OffsetOf("ALTW");
    if (altw == 0) {
        Refuse("The altitude data (ALTW chunk) could not be found.");
        return false;
    }
    int32_t width = 0, height = 0;
    if (IsDimension(h.xpts) && IsDimension(h.ypts)) {
        width = h.xpts;
        height = h.ypts;
    } else if (IsDimension(h.size)) {
        width = height = h.size + 1;
    } else {
        const int64_t values = (h.length - altw - 12) / 2;
        if (values < 1) {
            Refuse("The file holds no altitude values.");
            return false;
        }
        const auto side = static_cast<int32_t>(std::lround(std::sqrt(static_cast<double>(values))));
        const std::string n = std::to_string(side);
        if (!AskYesNo(std::string("This Terragen file does not contain any Size or XPts/YPts dimension information.") +
                      kCrLf + "As a square-aspect terrain heightmap it appears to be " + n + "x" + n + "." + kCrLf +
                      kCrLf + "Continue with opening this file?"))
            return false;
        width = height = side;
    }
    if (!CheckHeightmapResolution(width, height)) return false;
    return TrapErrors("An error occurred loading the Terragen Terrain file.", [&] {
        std::vector<uint8_t> data;
        if (width >= 1 && height >= 1) {
            FileReader in(path);
            const int64_t bytes = int64_t{2} * width * height;
            if (in.Length() - (altw + kAltitudeDataSkip) < bytes) {
                Refuse("The altitude data is shorter than its " + std::to_string(width) + " x " +
                       std::to_string(height) + " size promises.");
                return false;
            }
            in.Seek(altw + kAltitudeDataSkip);
            data = in.ReadBytes(static_cast<size_t>(bytes));
            in.Close();
        }
        if (!BeginHeightmapLoad(width, height)) return false;
        // The first row in the file is the bottom row of the map.
        for (int32_t y = height; y >= 1; --y) {
            const uint8_t* src = data.data() + static_cast<size_t>(height - y) * static_cast<size_t>(width) * 2;
            int32_t* out = MutableAltitudeRow(y);
            for (int32_t x = 0; x < width; ++x) out[x] = LoadI16LE(src + 2 * x);
        }
        LiftNegativeAltitudes();
        FinishHeightmapLoad(FmtTerragen);
        return true;
    });
}

bool SaveTerragenFile(const std::string& path)
{
    return TrapErrors("An error occurred saving the Terragen Terrain file.", [&] {
        const int32_t width = HeightmapWidth(), height = HeightmapHeight();
        if (width > GridWidth() || height > GridHeight()) throw RunTimeError(ErrSubscript);
        FileWriter out(path);
        out.PutText("TERRAGENTERRAIN ");
        out.PutText("SIZE");
        out.PutI16LE(static_cast<int16_t>(std::min(width, height) - 1));
        out.PutI16LE(0);
        out.PutText("XPTS");
        out.PutI16LE(static_cast<int16_t>(width));
        out.PutI16LE(0);
        out.PutText("YPTS");
        out.PutI16LE(static_cast<int16_t>(height));
        out.PutI16LE(0);
        out.PutText("SCAL");
        for (int i = 0; i < 3; ++i) out.PutF32LE(30.0f);
        out.PutText("CRAD");
        out.PutF32LE(6370.0f);
        out.PutText("CRVM");
        out.PutU32LE(0);
        out.PutText("ALTW");
        out.PutI16LE(32); // HeightScale
        out.PutI16LE(0);  // BaseHeight
        for (int32_t y = height; y >= 1; --y) {
            const int32_t* row = AltitudeRow(y);
            auto* p = reinterpret_cast<uint8_t*>(out.Reserve(static_cast<size_t>(width) * 2));
            for (int32_t x = 0; x < width; ++x) {
                // Out-of-range altitudes are clamped rather than wrapped into the signed range.
                const auto v = static_cast<uint16_t>(std::clamp(row[x], 0, 65535) - 32768);
                p[2 * x] = static_cast<uint8_t>(v);
                p[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            }
            out.Commit(static_cast<size_t>(width) * 2);
        }
        out.PutText("EOF ");
        out.Close();
        SetFormatCode(FmtTerragen);
        return true;
    });
}

} // namespace tolv
