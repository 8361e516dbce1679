// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbColor.h"

#include <algorithm>
#include <cstring>

#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/vbMsgBox.h"

namespace tolv {

int32_t RGBToGray(int32_t red, int32_t green, int32_t blue)
{
    // Three quotients added in this order; the exact sum is never halfway between integers.
    double v = (green * 150) / 255.0 + (red * 76) / 255.0 + (blue * 28) / 255.0;
    return static_cast<int32_t>(RoundHalfEven(v));
}

int32_t ResolveConversionMode()
{
    int32_t mode = Globals().convertColorToGrayscale;
    if (mode != AskEachFile) return mode == UseGreen ? UseGreen : ConvertToGray;
    return AskYesNoCaption("Convert image to grayscale for altitude data?", "Convert to Grayscale") ? ConvertToGray
                                                                                                    : UseGreen;
}

bool StoreImageGrid(int32_t width, int32_t height, const std::vector<int32_t>& samples, int32_t formatCode)
{
    if (!BeginHeightmapLoad(width, height)) return false;
    for (int32_t y = 1; y <= height; ++y)
        std::memcpy(MutableAltitudeRow(y), samples.data() + static_cast<size_t>(y - 1) * width,
                    static_cast<size_t>(width) * sizeof(int32_t));
    FinishHeightmapLoad(formatCode);
    return true;
}

bool LoadPcxImage(const std::string&)
{
    ShowInfo("PCX format support under development...");
    SetFormatCode(FmtPcx);
    return false;
}

} // namespace tolv
