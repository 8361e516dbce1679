// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbWebLinks.h"

#include <algorithm>
#include <utility>

#include "shell/Numbers.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

std::string Key(const char* name, int n) { return std::string(name) + std::to_string(n); }

} // namespace

std::vector<WebLink> DefaultWebLinks()
{
    return {{"TOLV &Home Page", "https://tolv.example.org/"},
            {"TOLV &Downloads", "https://tolv.example.org/downloads/"}};
}

std::vector<WebLink> LoadWebLinks(const SettingsStore& store)
{
    const int32_t count = store.IniGetInteger(kWebLinksSection, "Count", -1);
    if (count < 0) return DefaultWebLinks();
    std::vector<WebLink> links;
    for (int n = 1; n <= kMaxWebLinks && n <= count; ++n) {
        WebLink link{Trim(store.IniGetString(kWebLinksSection, Key("Caption", n), "")),
                     Trim(store.IniGetString(kWebLinksSection, Key("Address", n), ""))};
        if (CheckWebLink(link).empty()) links.push_back(std::move(link));
    }
    return links;
}

void SaveWebLinks(const SettingsStore& store, const std::vector<WebLink>& links)
{
    const int count = static_cast<int>(std::min<size_t>(links.size(), kMaxWebLinks));
    store.IniPutInteger(kWebLinksSection, "Count", count);
    for (int n = 1; n <= kMaxWebLinks; ++n) {
        const bool used = n <= count;
        store.IniPutString(kWebLinksSection, Key("Caption", n), used ? links[n - 1].caption : "");
        store.IniPutString(kWebLinksSection, Key("Address", n), used ? links[n - 1].address : "");
    }
}

std::string CheckWebLink(const WebLink& link)
{
    const std::string caption = Trim(link.caption);
    if (caption.empty()) return "Please enter the menu caption of the web link.";
    // A lone "-" would turn the menu item into a separator.
    if (caption == "-") return "The menu caption of a web link cannot be a single \"-\".";
    if (Trim(link.address).empty()) return "Please enter the web address of the web link.";
    return "";
}

int MoveWebLink(std::vector<WebLink>& links, int index, int delta)
{
    const int target = index + delta;
    const int n = static_cast<int>(links.size());
    if (index < 0 || index >= n || target < 0 || target >= n || delta == 0) return index;
    std::swap(links[index], links[target]);
    return target;
}

} // namespace tolv
