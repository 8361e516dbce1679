// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbT3D.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "formats/BinaryIO.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

void PutLine(FileWriter& out, int spaces, std::string_view text)
{
    char* p = out.Reserve(static_cast<size_t>(spaces));
    std::memset(p, ' ', static_cast<size_t>(spaces));
    out.Commit(static_cast<size_t>(spaces));
    out.PutText(text);
    out.PutText("\r\n");
}

// The lines up to "End TerrainActorMembers".
void WriteT3dHeader(FileWriter& out, int32_t width, int32_t height)
{
    PutLine(out, 0, "Begin Map");
    PutLine(out, 3, "Begin Level");
    PutLine(out, 6, "Begin Terrain Class=Terrain Name=Terrain_0");
    PutLine(out, 9, "Begin TerrainActor Class=Terrain Name=Terrain_0");
    PutLine(out, 12,
            "Begin Object Class=SpriteComponent Name=SpriteComponent0 "
            "Archetype=SpriteComponent'Engine.Default__Terrain.SpriteComponent0'");
    PutLine(out, 16, "bDirty=False");
    PutLine(out, 16, "Name=\"SpriteComponent_SpriteComponent0_0\"");
    PutLine(out, 16, "ObjectArchetype=SpriteComponent'Engine.Default__Terrain.SpriteComponent0'");
    PutLine(out, 12, "End Object");
    PutLine(out, 12, "Tag=\"Terrain\"");
    PutLine(out, 12, "DrawScale3D=(X=256.000000,Y=256.000000,Z=256.000000)");
    PutLine(out, 12, "Name=\"Terrain_0\"");
    PutLine(out, 12, "ObjectArchetype=Terrain'Engine.Default__Terrain'");
    PutLine(out, 9, "End TerrainActor");
    PutLine(out, 9, "Begin TerrainActorMembers");
    PutLine(out, 12, "NumSectionsX=1");
    PutLine(out, 12, "NumSectionsY=1");
    PutLine(out, 12, "SectionSize=0");
    PutLine(out, 12, "MaxCollisionDisplacement=0.000000");
    PutLine(out, 12, "MaxTesselationLevel=1");
    PutLine(out, 12, "TesselationDistanceScale=1.000000");
    PutLine(out, 12, "NumVerticesX=" + std::to_string(width));
    PutLine(out, 12, "NumVerticesY=" + std::to_string(height));
    PutLine(out, 12, "NumPatchesX=" + std::to_string(int64_t{width} - 1));
    PutLine(out, 12, "NumPatchesY=" + std::to_string(int64_t{height} - 1));
    PutLine(out, 12, "MaxComponentSize=16");
    PutLine(out, 12, "StaticLightingResolution=1");
    PutLine(out, 9, "End TerrainActorMembers");
}

// The closing lines after "End TerrainHeight".
void WriteT3dFooter(FileWriter& out)
{
    PutLine(out, 6, "End Terrain");
    PutLine(out, 3, "End Level");
    PutLine(out, 0, "End Map");
}

} // namespace

bool WriteT3dFile(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    std::optional<FileWriter> out;
    if (!TrapErrors("An error occurred writing the T3D file.", [&] {
            out.emplace(path);
            WriteT3dHeader(*out, width, height);
            return true;
        }))
        return false;
    return TrapErrors("An error occurred saving the Unreal T3D file.", [&] {
        CheckWriterGrid(width, height, grid);
        const int64_t count = int64_t{width} * height;
        PutLine(*out, 9, "Begin TerrainHeight\tExporter=TerrainHeightMapExporterTextT3D");
        PutLine(*out, 12,
                "Count=" + std::to_string(count) + "\tWidth=" + std::to_string(width) +
                    "\tHeight=" + std::to_string(height));
        // Column by column, bottom row first; a running count splits the values into lines of eight.
        int64_t n = 0;
        for (int32_t x = 0; x < width; ++x) {
            char* start = out->Reserve(static_cast<size_t>(height) * 26 + 2);
            char* p = start;
            for (int32_t y = height - 1; y >= 0; --y) {
                if (n % 8 == 0) {
                    std::memset(p, ' ', 12);
                    p += 12;
                } else {
                    *p++ = '\t';
                }
                p = PutZeroPad5(p, grid[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
                if (++n % 8 == 0) {
                    *p++ = '\r';
                    *p++ = '\n';
                }
            }
            out->Commit(static_cast<size_t>(p - start));
        }
        if (n % 8 != 0) out->PutText("\r\n");
        PutLine(*out, 9, "End TerrainHeight");
        WriteT3dFooter(*out);
        out->Close();
        return true;
    });
}

bool SaveT3dFile(const std::string& path)
{
    return TrapErrors("An error occurred saving the Unreal T3D file.", [&] {
        if (!WriteT3dFile(path, HeightmapWidth(), HeightmapHeight(), HeightmapSamples())) return false;
        SetFormatCode(FmtT3d);
        return true;
    });
}

} // namespace tolv
