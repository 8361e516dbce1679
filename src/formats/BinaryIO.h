// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tolv {

// Explicit byte order on raw bytes; never cast a struct onto file data.
inline uint16_t LoadU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline int16_t LoadI16LE(const uint8_t* p) { return static_cast<int16_t>(LoadU16LE(p)); }
inline uint32_t LoadU32LE(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t LoadI32LE(const uint8_t* p) { return static_cast<int32_t>(LoadU32LE(p)); }
inline uint16_t LoadU16BE(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline uint32_t LoadU32BE(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
float LoadF32LE(const uint8_t* p);

// A file opened for reading. Every failure raises a RunTimeError (53 file not found,
// 62 input past end of file, 75 for a folder, ...). Closed by the destructor.
class FileReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    int64_t Length() const { return length_; }
    void Seek(int64_t offset);
    int64_t Tell() const;
    // Reads up to n bytes; returns how many were read (fewer only at the end of the file).
    size_t Read(void* buffer, size_t n);
    // Reads exactly n bytes or raises Input past end of file (62).
    void ReadExact(void* buffer, size_t n);
    std::vector<uint8_t> ReadBytes(size_t n);
    // The rest of the file from the current position (the caller bounds the size first).
    std::vector<uint8_t> ReadRest();
    // Reads one text line without its terminator. A line ends at CR, CR LF or a lone LF.
    // Returns false at the end of the file. A line longer than maxLength raises Out of memory (7).
    bool ReadLine(std::string& line, size_t maxLength = size_t(1) << 20);
    void Close();

private:
    bool Fill();
    std::FILE* file_ = nullptr;
    int64_t length_ = 0;
    std::vector<char> buf_;
    size_t bufPos_ = 0;
    size_t bufLen_ = 0;
};

// A file created for writing through a large buffer, from start to end in one pass. Every
// failure raises a RunTimeError mapped from the system error (61 disk full, 70 permission
// denied, ...). Close() must be called to finish the file: it is written beside its name and
// only takes that name there, so a writer that fails (or is destroyed without Close) leaves no
// partial file behind and whatever had the name before stays as it was.
class FileWriter {
public:
    explicit FileWriter(const std::string& path);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void Put(const void* data, size_t n);
    void PutText(std::string_view s) { Put(s.data(), s.size()); }
    void PutU8(uint8_t v) { Put(&v, 1); }
    void PutU16LE(uint16_t v);
    void PutI16LE(int16_t v) { PutU16LE(static_cast<uint16_t>(v)); }
    void PutU32LE(uint32_t v);
    void PutI32LE(int32_t v) { PutU32LE(static_cast<uint32_t>(v)); }
    void PutF32LE(float v);
    void PutU16BE(uint16_t v);
    // Room for at least n bytes to format into; Commit says how many were used.
    char* Reserve(size_t n);
    void Commit(size_t n) { used_ += n; }
    int64_t BytesWritten() const { return written_ + static_cast<int64_t>(used_); }
    void Close();

private:
    void Flush();
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string tempPath_; // "" once renamed into place
    std::vector<char> buf_;
    size_t used_ = 0;
    int64_t written_ = 0;
};

// Length of a file in bytes, or -1 when it cannot be asked.
int64_t FileLengthOf(const std::string& path);

} // namespace tolv
