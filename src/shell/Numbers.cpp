// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "shell/RunTimeError.h"

namespace tolv {

double RoundHalfEven(double v) { return std::nearbyint(v); } // default FE_TONEAREST is half-to-even

int32_t RoundToInt32(double v)
{
    double r = RoundHalfEven(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RunTimeError(ErrOverflow);
    return static_cast<int32_t>(r);
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

bool ParseNumeric(std::string_view text, double& value)
{
    std::string t = Trim(text);
    if (t.empty()) return false;
    size_t i = 0;
    bool neg = false;
    if (t[i] == '+' || t[i] == '-') neg = t[i++] == '-';
    size_t digits = 0;
    size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < t.size() && t[j] >= '0' && t[j] <= '9') ++j, ++expDigits;
        if (expDigits == 0) return false;
        i = j;
    }
    if (i != t.size()) return false;
    double v = 0;
    auto r = std::from_chars(t.data() + start, t.data() + t.size(), v);
    if (r.ec != std::errc() && r.ec != std::errc::result_out_of_range) return false;
    if (r.ec == std::errc::result_out_of_range) v = HUGE_VAL;
    value = neg ? -v : v;
    return true;
}

int32_t LeadingInteger(std::string_view text)
{
    std::string t = Trim(text);
    size_t i = 0;
    bool neg = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
    int64_t v = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
        v = v * 10 + (t[i++] - '0');
        if (v > 2147483648LL) v = 2147483648LL;
    }
    if (neg) v = -v;
    if (v > 2147483647LL) v = 2147483647LL;
    return static_cast<int32_t>(v);
}

std::string ToLower(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string FormatThousands(int64_t v)
{
    bool neg = v < 0;
    std::string digits = std::to_string(neg ? -v : v);
    std::string out;
    int n = 0;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (n && n % 3 == 0) out.insert(out.begin(), ',');
        out.insert(out.begin(), *it);
        ++n;
    }
    return neg ? "-" + out : out;
}

std::string FormatOneDecimal(double v)
{
    // One decimal, halves to even like the display formats of the platform.
    double r = RoundHalfEven(v * 10.0) / 10.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", r);
    return buf;
}

std::string FormatZeroPad5(int64_t v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%05lld", static_cast<long long>(v));
    return buf;
}

std::string FormatGeneral(float v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

} // namespace tolv
