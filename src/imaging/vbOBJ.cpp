// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "imaging/vbOBJ.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

#include "formats/BinaryIO.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "imaging/FrmSaveOBJRules.h"
#include "imaging/MeshText.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

constexpr const char* kMakerWebAddress = "https://tolv.example.org/";
constexpr size_t kFirstLineProbe = 82;

struct ObjVertex {
    float x, y, z;
};

std::string_view TrimSpaces(std::string_view s)
{
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// A decimal number with optional sign, fraction and exponent, and nothing else.
float ParseCoordinate(std::string_view s)
{
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    const size_t lead = !s.empty() && s.front() == '-' ? 1 : 0;
    if (s.size() <= lead || !(std::isdigit(static_cast<unsigned char>(s[lead])) || s[lead] == '.'))
        throw RunTimeError(ErrTypeMismatch);
    float v = 0.0f;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a float reads as 0; too large is an overflow.
        double d = 0.0;
        const auto dr = std::from_chars(s.data(), s.data() + s.size(), d, std::chars_format::general);
        const size_t e = s.find_first_of("eE");
        const bool negativeExponent = e != std::string_view::npos && e + 1 < s.size() && s[e + 1] == '-';
        const bool tiny = dr.ec == std::errc() ? std::fabs(d) < 1.0 : negativeExponent;
        if (tiny) return 0.0f;
        throw RunTimeError(ErrOverflow);
    }
    if (ec != std::errc() || end != s.data() + s.size()) throw RunTimeError(ErrTypeMismatch);
    return v;
}

// "v X Y Z": X and Y end at a single space each, Z is the trimmed rest.
ObjVertex ParseVertexLine(std::string_view line)
{
    std::string_view rest = TrimSpaces(line.substr(1));
    const size_t a = rest.find(' ');
    const std::string_view xs = rest.substr(0, a);
    rest = a == std::string_view::npos ? std::string_view() : rest.substr(a + 1);
    const size_t b = rest.find(' ');
    const std::string_view ys = rest.substr(0, b);
    const std::string_view zs = b == std::string_view::npos ? std::string_view() : TrimSpaces(rest.substr(b + 1));
    return {ParseCoordinate(xs), ParseCoordinate(ys), ParseCoordinate(zs)};
}

// The distinct values of one axis, 0.0 always among them, ascending.
std::vector<float> DistinctAxis(const std::vector<ObjVertex>& vertices, float ObjVertex::*axis)
{
    std::vector<float> v;
    v.reserve(vertices.size() + 1);
    v.push_back(0.0f);
    for (const ObjVertex& p : vertices) v.push_back(p.*axis == 0.0f ? 0.0f : p.*axis); // -0.0 is 0.0
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

size_t IndexOf(const std::vector<float>& sorted, float value)
{
    return static_cast<size_t>(std::lower_bound(sorted.begin(), sorted.end(), value) - sorted.begin());
}

} // namespace

bool ValidateObjFile(const std::string& path)
{
    return TrapErrors("An error occurred validating the OBJ File.", [&] {
        if (!CheckReaderExtension(path, "obj", "OBJ")) return false;
        FileReader in(path);
        uint8_t probe[kFirstLineProbe] = {}; // bytes past the end of a short file count as 0
        in.Read(probe, sizeof probe);
        const uint8_t* end = std::find_if(probe, probe + kFirstLineProbe, [](uint8_t c) { return c == 10 || c == 13; });
        if (end == probe + kFirstLineProbe) {
            ShowInfo(std::string("Invalid OBJ file format.") + kCrLf +
                     "The file does not appear to be ASCII or the file lines are too long.");
            return false;
        }
        if (!std::all_of(static_cast<const uint8_t*>(probe), end,
                         [](uint8_t c) { return c == 9 || (c >= 32 && c <= 126); })) {
            ShowInfo(std::string("Invalid OBJ file format.") + kCrLf + "The file contains non-ASCII data.");
            return false;
        }
        return true;
    });
}

bool ReadObjVertexGrid(const std::string& path, int32_t& width, int32_t& height, std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred loading the Alias Object file.", [&] {
        Host().ShowProgress("Loading vertices...");
        std::vector<ObjVertex> vertices;
        {
            FileReader in(path);
            std::string line;
            while (in.ReadLine(line)) {
                if (line.size() < 2 || line[0] != 'v' || line[1] != ' ') continue;
                if (vertices.size() == static_cast<size_t>(kMaxObjVertices)) {
                    ShowWarning("The object file contains more than " + std::to_string(kMaxObjVertices) +
                                " vertices.  The object is too large.");
                    return false;
                }
                vertices.push_back(ParseVertexLine(line));
            }
        }
        if (vertices.empty()) {
            ShowWarning("No vertices were found in the file.");
            return false;
        }

        Host().ShowProgress("Sorting vertex lists...");
        const std::vector<float> xs = DistinctAxis(vertices, &ObjVertex::x);
        const std::vector<float> ys = DistinctAxis(vertices, &ObjVertex::y);
        Host().ShowProgress("Calculating object dimensions...");
        const auto w = static_cast<int32_t>(std::min<size_t>(xs.size(), INT32_MAX));
        const auto h = static_cast<int32_t>(std::min<size_t>(ys.size(), INT32_MAX));
        if (!CheckHeightmapResolution(w, h)) return false;

        // The first vertex in the file at each grid point; -1 where none is.
        Host().ShowProgress("Sorting vertex lists...");
        std::vector<int32_t> first(static_cast<size_t>(w) * static_cast<size_t>(h), -1);
        for (size_t i = 0; i < vertices.size(); ++i) {
            const ObjVertex& v = vertices[i];
            int32_t& slot = first[IndexOf(ys, v.y) * static_cast<size_t>(w) + IndexOf(xs, v.x)];
            if (slot < 0) slot = static_cast<int32_t>(i);
        }

        Host().ShowProgress("Creating heightmap row...");
        std::vector<int32_t> out(first.size(), 0);
        for (int32_t r = 0; r < h; ++r) {
            Host().ShowPanelText(2, std::to_string(r + 1));
            for (int32_t c = 0; c < w; ++c) {
                const size_t k = static_cast<size_t>(r) * w + c;
                if (first[k] >= 0) out[k] = RoundToInt32(vertices[static_cast<size_t>(first[k])].z);
            }
        }
        width = w;
        height = h;
        grid = std::move(out);
        return true;
    });
}

bool LoadObjFile(const std::string& path)
{
    if (!ValidateObjFile(path)) return false;
    int32_t width = 0, height = 0;
    std::vector<int32_t> grid;
    if (!ReadObjVertexGrid(path, width, height, grid)) return false;
    if (!BeginHeightmapLoad(width, height)) return false;
    for (int32_t y = 1; y <= height; ++y)
        std::memcpy(MutableAltitudeRow(y), grid.data() + static_cast<size_t>(y - 1) * width,
                    static_cast<size_t>(width) * sizeof(int32_t));
    FinishHeightmapLoad(FmtObj);
    return true;
}

bool WriteObjFile(const std::string& path, int32_t width, int32_t height, int32_t spacing, bool includeObjectName,
                  bool smoothFaces, const std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred saving the Object file.", [&] {
        CheckWriterGrid(width, height, grid);
        FileWriter out(path);
        const int64_t w = width, h = height;
        std::string head = "# TOLV Heightmap\r\n# ";
        head += kMakerWebAddress;
        head += "\r\n#\r\n# " + std::to_string(w) + "x" + std::to_string(h) + " Sample Points\r\n";
        head += "# " + std::to_string(w * h) + " Vertices\r\n";
        head += "# " + std::to_string(std::max<int64_t>(w - 1, 0) * std::max<int64_t>(h - 1, 0)) + " Faces\r\n\r\n";
        if (includeObjectName) head += "o Heightmap\r\n\r\n";
        out.PutText(head);

        constexpr size_t kVertexLine = 2 + 3 * (kMaxCoordinateText + 1) + 2;
        for (int32_t y = 0; y < height; ++y) {
            const int32_t* row = grid.data() + static_cast<size_t>(y) * width;
            char* const begin = out.Reserve(static_cast<size_t>(width) * kVertexLine);
            char* p = begin;
            for (int32_t x = 0; x < width; ++x) {
                p = PutLiteral(p, "v ");
                p = PutCoordinate(p, int64_t(x) * spacing);
                *p++ = ' ';
                p = PutCoordinate(p, int64_t(y) * spacing);
                *p++ = ' ';
                p = PutCoordinate(p, row[x]);
                p = PutLiteral(p, "\r\n");
            }
            out.Commit(static_cast<size_t>(p - begin));
        }

        out.PutText(smoothFaces ? "\r\ng Heightmap\r\ns 1\r\n" : "\r\ng Heightmap\r\n");
        constexpr size_t kFaceLine = 2 + 3 * (kMaxIntegerText + 1) + 2;
        for (int64_t y = 1; y < h; ++y) {
            char* const begin = out.Reserve(static_cast<size_t>(std::max<int64_t>(w - 1, 0)) * 2 * kFaceLine);
            char* p = begin;
            for (int64_t x = 1; x < w; ++x) {
                const int64_t a = (y - 1) * w + x;
                const int64_t faces[2][3] = {{a, a + w, a + 1}, {a + w, a + w + 1, a + 1}};
                for (const auto& f : faces) {
                    p = PutLiteral(p, "f ");
                    p = PutInteger(p, f[0]);
                    *p++ = ' ';
                    p = PutInteger(p, f[1]);
                    *p++ = ' ';
                    p = PutInteger(p, f[2]);
                    p = PutLiteral(p, "\r\n");
                }
            }
            out.Commit(static_cast<size_t>(p - begin));
        }
        out.PutText("g\r\n\r\n# End of TOLV Heightmap\r\n");
        out.Close();
        return true;
    });
}

std::optional<ObjOptions> AskObjOptions()
{
    ClearDialogParams();
    WriteDialogParams(SaveObjValues{}); // the same defaults every time
    std::optional<ObjOptions> options;
    if (!ShowDialogModal(DialogId::SaveOBJ)) {
        const auto r = ReadDialogResult<SaveObjValues>();
        options = ObjOptions{std::clamp(r.spacing, kMinSpacing, kMaxSpacing), r.includeObjectName, r.smoothFaces};
    }
    ClearDialogParams();
    return options;
}

bool SaveObjFile(const std::string& path, const ObjOptions& options)
{
    return TrapErrors("An error occurred saving the Object file.", [&] {
        if (!WriteObjFile(path, HeightmapWidth(), HeightmapHeight(), options.spacing, options.includeObjectName,
                          options.smoothFaces, HeightmapSamples()))
            return false;
        SetFormatCode(FmtObj);
        return true;
    });
}

} // namespace tolv
