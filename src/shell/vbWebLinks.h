// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <string>
#include <vector>

namespace tolv {

class SettingsStore;

// One item of the Help menu's web-links submenu: the menu caption (with its "&" access key)
// and the web address it opens.
struct WebLink {
    std::string caption;
    std::string address;
    bool operator==(const WebLink&) const = default;
};

// The submenu has room for eight links.
inline constexpr int kMaxWebLinks = 8;
inline constexpr const char* kWebLinksSection = "Web Links";

// The links a fresh installation offers.
std::vector<WebLink> DefaultWebLinks();

// Reads the list from the section "Web Links": "Count", then "Caption" n and "Address" n for
// n = 1..Count. A file that never stored the list gives the defaults; incomplete entries are
// skipped and at most eight are read.
std::vector<WebLink> LoadWebLinks(const SettingsStore& store);
// Writes "Count" and all eight entry pairs (unused ones empty, so no stale link survives).
void SaveWebLinks(const SettingsStore& store, const std::vector<WebLink>& links);

// The editor's check of one link: "" when it may be kept, else the warning to show.
std::string CheckWebLink(const WebLink& link);

// Moves the entry at index one place up (delta -1) or down (+1); returns the new index, or
// index unchanged when the move is not possible.
int MoveWebLink(std::vector<WebLink>& links, int index, int delta);

} // namespace tolv
