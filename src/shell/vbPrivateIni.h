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

    // Writes fail silently (a read-only file or folder loses the value). A file without write
    // permission, or without any write bit in its mode (which binds root too), is left as it is.
    void IniPutString(const std::string& section, const std::string& key, const std::string& value) const;
    void IniPutInteger(const std::string& section, const std::string& key, int32_t value) const;
    void IniPutBoolean(const std::string& section, const std::string& key, bool value) const;
    void IniPutSingle(const std::string& section, const std::string& key, float value) const;

private:
    bool Lookup(const std::string& section, const std::string& key, std::string& value) const;
    std::string path_;
};

inline constexpr size_t kIniMaxString = 2048;

// The program's own store: the program's file name + ".ini", lower case, in the program folder,
// or in the user's configuration folder when the program folder cannot be written.
SettingsStore& Settings();
// Points the program's store at another file (tests, or a program run from a copy).
void SetSettingsPath(const std::string& path);

// Folder of the running program, with a trailing "/"; and its file name without folder.
std::string ProgramFolder();
std::string ProgramFileName();

// Where the settings file named iniName is for a program in programFolder: beside the program
// while that folder is writable; otherwise $XDG_CONFIG_HOME/tolv/iniName (default
// ~/.config/tolv/iniName), whose folder is made here.
std::string SettingsFilePath(const std::string& programFolder, const std::string& iniName);

// Where a file or folder ("data/") the program looks for beside itself is: beside the program
// (a build folder, a portable copy), else in the install tree at
// <program folder>/../share/<installedFolder>/<name>; the path beside it when neither exists.
std::string LocateProgramFile(const std::string& programFolder, const std::string& name,
                              const std::string& installedFolder);
inline constexpr const char* kInstalledDataFolder = "tolv";
inline constexpr const char* kInstalledDocFolder = "doc/tolv";
// The user's guide and the folder of sample maps of the running program.
std::string UserGuidePath();
std::string SampleFolderPath();

} // namespace tolv
