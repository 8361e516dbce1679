// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/vbPrivateIni.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "shell/Numbers.h"

namespace tolv {
namespace {

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    if (!in) return lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[Name]" gives Name; anything else gives false.
bool SectionName(const std::string& line, std::string& name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyValue(const std::string& line, std::string& key, std::string& value)
{
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    size_t eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return true;
}

bool SameName(const std::string& a, const std::string& b) { return ToLower(a) == ToLower(b); }

// The user made the file read-only. Root may write anything, so the mode bits decide for root.
bool ReadOnlyFile(const std::string& path, const struct stat& st)
{
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

bool WritableFolder(const std::string& folder)
{
    struct stat st;
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(folder.c_str(), W_OK) == 0;
}

bool PathExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// $XDG_CONFIG_HOME, else ~/.config; "" when there is no absolute answer.
std::string ConfigHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config";
    const passwd* pw = ::getpwuid(::geteuid());
    if (pw && pw->pw_dir && pw->pw_dir[0] == '/') return std::string(pw->pw_dir) + "/.config";
    return "";
}

// Makes the folder and its missing parents private to the user, as configuration folders are.
void MakeFolders(const std::string& folder)
{
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) break;
    }
}

std::unique_ptr<SettingsStore> g_store;

} // namespace

bool SettingsStore::Lookup(const std::string& section, const std::string& key, std::string& value) const
{
    bool inSection = false;
    for (const std::string& line : ReadLines(path_)) {
        std::string name, k, v;
        if (SectionName(line, name)) {
            inSection = SameName(name, section);
        } else if (inSection && KeyValue(line, k, v) && SameName(k, key)) {
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
            value = v.substr(0, kIniMaxString);
            return true;
        }
    }
    return false;
}

std::string SettingsStore::IniGetString(const std::string& section, const std::string& key,
                                        const std::string& def) const
{
    std::string v;
    return Lookup(section, key, v) ? v : def;
}

int32_t SettingsStore::IniGetInteger(const std::string& section, const std::string& key, int32_t def) const
{
    std::string v;
    return Lookup(section, key, v) ? LeadingInteger(v) : def;
}

bool SettingsStore::IniGetBoolean(const std::string& section, const std::string& key, bool def) const
{
    std::string v = ToLower(IniGetString(section, key, def ? "1" : "0"));
    return v == "1" || v == "true" || v == "yes";
}

float SettingsStore::IniGetSingle(const std::string& section, const std::string& key, float def) const
{
    std::string v;
    double d;
    if (Lookup(section, key, v) && ParseNumeric(v, d)) return static_cast<float>(d);
    return def;
}

void SettingsStore::IniPutString(const std::string& section, const std::string& key, const std::string& value) const
{
    struct stat st;
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if (exists && ReadOnlyFile(path_, st)) return;
    std::vector<std::string> lines = ReadLines(path_);
    bool inSection = false, sectionFound = false, done = false;
    size_t insertAt = lines.size();
    for (size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (SectionName(lines[i], name)) {
            if (inSection) break; // key not in its section: insert at the end of it
            inSection = SameName(name, section);
            if (inSection) {
                sectionFound = true;
                insertAt = i + 1;
            }
        } else if (inSection) {
            if (KeyValue(lines[i], k, v) && SameName(k, key)) {
                lines[i] = key + "=" + value;
                done = true;
            } else if (!Trim(lines[i]).empty()) {
                insertAt = i + 1;
            }
        }
    }
    if (!done) {
        if (sectionFound) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), key + "=" + value);
        } else {
            if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
            lines.push_back("[" + section + "]");
            lines.push_back(key + "=" + value);
        }
    }
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    // Write beside and rename, so a failed write never truncates the settings.
    std::string tmp = path_ + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    // The replacement keeps the mode the user gave the file (a private 0600 stays private).
    if (exists) ok = ::fchmod(::fileno(f), st.st_mode & 07777) == 0 && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || std::rename(tmp.c_str(), path_.c_str()) != 0) std::remove(tmp.c_str());
}

void SettingsStore::IniPutInteger(const std::string& section, const std::string& key, int32_t value) const
{
    IniPutString(section, key, std::to_string(value));
}

void SettingsStore::IniPutBoolean(const std::string& section, const std::string& key, bool value) const
{
    IniPutString(section, key, value ? "1" : "0");
}

void SettingsStore::IniPutSingle(const std::string& section, const std::string& key, float value) const
{
    IniPutString(section, key, FormatGeneral(value));
}

std::string ProgramFolder()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string p(buf, static_cast<size_t>(n));
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? "./" : p.substr(0, slash + 1);
}

std::string ProgramFileName()
{
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "tolv";
    std::string p(buf, static_cast<size_t>(n));
    size_t slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string SettingsFilePath(const std::string& programFolder, const std::string& iniName)
{
    if (WritableFolder(programFolder)) return programFolder + iniName;
    const std::string home = ConfigHome();
    if (home.empty()) return programFolder + iniName; // nowhere better: writes are lost as before
    const std::string folder = home + "/tolv";
    MakeFolders(folder);
    return folder + "/" + iniName;
}

std::string LocateProgramFile(const std::string& programFolder, const std::string& name,
                              const std::string& installedFolder)
{
    const std::string beside = programFolder + name;
    if (PathExists(beside)) return beside;
    namespace fs = std::filesystem;
    const std::string installed =
        (fs::path(programFolder) / ".." / "share" / installedFolder / name).lexically_normal().string();
    return PathExists(installed) ? installed : beside;
}

std::string UserGuidePath()
{
    return LocateProgramFile(ProgramFolder(), ProgramFileName() + " User's Guide.pdf", kInstalledDocFolder);
}

std::string SampleFolderPath() { return LocateProgramFile(ProgramFolder(), "data/", kInstalledDataFolder); }

SettingsStore& Settings()
{
    if (!g_store) {
        std::string name = ProgramFileName();
        size_t dot = name.rfind('.');
        if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
        // Only the file name is lower-cased: folders on this platform are case-sensitive.
        g_store = std::make_unique<SettingsStore>(SettingsFilePath(ProgramFolder(), ToLower(name) + ".ini"));
    }
    return *g_store;
}

void SetSettingsPath(const std::string& path) { g_store = std::make_unique<SettingsStore>(path); }

} // namespace tolv
