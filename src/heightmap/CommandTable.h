// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "heightmap/MapCommands.h"

namespace tolv {

// Every command of the main window's menus and toolbar.
enum class CommandId {
    None, // separators and submenus
    New,
    Open,
    Save,
    SaveAs,
    Stitch,
    Split,
    OpenRecent,
    Exit,
    Undo,
    ViewTop,
    ViewFront,
    ViewSide,
    ViewPerspective,
    ZoomIn,
    ZoomOut,
    Colorset,
    FlipHorizontal,
    FlipVertical,
    RotateCCW,
    RotateCW,
    Invert,
    Crop,
    Trim,
    Resample,
    Interpolate,
    Scale,
    Move,
    Options,
    CenterWindow,
    ResetWindowSize,
    ExpandWindow,
    HelpContents,
    About,
};

// The menu bar, its six menus and the two submenus.
enum class MenuId { Bar, File, Edit, View, Colorset, Map, Tools, Help, Web };

// When a command is enabled, H being the window's HasHeightmap flag.
enum class Availability {
    Always,
    WithHeightmap, // H
    NotFlat,       // H, and the altitudes are not all equal
    Reducible,     // H, power-of-two size and both sides above 16
    Enlargeable,   // H, power-of-two size and both sides below 512
    NotFullSpan,   // H, and the altitudes do not span all of 0..65535
};

// One item of a menu. The rows of a menu are its items in order, separators included, so an
// item's index in its menu is its place among them; a submenu's row comes before its items.
struct CommandRow {
    MenuId menu;
    const char* caption; // "-" for a separator
    const char* shortcut = "";
    CommandId id = CommandId::None;
    int arg = 0;           // the view, colour set or recent-file entry the item stands for
    int button = 0;        // the toolbar button (1..35) that runs the same command, 0 for none
    const char* name = ""; // the button's tooltip, and the command's name in its rule
    Availability availability = Availability::Always;
    // The core's command frame; null where the window runs the command itself.
    bool (*run)(const CommandContext&) = nullptr;
    const char* converterOption = nullptr; // the converter's transform option running it
    std::optional<MenuId> submenu = {};    // the menu this item opens
};

// Adapts a command frame that needs nothing from its front end.
template <bool (*Frame)()>
bool RunFrame(const CommandContext&)
{
    return Frame();
}

// clang-format off
inline constexpr CommandRow kCommandRows[] = {
    {.menu = MenuId::Bar, .caption = "&File", .submenu = MenuId::File},
    {MenuId::File, "&New", "Ctrl+N", CommandId::New, 0, 2, "New"},
    {MenuId::File, "&Open...", "Ctrl+O", CommandId::Open, 0, 3, "Open"},
    {MenuId::File, "&Save", "Ctrl+S", CommandId::Save, 0, 4, "Save", Availability::WithHeightmap},
    {MenuId::File, "Save &As...", "Ctrl+A", CommandId::SaveAs, 0, 5, "Save As", Availability::WithHeightmap},
    {MenuId::File, "-"},
    {MenuId::File, "Stitch Height&maps...", "", CommandId::Stitch, 0, 7, "Stitch Heightmaps"},
    {MenuId::File, "S&plit Heightmap...", "", CommandId::Split, 0, 8, "Split Heightmap", Availability::WithHeightmap,
     CommandSplit, "--split"},
    {MenuId::File, "-"},
    // Captions and visibility come from the recent file list.
    {MenuId::File, "", "", CommandId::OpenRecent, 1}, {MenuId::File, "", "", CommandId::OpenRecent, 2},
    {MenuId::File, "", "", CommandId::OpenRecent, 3}, {MenuId::File, "", "", CommandId::OpenRecent, 4},
    {MenuId::File, "", "", CommandId::OpenRecent, 5}, {MenuId::File, "", "", CommandId::OpenRecent, 6},
    {MenuId::File, "", "", CommandId::OpenRecent, 7}, {MenuId::File, "", "", CommandId::OpenRecent, 8},
    {MenuId::File, "-"},
    {MenuId::File, "E&xit", "", CommandId::Exit},

    {.menu = MenuId::Bar, .caption = "&Edit", .submenu = MenuId::Edit},
    {MenuId::Edit, "&Undo", "Ctrl+Z", CommandId::Undo, 0, 10, "Undo", Availability::WithHeightmap,
     RunFrame<CommandUnderDevelopment>},

    {.menu = MenuId::Bar, .caption = "&View", .submenu = MenuId::View},
    {MenuId::View, "&Top", "F5", CommandId::ViewTop, 0, 12, "Top", Availability::WithHeightmap},
    {MenuId::View, "&Front", "F6", CommandId::ViewFront, 1, 13, "Front", Availability::WithHeightmap},
    {MenuId::View, "&Side", "F7", CommandId::ViewSide, 2, 14, "Side", Availability::WithHeightmap},
    {MenuId::View, "&Perspective", "F8", CommandId::ViewPerspective, 3, 15, "Perspective", Availability::WithHeightmap},
    {MenuId::View, "-"},
    {MenuId::View, "&Zoom In", "F11", CommandId::ZoomIn, 0, 16, "Zoom In", Availability::WithHeightmap,
     RunFrame<CommandUnderDevelopment>},
    {MenuId::View, "Zoom &Out", "F12", CommandId::ZoomOut, 0, 17, "Zoom Out", Availability::WithHeightmap,
     RunFrame<CommandUnderDevelopment>},
    {MenuId::View, "-"},
    {.menu = MenuId::View, .caption = "&Colorset", .submenu = MenuId::Colorset},
    {MenuId::Colorset, "&Grayscale", "", CommandId::Colorset, 0},
    {MenuId::Colorset, "Sca&led Grayscale", "", CommandId::Colorset, 1},
    {MenuId::Colorset, "&Woodlands", "", CommandId::Colorset, 2},
    {MenuId::Colorset, "&Canyons", "", CommandId::Colorset, 3},
    {MenuId::Colorset, "&Desert", "", CommandId::Colorset, 4},
    {MenuId::Colorset, "A&rctic", "", CommandId::Colorset, 5},
    {MenuId::Colorset, "&Altitude", "", CommandId::Colorset, 6},
    {MenuId::Colorset, "&Spectrum", "", CommandId::Colorset, 7},

    {.menu = MenuId::Bar, .caption = "&Map", .submenu = MenuId::Map},
    {MenuId::Map, "Flip &Horizontally", "Ctrl+H", CommandId::FlipHorizontal, 0, 20, "Flip Horizontally",
     Availability::WithHeightmap, RunFrame<CommandFlipHorizontal>, "--flip-h"},
    {MenuId::Map, "Flip &Vertically", "Ctrl+V", CommandId::FlipVertical, 0, 21, "Flip Vertically",
     Availability::WithHeightmap, RunFrame<CommandFlipVertical>, "--flip-v"},
    {MenuId::Map, "R&otate 90\u00B0 ccw", "", CommandId::RotateCCW, 0, 22, "Rotate 90\u00B0 counter-clockwise",
     Availability::WithHeightmap, RunFrame<CommandRotateCCW>, "--rotate-ccw"},
    {MenuId::Map, "Rotate 90\u00B0 c&w", "", CommandId::RotateCW, 0, 23, "Rotate 90\u00B0 clockwise",
     Availability::WithHeightmap, RunFrame<CommandRotateCW>, "--rotate-cw"},
    {MenuId::Map, "I&nvert", "Ctrl+E", CommandId::Invert, 0, 24, "Invert", Availability::NotFlat,
     RunFrame<CommandInvert>, "--invert"},
    {MenuId::Map, "&Crop...", "Ctrl+C", CommandId::Crop, 0, 25, "Crop", Availability::WithHeightmap,
     RunFrame<CommandCrop>, "--crop"},
    {MenuId::Map, "&Trim...", "Ctrl+T", CommandId::Trim, 0, 26, "Trim", Availability::WithHeightmap,
     RunFrame<CommandTrim>, "--trim"},
    {MenuId::Map, "-"},
    {MenuId::Map, "&Resample...", "Ctrl+R", CommandId::Resample, 0, 28, "Resample", Availability::Reducible,
     RunFrame<CommandResample>, "--resample"},
    {MenuId::Map, "&Interpolate...", "Ctrl+I", CommandId::Interpolate, 0, 29, "Interpolate", Availability::Enlargeable,
     RunFrame<CommandInterpolate>, "--interpolate"},
    {MenuId::Map, "&Scale...", "Ctrl+L", CommandId::Scale, 0, 30, "Scale", Availability::WithHeightmap,
     CommandScale, "--scale"},
    {MenuId::Map, "&Move...", "Ctrl+M", CommandId::Move, 0, 31, "Move", Availability::NotFullSpan,
     RunFrame<CommandMove>, "--move"},

    {.menu = MenuId::Bar, .caption = "&Tools", .submenu = MenuId::Tools},
    {MenuId::Tools, "&Options...", "F2", CommandId::Options, 0, 33, "Options"},
    {MenuId::Tools, "-"},
    {MenuId::Tools, "Center &Window on screen", "", CommandId::CenterWindow},
    {MenuId::Tools, "&Reset Window to default size", "", CommandId::ResetWindowSize},
    {MenuId::Tools, "&Expand Window full-screen", "", CommandId::ExpandWindow},

    {.menu = MenuId::Bar, .caption = "&Help", .submenu = MenuId::Help},
    {MenuId::Help, "&Contents", "F1", CommandId::HelpContents, 0, 35, "Help"},
    {MenuId::Help, "-"},
    // The web links and their editor fill this one.
    {.menu = MenuId::Help, .caption = "Brendock on the Web", .submenu = MenuId::Web},
    {MenuId::Help, "-"},
    {MenuId::Help, "&About...", "", CommandId::About},
};
// clang-format on

// The row of a command (and its view, colour set or entry); null when there is none.
const CommandRow* FindCommand(CommandId id, int arg = 0);
// The row whose converter option is option; null when none is.
const CommandRow* FindConverterOption(std::string_view option);

// Whether the row's command is enabled now, from the window's HasHeightmap flag and the heightmap.
bool CommandEnabled(const CommandRow& row, bool hasHeightmap);
// The rule that enables it, in words ("Invert needs a heightmap whose altitudes are not all equal").
std::string CommandRule(const CommandRow& row);

} // namespace tolv
