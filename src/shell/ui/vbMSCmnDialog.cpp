// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/ui/vbMSCmnDialog.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "formats/vbFileManagement.h"
#include "shell/ui/QtHost.h"
#include "shell/vbMsgBox.h"
#include "shell/vbPrivateIni.h"

namespace tolv {
namespace {

struct FileDialogState {
    std::string title, startFolder, fileName, defaultExtension, filter;
    int filterIndex = 1;
    bool reportErrors = false;
    std::string initialFolder;
    std::string lastFolder;
    std::string chosenPath, chosenFolder, chosenTitle;
};

struct ColorDialogState {
    int32_t color = 0;
    bool reportErrors = false;
    std::array<int32_t, 16> custom{};
};

FileDialogState g_file;
ColorDialogState g_color = [] {
    ColorDialogState s;
    s.custom.fill(0xFFFFFF);
    return s;
}();
FileChooser g_fileChooser;
ColorChooser g_colorChooser;

std::string StartFolder()
{
    if (g_file.startFolder != "!") return g_file.startFolder;
    if (!g_file.lastFolder.empty()) return g_file.lastFolder;
    if (!g_file.initialFolder.empty()) return g_file.initialFolder;
    return ProgramFolder();
}

QColor FromColorRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
int32_t ToColorRef(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// Why a chosen path is refused: both dialogs need an existing folder, the open dialog an
// existing file too. "" when the choice stands.
std::string RefusedChoice(const QString& path, bool save)
{
    auto quoted = [](const QString& p) { return '"' + S(QDir::toNativeSeparators(p)) + '"'; };
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) return std::string("The folder does not exist.") + kCrLf + quoted(folder);
    // The open dialog does not follow links, so a dangling link is still a file that is there.
    if (!save && !info.exists() && !info.isSymLink())
        return std::string("The file does not exist.") + kCrLf + quoted(info.absoluteFilePath());
    return {};
}

// Refuses a choice inside the dialog, which stays open for another one.
class CheckedFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        // A folder typed into the name box is entered by the dialog itself.
        if (!files.isEmpty() && !QFileInfo(files.first()).isDir()) {
            const std::string refusal = RefusedChoice(files.first(), acceptMode() == AcceptSave);
            if (!refusal.empty()) {
                ShowWarning(refusal);
                return;
            }
        }
        QFileDialog::accept();
    }
};

QString RunRealFileDialog(const FileDialogRequest& r, QWidget* owner)
{
    CheckedFileDialog dlg(owner, r.title, r.folder);
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The open dialog does not follow links: the chosen path is the link itself.
    QFileDialog::Options opts = QFileDialog::DontUseNativeDialog;
    if (!r.save) opts |= QFileDialog::DontResolveSymlinks;
    dlg.setOptions(opts);
    dlg.setNameFilters(r.filters);
    if (r.filterIndex >= 0 && r.filterIndex < r.filters.size()) dlg.selectNameFilter(r.filters[r.filterIndex]);
    if (!r.defaultSuffix.isEmpty()) dlg.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty()) dlg.selectFile(r.fileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

bool ShowFileDialog(QWidget* owner, bool save)
{
    FileDialogRequest r;
    r.save = save;
    r.title = Q(g_file.title);
    r.folder = Q(StartFolder());
    r.fileName = Q(g_file.fileName);
    r.defaultSuffix = Q(g_file.defaultExtension);
    r.filters = QtFilters(g_file.filter);
    r.filterIndex = g_file.filterIndex - 1;
    QString chosen = g_fileChooser ? g_fileChooser(r) : RunRealFileDialog(r, owner);
    // A cancel leaves the results of the previous choice as they were. The real dialog refused
    // a bad choice while open; a chooser's choice meets the same rule here, as a cancel.
    if (chosen.isEmpty()) return false;
    if (const std::string refusal = RefusedChoice(chosen, save); !refusal.empty()) {
        ShowWarning(refusal);
        return false;
    }
    QFileInfo info(chosen);
    g_file.chosenPath = S(QDir::toNativeSeparators(info.absoluteFilePath()));
    g_file.chosenFolder = S(QDir::toNativeSeparators(info.absolutePath()));
    if (g_file.chosenFolder.empty() || g_file.chosenFolder.back() != '/') g_file.chosenFolder += '/';
    g_file.chosenTitle = S(info.fileName());
    g_file.lastFolder = g_file.chosenFolder;
    return true;
}

} // namespace

void SetFileDialog(const std::string& title, const std::string& startFolder, const std::string& fileName,
                   const std::string& defaultExtension, bool reportErrors)
{
    g_file.title = title;
    g_file.startFolder = startFolder;
    g_file.fileName = fileName;
    g_file.defaultExtension = defaultExtension;
    g_file.reportErrors = reportErrors;
}

void SetFileFilter(const std::string& filter, int filterIndex)
{
    g_file.filter = filter;
    g_file.filterIndex = filterIndex;
}

void SetInitialFolder(const std::string& folder)
{
    g_file.initialFolder = folder;
    g_file.lastFolder = folder;
}

bool ShowOpenDialog(QWidget* owner) { return ShowFileDialog(owner, false); }
bool ShowSaveDialog(QWidget* owner) { return ShowFileDialog(owner, true); }
std::string GetDialogFileName() { return g_file.chosenPath; }
std::string GetDialogFolder() { return g_file.chosenFolder; }
std::string LastDialogFolder() { return g_file.lastFolder; }

void SetColorDialog(int32_t colorRef, bool reportErrors)
{
    g_color.color = colorRef;
    g_color.reportErrors = reportErrors;
}

bool ShowColorDialog(QWidget* owner)
{
    int32_t chosen = g_color.color;
    if (g_colorChooser) {
        if (!g_colorChooser(chosen)) return false;
    } else {
        // Qt keeps its custom colours process-wide too; ours are the ones that count.
        for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, FromColorRef(g_color.custom[i]));
        QColorDialog dlg(FromColorRef(g_color.color), owner);
        dlg.setOption(QColorDialog::DontUseNativeDialog);
        bool ok = dlg.exec() == QDialog::Accepted;
        for (int i = 0; i < 16; ++i) g_color.custom[i] = ToColorRef(QColorDialog::customColor(i));
        if (!ok) return false;
        chosen = ToColorRef(dlg.selectedColor());
    }
    g_color.color = chosen & 0xFFFFFF;
    return true;
}

int32_t GetDialogColor() { return g_color.color; }
std::array<int32_t, 16>& CustomColors() { return g_color.custom; }

QStringList QtFilters(const std::string& filter)
{
    QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        // Qt reads the patterns from the last parentheses; a description that already names
        // them (such as "All Files (*.*)") loses that part first.
        qsizetype open = desc.lastIndexOf(QLatin1Char('('));
        if (open > 0 && desc.endsWith(QLatin1Char(')'))) desc = desc.left(open).trimmed();
        out << desc + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

void SetFileChooser(FileChooser chooser) { g_fileChooser = std::move(chooser); }
void SetColorChooser(ColorChooser chooser) { g_colorChooser = std::move(chooser); }

void ResetFileDialogState()
{
    g_file = FileDialogState{};
    g_color.color = 0;
    g_color.custom.fill(0xFFFFFF);
}

} // namespace tolv
