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
#include "heightmap/MapCommands.h"
#include "heightmap/MapHeight.h"
#include "heightmap/FrmSplitStitchRules.h"
#include "heightmap/MapTransforms.h"
#include "shell/FrmOptionsRules.h"
#include "shell/Globals.h"
#include "shell/Numbers.h"
#include "shell/vbPreview.h"
#include "shell/vbRecentFileList.h"
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
#include "shell/vbPrivateIni.h"
#include "shell/vbShowDialog.h"
#include "shell/vbStartup.h"

namespace tolv {
namespace {

constexpr int kPreviewX = 16, kPreviewY = 48;
constexpr int kBarX = 544, kBarWidth = kAltitudeBarWidth;
constexpr int kRecentMenuBase = 8;
constexpr int kToolbarHeight = 38;
// How often a file from outside looks again whether the dialog in its way has closed.
constexpr int kOutsideRetryMs = 200;

// Toolbar buttons: index 1..35; separators and the zoom placeholder have no picture.
struct TbarSpec {
    int index;
    const char* tooltip;
    TbarIcon icon;
};
constexpr int kSeparators[] = {1, 6, 9, 11, 19, 27, 32, 34};
constexpr int kZoomPlaceholder = 18;
constexpr TbarSpec kButtons[] = {
    {2, "New", TbarIcon::New},
    {3, "Open", TbarIcon::Open},
    {4, "Save", TbarIcon::Save},
    {5, "Save As", TbarIcon::SaveAs},
    {7, "Stitch Heightmaps", TbarIcon::Stitch},
    {8, "Split Heightmap", TbarIcon::Split},
    {10, "Undo", TbarIcon::Undo},
    {12, "Top", TbarIcon::Top},
    {13, "Front", TbarIcon::Front},
    {14, "Side", TbarIcon::Side},
    {15, "Perspective", TbarIcon::Perspective},
    {16, "Zoom In", TbarIcon::ZoomIn},
    {17, "Zoom Out", TbarIcon::ZoomOut},
    {20, "Flip Horizontally", TbarIcon::FlipH},
    {21, "Flip Vertically", TbarIcon::FlipV},
    {22, "Rotate 90\u00B0 counter-clockwise", TbarIcon::RotateCcw},
    {23, "Rotate 90\u00B0 clockwise", TbarIcon::RotateCw},
    {24, "Invert", TbarIcon::Invert},
    {25, "Crop", TbarIcon::Crop},
    {26, "Trim", TbarIcon::Trim},
    {28, "Resample", TbarIcon::Resample},
    {29, "Interpolate", TbarIcon::Interpolate},
    {30, "Scale", TbarIcon::Scale},
    {31, "Move", TbarIcon::Move},
    {33, "Options", TbarIcon::Options},
    {35, "Help", TbarIcon::Help},
};

// Map menu: caption, shortcut; "-" is the separator.
struct MenuSpec {
    const char* caption;
    const char* shortcut;
};
constexpr MenuSpec kMapItems[] = {
    {"Flip &Horizontally", "Ctrl+H"}, {"Flip &Vertically", "Ctrl+V"}, {"R&otate 90\u00B0 ccw", ""},
    {"Rotate 90\u00B0 c&w", ""},       {"I&nvert", "Ctrl+E"},          {"&Crop...", "Ctrl+C"},
    {"&Trim...", "Ctrl+T"},            {"-", ""},                      {"&Resample...", "Ctrl+R"},
    {"&Interpolate...", "Ctrl+I"},     {"&Scale...", "Ctrl+L"},        {"&Move...", "Ctrl+M"},
};
// The toolbar button of each Map menu item (0 for the separator).
constexpr int kMapButton[] = {20, 21, 22, 23, 24, 25, 26, 0, 28, 29, 30, 31};

const char* const kColorsets[] = {"&Grayscale", "Sca&led Grayscale", "&Woodlands", "&Canyons",
                                  "&Desert",    "A&rctic",          "&Altitude",  "&Spectrum"};
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

QAction* AddItem(QMenu* menu, std::vector<QAction*>& items, const char* caption, const char* shortcut = "")
{
    QAction* a;
    if (std::string_view(caption) == "-") {
        a = menu->addSeparator();
    } else {
        a = menu->addAction(QString::fromUtf8(caption));
        if (*shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    }
    items.push_back(a);
    return a;
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
    RflInit(nullptr, kRecentMenuBase, RflIniFile);
}

QSize FrmMain::DefaultWindowSize() const
{
    return QSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void FrmMain::BuildMenus()
{
    QMenuBar* bar = menuBar();
    MnuFile = bar->addMenu(QStringLiteral("&File"));
    MnuFile->setObjectName("MnuFile");
    connect(AddItem(MnuFile, MnuFileItem, "&New", "Ctrl+N"), &QAction::triggered, this, &FrmMain::FileNew);
    connect(AddItem(MnuFile, MnuFileItem, "&Open...", "Ctrl+O"), &QAction::triggered, this, &FrmMain::FileOpen);
    connect(AddItem(MnuFile, MnuFileItem, "&Save", "Ctrl+S"), &QAction::triggered, this, &FrmMain::FileSave);
    connect(AddItem(MnuFile, MnuFileItem, "Save &As...", "Ctrl+A"), &QAction::triggered, this, &FrmMain::FileSaveAs);
    AddItem(MnuFile, MnuFileItem, "-");
    connect(AddItem(MnuFile, MnuFileItem, "Stitch Height&maps..."), &QAction::triggered, this, &FrmMain::FileStitch);
    connect(AddItem(MnuFile, MnuFileItem, "S&plit Heightmap..."), &QAction::triggered, this, &FrmMain::FileSplit);
    AddItem(MnuFile, MnuFileItem, "-");
    for (int i = 1; i <= 8; ++i) {
        QAction* a = AddItem(MnuFile, MnuFileItem, "&0");
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { FileOpenRecent(i); });
    }
    AddItem(MnuFile, MnuFileItem, "-")->setVisible(false);
    connect(AddItem(MnuFile, MnuFileItem, "E&xit"), &QAction::triggered, this, &QWidget::close);

    MnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    MnuEdit->setObjectName("MnuEdit");
    connect(AddItem(MnuEdit, MnuEditItem, "&Undo", "Ctrl+Z"), &QAction::triggered, this, [] { CommandUndo(); });

    MnuView = bar->addMenu(QStringLiteral("&View"));
    MnuView->setObjectName("MnuView");
    const char* views[][2] = {{"&Top", "F5"}, {"&Front", "F6"}, {"&Side", "F7"}, {"&Perspective", "F8"}};
    for (int v = 0; v < 4; ++v)
        connect(AddItem(MnuView, MnuViewItem, views[v][0], views[v][1]), &QAction::triggered, this,
                [this, v] { SelectView(v); });
    AddItem(MnuView, MnuViewItem, "-");
    connect(AddItem(MnuView, MnuViewItem, "&Zoom In", "F11"), &QAction::triggered, this, &FrmMain::UnderDevelopment);
    connect(AddItem(MnuView, MnuViewItem, "Zoom &Out", "F12"), &QAction::triggered, this, &FrmMain::UnderDevelopment);
    AddItem(MnuView, MnuViewItem, "-");
    MnuViewColorset = new QMenu(QStringLiteral("&Colorset"), MnuView);
    MnuViewColorset->setObjectName("MnuViewColorset");
    MnuViewItem.push_back(MnuView->addMenu(MnuViewColorset));
    colorsetGroup_ = new QActionGroup(this);
    for (int i = 0; i < 8; ++i) {
        QAction* a = AddItem(MnuViewColorset, MnuViewColorsetItem, kColorsets[i]);
        a->setCheckable(true);
        colorsetGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, i] { SelectColorset(i); });
    }

    MnuMap = bar->addMenu(QStringLiteral("&Map"));
    MnuMap->setObjectName("MnuMap");
    for (int i = 0; i < 12; ++i) {
        QAction* a = AddItem(MnuMap, MnuMapItem, kMapItems[i].caption, kMapItems[i].shortcut);
        if (!a->isSeparator()) connect(a, &QAction::triggered, this, [this, i] { MapCommand(i); });
    }

    MnuTools = bar->addMenu(QStringLiteral("&Tools"));
    MnuTools->setObjectName("MnuTools");
    connect(AddItem(MnuTools, MnuToolsItem, "&Options...", "F2"), &QAction::triggered, this, &FrmMain::ShowOptions);
    AddItem(MnuTools, MnuToolsItem, "-");
    connect(AddItem(MnuTools, MnuToolsItem, "Center &Window on screen"), &QAction::triggered, this,
            &FrmMain::CenterWindow);
    connect(AddItem(MnuTools, MnuToolsItem, "&Reset Window to default size"), &QAction::triggered, this,
            &FrmMain::ResetWindowSize);
    connect(AddItem(MnuTools, MnuToolsItem, "&Expand Window full-screen"), &QAction::triggered, this,
            &FrmMain::ExpandWindow);

    MnuHelp = bar->addMenu(QStringLiteral("&Help"));
    MnuHelp->setObjectName("MnuHelp");
    connect(AddItem(MnuHelp, MnuHelpItem, "&Contents", "F1"), &QAction::triggered, this, &FrmMain::ShowHelpContents);
    AddItem(MnuHelp, MnuHelpItem, "-");
    MnuHelpWeb = new QMenu(QStringLiteral("Brendock on the Web"), MnuHelp);
    MnuHelpWeb->setObjectName("MnuHelpWeb");
    MnuHelpItem.push_back(MnuHelp->addMenu(MnuHelpWeb));
    AddItem(MnuHelp, MnuHelpItem, "-");
    connect(AddItem(MnuHelp, MnuHelpItem, "&About..."), &QAction::triggered, this, &FrmMain::ShowAbout);
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

    viewGroup_ = new QActionGroup(this);
    viewGroup_->setExclusive(true);
    size_t next = 0;
    for (int i = 1; i <= 35; ++i) {
        if (std::find(std::begin(kSeparators), std::end(kSeparators), i) != std::end(kSeparators)) {
            TbarButton[i] = TbarMain->addSeparator();
        } else if (i == kZoomPlaceholder) {
            TbarButton[i] = TbarMain->addWidget(CboZoom);
        } else {
            const TbarSpec& b = kButtons[next++];
            QAction* a = TbarMain->addAction(TbarIconFor(b.icon), QString::fromUtf8(b.tooltip));
            a->setToolTip(QString::fromUtf8(b.tooltip));
            a->setObjectName(QStringLiteral("TbarButton%1").arg(i));
            TbarButton[i] = a;
        }
    }
    // The four view buttons form a group: exactly one is pressed.
    for (int v = 0; v < 4; ++v) {
        QAction* a = TbarButton[12 + v];
        a->setCheckable(true);
        viewGroup_->addAction(a);
        connect(a, &QAction::triggered, this, [this, v] { SelectView(v); });
    }
    TbarButton[12]->setChecked(true);

    auto wire = [this](int button, auto fn) { connect(TbarButton[button], &QAction::triggered, this, fn); };
    wire(2, &FrmMain::FileNew);
    wire(3, &FrmMain::FileOpen);
    wire(4, &FrmMain::FileSave);
    wire(5, &FrmMain::FileSaveAs);
    wire(7, &FrmMain::FileStitch);
    wire(8, &FrmMain::FileSplit);
    wire(10, [] { CommandUndo(); });
    wire(16, &FrmMain::UnderDevelopment);
    wire(17, &FrmMain::UnderDevelopment);
    for (int i = 0; i < 12; ++i)
        if (kMapButton[i]) wire(kMapButton[i], [this, i] { MapCommand(i); });
    wire(33, &FrmMain::ShowOptions);
    wire(35, &FrmMain::ShowHelpContents);
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

    RflInit([this](const RecentFileMenu& menu) { ApplyRecentMenu(menu); }, kRecentMenuBase, RflIniFile);
    InitFormEffects(2);
    FillWebLinksMenu(MnuHelpWeb, [](const std::string& address) { OpenWebAddress(address); });

    PicPreview->SetBackgroundColor(Globals().previewBackgroundColor);
    BuildColorTable(Globals().previewColorset);
    MnuFileItem[17]->setText(QStringLiteral("E&xit\tAlt+F4"));
    MnuFileItem[17]->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
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
    int view = std::clamp(Globals().currentView, 0, 3);
    TbarButton[12 + view]->setChecked(true);
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
    CommandSplit([this](std::string& path) {
        SetFileDialog(kSplitSaveTitle, "!", currentName_, "", true);
        SetFileFilter(kSplitSaveFilter, 1);
        if (!ShowSaveDialog(this)) return false;
        path = GetDialogFileName();
        return true;
    });
}

// ---- View commands ----

void FrmMain::SelectView(int view)
{
    if (view < 0 || view > 3 || view == Globals().currentView) {
        if (view >= 0 && view <= 3) TbarButton[12 + view]->setChecked(true);
        return;
    }
    BusyPointer busy;
    EnableCommands(false);
    TbarButton[12 + view]->setChecked(true);
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

void FrmMain::MapCommand(int index)
{
    switch (index) {
    case 0: CommandFlipHorizontal(); break;
    case 1: CommandFlipVertical(); break;
    case 2: CommandRotateCCW(); break;
    case 3: CommandRotateCW(); break;
    case 4: CommandInvert(); break;
    case 5: CommandCrop(); break;
    case 6: CommandTrim(); break;
    case 8: CommandResample(); break;
    case 9: CommandInterpolate(); break;
    case 10: CommandScale(hasHeightmap_); break;
    case 11: CommandMove(); break;
    default: break;
    }
}

void FrmMain::UnderDevelopment() { ShowInfo("This function is under development."); }

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
    for (QMenu* m : {MnuFile, MnuEdit, MnuView, MnuMap, MnuTools, MnuHelp}) m->menuAction()->setEnabled(enabled);
    for (int i = 1; i <= 35; ++i)
        if (!TbarButton[i]->isSeparator() && i != kZoomPlaceholder) TbarButton[i]->setEnabled(enabled);
    CboZoom->setEnabled(enabled);
    if (enabled) UpdateCommandStates();
    update();
}

void FrmMain::UpdateCommandStates()
{
    const CommandAvailability a = ComputeCommandAvailability(hasHeightmap_);
    const bool h = a.withHeightmap;
    auto set = [this](QAction* item, int button, bool on) {
        if (item) item->setEnabled(on);
        if (button) TbarButton[button]->setEnabled(on);
    };
    set(MnuFileItem[2], 4, h);
    set(MnuFileItem[3], 5, h);
    set(MnuFileItem[6], 8, h);
    set(MnuEditItem[0], 10, h);
    for (int v = 0; v < 4; ++v) set(MnuViewItem[v], 12 + v, h);
    set(MnuViewItem[5], 16, h);
    set(MnuViewItem[6], 17, h);
    CboZoom->setEnabled(h);
    for (int i : {0, 1, 2, 3, 5, 6, 10}) set(MnuMapItem[i], kMapButton[i], h);
    set(MnuMapItem[4], 24, a.invert);
    set(MnuMapItem[8], 28, a.resample);
    set(MnuMapItem[9], 29, a.interpolate);
    set(MnuMapItem[11], 31, a.move);
    // Always available.
    for (int i : {0, 1, 5, 17}) MnuFileItem[i]->setEnabled(true);
    for (int i = 8; i <= 15; ++i) MnuFileItem[i]->setEnabled(true);
    for (int b : {2, 3, 7, 33, 35}) TbarButton[b]->setEnabled(true);
    MnuViewItem[8]->setEnabled(true);
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
