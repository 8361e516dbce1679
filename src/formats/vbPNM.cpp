// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbPNM.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "formats/BinaryIO.h"
#include "formats/FrmSavePGMRules.h"
#include "formats/WriterSupport.h"
#include "formats/vbFileManagement.h"
#include "heightmap/MapHeight.h"
#include "shell/RunTimeError.h"
#include "shell/vbMsgBox.h"
#include "shell/vbShowDialog.h"

namespace tolv {
namespace {

constexpr std::string_view kCommentLines = "# TOLV Orvale by Kestrow\r\n# https://tolv.example.org/\r\n";
// The largest header plus 513 x 513 samples of any layout fits easily; a longer file is only
// read this far, so a file of any size costs bounded memory.
constexpr size_t kMaxRead = size_t(64) << 20;

std::string SizeLine(int32_t width, int32_t height)
{
    return std::to_string(width) + " " + std::to_string(height) + "\r\n";
}

// Height x width 16-bit big-endian samples, row 1 first.
void PutBigEndianSamples(FileWriter& out, int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    for (int32_t y = 0; y < height; ++y) {
        const int32_t* row = grid.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        auto* p = reinterpret_cast<uint8_t*>(out.Reserve(static_cast<size_t>(width) * 2));
        for (int32_t x = 0; x < width; ++x) {
            const auto v = static_cast<uint16_t>(row[x]); // low 16 bits
            p[2 * x] = static_cast<uint8_t>(v >> 8);
            p[2 * x + 1] = static_cast<uint8_t>(v);
        }
        out.Commit(static_cast<size_t>(width) * 2);
    }
}

// ---- reading --------------------------------------------------------------------------------

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Why a file was refused; shown after the reader's "Invalid or unsupported ..." sentence.
struct Refusal {
    std::string detail;
};

class Scanner {
public:
    Scanner(const std::vector<uint8_t>& bytes) : p_(bytes.data()), end_(bytes.data() + bytes.size()) {}

    size_t Left() const { return static_cast<size_t>(end_ - p_); }
    const uint8_t* Here() const { return p_; }
    void Advance(size_t n) { p_ += n; }
    bool AtEnd() const { return p_ == end_; }
    uint8_t Peek() const { return *p_; }

    // Skips whitespace and "#" comments up to the end of their line.
    void SkipSpaceAndComments()
    {
        while (p_ < end_) {
            if (IsSpace(*p_)) {
                ++p_;
            } else if (*p_ == '#') {
                while (p_ < end_ && *p_ != '\n' && *p_ != '\r') ++p_;
            } else {
                return;
            }
        }
    }

    // An unsigned decimal number ending at whitespace, a comment or the end of the data.
    // Returns false when the token is not one; value is clamped to 1e9 so it never overflows.
    bool Number(uint32_t& value)
    {
        const uint8_t* start = p_;
        uint64_t v = 0;
        while (p_ < end_ && *p_ >= '0' && *p_ <= '9') {
            v = std::min<uint64_t>(v * 10 + (*p_ - '0'), 1000000000);
            ++p_;
        }
        if (p_ == start) return false;
        if (p_ < end_ && !IsSpace(*p_) && *p_ != '#') return false;
        value = static_cast<uint32_t>(v);
        return true;
    }

    // Skips a token that is not a number (for the position of a bad sample).
    void SkipToken()
    {
        while (p_ < end_ && !IsSpace(*p_)) ++p_;
    }

    // One header line of a P7 file without its line end (LF, with or without a CR before it).
    bool Line(std::string_view& line)
    {
        if (p_ == end_) return false;
        const uint8_t* start = p_;
        while (p_ < end_ && *p_ != '\n') ++p_;
        const uint8_t* stop = p_;
        if (p_ < end_) ++p_;
        if (stop > start && stop[-1] == '\r') --stop;
        line = std::string_view(reinterpret_cast<const char*>(start), static_cast<size_t>(stop - start));
        return true;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

struct Header {
    uint32_t width = 0, height = 0, depth = 1, maxval = 0;
    bool text = false; // P2
};

bool ParseUnsigned(std::string_view s, uint32_t& v)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (s.empty() || s.size() > 9) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

void CheckSizes(const Header& h, const char* headerDetail)
{
    if (h.width < 1 || h.height < 1) throw Refusal{headerDetail};
    if (h.maxval < 1 || h.maxval > 65535) throw Refusal{"The maximum value must lie between 1 and 65535."};
}

Header ParsePgmHeader(Scanner& s)
{
    constexpr const char* kBadHeader = "The width, height or maximum value in the header is missing or not valid.";
    Header h;
    h.text = s.Here()[1] == '2';
    s.Advance(2);
    if (s.AtEnd() || (!IsSpace(s.Peek()) && s.Peek() != '#')) throw Refusal{kBadHeader}; // "P55 ..."
    for (uint32_t* f : {&h.width, &h.height, &h.maxval}) {
        s.SkipSpaceAndComments();
        if (!s.Number(*f)) throw Refusal{kBadHeader};
    }
    CheckSizes(h, kBadHeader);
    if (!h.text) {
        // Exactly one whitespace byte ends the header of a binary map. A CR LF pair is taken as
        // one when that makes the rest of the file exactly the samples.
        if (s.AtEnd() || !IsSpace(s.Peek())) throw Refusal{kBadHeader};
        const uint64_t data = uint64_t{h.width} * h.height * (h.maxval < 256 ? 1 : 2);
        if (s.Peek() == '\r' && s.Left() >= 2 && s.Here()[1] == '\n' && s.Left() - 2 == data) s.Advance(2);
        else s.Advance(1);
    }
    return h;
}

Header ParsePamHeader(Scanner& s)
{
    constexpr const char* kBadHeader =
        "The header needs valid WIDTH, HEIGHT, DEPTH and MAXVAL lines and an ENDHDR line.";
    Header h;
    h.depth = 0;
    std::string_view line;
    s.Line(line); // "P7"
    if (line.size() != 2 && line.find_first_not_of(" \t", 2) != std::string_view::npos) throw Refusal{kBadHeader};
    bool ended = false;
    while (!ended && s.Line(line)) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == '#') continue;
        line.remove_prefix(start);
        const size_t gap = line.find_first_of(" \t");
        const std::string_view key = line.substr(0, gap);
        const std::string_view value = gap == std::string_view::npos ? std::string_view() : line.substr(gap);
        bool ok = true;
        if (key == "WIDTH") ok = ParseUnsigned(value, h.width);
        else if (key == "HEIGHT") ok = ParseUnsigned(value, h.height);
        else if (key == "DEPTH") ok = ParseUnsigned(value, h.depth);
        else if (key == "MAXVAL") ok = ParseUnsigned(value, h.maxval);
        else if (key == "TUPLTYPE") ok = true; // any gray tuple type will do when DEPTH is 1
        else if (key == "ENDHDR") ended = true;
        else ok = false;
        if (!ok) throw Refusal{kBadHeader};
    }
    if (!ended || h.depth == 0) throw Refusal{kBadHeader};
    CheckSizes(h, kBadHeader);
    if (h.depth != 1) throw Refusal{"Only single-channel (DEPTH 1) gray maps can be opened."};
    return h;
}

std::string At(int32_t x, int32_t y) { return std::to_string(x) + " x " + std::to_string(y); }

[[noreturn]] void TooLarge(int32_t x, int32_t y, uint32_t value, uint32_t maxval)
{
    throw Refusal{"The sample " + std::to_string(value) + " at " + At(x, y) + " is larger than the maximum value " +
                  std::to_string(maxval) + "."};
}

// The samples, rows top first. A non-numeric text sample is reported in the readers' own words
// and gives false.
bool ReadSamples(Scanner& s, const Header& h, std::vector<int32_t>& grid)
{
    const auto width = static_cast<int32_t>(h.width), height = static_cast<int32_t>(h.height);
    grid.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const std::string shortFile = "The file ends before all of its " + std::to_string(width) + " x " +
                                  std::to_string(height) + " samples.";
    if (h.text) {
        size_t i = 0;
        for (int32_t y = 1; y <= height; ++y) {
            for (int32_t x = 1; x <= width; ++x, ++i) {
                s.SkipSpaceAndComments();
                if (s.AtEnd()) throw Refusal{shortFile};
                uint32_t v = 0;
                if (!s.Number(v)) {
                    ShowWarning("The heightmap value is non-numeric at " + At(x, y) + ".");
                    return false;
                }
                if (v > h.maxval) TooLarge(x, y, v, h.maxval);
                grid[i] = static_cast<int32_t>(v);
            }
        }
        return true;
    }
    const size_t bytesPer = h.maxval < 256 ? 1 : 2;
    if (s.Left() / bytesPer / h.width < h.height) throw Refusal{shortFile};
    const uint8_t* p = s.Here();
    for (size_t i = 0; i < grid.size(); ++i) {
        const uint32_t v = bytesPer == 1 ? p[i] : LoadU16BE(p + 2 * i);
        if (v > h.maxval)
            TooLarge(static_cast<int32_t>(i % h.width) + 1, static_cast<int32_t>(i / h.width) + 1, v, h.maxval);
        grid[i] = static_cast<int32_t>(v);
    }
    return true;
}

bool LoadNetpbm(const std::string& path, bool pam)
{
    const std::string kind = pam ? "PAM" : "PGM";
    if (!CheckReaderExtension(path, pam ? "pam" : "pgm", kind)) return false;
    const std::string refusal = "Invalid or unsupported " + kind + " file.";
    return TrapErrors("An error occurred loading the " + kind + " file.", [&] {
        std::vector<uint8_t> bytes;
        {
            FileReader in(path);
            bytes.resize(static_cast<size_t>(std::min<int64_t>(in.Length(), static_cast<int64_t>(kMaxRead))));
            bytes.resize(in.Read(bytes.data(), bytes.size()));
            in.Close();
        }
        try {
            const bool magicOk = bytes.size() >= 2 && bytes[0] == 'P' &&
                                 (pam ? bytes[1] == '7' : (bytes[1] == '2' || bytes[1] == '5'));
            if (!magicOk)
                throw Refusal{pam ? "Only P7 files can be opened."
                                  : "Only P2 (ASCII) and P5 (binary) gray maps can be opened."};
            Scanner s(bytes);
            const Header h = pam ? ParsePamHeader(s) : ParsePgmHeader(s);
            const auto width = static_cast<int32_t>(h.width), height = static_cast<int32_t>(h.height);
            if (!CheckHeightmapResolution(width, height)) return false;
            std::vector<int32_t> grid;
            if (!ReadSamples(s, h, grid)) return false;
            return LoadHeightmapGrid(width, height, grid, pam ? FmtPam : FmtPgm);
        } catch (const Refusal& r) {
            ShowWarning(refusal + kCrLf + r.detail);
            return false;
        }
    });
}

} // namespace

bool WritePamFile(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred saving the PAM P7 file.", [&] {
        CheckWriterGrid(width, height, grid);
        FileWriter out(path);
        out.PutText("P7\r\n");
        out.PutText(kCommentLines);
        out.PutText("WIDTH " + std::to_string(width) + "\r\nHEIGHT " + std::to_string(height) +
                    "\r\nDEPTH 1\r\nMAXVAL 65535\r\nTUPLTYPE GRAYSCALE\r\nENDHDR\r\n");
        PutBigEndianSamples(out, width, height, grid);
        out.Close();
        return true;
    });
}

bool WritePgmP2File(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred saving the PGM P2 file.", [&] {
        CheckWriterGrid(width, height, grid);
        FileWriter out(path);
        out.PutText("P2\r\n");
        out.PutText(kCommentLines);
        out.PutText(SizeLine(width, height));
        out.PutText("65535\r\n");
        // Ten values to a line, each followed by a space; every row ends with its own CR LF.
        const size_t most = static_cast<size_t>(width) * 15 + 4;
        for (int32_t y = 0; y < height; ++y) {
            const int32_t* row = grid.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
            char* start = out.Reserve(most);
            char* p = start;
            int counter = 1;
            for (int32_t x = 0; x < width; ++x) {
                p = PutZeroPad5(p, static_cast<uint16_t>(row[x]));
                *p++ = ' ';
                if (counter == 10) {
                    *p++ = '\r';
                    *p++ = '\n';
                    counter = 1;
                } else {
                    ++counter;
                }
            }
            *p++ = '\r';
            *p++ = '\n';
            out.Commit(static_cast<size_t>(p - start));
        }
        out.Close();
        return true;
    });
}

bool WritePgmP5File(const std::string& path, int32_t width, int32_t height, const std::vector<int32_t>& grid)
{
    return TrapErrors("An error occurred saving the PGM P5 file.", [&] {
        CheckWriterGrid(width, height, grid);
        FileWriter out(path);
        out.PutText("P5\r\n");
        out.PutText(kCommentLines);
        out.PutText(SizeLine(width, height));
        out.PutText("65535\n"); // one whitespace byte ends the header: no CR here
        PutBigEndianSamples(out, width, height, grid);
        out.Close();
        return true;
    });
}

bool SavePamFile(const std::string& path)
{
    return TrapErrors("An error occurred saving the PAM P7 file.", [&] {
        if (!WritePamFile(path, HeightmapWidth(), HeightmapHeight(), HeightmapSamples())) return false;
        SetFormatCode(FmtPam);
        return true;
    });
}

std::optional<PgmOptions> AskPgmOptions()
{
    ClearDialogParams();
    std::optional<PgmOptions> options;
    if (!ShowDialogModal(DialogId::SavePGM)) options = PgmOptions{ReadDialogResult<SavePgmResult>().P5()};
    ClearDialogParams();
    return options;
}

bool SavePgmFile(const std::string& path, const PgmOptions& options)
{
    const bool p5 = options.p5;
    const char* sentence = p5 ? "An error occurred saving the PGM P5 file."
                              : "An error occurred saving the PGM P2 file.";
    return TrapErrors(sentence, [&] {
        const std::vector<int32_t> grid = HeightmapSamples();
        const int32_t w = HeightmapWidth(), h = HeightmapHeight();
        if (!(p5 ? WritePgmP5File(path, w, h, grid) : WritePgmP2File(path, w, h, grid))) return false;
        SetFormatCode(FmtPgm);
        return true;
    });
}

bool LoadPgmFile(const std::string& path) { return LoadNetpbm(path, false); }
bool LoadPamFile(const std::string& path) { return LoadNetpbm(path, true); }

} // namespace tolv
