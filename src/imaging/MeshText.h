// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace tolv {

// Text building blocks of the mesh writers, formatting straight into the writer's buffer.
// Every coordinate is a whole number written as "#######0.0".

// Room for any 64-bit integer, and for it followed by ".0". Buffers are sized with these so
// that the end handed to std::to_chars always lies inside them.
inline constexpr size_t kMaxIntegerText = 20;
inline constexpr size_t kMaxCoordinateText = kMaxIntegerText + 2;

inline char* PutInteger(char* p, int64_t v) { return std::to_chars(p, p + kMaxIntegerText, v).ptr; }

inline char* PutCoordinate(char* p, int64_t v)
{
    p = PutInteger(p, v);
    *p++ = '.';
    *p++ = '0';
    return p;
}

inline char* PutLiteral(char* p, std::string_view s)
{
    std::memcpy(p, s.data(), s.size());
    return p + s.size();
}

} // namespace tolv
