// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The initialization file: "[Section]" headers and "key=value" lines. Sections and keys are
// matched without regard to letter case; values are taken as written, blanks around them
// trimmed and one pair of surrounding double quotes removed. Values are never escaped, so a
// hand-edited file reads back as the user wrote it.
class SettingsStore {
public:
    explicit SettingsStore(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    std::string IniGetString(const std::string& section, const std::string& key, const std::string& def) const;
    int32_t IniGetInteger(const std::string& section, const std::string& key, int32_t def) const;
    bool IniGetBoolean(const std::string& section, const std::string& key, bool def) const;
    float IniGetSingle(const std::string& section, const std::string& key, float def) const;

    // Writes fail silently (a read-only file or folder loses the value).
    void IniPutString(const std::string& section, const std::string& key, const std::string& value) const;
    void IniPutInteger(const std::string& section, const std::string& key, int32_t value) const;
    void IniPutBoolean(const std::string& section, const std::string& key, bool value) const;
    void IniPutSingle(const std::string& section, const std::string& key, float value) const;

private:
    bool Lookup(const std::string& section, const std::string& key, std::string& value) const;
    std::string path_;
};

inline constexpr size_t kIniMaxString = 2048;

// The program's own store: the program folder + the program's file name + ".ini", lower case.
SettingsStore& Settings();
// Points the program's store at another file (tests, or a program run from a copy).
void SetSettingsPath(const std::string& path);

// Folder of the running program, with a trailing "/"; and its file name without folder.
std::string ProgramFolder();
std::string ProgramFileName();

} // namespace tolv
