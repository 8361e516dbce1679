// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// The formats the program knows, one row per extension (two for "bmp", whose G16 heightmaps and
// pictures are offered apart in the open dialog). The open and save dispatch, the four filter
// lists, and the extension lists of the tools, the fuzzing and the tests all read these rows.
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "formats/vbFileManagement.h"

namespace tolv {

using FileRoutine = bool (*)(const std::string& path);
// A writer bound to the answers of its options dialog, ready to run; empty when the dialog was
// cancelled.
using BoundWriter = std::function<bool(const std::string& path)>;

// What opening a file of the extension does.
enum class OpenKind {
    None,   // not opened: the dispatch says it cannot tell the format
    Reader, // the reader runs
    Stub,   // an information box says support is under development, and a format code is left
    Silent, // accepted; nothing is read and nothing said
};
struct OpenRoute {
    OpenKind kind = OpenKind::None;
    FileRoutine reader = nullptr;  // Reader
    const char* message = nullptr; // Stub
    FileFormat code = FmtNone;     // Stub
};

// What saving to the extension does.
enum class SaveKind {
    None,     // the dispatch cannot tell the save file type
    Writer,   // the writer runs (after its options dialog, if it has one)
    OpenOnly, // "only supported for opening"
};
struct SaveRoute {
    SaveKind kind = SaveKind::None;
    // Asks the writer's options, if any, and returns the writer bound to them.
    BoundWriter (*prepare)() = nullptr;
    bool asksOptions = false;
    FileFormat code = FmtNone; // left after a successful save
};

// One entry of a dialog's filter list: "ext - description|*.ext|" at position byKind in the list
// grouped by kind and at byExtension in the list sorted by extension (both from 1).
struct FilterEntry {
    std::string_view description; // "" = not offered in this dialog
    int byKind = 0;
    int byExtension = 0;
    std::string_view descriptionByExtension = {}; // where the sorted list words it differently
};

struct FormatRow {
    const char* ext; // lower case
    OpenRoute open;
    SaveRoute save;
    FilterEntry openFilter;
    FilterEntry saveFilter;
};

// The FileTypeSort setting: which order the filter lists take.
enum FileTypeSort : int32_t { SortByKind = 0, SortByExtension = 1 };

std::span<const FormatRow> FormatTable();
// The first row of ext with an open (or save) route, or nullptr.
const FormatRow* FindOpenRow(std::string_view ext);
const FormatRow* FindSaveRow(std::string_view ext);
// True when opening ext runs a reader.
bool HasReader(std::string_view ext);

} // namespace tolv
