// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <QMainWindow>
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/UiHost.h"

class QAction;
class QActionGroup;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace tolv {

enum class CommandId;
struct CommandRow;
class PicAltitude;
class PicPreview;
class QtHost;
struct RecentFileMenu;

// The program's one main window: menus, toolbar, preview, altitude bar and status panels; it
// turns menu items and buttons into commands and keeps the state of the current file.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(QtHost& host, QWidget* parent = nullptr);
    ~FrmMain() override;

    // The load step: environment and safe-shutdown checks, settings, placement, recent files,
    // colour table, an empty map. Runs before the window is shown.
    void LoadStep(int colorDepth);
    // After the window is shown: the view button of the current view pressed, focus on the preview;
    // requests from outside are served from now on.
    void AfterShow();

    // Requests from outside the window: a later start of the program, the command line, a drop.
    // They wait until the window has been shown; a file also waits until no dialog or menu is
    // open, and files are opened one after another through OpenPath.
    void ActivateFromOutside();
    void OpenFromOutside(const std::string& path);

    // File commands. FileNew is false when the user asked to save the changed map and the save
    // did not complete: the map is then kept and the command that called it stops.
    bool FileNew();
    void FileOpen();
    void FileOpenRecent(int entry);
    // Opens path as File > Open does once a file is chosen: the current map is closed first
    // (asking about unsaved changes). True when the file was opened.
    bool OpenPath(const std::string& path);
    void ShowOpenedFile(const std::string& path);
    void FileSave();
    // True when the map was written.
    bool FileSaveAs();
    void SetCurrentFile(const std::string& path);
    void FileStitch();
    void FileSplit();
    // View commands.
    void SelectView(int view);
    void SelectColorset(int index);
    // A menu item or toolbar button of the command table, as a click runs it.
    void RunCommand(const CommandRow& row);
    void RunCommand(CommandId id, int arg = 0);
    // Tools and Help.
    void ShowOptions();
    void CenterWindow();
    void ResetWindowSize();
    void ExpandWindow();
    void ShowHelpContents();
    void ShowAbout();

    void EnableCommands(bool enabled);
    void UpdateCommandStates();
    // Redraw of the displays the core asks for.
    void RefreshDisplay(Display what);
    void RenderPreview();
    void DrawAltitudeBar();

    // State of the current file.
    const std::string& CurrentPath() const { return currentPath_; }
    const std::string& CurrentName() const { return currentName_; }
    bool HasHeightmap() const { return hasHeightmap_; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& path) { helpFile_ = path; }
    // The client-area size of the default window (menu bar not counted).
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 600;
    // The window size (Qt's units, menu bar included) for a client area of 800 x 600.
    QSize DefaultWindowSize() const;

    // Controls, built from the command table. Item vectors are indexed as their menus number the
    // items, separators included.
    QMenu* MnuFile = nullptr;
    QMenu* MnuEdit = nullptr;
    QMenu* MnuView = nullptr;
    QMenu* MnuViewColorset = nullptr;
    QMenu* MnuMap = nullptr;
    QMenu* MnuTools = nullptr;
    QMenu* MnuHelp = nullptr;
    QMenu* MnuHelpWeb = nullptr;               // links 0..7, a separator, "&Edit Links..."
    std::vector<QAction*> MnuFileItem;         // 0..17
    std::vector<QAction*> MnuEditItem;         // 0
    std::vector<QAction*> MnuViewItem;         // 0..8
    std::vector<QAction*> MnuViewColorsetItem; // 0..7
    std::vector<QAction*> MnuMapItem;          // 0..11
    std::vector<QAction*> MnuToolsItem;        // 0..4
    std::vector<QAction*> MnuHelpItem;         // 0..4
    QToolBar* TbarMain = nullptr;
    std::array<QAction*, 36> TbarButton{}; // 1..35 (separators and the placeholder included)
    QComboBox* CboZoom = nullptr;
    tolv::PicPreview* PicPreview = nullptr;
    tolv::PicAltitude* PicAltitude = nullptr;
    std::array<QLabel*, 6> SbarPanel{}; // 1..5
    QWidget* ShpPreview = nullptr;
    QWidget* ShpVAD = nullptr;
    std::array<QFrame*, 2> LineTbar3D{};

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildClientArea();
    void BuildStatusBar();
    void ConnectHost();
    // The save question of FileNew and of closing; Yes runs FileSaveAs. False when the answer was
    // Yes and the map was not saved.
    bool AskToSaveChanges();
    // FileNew, then the path choosePath gives ("" stops there), then the open dispatch.
    bool CloseAndOpen(const std::function<std::string()>& choosePath);
    void ServeOutsideRequests();
    // Brings the window forward; a minimized window returns to its former state (maximized too).
    void Activate();
    // The close questions; false keeps the window open.
    bool QueryUnload();
    void UnloadStep();
    void SetPanel(int panel, const std::string& text);
    void ApplyRecentMenu(const RecentFileMenu& menu);
    void AddRecentFile(const std::string& path);
    // The menu item of a command row, and the toolbar button of a view.
    QAction* Item(CommandId id, int arg = 0) const;
    QAction* ViewButton(int view) const;
    // The File item of the first recent file: the recent file list numbers its items from there.
    int RecentMenuBase() const;

    QtHost& host_;
    std::string currentPath_;
    std::string currentName_;
    bool hasHeightmap_ = false;
    bool modified_ = false;
    std::string helpFile_;
    bool unloaded_ = false;
    bool shown_ = false;
    bool activateRequested_ = false;
    bool openingFromOutside_ = false;
    std::deque<std::string> outsideFiles_;
    QTimer* outsideTimer_ = nullptr;
    QActionGroup* viewGroup_ = nullptr;
    QActionGroup* colorsetGroup_ = nullptr;
    std::vector<QAction*> items_; // one per command row (menu bar rows: the menus' own items)
};

} // namespace tolv
