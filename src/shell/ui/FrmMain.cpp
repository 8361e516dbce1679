// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/FrmMain.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "formats/vbFileManagement.h"
#include "heightmap/CommandTable.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/MapHeight.h"
#include "heightmap/MapTransforms.h"
#include "shell/FrmOptionsRules.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/ui/FrmOptions.h"
#include "shell/ui/PicAltitude.h"
#include "shell/ui/PicPreview.h"
#include "shell/ui/QtHost.h"
#include "shell/ui/RegisterDialogs.h"
#include "shell/ui/TbarIcons.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/ui/vbFrmAbout.h"
#include "shell/ui/vbFrmShutdown.h"
#include "shell/ui/vbFrmWebLinks.h"
#include "shell/ui/vbMSCmnDialog.h"
#include "shell/ui/vbShellExec.h"
#include "shell/ui/vbWindowPlacement.h"
#include "shell/vbMsgBox.h"
#include "shell/vbPreview.h"
#include "shell/vbPrivateIni.h"
#include "shell/vbRecentFileList.h"
#include "shell/vbShowDialog.h"
#include "shell/vbStartup.h"

namespace tolv {
namespace {

constexpr int kPreviewX = 16, kPreviewY = 48;
constexpr int kBarX = 544, kBarWidth = kAltitudeBarWidth;
constexpr int kToolbarHeight = 38;
// How often a file from outside looks again whether the dialog in its way has closed.
constexpr int kOutsideRetryMs = 200;

// Toolbar buttons 1..35: each command row names its button; the zoom box sits on the
// placeholder and every other button is a separator.
constexpr int kToolbarButtons = 35;
constexpr int kZoomPlaceholder = 18;

// The window's controls of each menu of the command table: the menu and its item array.
struct MenuControl {
    MenuId id;
    const char* name;
    QMenu* FrmMain::*menu;
    std::vector<QAction*> FrmMain::*items; // null for the web links, which fill their own menu
};
const MenuControl kMenuControls[] = {
    {MenuId::File, "MnuFile", &FrmMain::MnuFile, &FrmMain::MnuFileItem},
    {MenuId::Edit, "MnuEdit", &FrmMain::MnuEdit, &FrmMain::MnuEditItem},
    {MenuId::View, "MnuView", &FrmMain::MnuView, &FrmMain::MnuViewItem},
    {MenuId::Colorset, "MnuViewColorset", &FrmMain::MnuViewColorset, &FrmMain::MnuViewColorsetItem},
    {MenuId::Map, "MnuMap", &FrmMain::MnuMap, &FrmMain::MnuMapItem},
    {MenuId::Tools, "MnuTools", &FrmMain::MnuTools, &FrmMain::MnuToolsItem},
    {MenuId::Help, "MnuHelp", &FrmMain::MnuHelp, &FrmMain::MnuHelpItem},
    {MenuId::Web, "MnuHelpWeb", &FrmMain::MnuHelpWeb, nullptr},
};

const MenuControl& Control(MenuId id)
{
    return *std::find_if(std::begin(kMenuControls), std::end(kMenuControls),
                         [id](const MenuControl& c) { return c.id == id; });
}

const CommandRow* ButtonRow(int button)
{
    for (const CommandRow& row : kCommandRows)
        if (row.button == button) return &row;
    return nullptr;
}

bool IsView(CommandId id)
{
    return id == CommandId::ViewTop || id == CommandId::ViewFront || id == CommandId::ViewSide ||
           id == CommandId::ViewPerspective;
}

const char* const kZoomItems[] = {"25%", "50%", "100%", "200%", "400%"};

// The first local file (not a folder) among dropped URLs, or "".
QString DroppedFile(const QMimeData* data)
{
    if (!data) return {};
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!QFileInfo(path).isDir()) return path;
    }
    return {};
}

} // namespace

FrmMain::FrmMain(QtHost& host, QWidget* parent) : QMainWindow(parent), host_(host)
{
    setObjectName("FrmMain");
    setWindowTitle(kAppTitle);
    setWindowIcon(AppIcon());
    BuildMenus();
    BuildClientArea();
    BuildToolbar();
    BuildStatusBar();
    resize(DefaultWindowSize());
    setAcceptDrops(true);
    outsideTimer_ = new QTimer(this);
    outsideTimer_->setSingleShot(true);
    connect(outsideTimer_, &QTimer::timeout, this, &FrmMain::ServeOutsideRequests);
    ConnectHost();
    RegisterOptionsDialog(host_);
    RegisterParameterDialogs(host_);
}

FrmMain::~FrmMain()
{
    // The core must not call into a window that is gone.
    host_.onEnableCommands = nullptr;
    host_.onPanelText = nullptr;
    host_.onRefresh = nullptr;
    host_.onModified = nullptr;
    host_.SetMainWindow(nullptr);
    RflInit(nullptr, RecentMenuBase(), RflIniFile);
}

QSize FrmMain::DefaultWindowSize() const { return QSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height()); }

void FrmMain::BuildMenus()
{
    colorsetGroup_ = new QActionGroup(this);
    for (const CommandRow& row : kCommandRows) {
        QMenu* parent = row.menu == MenuId::Bar ? nullptr : this->*Control(row.menu).menu;
        QAction* item;
        if (row.submenu) {
            const MenuControl& control = Control(*row.submenu);
            auto* menu = new QMenu(QString::fromUtf8(row.caption), parent ? static_cast<QWidget*>(parent) : menuBar());
            menu->setObjectName(control.name);
            this->*control.menu = menu;
            item = parent ? parent->addMenu(menu) : menuBar()->addMenu(menu);
        } else if (std::string_view(row.caption) == "-") {
            item = parent->addSeparator();
        } else {
            item = parent->addAction(QString::fromUtf8(row.caption));
            if (*row.shortcut) item->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
            connect(item, &QAction::triggered, this, [this, &row] { RunCommand(row); });
        }
        if (row.id == CommandId::Colorset) {
            item->setCheckable(true);
            colorsetGroup_->addAction(item);
        }
        if (parent) (this->*Control(row.menu).items).push_back(item);
        items_.push_back(item);
    }
    RecentFileMenu none; // the recent items stay hidden until the list has entries
    none.menuBase = RecentMenuBase();
    ApplyRecentMenu(none);
}

void FrmMain::BuildClientArea()
{
    auto* client = new QWidget(this);
    client->setObjectName("Client");
    setCentralWidget(client);

    for (int i = 0; i < 2; ++i) {
        // Two lines under the toolbar: a shadow and a highlight, stretched on resize.
        LineTbar3D[i] = new QFrame(client);
        LineTbar3D[i]->setObjectName("LineTbar3D");
        LineTbar3D[i]->setAutoFillBackground(true);
        QPalette pal = LineTbar3D[i]->palette();
        pal.setColor(QPalette::Window, i == 0 ? pal.color(QPalette::Dark) : pal.color(QPalette::Light));
        LineTbar3D[i]->setPalette(pal);
        LineTbar3D[i]->setGeometry(0, kToolbarHeight + i, kClientWidth, 1);
    }

    PicPreview = new tolv::PicPreview(client);
    PicPreview->move(kPreviewX, kPreviewY);
    PicPreview->setFocusPolicy(Qt::StrongFocus);
    connect(PicPreview, &tolv::PicPreview::mouseMovedAt, this,
            [this](double x, double y) { ShowHeightAt(x, y, hasHeightmap_); });
    connect(PicPreview, &tolv::PicPreview::rightButtonReleased, this, [this](const QPoint& at) { MnuMap->popup(at); });
    ShpPreview = AddFrameShape(client, PicPreview, QStringLiteral("ShpPreview"));

    PicAltitude = new tolv::PicAltitude(client);
    PicAltitude->move(kBarX, kPreviewY);
    PicAltitude->setToolTip(
        QStringLiteral(" Heightmap Altitude indications for Minimum, Median, Midpoint and Maximum value ranges "));
    ShpVAD = AddAltitudeScale(client, PicAltitude).shape;
}

void FrmMain::BuildToolbar()
{
    TbarMain = new QToolBar(centralWidget());
    TbarMain->setObjectName("TbarMain");
    TbarMain->setIconSize(QSize(16, 16));
    TbarMain->setMovable(false);
    TbarMain->setFloatable(false);
    TbarMain->setGeometry(0, 0, kClientWidth, kToolbarHeight);
    TbarMain->setStyleSheet(QStringLiteral("QToolBar { border: none; padding: 4px 2px; }"));

    CboZoom = new QComboBox;
    CboZoom->setObjectName("CboZoom");
    CboZoom->setFixedWidth(72);
    CboZoom->setToolTip(QStringLiteral("Zoom"));

    // The four view buttons form a group: exactly one is pressed.
    viewGroup_ = new QActionGroup(this);
    viewGroup_->setExclusive(true);
    for (int i = 1; i <= kToolbarButtons; ++i) {
        if (const CommandRow* row = ButtonRow(i)) {
            QAction* a = TbarMain->addAction(TbarIconFor(row->id), QString::fromUtf8(row->name));
            a->setToolTip(QString::fromUtf8(row->name));
            a->setObjectName(QStringLiteral("TbarButton%1").arg(i));
            connect(a, &QAction::triggered, this, [this, row] { RunCommand(*row); });
            if (IsView(row->id)) {
                a->setCheckable(true);
                viewGroup_->addAction(a);
            }
            TbarButton[i] = a;
        } else if (i == kZoomPlaceholder) {
            TbarButton[i] = TbarMain->addWidget(CboZoom);
        } else {
            TbarButton[i] = TbarMain->addSeparator();
        }
    }
    ViewButton(0)->setChecked(true);
}

void FrmMain::BuildStatusBar()
{
    QStatusBar* sbar = statusBar();
    sbar->setObjectName("SbarMain");
    sbar->setSizeGripEnabled(true);
    const char* tips[] = {"Information", "Heightmap File Size", "Heightmap Resolution",
                          "Heightmap Sample Range (Lo Hi Diff)", "Heightmap Value"};
    // Each panel is as wide as its longest text; panel 1 takes the rest.
    const char* longest[] = {"", "999,999,999", "513 x 513", "L: 65535 \u00B7 H: 65535 \u00B7 D: 65536  (16 bits)",
                             "X: 513   Y: 513   H: 65535"};
    for (int p = 1; p <= 5; ++p) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("SbarPanel%1").arg(p));
        label->setToolTip(QString::fromLatin1(tips[p - 1]));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        if (p > 1) label->setFixedWidth(label->fontMetrics().horizontalAdvance(QString::fromUtf8(longest[p - 1])) + 14);
        SbarPanel[p] = label;
        sbar->addPermanentWidget(label, p == 1 ? 1 : 0);
    }
}

void FrmMain::ConnectHost()
{
    host_.SetMainWindow(this);
    host_.onEnableCommands = [this](bool enabled) { EnableCommands(enabled); };
    host_.onPanelText = [this](int panel, const std::string& text) { SetPanel(panel, text); };
    host_.onRefresh = [this](Display what) { RefreshDisplay(what); };
    host_.onModified = [this](bool modified) { modified_ = modified; };
}

void FrmMain::LoadStep(int colorDepth)
{
    BusyPointer busy;
    CheckEnvironment(Settings(), EnvironmentFacts{false, colorDepth});
    CheckSafeShutdown(Settings(), [] { ShowShutdownDialog(nullptr); });
    helpFile_ = UserGuidePath();
    LoadLastOpenPath(Settings());
    SetInitialFolder(Globals().lastOpenPath);
    LoadSettings(Settings());

    QSize def = DefaultWindowSize();
    RestoreWindowPlacement(this, Settings(), def.width(), def.height());
    if (!Globals().noSubclassing) SetMinimumTrackingSize(this, def.width(), def.height());

    RflInit([this](const RecentFileMenu& menu) { ApplyRecentMenu(menu); }, RecentMenuBase(), RflIniFile);
    InitFormEffects(2);
    FillWebLinksMenu(MnuHelpWeb, [](const std::string& address) { OpenWebAddress(address); });

    PicPreview->SetBackgroundColor(Globals().previewBackgroundColor);
    BuildColorTable(Globals().previewColorset);
    QAction* exit = Item(CommandId::Exit);
    exit->setText(QStringLiteral("E&xit\tAlt+F4"));
    exit->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
    MnuViewColorsetItem[std::clamp(Globals().previewColorset, 0, 7)]->setChecked(true);

    if (!Globals().noSubclassing) MakeComboFlat(CboZoom);
    CboZoom->clear();
    for (const char* z : kZoomItems) CboZoom->addItem(QString::fromLatin1(z));
    CboZoom->setCurrentIndex(2);
    for (QWidget* shape : {ShpPreview, ShpVAD}) {
        QPalette sp = shape->palette();
        sp.setColor(QPalette::Window, DarkenedButtonFace());
        shape->setPalette(sp);
    }
    FileNew();
}

void FrmMain::AfterShow()
{
    ViewButton(std::clamp(Globals().currentView, 0, 3))->setChecked(true);
    PicPreview->setFocus();
    shown_ = true;
    outsideTimer_->start(0);
}

// ---- Requests from outside ----

void FrmMain::ActivateFromOutside()
{
    activateRequested_ = true;
    outsideTimer_->start(0);
}

void FrmMain::OpenFromOutside(const std::string& path)
{
    outsideFiles_.push_back(path);
    // Never from inside the event that brought the file: a drop or a socket read is still running.
    outsideTimer_->start(0);
}

void FrmMain::Activate()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void FrmMain::ServeOutsideRequests()
{
    // Until the load step and its start-up dialogs are over, the window is not the user's yet.
    if (!shown_ || unloaded_) return;
    if (activateRequested_) {
        activateRequested_ = false;
        Activate();
    }
    if (openingFromOutside_ || outsideFiles_.empty()) return;
    // A dialog or menu belongs to a command that is still running on the current map.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        outsideTimer_->start(kOutsideRetryMs);
        return;
    }
    openingFromOutside_ = true;
    while (!outsideFiles_.empty() && !unloaded_) {
        const std::string path = outsideFiles_.front();
        outsideFiles_.pop_front();
        OpenPath(path);
    }
    openingFromOutside_ = false;
}

// ---- File commands ----

bool FrmMain::AskToSaveChanges()
{
    if (!modified_) return true;
    if (!AskYesNo(std::string("The current Heightmap has been changed.") + kCrLf + "Save the Heightmap to a file?"))
        return true;
    return FileSaveAs();
}

bool FrmMain::FileNew()
{
    BusyPointer busy;
    if (!AskToSaveChanges()) return false;
    currentPath_.clear();
    currentName_.clear();
    hasHeightmap_ = false;
    modified_ = false;
    ClearHeightmap();
    setWindowTitle(kAppTitle);
    RenderPreview();
    DrawAltitudeBar();
    UpdateCommandStates();
    SetPanel(1, "");
    RefreshDisplay(Display::FileSize);
    RefreshDisplay(Display::Resolution);
    RefreshDisplay(Display::Statistics);
    RefreshDisplay(Display::ClearHeightReadout);
    return true;
}

bool FrmMain::CloseAndOpen(const std::function<std::string()>& choosePath)
{
    if (!FileNew()) return false;
    const std::string path = choosePath();
    if (path.empty()) return false;
    BusyPointer busy;
    if (!OpenFileByType(path)) return false;
    ShowOpenedFile(path);
    return true;
}

void FrmMain::FileOpen()
{
    CloseAndOpen([this] {
        SetFileDialog("Open Heightmap File", "!", "", "hmb", true);
        SetFileFilter(OpenFilterList(), 1);
        return ShowOpenDialog(this) ? GetDialogFileName() : std::string();
    });
}

void FrmMain::FileOpenRecent(int entry)
{
    CloseAndOpen([entry] {
        BusyPointer busy;
        return RflCheckItem(entry) ? RflGetItem(entry) : std::string();
    });
}

bool FrmMain::OpenPath(const std::string& path)
{
    return CloseAndOpen([&path] { return path; });
}

void FrmMain::ShowOpenedFile(const std::string& path)
{
    SetCurrentFile(path);
    if (Globals().scaleOnOpen) ScaleHeightmap();
    AddRecentFile(path);
    RenderPreview();
    DrawAltitudeBar();
    RefreshDisplay(Display::FormatDescription);
    RefreshDisplay(Display::FileSize);
    RefreshDisplay(Display::Resolution);
    RefreshDisplay(Display::Statistics);
    UpdateCommandStates();
}

void FrmMain::FileSave()
{
    // A stitched map has no file of its own yet; Save then asks where to put it.
    if (currentPath_.empty()) {
        FileSaveAs();
        return;
    }
    BusyPointer busy;
    if (SaveFileByType(currentPath_)) modified_ = false;
}

bool FrmMain::FileSaveAs()
{
    if (!IsPowerOfTwoSize() &&
        !AskYesNo(std::string("The heightmap is not a power-of-two size.") + kCrLf + "Continue with save?", true))
        return false;
    SetFileDialog("Save Heightmap File", "!", currentName_, "", true);
    SetFileFilter(SaveFilterList(), 1);
    if (!ShowSaveDialog(this)) return false;
    BusyPointer busy;
    std::string path = GetDialogFileName();
    if (!SaveFileByType(path)) return false;
    SetCurrentFile(path);
    AddRecentFile(path);
    RefreshDisplay(Display::FormatDescription);
    RefreshDisplay(Display::FileSize);
    return true;
}

void FrmMain::SetCurrentFile(const std::string& path)
{
    currentPath_ = path;
    currentName_ = GetFileBaseName(path);
    hasHeightmap_ = true;
    modified_ = false;
    setWindowTitle(QString::fromUtf8(kAppTitle) + QStringLiteral(" - ") + Q(currentName_));
}

void FrmMain::FileStitch()
{
    if (!FileNew()) return;
    // A stitched map has no file yet: the window holds it as a new, changed map. The frame drew
    // the displays before the window knew it had a map, so they are drawn again here.
    CommandStitch([this] {
        hasHeightmap_ = true;
        modified_ = true;
        RenderPreview();
        DrawAltitudeBar();
        RefreshDisplay(Display::FormatDescription);
        RefreshDisplay(Display::Resolution);
        RefreshDisplay(Display::Statistics);
    });
}

void FrmMain::FileSplit()
{
    CommandSplit({hasHeightmap_, [this](std::string& path) {
                      SetFileDialog(kSplitSaveTitle, "!", currentName_, "", true);
                      SetFileFilter(kSplitSaveFilter, 1);
                      if (!ShowSaveDialog(this)) return false;
                      path = GetDialogFileName();
                      return true;
                  }});
}

// ---- View commands ----

void FrmMain::SelectView(int view)
{
    if (view < 0 || view > 3 || view == Globals().currentView) {
        if (view >= 0 && view <= 3) ViewButton(view)->setChecked(true);
        return;
    }
    BusyPointer busy;
    EnableCommands(false);
    ViewButton(view)->setChecked(true);
    Globals().currentView = view;
    RenderPreview();
    EnableCommands(true);
}

void FrmMain::SelectColorset(int index)
{
    if (index < 0 || index > 7) return;
    MnuViewColorsetItem[index]->setChecked(true);
    BusyPointer busy;
    BuildColorTable(index);
    Globals().previewColorset = index;
    RenderPreview();
}

// ---- Dispatch ----

void FrmMain::RunCommand(const CommandRow& row)
{
    switch (row.id) {
    case CommandId::New: FileNew(); break;
    case CommandId::Open: FileOpen(); break;
    case CommandId::Save: FileSave(); break;
    case CommandId::SaveAs: FileSaveAs(); break;
    case CommandId::Stitch: FileStitch(); break;
    case CommandId::Split: FileSplit(); break;
    case CommandId::OpenRecent: FileOpenRecent(row.arg); break;
    case CommandId::Exit: close(); break;
    case CommandId::ViewTop:
    case CommandId::ViewFront:
    case CommandId::ViewSide:
    case CommandId::ViewPerspective: SelectView(row.arg); break;
    case CommandId::Colorset: SelectColorset(row.arg); break;
    case CommandId::Options: ShowOptions(); break;
    case CommandId::CenterWindow: CenterWindow(); break;
    case CommandId::ResetWindowSize: ResetWindowSize(); break;
    case CommandId::ExpandWindow: ExpandWindow(); break;
    case CommandId::HelpContents: ShowHelpContents(); break;
    case CommandId::About: ShowAbout(); break;
    default:
        if (row.run) row.run(CommandContext{hasHeightmap_, {}});
        break;
    }
}

void FrmMain::RunCommand(CommandId id, int arg)
{
    if (const CommandRow* row = FindCommand(id, arg)) RunCommand(*row);
}

QAction* FrmMain::Item(CommandId id, int arg) const
{
    return items_[static_cast<size_t>(FindCommand(id, arg) - std::begin(kCommandRows))];
}

QAction* FrmMain::ViewButton(int view) const { return viewGroup_->actions().at(view); }

int FrmMain::RecentMenuBase() const
{
    const auto first = std::find(MnuFileItem.begin(), MnuFileItem.end(), Item(CommandId::OpenRecent, 1));
    return static_cast<int>(first - MnuFileItem.begin());
}

// ---- Tools and Help ----

void FrmMain::ShowOptions()
{
    BusyPointer busy;
    GlobalSettings& g = Globals();
    WriteDialogParams(OptionsValues{g.convertColorToGrayscale, g.fileTypeSort, g.previewBackgroundColor,
                                    g.previewLocation, g.scaleOnOpen, g.undoMode});
    if (!ShowDialogModal(DialogId::Options)) {
        const auto r = ReadDialogResult<OptionsValues>();
        g.convertColorToGrayscale = std::clamp(r.convertColorToGrayscale, 0, 2);
        g.fileTypeSort = std::clamp(r.fileTypeSort, 0, 1);
        g.previewBackgroundColor = r.previewBackgroundColor & 0xFFFFFF;
        g.previewLocation = std::clamp(r.previewLocation, 0, 1);
        g.scaleOnOpen = r.scaleOnOpen;
        g.undoMode = std::clamp(r.undoMode, 0, 1);
        PicPreview->SetBackgroundColor(g.previewBackgroundColor);
        RenderPreview();
    }
    ClearDialogParams();
}

void FrmMain::CenterWindow()
{
    QScreen* s = screen();
    if (!s) return;
    QRect work = s->availableGeometry();
    QSize outer = frameGeometry().size();
    move(static_cast<int>(RoundHalfEven((work.width() - outer.width()) / 2.0)),
         static_cast<int>(RoundHalfEven((work.height() - outer.height()) / 2.0)));
}

void FrmMain::ResetWindowSize()
{
    if (isMaximized() || isFullScreen()) showNormal();
    resize(DefaultWindowSize());
}

void FrmMain::ExpandWindow()
{
    QScreen* s = screen();
    if (!s) return;
    if (isMaximized() || isFullScreen()) showNormal();
    QRect work = s->availableGeometry();
    QSize frame = frameGeometry().size() - geometry().size();
    move(work.topLeft());
    resize(work.size() - frame);
}

void FrmMain::ShowHelpContents()
{
    std::string file = helpFile_.empty() ? ProgramFolder() + ProgramFileName() + ".pdf" : helpFile_;
    if (!FileExists(file)) {
        ShowWarning(std::string("The Help File is missing.") + kCrLf +
                    "Please repair the installation or reinstall the application.");
        return;
    }
    OpenDocument(file);
}

void FrmMain::ShowAbout() { ShowAboutBox(this); }

// ---- Command states ----

void FrmMain::EnableCommands(bool enabled)
{
    for (size_t i = 0; i < items_.size(); ++i) {
        const CommandRow& row = kCommandRows[i];
        if (row.menu == MenuId::Bar) items_[i]->setEnabled(enabled);
        if (row.button) TbarButton[row.button]->setEnabled(enabled);
    }
    CboZoom->setEnabled(enabled);
    if (enabled) UpdateCommandStates();
    update();
}

void FrmMain::UpdateCommandStates()
{
    for (size_t i = 0; i < items_.size(); ++i) {
        const CommandRow& row = kCommandRows[i];
        if (row.menu == MenuId::Bar || items_[i]->isSeparator()) continue;
        const bool on = CommandEnabled(row, hasHeightmap_);
        items_[i]->setEnabled(on);
        if (row.button) TbarButton[row.button]->setEnabled(on);
    }
    CboZoom->setEnabled(hasHeightmap_);
}

// ---- Displays ----

void FrmMain::SetPanel(int panel, const std::string& text)
{
    if (panel >= 1 && panel <= 5) SbarPanel[panel]->setText(Q(text));
}

void FrmMain::RefreshDisplay(Display what)
{
    switch (what) {
    case Display::Preview: RenderPreview(); break;
    case Display::AltitudeBar: DrawAltitudeBar(); break;
    case Display::FormatDescription: ShowFormatDescription(hasHeightmap_); break;
    case Display::FileSize: ShowFileSize(hasHeightmap_, currentPath_); break;
    case Display::ClearFileSize: ClearFileSize(); break;
    case Display::Resolution: ShowResolution(hasHeightmap_); break;
    case Display::Statistics: ShowStatistics(hasHeightmap_); break;
    case Display::ClearHeightReadout: ClearHeightReadout(); break;
    }
}

void FrmMain::RenderPreview() { PicPreview->Render(hasHeightmap_); }

void FrmMain::DrawAltitudeBar() { PicAltitude->Render(hasHeightmap_); }

// ---- Closing ----

bool FrmMain::QueryUnload()
{
    if (!AskToSaveChanges()) return false;
    return AskYesNo(std::string("Quit the ") + kAppTitle + " application?");
}

void FrmMain::UnloadStep()
{
    if (unloaded_) return;
    unloaded_ = true;
    Globals().lastOpenPath = LastDialogFolder();
    SaveSettings(Settings());
    SaveWindowPlacement(this, Settings());
    ReleaseDrawingBuffer();
    if (!Globals().noSubclassing) RemoveComboFlat(CboZoom);
    MarkSafeShutdown(Settings());
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    if (unloaded_ || !QueryUnload()) {
        event->setAccepted(unloaded_);
        return;
    }
    UnloadStep();
    event->accept();
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event)
{
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenFromOutside(S(path));
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    int width = centralWidget()->width();
    for (QFrame* line : LineTbar3D) line->setFixedWidth(width);
    TbarMain->setFixedWidth(width);
}

// ---- Recent files ----

void FrmMain::ApplyRecentMenu(const RecentFileMenu& menu)
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* item = MnuFileItem[menu.menuBase + i];
        item->setVisible(menu.items[i].visible);
        item->setText(Q(menu.items[i].caption));
    }
    MnuFileItem[menu.menuBase + kRecentFileCount]->setVisible(menu.separatorVisible);
}

void FrmMain::AddRecentFile(const std::string& path) { RflAddAndSave(path); }

} // namespace tolv
