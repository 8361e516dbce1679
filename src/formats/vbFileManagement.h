// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// The code of the kind of file the heightmap was last read from or written to, with the
// description the status bar shows for it (FileFormats.def lists them).
enum FileFormat : int32_t {
#define TOLV_FILE_FORMAT(name, code, description) name = code,
#include "formats/FileFormats.def"
#undef TOLV_FILE_FORMAT
};
std::string FormatDescription(int32_t code);

// Path helpers; "\" and "/" both separate path components.
std::string GetFileExtension(const std::string& path);
// The last component up to its last "."; the whole component when it has no ".", so a name
// typed without an extension ("terrain257") is still a name.
std::string GetFileBaseName(const std::string& path);
std::string GetFileName(const std::string& path);
bool FileExists(const std::string& path);
// The folder part of a path including its trailing separator ("" when there is none).
std::string GetFolderOf(const std::string& path);

// Reader and writer chosen by the extension (lower-cased). True only when a heightmap was read
// or a file was written; every failure has shown its own message.
bool OpenFileByType(const std::string& path);
bool SaveFileByType(const std::string& path);

// Filter lists of the open and save dialogs in the order chosen by the FileTypeSort setting
// ("description|pattern|...|All Files (*.*)|*.*").
std::string OpenFilterList();
std::string SaveFilterList();

// Moves an existing file at path to its ".bak" name.
bool BackupFile(const std::string& path);
std::string BackupName(const std::string& path);

bool IsPowerOfTwoSize();

// How a file's checks ended: accepted; refused with nothing said yet (the caller may add its
// general refusal); or refused after a message that said why, so the caller says no more.
enum class Verdict { Accepted, Refused, Told };

// The extension question of a reader reached with a foreign extension. kindWord names the
// format ("BMP", "TGA"); question is the reader's own continue question. False on No.
bool CheckReaderExtension(const std::string& path, const std::string& ownExtension, const std::string& kindWord,
                          const std::string& question = "Continue if file contents are valid?");

} // namespace tolv
