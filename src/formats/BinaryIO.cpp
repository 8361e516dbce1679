// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/BinaryIO.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "shell/RunTimeError.h"

namespace tolv {
namespace {

constexpr size_t kReadBuffer = 1 << 16;
constexpr size_t kWriteBuffer = 1 << 20;

} // namespace

float LoadF32LE(const uint8_t* p)
{
    uint32_t u = LoadU32LE(p);
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

FileReader::FileReader(const std::string& path)
{
    if (path.empty()) throw RunTimeError(ErrBadFileName);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) throw ErrorFromErrno(errno);
    if (S_ISDIR(st.st_mode)) throw RunTimeError(ErrPathFileAccess);
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) throw ErrorFromErrno(errno);
    length_ = static_cast<int64_t>(st.st_size);
}

FileReader::~FileReader() { Close(); }

void FileReader::Close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

void FileReader::Seek(int64_t offset)
{
    if (!file_) throw RunTimeError(ErrBadFileName);
    if (offset < 0) throw RunTimeError(ErrInvalidCall);
    bufPos_ = bufLen_ = 0;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) throw ErrorFromErrno(errno);
}

int64_t FileReader::Tell() const
{
    if (!file_) return 0;
    return static_cast<int64_t>(std::ftell(file_)) - static_cast<int64_t>(bufLen_ - bufPos_);
}

size_t FileReader::Read(void* buffer, size_t n)
{
    if (!file_) throw RunTimeError(ErrBadFileName);
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    if (bufPos_ < bufLen_) {
        size_t take = std::min(n, bufLen_ - bufPos_);
        std::memcpy(out, buf_.data() + bufPos_, take);
        bufPos_ += take;
        done = take;
    }
    if (done < n) {
        size_t got = std::fread(out + done, 1, n - done, file_);
        if (got < n - done && std::ferror(file_)) throw ErrorFromErrno(errno);
        done += got;
    }
    return done;
}

void FileReader::ReadExact(void* buffer, size_t n)
{
    if (Read(buffer, n) != n) throw RunTimeError(ErrInputPastEnd);
}

std::vector<uint8_t> FileReader::ReadBytes(size_t n)
{
    std::vector<uint8_t> v(n);
    ReadExact(v.data(), n);
    return v;
}

std::vector<uint8_t> FileReader::ReadRest()
{
    int64_t pos = Tell();
    int64_t rest = length_ > pos ? length_ - pos : 0;
    std::vector<uint8_t> v(static_cast<size_t>(rest));
    v.resize(Read(v.data(), v.size()));
    return v;
}

bool FileReader::Fill()
{
    if (buf_.empty()) buf_.resize(kReadBuffer);
    bufPos_ = 0;
    bufLen_ = std::fread(buf_.data(), 1, buf_.size(), file_);
    if (bufLen_ == 0 && std::ferror(file_)) throw ErrorFromErrno(errno);
    return bufLen_ > 0;
}

bool FileReader::ReadLine(std::string& line, size_t maxLength)
{
    if (!file_) throw RunTimeError(ErrBadFileName);
    line.clear();
    bool any = false;
    for (;;) {
        if (bufPos_ >= bufLen_ && !Fill()) return any;
        any = true;
        const char* start = buf_.data() + bufPos_;
        const char* end = buf_.data() + bufLen_;
        const char* p = start;
        while (p < end && *p != '\r' && *p != '\n') ++p;
        line.append(start, p);
        if (line.size() > maxLength) throw RunTimeError(ErrOutOfMemory);
        bufPos_ += static_cast<size_t>(p - start);
        if (p == end) continue;
        char term = *p;
        ++bufPos_;
        if (term == '\r') {
            if (bufPos_ >= bufLen_) Fill();
            if (bufPos_ < bufLen_ && buf_[bufPos_] == '\n') ++bufPos_;
        }
        return true;
    }
}

FileWriter::FileWriter(const std::string& path)
{
    if (path.empty()) throw RunTimeError(ErrBadFileName);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) throw RunTimeError(ErrPathFileAccess);
    // Written beside its final name and renamed into place by Close(), so a write that fails
    // half way never leaves a truncated file under the real name.
    path_ = path;
    tempPath_ = path + ".tolv-part";
    file_ = std::fopen(tempPath_.c_str(), "wb");
    // Creating a file, "no such entry" can only mean a missing folder.
    if (!file_) throw errno == ENOENT ? RunTimeError(ErrPathNotFound) : ErrorFromErrno(errno);
    buf_.resize(kWriteBuffer);
}

FileWriter::~FileWriter()
{
    if (file_) std::fclose(file_);
    if (!tempPath_.empty()) std::remove(tempPath_.c_str());
}

void FileWriter::Flush()
{
    if (!file_) throw RunTimeError(ErrBadFileName);
    if (used_ == 0) return;
    size_t n = used_;
    size_t put = std::fwrite(buf_.data(), 1, n, file_);
    if (put != n) throw ErrorFromErrno(errno ? errno : EIO);
    written_ += static_cast<int64_t>(n);
    used_ = 0;
}

void FileWriter::Put(const void* data, size_t n)
{
    auto* p = static_cast<const char*>(data);
    while (n > 0) {
        if (used_ == buf_.size()) Flush();
        size_t take = std::min(n, buf_.size() - used_);
        std::memcpy(buf_.data() + used_, p, take);
        used_ += take;
        p += take;
        n -= take;
    }
}

char* FileWriter::Reserve(size_t n)
{
    if (buf_.size() - used_ < n) {
        Flush();
        if (buf_.size() < n) buf_.resize(n);
    }
    return buf_.data() + used_;
}

void FileWriter::PutU16LE(uint16_t v)
{
    uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    Put(b, 2);
}

void FileWriter::PutU32LE(uint32_t v)
{
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    Put(b, 4);
}

void FileWriter::PutF32LE(float v)
{
    uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    PutU32LE(u);
}

void FileWriter::PutU16BE(uint16_t v)
{
    uint8_t b[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
    Put(b, 2);
}

void FileWriter::Close()
{
    Flush();
    std::FILE* f = file_;
    file_ = nullptr;
    if (std::fflush(f) != 0) {
        int e = errno;
        std::fclose(f);
        throw ErrorFromErrno(e);
    }
    if (std::fclose(f) != 0) throw ErrorFromErrno(errno);
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) throw ErrorFromErrno(errno);
    tempPath_.clear();
}

int64_t FileLengthOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

} // namespace tolv
