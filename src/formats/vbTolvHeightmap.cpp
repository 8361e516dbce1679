// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbTolvHeightmap.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "formats/BinaryIO.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr char kHmbSignature[] = "TOLV Binary Heightmap"; // 21 characters, then one 0x00
constexpr char kHmaSignature[] = "TOLV ASCII Heightmap";  // 20 characters
constexpr int16_t kHmbVersion = 100;
constexpr const char* kNativeQuestion = "Continue if the file's contents are valid?";

// "Width 512" -> the text from the first space on, converted; no space is a run-time error.
bool ParseHmaSize(const std::string& line, int32_t& value)
{
    size_t space = line.find(' ');
    if (space == std::string::npos) throw RunTimeError(ErrInvalidCall);
    double d;
    if (!ParseNumeric(line.substr(space), d)) return false;
    value = RoundToInt32(d);
    return true;
}

std::string ReadRequiredLine(FileReader& in)
{
    std::string line;
    if (!in.ReadLine(line)) throw RunTimeError(ErrInputPastEnd);
    return line;
}

} // namespace

bool ValidateHmbFile(const std::string& path)
{
    if (!CheckReaderExtension(path, "hmb", "TOLV Binary", kNativeQuestion)) return false;
    return TrapErrors("An error occurred validating the TOLV Binary file header.", [&] {
        FileReader in(path);
        uint8_t header[kHmbHeaderSize];
        in.ReadExact(header, sizeof header);
        in.Close();
        const char* sig = reinterpret_cast<const char*>(header);
        std::string signature(sig, strnlen(sig, 22));
        if (signature == kHmbSignature) return true;
        ShowWarning("Invalid or unsupported TOLV Binary Heightmap File.");
        return false;
    });
}

bool ReadHmbResolution(const std::string& path, int32_t& width, int32_t& height)
{
    return TrapErrors("An error occurred retrieveing the TOLV Binary file resolution.", [&] {
        FileReader in(path);
        uint8_t header[kHmbHeaderSize];
        in.ReadExact(header, sizeof header);
        width = LoadI16LE(header + 28);
        height = LoadI16LE(header + 30);
        return true;
    });
}

bool LoadHmbFile(const std::string& path)
{
    if (!ValidateHmbFile(path)) return false;
    int32_t width = 0, height = 0;
    if (!ReadHmbResolution(path, width, height)) return false;
    return TrapErrors("An error occurred loading the TOLV Binary Heightmap file.", [&] {
        if (!CheckHeightmapResolution(width, height)) return false;
        if (width < 1 || height < 1) return BeginHeightmapLoad(width, height); // refuses with its message
        FileReader in(path);
        in.Seek(kHmbHeaderSize);
        // A file shorter than its header promises reads its missing samples as 0.
        std::vector<uint8_t> body(static_cast<size_t>(width) * static_cast<size_t>(height) * 2, 0);
        in.Read(body.data(), body.size());
        in.Close();
        std::vector<int32_t> grid(body.size() / 2);
        for (size_t i = 0; i < grid.size(); ++i) grid[i] = LoadU16LE(&body[2 * i]);
        return LoadHeightmapGrid(width, height, grid, FmtHmb);
    });
}

bool SaveHmbFile(const std::string& path)
{
    return TrapErrors("An error occurred saving the TOLV Binary heightmap file.", [&] {
        const int32_t width = HeightmapWidth(), height = HeightmapHeight();
        FileWriter out(path);
        char signature[22] = {};
        std::memcpy(signature, kHmbSignature, 21);
        out.Put(signature, sizeof signature);
        out.PutI32LE(kHmbHeaderSize + 2 * width * height);
        out.PutI16LE(kHmbVersion);
        out.PutI16LE(static_cast<int16_t>(width));
        out.PutI16LE(static_cast<int16_t>(height));
        for (int32_t y = 1; y <= height; ++y) {
            const int32_t* row = AltitudeRow(y);
            auto* p = reinterpret_cast<uint8_t*>(out.Reserve(static_cast<size_t>(width) * 2));
            for (int32_t x = 0; x < width; ++x) {
                uint16_t v = static_cast<uint16_t>(row[x]); // low 16 bits
                p[2 * x] = static_cast<uint8_t>(v);
                p[2 * x + 1] = static_cast<uint8_t>(v >> 8);
            }
            out.Commit(static_cast<size_t>(width) * 2);
        }
        out.Close();
        SetFormatCode(FmtHmb);
        return true;
    });
}

bool ValidateHmaFile(const std::string& path)
{
    if (!CheckReaderExtension(path, "hma", "TOLV ASCII", kNativeQuestion)) return false;
    return TrapErrors("An error occurred validating the TOLV ASCII file header.", [&] {
        FileReader in(path);
        char head[20] = {};
        size_t got = in.Read(head, sizeof head);
        in.Close();
        if (got == sizeof head && std::memcmp(head, kHmaSignature, 20) == 0) return true;
        ShowWarning("Invalid or unsupported TOLV ASCII Heightmap File.");
        return false;
    });
}

bool LoadHmaFile(const std::string& path)
{
    if (!ValidateHmaFile(path)) return false;
    return TrapErrors("An error occurred loading the TOLV ASCII Heightmap file.", [&] {
        FileReader in(path);
        ReadRequiredLine(in);
        ReadRequiredLine(in);
        int32_t width = 0, height = 0;
        if (!ParseHmaSize(ReadRequiredLine(in), width)) {
            ShowWarning("The TOLV ASCII Width parameter is non-numeric.");
            return false;
        }
        if (!ParseHmaSize(ReadRequiredLine(in), height)) {
            ShowWarning("The TOLV ASCII Height parameter is non-numeric.");
            return false;
        }
        if (!CheckHeightmapResolution(width, height)) return false;
        if (width < 1 || height < 1) return BeginHeightmapLoad(width, height); // refuses with its message
        // The rows are read into a copy: a file that fails part way leaves the current map alone.
        std::vector<int32_t> grid(static_cast<size_t>(width) * static_cast<size_t>(height));
        std::string line;
        for (int32_t y = 1; y <= height; ++y) {
            line = ReadRequiredLine(in);
            std::string_view rest(line);
            int32_t* out = grid.data() + static_cast<size_t>(y - 1) * static_cast<size_t>(width);
            for (int32_t x = 1; x <= width; ++x) {
                size_t space = rest.find(' ');
                std::string_view token = rest.substr(0, space);
                rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
                double d;
                if (!ParseNumeric(token, d)) {
                    ShowWarning("The heightmap value is non-numeric at " + std::to_string(x) + " x " +
                                std::to_string(y) + ".");
                    return false;
                }
                out[x - 1] = std::clamp(RoundToInt32(d), 0, 65535);
            }
        }
        in.Close();
        return LoadHeightmapGrid(width, height, grid, FmtHma);
    });
}

bool SaveHmaFile(const std::string& path)
{
    return TrapErrors("An error occurred saving the TOLV ASCII heightmap file.", [&] {
        const int32_t width = HeightmapWidth(), height = HeightmapHeight();
        FileWriter out(path);
        out.PutText(std::string(kHmaSignature) + "\r\nVersion 1.00\r\nWidth " + std::to_string(width) + "\r\nHeight " +
                    std::to_string(height) + "\r\n");
        for (int32_t y = 1; y <= height; ++y) {
            const int32_t* row = AltitudeRow(y);
            char* start = out.Reserve(static_cast<size_t>(width) * 12 + 2);
            char* p = start;
            for (int32_t x = 0; x < width; ++x) {
                if (x) *p++ = ' ';
                p = std::to_chars(p, p + 11, row[x]).ptr;
            }
            *p++ = '\r';
            *p++ = '\n';
            out.Commit(static_cast<size_t>(p - start));
        }
        out.Close();
        SetFormatCode(FmtHma);
        return true;
    });
}

} // namespace tolv
