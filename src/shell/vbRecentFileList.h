// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace tolv {

// The recent file list: the last eight heightmap files opened or saved, shown as numbered
// File menu items. The list lives here; the main window only applies the menu state it is given.

inline constexpr int32_t kRecentFileCount = 8;
inline constexpr const char* kRecentFileSection = "Recent File List";

enum RecentDisplayMode : int32_t { RflFileName = 0, RflFileSpec = 1, RflTrimSpec = 2 };
// Where the list is kept. Only the initialization file exists on this platform; the other two
// stores read as the defaults and are never written.
enum RecentStorage : int32_t { RflAppSettings = 0, RflRegistry = 1, RflIniFile = 2 };

// What the File menu shows for the list: item menuBase + i - 1 shows entry i + 1 (i = 0..7),
// and item menuBase + 8 is the separator after the list.
struct RecentFileMenu {
    int32_t menuBase = 0;
    struct Item {
        bool visible = false;
        std::string caption; // "&1 name" (an "&" of the name doubled so it shows as itself)
    };
    std::array<Item, kRecentFileCount> items;
    bool separatorVisible = false;
};

// Called whenever the menu must be rebuilt (RflRefreshMenu); the main window installs it.
using RecentMenuSink = std::function<void(const RecentFileMenu&)>;

// Sets up the list (menuBase below 0 becomes 0), loads it and refreshes the menu.
void RflInit(RecentMenuSink sink, int32_t menuBase, int32_t storageMode);
void RflLoad();
void RflSave();
int32_t RflCount();
// Entry i (1-based), or "" outside 1..count.
std::string RflGetItem(int32_t i);
void RflGetDisplay(int32_t& mode, int32_t& length);
// Mode outside 0..2 becomes 1, length outside 8..48 becomes 32; refreshes the menu; saves nothing.
void RflSetDisplay(int32_t mode, int32_t length);
// Moves path to the front (a new path pushes the oldest out). Neither refreshes nor saves.
void RflAdd(const std::string& path);
// After every successful open or save: add, save, refresh.
void RflAddAndSave(const std::string& path);
// Removes path and refreshes the menu; saves nothing.
void RflRemove(const std::string& path);
// True when entry i names an existing file; otherwise asks whether to remove it (Yes removes and
// saves at once) and returns false. False without a question outside 1..count.
bool RflCheckItem(int32_t i);
// Rebuilds the menu state and hands it to the sink.
void RflRefreshMenu();
// The menu state for the current entries and display mode.
RecentFileMenu RflMenu();
// Menu item index k of the File menu -> entry number, or 0 when k is not a recent item.
int32_t RflEntryForMenuItem(int32_t k);

// The caption text of a path in the given display mode.
std::string RflDisplayText(const std::string& path, int32_t mode, int32_t length);
// The path shortened to at most length characters (never longer than the path), keeping its
// start and as much of its file name as fits.
std::string CompactPath(const std::string& path, int32_t length);

// Display mode names as stored, and their reading (any letter case; unknown is FileName).
std::string RflDisplayModeName(int32_t mode);
int32_t RflParseDisplayMode(const std::string& text);
// The compaction length typed in the settings dialog, normalised when the field loses focus.
std::string NormaliseTrimLength(const std::string& text);

} // namespace tolv
