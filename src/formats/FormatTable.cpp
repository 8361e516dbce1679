// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/FormatTable.h"

#include <optional>

#include "formats/vbPNM.h"
#include "formats/vbRaw.h"
#include "formats/vbT3D.h"
#include "formats/vbTerragen.h"
#include "formats/vbTolvHeightmap.h"
#include "formats/vbVistaPro.h"
#include "formats/vbWinBMP.h"
#include "imaging/vbColor.h"
#include "imaging/vbGIF.h"
#include "imaging/vbOBJ.h"
#include "imaging/vbPNG.h"
#include "imaging/vbSTL.h"
#include "imaging/vbTIFF.h"
#include "imaging/vbTargaTGA.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

// A "bmp" file is validated and its headers read once; 16 bits per pixel, uncompressed, is a G16
// heightmap, every other kind a picture.
bool OpenBmp(const std::string& path)
{
    const BmpFile bmp = ExamineBmpFile(path);
    if (bmp.verdict == Verdict::Refused) ShowWarning("Invalid or unsupported BMP file.");
    if (bmp.verdict != Verdict::Accepted) return false;
    return BmpFileType(bmp.header) == Bmp16Bit ? LoadG16File(path, bmp.header) : LoadBmpImage(path, bmp.header);
}

// ---- the words of the rows ------------------------------------------------------------------

constexpr OpenRoute Read(FileRoutine reader) { return {OpenKind::Reader, reader}; }
constexpr OpenRoute Stub(const char* message, FileFormat code) { return {OpenKind::Stub, nullptr, message, code}; }
constexpr OpenRoute kSilent{OpenKind::Silent};
constexpr OpenRoute kNoOpen{};

template <FileRoutine Writer>
BoundWriter Unbound()
{
    return Writer;
}

template <auto Ask, auto Writer>
BoundWriter AskThenBind()
{
    auto options = Ask();
    if (!options) return {};
    return [o = *options](const std::string& path) { return Writer(path, o); };
}

template <FileRoutine Writer>
constexpr SaveRoute Write(FileFormat code)
{
    return {SaveKind::Writer, Unbound<Writer>, false, code};
}
// The writer's options dialog is answered before anything happens to the file.
template <auto Ask, auto Writer>
constexpr SaveRoute WriteAsked(FileFormat code)
{
    return {SaveKind::Writer, AskThenBind<Ask, Writer>, true, code};
}
constexpr SaveRoute kOpenOnly{SaveKind::OpenOnly};
constexpr SaveRoute kNoSave{};

constexpr FilterEntry kNoFilter{};

// clang-format off
// Each row: extension, open route, save route;
//           open filter entry {description, rank by kind, rank by extension}, save filter entry.
constexpr FormatRow kFormats[] = {
    {"hma", Read(LoadHmaFile),           Write<SaveHmaFile>(FmtHma),
            {"TOLV ASCII Text Heightmap", 1, 4},                         {"TOLV ASCII Text Heightmap", 1, 2}},
    {"hmb", Read(LoadHmbFile),           Write<SaveHmbFile>(FmtHmb),
            {"TOLV Binary Heightmap", 2, 5},                             {"TOLV Binary Heightmap", 2, 3}},
    {"bmp", Read(OpenBmp),               Write<SaveG16File>(FmtG16),
            {"Unreal G16 Heightmap", 3, 1},                              {"Unreal G16 Heightmap", 3, 1}},
    {"bmp", Read(OpenBmp),               kNoSave,
            {"Windows 8-bit gray and 8/24/32-bit color Bitmap", 13, 2},  kNoFilter},
    {"raw", Read(LoadRaw8File),          kNoSave,
            {"Raw 8-bit Binary Heightmap", 6, 9},                        kNoFilter},
    {"r16", Read(LoadRaw16File),         Write<SaveRaw16File>(FmtRaw16),
            {"Raw 16-bit Binary Heightmap", 7, 10},                      {"Raw 16-bit Binary Heightmap", 6, 7}},
    {"r32", Read(LoadRaw32File),         kOpenOnly,
            {"Raw 32-bit Binary Heightmap", 8, 11},                      kNoFilter},
    {"ter", Read(LoadTerragenFile),      Write<SaveTerragenFile>(FmtTerragen),
            {"Terragen Terrain", 9, 13},                                 {"Terragen Terrain", 7, 10}},
    {"txt", Read(LoadVistaProAsciiFile), kOpenOnly,
            {"VistaPro 4 ASCII DEM", 10, 16},                            kNoFilter},
    {"obj", Read(LoadObjFile),           WriteAsked<AskObjOptions, SaveObjFile>(FmtObj),
            {"Alias Wavefront Object", 11, 6},                           {"Alias Wavefront Object", 8, 4}},
    {"gif", Read(LoadGifImage),          kOpenOnly,
            {"GIF 8-bit gray and color", 14, 3},                         kNoFilter},
    {"tga", Read(LoadTgaImage),          kOpenOnly,
            {"Targa 8-bit gray and 8/24/32-bit color", 15, 14},          kNoFilter},
    {"tif", Read(LoadTiffImage),         Write<SaveTiffImage>(FmtTiffGray16),
            {"TIFF 8/16-bit gray and 8/24/32-bit color", 16, 15},        {"TIFF 16-bit grayscale", 11, 11}},
    {"t3d", Stub("T3D format support under development...", FmtT3d), Write<SaveT3dFile>(FmtT3d),
            {"Unreal T3D Terrain", 12, 12},                              {"Unreal T3D Terrain", 10, 9}},
    {"pcx", Stub("PCX format support under development...", FmtPcx), kOpenOnly,
            kNoFilter,                                                   kNoFilter},
    {"dxf", Stub("DXF format support under development...", FmtDxf), kNoSave,
            kNoFilter,                                                   kNoFilter},
    {"asc", Stub("3DS ASCII format support under development...", FmtAsc), kNoSave,
            kNoFilter,                                                   kNoFilter},
    {"3ds", Stub("3DS Mesh format support under development...", Fmt3ds), kNoSave,
            kNoFilter,                                                   kNoFilter},
    {"pgm", Read(LoadPgmFile),           WriteAsked<AskPgmOptions, SavePgmFile>(FmtPgm),
            {"Portable GrayMap P2/P5 8/16-bit Heightmap", 5, 8,
             "Portable Gray Map P2/P5 8/16-bit Heightmap"}, {"Portable Gray Map 16-bit Heightmap", 5, 6}},
    {"pam", Read(LoadPamFile),           Write<SavePamFile>(FmtPam),
            {"Portable AnyMap P7 8/16-bit Heightmap", 4, 7},             {"Portable Any Map 16-bit Heightmap", 4, 5}},
    {"dem", kSilent,                     kOpenOnly,
            kNoFilter,                                                   kNoFilter},
    {"png", Read(LoadPngFile),           Write<SavePngFile>(FmtPng16),
            {"PNG 8/16-bit gray and color", 17, 17},                     {"PNG 16-bit grayscale", 12, 12}},
    {"stl", kNoOpen,                     WriteAsked<AskStlOptions, SaveStlFile>(FmtStl),
            kNoFilter,                                                   {"StereoLitho ASCII", 9, 8}},
    {"r8",  kNoOpen,                     kOpenOnly,
            kNoFilter,                                                   kNoFilter},
};
// clang-format on

// ---- what the build checks about the rows ---------------------------------------------------

// Each offered entry of a list has a rank of its own in both orders, and the ranks run from 1
// without a gap, so the lists hold every entry once.
constexpr bool RanksArePositions(FilterEntry FormatRow::*list)
{
    int offered = 0;
    for (const FormatRow& row : kFormats) offered += !(row.*list).description.empty();
    for (int rank = 1; rank <= offered; ++rank) {
        int byKind = 0, byExtension = 0;
        for (const FormatRow& row : kFormats) {
            const FilterEntry& e = row.*list;
            if (e.description.empty()) continue;
            byKind += e.byKind == rank;
            byExtension += e.byExtension == rank;
        }
        if (byKind != 1 || byExtension != 1) return false;
    }
    return true;
}

static_assert(RanksArePositions(&FormatRow::openFilter) && RanksArePositions(&FormatRow::saveFilter));

} // namespace

std::span<const FormatRow> FormatTable() { return kFormats; }

const FormatRow* FindOpenRow(std::string_view ext)
{
    for (const FormatRow& row : kFormats)
        if (row.ext == ext && row.open.kind != OpenKind::None) return &row;
    return nullptr;
}

const FormatRow* FindSaveRow(std::string_view ext)
{
    for (const FormatRow& row : kFormats)
        if (row.ext == ext && row.save.kind != SaveKind::None) return &row;
    return nullptr;
}

bool HasReader(std::string_view ext)
{
    const FormatRow* row = FindOpenRow(ext);
    return row && row->open.kind == OpenKind::Reader;
}

} // namespace tolv
