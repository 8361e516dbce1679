// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <cstdint>
#include <string>

namespace tolv {

// FileFormat codes and their status-bar descriptions.
enum FileFormat : int32_t {
    FmtNone = 0, FmtHma = 1, FmtHmb = 2, FmtG16 = 3, FmtT3d = 4, FmtPam = 5, FmtPgm = 6,
    FmtRaw8 = 7, FmtRaw16 = 8, FmtRaw32 = 9, FmtTerragen = 10, FmtVistaProAscii = 11,
    FmtVistaProBinary = 12, Fmt3ds = 13, FmtAsc = 14, FmtDxf = 16, FmtObj = 18, FmtStl = 19,
    FmtBmpGray8 = 20, FmtBmpColor8 = 21, FmtBmp24 = 22, FmtBmp32 = 23, FmtGifGray = 24,
    FmtGifColor = 25, FmtPcx = 26, FmtTgaGray8 = 27, FmtTgaColor8 = 28, FmtTga24 = 29, FmtTga32 = 30,
    FmtTiffGray8 = 31, FmtTiffGray16 = 32, FmtTiffColor8 = 33, FmtTiff24 = 34, FmtTiff32 = 35,
    FmtPng16 = 36, FmtPng8 = 37,
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

// The extension question of a reader reached with a foreign extension. kindWord names the
// format ("BMP", "TGA"); question is the reader's own continue question. False on No.
bool CheckReaderExtension(const std::string& path, const std::string& ownExtension, const std::string& kindWord,
                          const std::string& question = "Continue if file contents are valid?");

} // namespace tolv
