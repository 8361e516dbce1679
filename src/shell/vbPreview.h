// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tolv {

// The preview: colour sets, the four views and the altitude bar, drawn into plain pixel buffers
// so that every rule can be tested and timed without a screen. The window only copies the
// buffers to the screen.

inline constexpr int32_t kPreviewSize = 512;     // the preview area is kPreviewSize square
inline constexpr int32_t kAltitudeBarWidth = 33; // the altitude bar is 33 x kPreviewSize

// A 32-bit pixel buffer, 0xAARRGGBB per pixel, row 0 at the top (the layout of a 32-bit QImage).
struct PixelBuffer {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    PixelBuffer() = default;
    PixelBuffer(int32_t w, int32_t h, uint32_t fill) { Reset(w, h, fill); }
    void Reset(int32_t w, int32_t h, uint32_t fill);
    void Fill(uint32_t colour);
    uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Pixels outside the buffer are ignored, as on a drawing surface.
    void Set(int32_t x, int32_t y, uint32_t colour)
    {
        if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y) * width + x] = colour;
    }
};

// Pen of width one between two pixels, both ends included; what lies outside the buffer is
// not drawn, and what lies inside is exactly what the whole line would draw there. Coordinates
// beyond +-2^29 are brought to that limit first.
void DrawLine(PixelBuffer& area, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint32_t colour);
// A solid polygon of four corners with an outline in the same colour: the interior by the
// alternate (even-odd) rule with pixel centres on whole coordinates, then the four edges, so
// cells smaller than a pixel still show. A perspective cell; its corners lie within
// -1,000,000..1,000,000, where the perspective keeps its screen points, so exact 64-bit edge
// arithmetic cannot overflow.
void FillQuad(PixelBuffer& area, const int32_t (&px)[4], const int32_t (&py)[4], uint32_t colour);

// Colours: a settings colour is red + 256 x green + 65536 x blue; a pixel is 0xFFRRGGBB.
inline constexpr uint32_t PixelFromRgb(int32_t r, int32_t g, int32_t b)
{
    return 0xFF000000u | (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
inline constexpr uint32_t PixelFromColorRef(int32_t colorRef)
{
    return PixelFromRgb(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}
inline constexpr int32_t PixelRed(uint32_t p) { return (p >> 16) & 0xFF; }
inline constexpr int32_t PixelGreen(uint32_t p) { return (p >> 8) & 0xFF; }
inline constexpr int32_t PixelBlue(uint32_t p) { return p & 0xFF; }
inline constexpr uint32_t kPixelBlack = PixelFromRgb(0, 0, 0);
inline constexpr uint32_t kPixelWhite = PixelFromRgb(255, 255, 255);

// Colour sets, in menu order; the index is the "PreviewColorset" setting.
enum Colorset : int32_t {
    CsGrayscale = 0,
    CsScaledGrayscale,
    CsWoodlands,
    CsCanyons,
    CsDesert,
    CsArctic,
    CsAltitude,
    CsSpectrum,
};
inline constexpr int32_t kColorsetCount = 8;
const char* ColorsetName(int32_t colorset);

// The colour table of 65,536 entries, one per altitude, shared by the whole process.
// Sets 2..7 use it; sets 0 and 1 compute their grays and leave the table as it is.
void BuildColorTable(int32_t colorset);
// One gradient segment: entries start .. start + count - 1 go from the start colour towards (never
// reaching) the end colour. Segments that do not fit in the table are ignored.
void FillColorSegment(int32_t start, int32_t count, int32_t r0, int32_t g0, int32_t b0, int32_t r1, int32_t g1,
                      int32_t b1);
// The table entry of an altitude as a pixel; black outside 0..65535.
uint32_t ColorTableEntry(int64_t altitude);

// Colour of altitude h in the Top view for the colour set, using the current heightmap's statistics.
uint32_t AltitudeColor(int32_t h, int32_t colorset);

// Views. Each draws the current heightmap onto area (normally kPreviewSize square, already
// cleared to the background); centred places the drawing in the middle of the area.
// The Top view uses "PreviewColorset"; a zoom other than 100 stretches it over the whole area.
// Returns false (after its warning) when the drawing buffer cannot be made.
bool DrawTopView(PixelBuffer& area, bool centred, int32_t zoom = 100);
void DrawFrontView(PixelBuffer& area, bool centred);
void DrawSideView(PixelBuffer& area, bool centred);
void DrawPerspectiveView(PixelBuffer& area);
// The Perspective view's screen point of every sample of the current heightmap, x fastest,
// rounded half to even to whole pixels.
void PerspectiveScreenPoints(std::vector<int32_t>& sx, std::vector<int32_t>& sy);
// Releases the Top view's drawing buffer (the window calls it when it closes).
void ReleaseDrawingBuffer();

// Views as the View menu numbers them ("currentView").
enum PreviewView : int32_t { ViewTop = 0, ViewFront = 1, ViewSide = 2, ViewPerspective = 3 };

// Clears area to background and, when the window has a heightmap, draws view: the whole of
// what the preview shows for the current settings.
void RenderPreview(PixelBuffer& area, int32_t view, bool centred, uint32_t background, bool hasHeightmap);

// The altitude bar (kAltitudeBarWidth x kPreviewSize): white, then, when the window has a
// heightmap, the marks of the lowest, mean and midpoint altitude and the range box.
void DrawAltitudeBar(PixelBuffer& bar, bool hasHeightmap);
// Pixel row of an altitude in the bar and in the Front/Side views (0 bottom, 65535 top).
inline constexpr int32_t BarRowOfAltitude(int64_t v) { return static_cast<int32_t>(kPreviewSize - 1 - v / 128); }

// Height readout: the grid position (1-based) under the mouse at preview pixel (mouseX, mouseY),
// or false when the readout must stay as it is (no heightmap, not the Top view, outside the map).
bool HeightReadoutPosition(double mouseX, double mouseY, bool hasHeightmap, int32_t view, bool centred, int32_t& x,
                           int32_t& y);
// The mouse moved over the preview: panel 5 shows the altitude under it, per the settings in
// force ("PreviewLocation", the current view).
void ShowHeightAt(double mouseX, double mouseY, bool hasHeightmap);

// Status panels 1..4 and their clearing; every text is empty without a heightmap.
void ShowFormatDescription(bool hasHeightmap);
void ShowFileSize(bool hasHeightmap, const std::string& currentPath);
void ShowResolution(bool hasHeightmap);
void ShowStatistics(bool hasHeightmap);
void ClearHeightReadout();
void ClearFileSize();

} // namespace tolv
