// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbFileManagement.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <optional>
#include <string_view>
#include <sys/stat.h>

#include "formats/vbPNM.h"
#include "formats/vbRaw.h"
#include "formats/vbT3D.h"
#include "formats/vbTerragen.h"
#include "formats/vbTolvHeightmap.h"
#include "formats/vbVistaPro.h"
#include "formats/vbWinBMP.h"
#include "heightmap/MapHeight.h"
#include "imaging/vbColor.h"
#include "imaging/vbGIF.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbPNG.h"
#include "imaging/vbSTL.h"
#include "imaging/vbTIFF.h"
#include "imaging/vbTargaTGA.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

using Routine = bool (*)(const std::string&);

bool OpenBmp(const std::string& path)
{
    const uint64_t reports = ReportsShown();
    if (!ValidateBmpFile(path)) {
        // Only a refusal that has not been explained yet gets the general warning.
        if (ReportsShown() == reports) ShowWarning("Invalid or unsupported BMP file.");
        return false;
    }
    // 16 bits per pixel, uncompressed, is a G16 heightmap; every other kind is a picture.
    const int32_t type = BmpFileType(path);
    if (type == 8) return LoadG16File(path);
    // A type query that has warned (an unknown header version, an unreadable header) has
    // refused the file; the image reader would only say so again.
    if (ReportsShown() != reports) return false;
    return LoadBmpImage(path);
}

bool OpenStub(const char* text, int32_t code)
{
    ShowInfo(text);
    SetFormatCode(code);
    return false;
}

bool OpenT3d(const std::string&) { return OpenStub("T3D format support under development...", FmtT3d); }
bool OpenDxf(const std::string&) { return OpenStub("DXF format support under development...", FmtDxf); }
bool OpenAsc(const std::string&) { return OpenStub("3DS ASCII format support under development...", FmtAsc); }
bool Open3ds(const std::string&) { return OpenStub("3DS Mesh format support under development...", Fmt3ds); }
bool OpenNothing(const std::string&) { return false; }

struct OpenRow {
    std::string_view ext;
    Routine reader;
};

const OpenRow kOpenTable[] = {
    {"hma", LoadHmaFile},    {"hmb", LoadHmbFile},     {"bmp", OpenBmp},
    {"raw", LoadRaw8File},   {"r16", LoadRaw16File},   {"r32", LoadRaw32File},
    {"ter", LoadTerragenFile}, {"txt", LoadVistaProAsciiFile}, {"obj", LoadObjFile},
    {"gif", LoadGifImage},   {"tga", LoadTgaImage},    {"tif", LoadTiffImage},
    {"t3d", OpenT3d},        {"pcx", LoadPcxImage},         {"dxf", OpenDxf},
    {"asc", OpenAsc},        {"3ds", Open3ds},         {"pgm", LoadPgmFile},
    {"pam", LoadPamFile},    {"dem", OpenNothing},     {"png", LoadPngFile},
};

// A writer ready to run: bound to the answers of its options dialog, where it has one. Empty
// when that dialog was cancelled.
using BoundWriter = std::function<bool(const std::string&)>;

template <Routine Writer>
BoundWriter NoOptions()
{
    return Writer;
}

template <class Options>
BoundWriter Bind(std::optional<Options> options, bool (*writer)(const std::string&, const Options&))
{
    if (!options) return {};
    return [o = *options, writer](const std::string& path) { return writer(path, o); };
}

BoundWriter PgmWriter() { return Bind(AskPgmOptions(), SavePgmFile); }
BoundWriter StlWriter() { return Bind(AskStlOptions(), SaveStlFile); }
BoundWriter ObjWriter() { return Bind(AskObjOptions(), SaveObjFile); }

struct SaveRow {
    std::string_view ext;
    BoundWriter (*prepare)();
    int32_t code;
};

const SaveRow kSaveTable[] = {
    {"bmp", NoOptions<SaveG16File>, FmtG16},
    {"hma", NoOptions<SaveHmaFile>, FmtHma},
    {"hmb", NoOptions<SaveHmbFile>, FmtHmb},
    {"obj", ObjWriter, FmtObj},
    {"pam", NoOptions<SavePamFile>, FmtPam},
    {"pgm", PgmWriter, FmtPgm},
    {"r16", NoOptions<SaveRaw16File>, FmtRaw16},
    {"stl", StlWriter, FmtStl},
    {"t3d", NoOptions<SaveT3dFile>, FmtT3d},
    {"ter", NoOptions<SaveTerragenFile>, FmtTerragen},
    {"tif", NoOptions<SaveTiffImage>, FmtTiffGray16},
    {"png", NoOptions<SavePngFile>, FmtPng16},
};

constexpr std::string_view kOpenOnly[] = {"dem", "gif", "pcx", "r8", "r32", "tga", "txt"};

// Filter entries, by extension order and by type order.
constexpr std::string_view kOpenByExtension[] = {
    "bmp - Unreal G16 Heightmap|*.bmp|",
    "bmp - Windows 8-bit gray and 8/24/32-bit color Bitmap|*.bmp|",
    "gif - GIF 8-bit gray and color|*.gif|",
    "hma - TOLV ASCII Text Heightmap|*.hma|",
    "hmb - TOLV Binary Heightmap|*.hmb|",
    "obj - Alias Wavefront Object|*.obj|",
    "pam - Portable AnyMap P7 8/16-bit Heightmap|*.pam|",
    "pgm - Portable Gray Map P2/P5 8/16-bit Heightmap|*.pgm|",
    "raw - Raw 8-bit Binary Heightmap|*.raw|",
    "r16 - Raw 16-bit Binary Heightmap|*.r16|",
    "r32 - Raw 32-bit Binary Heightmap|*.r32|",
    "t3d - Unreal T3D Terrain|*.t3d|",
    "ter - Terragen Terrain|*.ter|",
    "tga - Targa 8-bit gray and 8/24/32-bit color|*.tga|",
    "tif - TIFF 8/16-bit gray and 8/24/32-bit color|*.tif|",
    "txt - VistaPro 4 ASCII DEM|*.txt|",
    "png - PNG 8/16-bit gray and color|*.png|",
};
constexpr std::string_view kOpenByType[] = {
    "hma - TOLV ASCII Text Heightmap|*.hma|",
    "hmb - TOLV Binary Heightmap|*.hmb|",
    "bmp - Unreal G16 Heightmap|*.bmp|",
    "pam - Portable AnyMap P7 8/16-bit Heightmap|*.pam|",
    "pgm - Portable GrayMap P2/P5 8/16-bit Heightmap|*.pgm|",
    "raw - Raw 8-bit Binary Heightmap|*.raw|",
    "r16 - Raw 16-bit Binary Heightmap|*.r16|",
    "r32 - Raw 32-bit Binary Heightmap|*.r32|",
    "ter - Terragen Terrain|*.ter|",
    "txt - VistaPro 4 ASCII DEM|*.txt|",
    "obj - Alias Wavefront Object|*.obj|",
    "t3d - Unreal T3D Terrain|*.t3d|",
    "bmp - Windows 8-bit gray and 8/24/32-bit color Bitmap|*.bmp|",
    "gif - GIF 8-bit gray and color|*.gif|",
    "tga - Targa 8-bit gray and 8/24/32-bit color|*.tga|",
    "tif - TIFF 8/16-bit gray and 8/24/32-bit color|*.tif|",
    "png - PNG 8/16-bit gray and color|*.png|",
};
constexpr std::string_view kSaveByExtension[] = {
    "bmp - Unreal G16 Heightmap|*.bmp|",
    "hma - TOLV ASCII Text Heightmap|*.hma|",
    "hmb - TOLV Binary Heightmap|*.hmb|",
    "obj - Alias Wavefront Object|*.obj|",
    "pam - Portable Any Map 16-bit Heightmap|*.pam|",
    "pgm - Portable Gray Map 16-bit Heightmap|*.pgm|",
    "r16 - Raw 16-bit Binary Heightmap|*.r16|",
    "stl - StereoLitho ASCII|*.stl|",
    "t3d - Unreal T3D Terrain|*.t3d|",
    "ter - Terragen Terrain|*.ter|",
    "tif - TIFF 16-bit grayscale|*.tif|",
    "png - PNG 16-bit grayscale|*.png|",
};
constexpr std::string_view kSaveByType[] = {
    "hma - TOLV ASCII Text Heightmap|*.hma|",
    "hmb - TOLV Binary Heightmap|*.hmb|",
    "bmp - Unreal G16 Heightmap|*.bmp|",
    "pam - Portable Any Map 16-bit Heightmap|*.pam|",
    "pgm - Portable Gray Map 16-bit Heightmap|*.pgm|",
    "r16 - Raw 16-bit Binary Heightmap|*.r16|",
    "ter - Terragen Terrain|*.ter|",
    "obj - Alias Wavefront Object|*.obj|",
    "stl - StereoLitho ASCII|*.stl|",
    "t3d - Unreal T3D Terrain|*.t3d|",
    "tif - TIFF 16-bit grayscale|*.tif|",
    "png - PNG 16-bit grayscale|*.png|",
};
constexpr std::string_view kAllFiles = "All Files (*.*)|*.*";

template <size_t N>
std::string JoinFilters(const std::string_view (&rows)[N])
{
    std::string s;
    for (std::string_view r : rows) s += r;
    return s += kAllFiles;
}

size_t LastSeparator(const std::string& path)
{
    size_t pos = path.find_last_of("/\\");
    return pos;
}

// Re-enables the commands however the dispatch ends.
class CommandsDisabled {
public:
    CommandsDisabled() { Host().EnableCommands(false); }
    ~CommandsDisabled() { Host().EnableCommands(true); }
};

} // namespace

std::string FormatDescription(int32_t code)
{
    switch (code) {
    case 1: return "TOLV ASCII heightmap";
    case 2: return "TOLV Binary heightmap";
    case 3: return "Unreal G16 heightmap bitmap";
    case 4: return "Unreal T3D ASCII heightmap";
    case 6: return "Portable Gray Map P2 ASCII 8/16-bit heightmap";
    case 7: return "Raw 8-bit binary heightmap";
    case 8: return "Raw 16-bit binary heightmap";
    case 9: return "Raw 32-bit binary heightmap";
    case 10: return "Terragen Terrain heightmap";
    case 11: return "VistaPro 4 ASCII heightmap";
    case 12: return "VistaPro 4 binary heightmap";
    case 13: return "Autodesk 3D Studio mesh";
    case 14: return "Autodesk 3D Studio ASCII mesh";
    case 16: return "Drawing Interchange Format (DXF) mesh";
    case 20: return "Windows 8-bit uncompressed grayscale bitmap";
    case 21: return "Windows 8-bit uncompressed color bitmap";
    case 22: return "Windows 24-bit uncompressed color bitmap";
    case 23: return "Windows 32-bit uncompressed color bitmap";
    case 24: return "GIF 8-bit grayscale image";
    case 25: return "GIF 8-bit color image";
    case 26: return "ZSoft PCX 8-bit color image";
    case 27: return "Targa 8-bit uncompressed grayscale image";
    case 28: return "Targa 8-bit uncompressed color image";
    case 29: return "Targa 24-bit uncompressed color image";
    case 30: return "Targa 32-bit uncompressed color image";
    case 31: return "TIFF 8-bit uncompressed grayscale image";
    case 32: return "TIFF 16-bit uncompressed grayscale image";
    case 33: return "TIFF 8-bit uncompressed color image";
    case 34: return "TIFF 24-bit uncompressed color image";
    case 35: return "TIFF 32-bit uncompressed color image";
    case 36: return "PNG 16-bit grayscale image";
    case 37: return "PNG 8-bit image";
    default: return "";
    }
}

std::string GetFileExtension(const std::string& path)
{
    size_t sep = LastSeparator(path);
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return "";
    return path.substr(dot + 1);
}

std::string GetFileName(const std::string& path)
{
    size_t sep = LastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string GetFileBaseName(const std::string& path)
{
    std::string name = GetFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string GetFolderOf(const std::string& path)
{
    size_t sep = LastSeparator(path);
    return sep == std::string::npos ? "" : path.substr(0, sep + 1);
}

bool FileExists(const std::string& path)
{
    if (path.empty()) return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool OpenFileByType(const std::string& path)
{
    CommandsDisabled disabled;
    const std::string ext = ToLower(GetFileExtension(path));
    for (const OpenRow& row : kOpenTable)
        if (row.ext == ext) return row.reader(path);
    ShowWarning(std::string("Source file specified with no file extension.") + kCrLf + "Unable to determine file format.");
    return false;
}

bool SaveFileByType(const std::string& path)
{
    CommandsDisabled disabled;
    const std::string ext = ToLower(GetFileExtension(path));
    for (const SaveRow& row : kSaveTable) {
        if (row.ext != ext) continue;
        // The options come first: Cancel leaves the file and its older backup as they were.
        const BoundWriter writer = row.prepare();
        if (!writer) return false;
        BackupFile(path); // the writer runs whether or not the backup worked
        if (!writer(path)) return false;
        SetFormatCode(row.code);
        return true;
    }
    for (std::string_view only : kOpenOnly) {
        if (only == ext) {
            ShowInfo("This format is only supported for opening.");
            return false;
        }
    }
    ShowWarning("Unable to determine the save file type.");
    return false;
}

std::string OpenFilterList()
{
    return Globals().fileTypeSort == 1 ? JoinFilters(kOpenByExtension) : JoinFilters(kOpenByType);
}

std::string SaveFilterList()
{
    return Globals().fileTypeSort == 1 ? JoinFilters(kSaveByExtension) : JoinFilters(kSaveByType);
}

std::string BackupName(const std::string& path)
{
    if (GetFileExtension(path).empty()) return path + ".bak";
    return path.substr(0, path.rfind('.') + 1) + "bak";
}

bool BackupFile(const std::string& path)
{
    if (!FileExists(path)) return true;
    return TrapErrors("An error occurred renaming the current file as a backup.", [&] {
        const std::string backup = BackupName(path);
        if (FileExists(backup) && std::remove(backup.c_str()) != 0) throw ErrorFromErrno(errno);
        if (std::rename(path.c_str(), backup.c_str()) != 0) throw ErrorFromErrno(errno);
        return true;
    });
}

bool IsPowerOfTwoSize()
{
    auto pow2 = [](int32_t v) { return v >= 1 && v <= 512 && (v & (v - 1)) == 0; };
    return pow2(HeightmapWidth()) && pow2(HeightmapHeight());
}

bool CheckReaderExtension(const std::string& path, const std::string& ownExtension, const std::string& kindWord,
                          const std::string& question)
{
    if (ToLower(GetFileExtension(path)) == ownExtension) return true;
    return AskYesNo("Invalid " + kindWord + " File Extension on: " + GetFileBaseName(path) + kCrLf + question);
}

} // namespace tolv
