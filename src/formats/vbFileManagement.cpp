// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "formats/vbFileManagement.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "formats/FormatTable.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/RunTimeError.h"
#include "shell/UiHost.h"
#include "shell/vbMsgBox.h"

namespace tolv {
namespace {

constexpr struct {
    int32_t code;
    const char* description;
} kDescriptions[] = {
#define TOLV_FILE_FORMAT(name, code, description) {code, description},
#include "formats/FileFormats.def"
#undef TOLV_FILE_FORMAT
};

// One dialog's filter list from the rows, in the order the FileTypeSort setting chooses.
std::string FilterList(FilterEntry FormatRow::*list)
{
    const bool byExtension = Globals().fileTypeSort == SortByExtension;
    std::vector<std::pair<int, std::string>> entries;
    for (const FormatRow& row : FormatTable()) {
        const FilterEntry& e = row.*list;
        if (e.description.empty()) continue;
        const std::string_view text = byExtension && !e.descriptionByExtension.empty() ? e.descriptionByExtension
                                                                                       : e.description;
        entries.emplace_back(byExtension ? e.byExtension : e.byKind,
                             std::string(row.ext) + " - " + std::string(text) + "|*." + row.ext + "|");
    }
    std::sort(entries.begin(), entries.end());
    std::string s;
    for (const auto& [rank, text] : entries) s += text;
    return s += "All Files (*.*)|*.*";
}

size_t LastSeparator(const std::string& path)
{
    size_t pos = path.find_last_of("/\\");
    return pos;
}

// Re-enables the commands however the dispatch ends.
class CommandsDisabled {
public:
    CommandsDisabled() { Host().EnableCommands(false); }
    ~CommandsDisabled() { Host().EnableCommands(true); }
};

} // namespace

std::string FormatDescription(int32_t code)
{
    for (const auto& d : kDescriptions)
        if (d.code == code) return d.description;
    return "";
}

std::string GetFileExtension(const std::string& path)
{
    size_t sep = LastSeparator(path);
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return "";
    return path.substr(dot + 1);
}

std::string GetFileName(const std::string& path)
{
    size_t sep = LastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string GetFileBaseName(const std::string& path)
{
    std::string name = GetFileName(path);
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string GetFolderOf(const std::string& path)
{
    size_t sep = LastSeparator(path);
    return sep == std::string::npos ? "" : path.substr(0, sep + 1);
}

bool FileExists(const std::string& path)
{
    if (path.empty()) return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool OpenFileByType(const std::string& path)
{
    CommandsDisabled disabled;
    const FormatRow* row = FindOpenRow(ToLower(GetFileExtension(path)));
    if (!row) {
        ShowWarning(std::string("Source file specified with no file extension.") + kCrLf +
                    "Unable to determine file format.");
        return false;
    }
    switch (row->open.kind) {
    case OpenKind::Reader: return row->open.reader(path);
    case OpenKind::Stub:
        ShowInfo(row->open.message);
        SetFormatCode(row->open.code);
        return false;
    case OpenKind::Silent:
    case OpenKind::None: return false;
    }
    return false;
}

bool SaveFileByType(const std::string& path)
{
    CommandsDisabled disabled;
    const FormatRow* row = FindSaveRow(ToLower(GetFileExtension(path)));
    if (!row) {
        ShowWarning("Unable to determine the save file type.");
        return false;
    }
    if (row->save.kind == SaveKind::OpenOnly) {
        ShowInfo("This format is only supported for opening.");
        return false;
    }
    // The options come first: Cancel leaves the file and its older backup as they were.
    const BoundWriter writer = row->save.prepare();
    if (!writer) return false;
    BackupFile(path); // the writer runs whether or not the backup worked
    if (!writer(path)) return false;
    SetFormatCode(row->save.code);
    return true;
}

std::string OpenFilterList() { return FilterList(&FormatRow::openFilter); }

std::string SaveFilterList() { return FilterList(&FormatRow::saveFilter); }

std::string BackupName(const std::string& path)
{
    if (GetFileExtension(path).empty()) return path + ".bak";
    return path.substr(0, path.rfind('.') + 1) + "bak";
}

bool BackupFile(const std::string& path)
{
    if (!FileExists(path)) return true;
    return TrapErrors("An error occurred renaming the current file as a backup.", [&] {
        const std::string backup = BackupName(path);
        if (FileExists(backup) && std::remove(backup.c_str()) != 0) throw ErrorFromErrno(errno);
        if (std::rename(path.c_str(), backup.c_str()) != 0) throw ErrorFromErrno(errno);
        return true;
    });
}

bool IsPowerOfTwoSize()
{
    auto pow2 = [](int32_t v) { return v >= 1 && v <= 512 && (v & (v - 1)) == 0; };
    return pow2(HeightmapWidth()) && pow2(HeightmapHeight());
}

bool CheckReaderExtension(const std::string& path, const std::string& ownExtension, const std::string& kindWord,
                          const std::string& question)
{
    if (ToLower(GetFileExtension(path)) == ownExtension) return true;
    return AskYesNo("Invalid " + kindWord + " File Extension on: " + GetFileBaseName(path) + kCrLf + question);
}

} // namespace tolv
