// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// Placeholders for readers and writers still being written; each module removes its entries
// here when it lands. This file must be gone before a release.
#include "formats/vbPNM.h"
#include "formats/vbRaw.h"
#include "formats/vbT3D.h"
#include "formats/vbTerragen.h"
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
bool Pending()
{
    ShowWarning("This format is not available yet.");
    return false;
}
} // namespace

bool LoadRaw8File(const std::string&) { return Pending(); }
bool LoadRaw16File(const std::string&) { return Pending(); }
bool LoadRaw32File(const std::string&) { return Pending(); }
bool SaveRaw16File(const std::string&) { return Pending(); }
bool ValidateBmpFile(const std::string&) { return false; }
int32_t BmpFileType(const std::string&) { return 0; }
bool LoadG16File(const std::string&) { return Pending(); }
bool SaveG16File(const std::string&) { return Pending(); }
bool SaveG16Region(const std::string&, int32_t, int32_t, int32_t, int32_t) { return Pending(); }
bool LoadTerragenFile(const std::string&) { return Pending(); }
bool SaveTerragenFile(const std::string&) { return Pending(); }
bool LoadVistaProAsciiFile(const std::string&) { return Pending(); }
bool SavePgmFile(const std::string&) { return Pending(); }
bool SavePamFile(const std::string&) { return Pending(); }
bool LoadPgmFile(const std::string&) { return Pending(); }
bool LoadPamFile(const std::string&) { return Pending(); }
bool SaveT3dFile(const std::string&) { return Pending(); }
bool LoadBmpImage(const std::string&) { return Pending(); }
bool LoadTgaImage(const std::string&) { return Pending(); }
bool LoadGifImage(const std::string&) { return Pending(); }
bool LoadTiffImage(const std::string&) { return Pending(); }
bool SaveTiffImage(const std::string&) { return Pending(); }
bool SaveStlFile(const std::string&) { return Pending(); }
bool LoadObjFile(const std::string&) { return Pending(); }
bool SaveObjFile(const std::string&) { return Pending(); }
bool LoadPngFile(const std::string&) { return Pending(); }
bool SavePngFile(const std::string&) { return Pending(); }

} // namespace tolv
