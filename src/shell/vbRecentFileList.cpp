// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbRecentFileList.h"

#include <algorithm>

#include "formats/vbFileManagement.h"
#include "shell/Numbers.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

constexpr int32_t kDefaultLength = 32;
constexpr int32_t kMinLength = 8;
constexpr int32_t kMaxLength = 48;

struct RecentFileList {
    std::array<std::string, kRecentFileCount> entries; // [0] is entry 1, the most recent
    int32_t count = 0;
    int32_t menuBase = 0;
    int32_t storageMode = RflIniFile;
    int32_t displayMode = RflFileName;
    int32_t displayLength = kDefaultLength;
    RecentMenuSink sink;
};

RecentFileList& List()
{
    static RecentFileList list;
    return list;
}

int32_t FindEntry(const std::string& path)
{
    const auto& e = List().entries;
    for (int32_t j = 0; j < kRecentFileCount; ++j)
        if (e[j] == path) return j + 1;
    return 0;
}

std::string KeyOf(int32_t i) { return "File" + std::to_string(i); }

// "&" starts an access key in a menu caption; doubled it shows as itself.
std::string EscapeAmpersands(const std::string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

} // namespace

std::string RflDisplayModeName(int32_t mode)
{
    return mode == RflFileSpec ? "FileSpec" : mode == RflTrimSpec ? "TrimSpec" : "FileName";
}

int32_t RflParseDisplayMode(const std::string& text)
{
    const std::string t = ToLower(text);
    return t == "filespec" ? RflFileSpec : t == "trimspec" ? RflTrimSpec : RflFileName;
}

std::string CompactPath(const std::string& path, int32_t length)
{
    const int64_t n = static_cast<int64_t>(path.size());
    const int64_t L = length;
    if (n <= L) return path;
    if (L < 1) return std::string(); // nothing fits
    if (L <= 3) return std::string(static_cast<size_t>(L), '.');
    if (L <= 6) return path.substr(0, 3) + std::string(static_cast<size_t>(L - 3), '.');
    const size_t sep = path.find_last_of("/\\");
    const int64_t p = sep == std::string::npos ? 0 : static_cast<int64_t>(sep) + 1; // 1-based, 0 = none
    if (p == 0) return path.substr(0, static_cast<size_t>(L - 3)) + "...";          // no file name to keep
    const int64_t tail = n - p + 1; // the last separator and the file name
    // A file name too long to keep whole shows its start after the path's first three characters.
    if (p + 6 >= L || tail + 3 > L)
        return path.substr(0, 3) + "..." + path.substr(static_cast<size_t>(p - 1), static_cast<size_t>(L - 6));
    // The head stops before the last separator, so no part of the file name shows twice, and
    // leaves room for the whole file name, so the caption never grows past the length.
    const int64_t head = std::min({L - 3 - p, p - 1, L - 3 - tail});
    return path.substr(0, static_cast<size_t>(head)) + "..." + path.substr(static_cast<size_t>(p - 1));
}

std::string RflDisplayText(const std::string& path, int32_t mode, int32_t length)
{
    switch (mode) {
    case RflFileSpec: return path;
    case RflTrimSpec: return CompactPath(path, length);
    default: return GetFileName(path);
    }
}

std::string NormaliseTrimLength(const std::string& text)
{
    double v = 0;
    if (!ParseNumeric(text, v)) return std::to_string(kDefaultLength);
    if (v < kMinLength) return std::to_string(kMinLength);
    if (v > kMaxLength) return std::to_string(kMaxLength);
    return text;
}

void RflInit(RecentMenuSink sink, int32_t menuBase, int32_t storageMode)
{
    RecentFileList& l = List();
    l.sink = std::move(sink);
    l.menuBase = menuBase < 0 ? 0 : menuBase;
    l.storageMode = storageMode;
    l.count = kRecentFileCount;
    l.entries = {};
    RflLoad();
    RflRefreshMenu();
}

void RflLoad()
{
    RecentFileList& l = List();
    l.displayMode = RflFileName;
    l.displayLength = kDefaultLength;
    l.entries = {};
    if (l.storageMode != RflIniFile) return; // no such store here: the defaults
    const SettingsStore& store = Settings();
    l.displayMode = RflParseDisplayMode(store.IniGetString(kRecentFileSection, "DisplayMode", "FileName"));
    l.displayLength = store.IniGetInteger(kRecentFileSection, "DisplayLength", kDefaultLength);
    // A hand-edited length below 1 leaves no room for any caption at all.
    if (l.displayLength < 1) l.displayLength = kDefaultLength;
    // A hand-edited file may name a path twice or leave slots empty: each path is kept once, at
    // its first place, and the entries are packed as every add and remove keeps them.
    int32_t kept = 0;
    for (int32_t i = 1; i <= kRecentFileCount; ++i) {
        std::string path = store.IniGetString(kRecentFileSection, KeyOf(i), "");
        if (!path.empty() && FindEntry(path) == 0) l.entries[kept++] = std::move(path);
    }
}

void RflSave()
{
    const RecentFileList& l = List();
    if (l.storageMode != RflIniFile) return;
    const SettingsStore& store = Settings();
    store.IniPutString(kRecentFileSection, "DisplayMode", RflDisplayModeName(l.displayMode));
    store.IniPutInteger(kRecentFileSection, "DisplayLength", l.displayLength);
    for (int32_t i = 1; i <= kRecentFileCount; ++i) store.IniPutString(kRecentFileSection, KeyOf(i), l.entries[i - 1]);
}

int32_t RflCount() { return List().count; }

std::string RflGetItem(int32_t i)
{
    const RecentFileList& l = List();
    return i >= 1 && i <= l.count ? l.entries[i - 1] : std::string();
}

void RflGetDisplay(int32_t& mode, int32_t& length)
{
    mode = List().displayMode;
    length = List().displayLength;
}

void RflSetDisplay(int32_t mode, int32_t length)
{
    RecentFileList& l = List();
    l.displayMode = mode < 0 || mode > 2 ? RflFileSpec : mode;
    l.displayLength = length < kMinLength || length > kMaxLength ? kDefaultLength : length;
    RflRefreshMenu();
}

void RflAdd(const std::string& path)
{
    if (path.empty()) return;
    auto& e = List().entries;
    int32_t j = FindEntry(path);
    if (j == 1) return;
    if (j == 0) j = kRecentFileCount;
    for (int32_t k = j; k >= 2; --k) e[k - 1] = e[k - 2];
    e[0] = path;
}

void RflAddAndSave(const std::string& path)
{
    if (path.empty()) return;
    RflAdd(path);
    RflSave();
    RflRefreshMenu();
}

void RflRemove(const std::string& path)
{
    const int32_t j = FindEntry(path);
    if (j == 0 || path.empty()) return; // only paths taken from the list are removed
    auto& e = List().entries;
    for (int32_t k = j; k <= kRecentFileCount - 1; ++k) e[k - 1] = e[k];
    e[kRecentFileCount - 1].clear();
    RflRefreshMenu();
}

bool RflCheckItem(int32_t i)
{
    if (i < 1 || i > List().count) return false;
    const std::string path = List().entries[i - 1];
    if (FileExists(path)) return true;
    UiHost& host = Host();
    const Pointer before = host.CurrentPointer();
    host.SetPointer(Pointer::Default);
    const std::string text = std::string("This Recent File has been Moved or Deleted or is currently Unavailable:") +
                             kCrLf + kCrLf + "\"" + path + "\"" + kCrLf + kCrLf + "Unable to open the specified file." +
                             kCrLf + "Would you like to remove it from the Recent Files List?";
    if (AskYesNo(text)) {
        host.SetPointer(Pointer::Busy);
        RflRemove(path);
        RflSave();
    }
    host.SetPointer(before);
    return false;
}

RecentFileMenu RflMenu()
{
    const RecentFileList& l = List();
    RecentFileMenu menu;
    menu.menuBase = l.menuBase;
    for (int32_t i = 0; i < kRecentFileCount; ++i) {
        const std::string& path = l.entries[i];
        menu.items[i].visible = !path.empty();
        if (path.empty()) continue;
        // Built in steps: GCC 12 at -O2 warns falsely (-Wrestrict) on "&" + std::to_string(...).
        std::string caption = "&";
        caption += std::to_string(i + 1);
        caption += ' ';
        menu.items[i].caption = caption + EscapeAmpersands(RflDisplayText(path, l.displayMode, l.displayLength));
    }
    menu.separatorVisible = !l.entries[0].empty();
    return menu;
}

void RflRefreshMenu()
{
    const RecentFileList& l = List();
    if (l.sink) l.sink(RflMenu());
}

int32_t RflEntryForMenuItem(int32_t k)
{
    const RecentFileList& l = List();
    const int32_t i = k - l.menuBase + 1;
    return k >= l.menuBase && i >= 1 && i <= l.count ? i : 0;
}

} // namespace tolv
