// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include "UiTestHost.h"
#include "shell/ui/vbFormEffects.h"
#include "shell/ui/vbFrmShutdown.h"
#include "shell/ui/vbSingleInstance.h"

using namespace tolv;
using namespace tolv::test;

TEST(CommonDialogs, FiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFilters("hma - TOLV ASCII Text Heightmap|*.hma|All Files (*.*)|*.*"),
              (QStringList{"hma - TOLV ASCII Text Heightmap (*.hma)", "All Files (*)"}));
    EXPECT_EQ(QtFilters("Pictures|*.bmp;*.tga"), (QStringList{"Pictures (*.bmp *.tga)"}));
    EXPECT_TRUE(QtFilters("").isEmpty());
    // A dangling description without a pattern is dropped rather than shown empty.
    EXPECT_EQ(QtFilters("A|*.a|B").size(), 1);
}

TEST(CommonDialogs, StartFolderIsTheLastChosenFolderAndCancelKeepsResults)
{
    UiTestHost host;
    SetInitialFolder("/start/here/");
    std::vector<QString> folders;
    WriteFileText(host.dir / "one.hmb", "x");
    QString answer = Q(host.dir / "one.hmb");
    SetFileChooser([&](const FileDialogRequest& r) {
        folders.push_back(r.folder);
        return answer;
    });
    SetFileDialog("T", "!", "", "", true);
    ASSERT_TRUE(ShowOpenDialog(nullptr));
    EXPECT_EQ(GetDialogFileName(), host.dir / "one.hmb");
    EXPECT_EQ(GetDialogFolder(), host.dir.Path() + "/");
    answer.clear();
    EXPECT_FALSE(ShowSaveDialog(nullptr));
    EXPECT_EQ(GetDialogFileName(), host.dir / "one.hmb");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], QStringLiteral("/start/here/"));
    EXPECT_EQ(folders[1], Q(host.dir.Path() + "/"));
    EXPECT_EQ(LastDialogFolder(), host.dir.Path() + "/");
}

TEST(CommonDialogs, AFolderOrFileThatDoesNotExistIsRefusedAndNeverBecomesTheLastFolder)
{
    UiTestHost host;
    WriteFileText(host.dir / "plain", "x");
    const std::string start = host.dir.Path() + "/";
    SetInitialFolder(start);
    SetFileDialog("T", "!", "", "", true);
    struct Row {
        bool save;
        std::string path;
        std::string refusal; // "" when the choice stands
    };
    const std::string missing = host.dir / "missing";
    const std::string noFolder = "The folder does not exist.\r\n\"", noFile = "The file does not exist.\r\n\"";
    for (const Row& r : {Row{true, missing + "/x.hmb", noFolder + missing + "\""},
                         Row{true, host.dir / "plain/x.hmb", noFolder + (host.dir / "plain") + "\""},
                         Row{false, host.dir / "none.hmb", noFile + (host.dir / "none.hmb") + "\""},
                         Row{true, host.dir / "new.hmb", ""}}) {
        host.messages.clear();
        SetFileChooser([&](const FileDialogRequest&) { return Q(r.path); });
        const bool chosen = r.save ? ShowSaveDialog(nullptr) : ShowOpenDialog(nullptr);
        EXPECT_EQ(chosen, r.refusal.empty()) << r.path;
        EXPECT_EQ(host.messages.empty() ? "" : host.messages[0].text, r.refusal) << r.path;
        EXPECT_EQ(LastDialogFolder(), start) << r.path;
        EXPECT_EQ(GetDialogFileName(), r.refusal.empty() ? r.path : "") << r.path;
    }

    // The real save dialog stays open on the refusal; cancelled, it keeps nothing.
    SetFileChooser(nullptr);
    SetInitialFolder(start);
    host.messages.clear();
    bool stayedOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        if (auto* name = dlg->findChild<QLineEdit*>("fileNameEdit")) {
            name->setText(Q(missing + "/y.hmb"));
            QTest::keyClick(name, Qt::Key_Return);
            stayedOpen = dlg->isVisible();
        }
        if (dlg->isVisible()) dlg->reject();
    });
    EXPECT_FALSE(ShowSaveDialog(nullptr));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, noFolder + missing + "\"");
    EXPECT_EQ(LastDialogFolder(), start);
}

TEST(CommonDialogs, ColourDialogKeepsItsColourOnlyOnOk)
{
    UiTestHost host;
    SetColorDialog(0x102030, true);
    SetColorChooser([](int32_t& c) {
        EXPECT_EQ(c, 0x102030);
        c = 0x405060;
        return true;
    });
    EXPECT_TRUE(ShowColorDialog(nullptr));
    EXPECT_EQ(GetDialogColor(), 0x405060);
    SetColorChooser([](int32_t& c) {
        c = 1;
        return false;
    });
    EXPECT_FALSE(ShowColorDialog(nullptr));
    EXPECT_EQ(GetDialogColor(), 0x405060);
}

TEST(ShellExec, AddressesAndProperCase)
{
    struct Row {
        const char* in;
        const char* out;
    };
    for (Row r : {Row{"example.org", "http://example.org"}, Row{"ftp://example.org/x", "ftp://example.org/x"},
                  Row{"https://a.b", "https://a.b"}})
        EXPECT_EQ(WebAddressUrl(r.in), r.out);
    EXPECT_EQ(MailAddressUrl("me@example.org"), "mailto:me@example.org");
    EXPECT_EQ(MailAddressUrl("mailto:me@example.org"), "mailto:me@example.org");
    for (Row r : {Row{"/HOME/user/MAPS/my terrain.hmb", "/Home/User/Maps/My Terrain.Hmb"},
                  Row{"c:\\data\\x1y.txt", "C:\\Data\\X1y.Txt"}, Row{"", ""}})
        EXPECT_EQ(ProperCase(r.in), r.out);
    EXPECT_EQ(ShellErrorText(2), "The Specified File was not found.");
    EXPECT_EQ(ShellErrorText(99), "99");
}

TEST(ShellExec, OpenDocumentWarnsAboutAMissingFileAndOpensAnExistingOne)
{
    UiTestHost host;
    OpenDocument(host.dir / "none.pdf");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, "warning");
    EXPECT_EQ(host.messages[0].text, "Could not open or run the file.\r\nThe specified file was not found.\r\n\r\n\"" +
                                         ProperCase(host.dir / "none.pdf") + "\"");
    EXPECT_TRUE(host.opened.empty());
    WriteFileText(host.dir / "doc.pdf", "x");
    OpenDocument(host.dir / "doc.pdf");
    ASSERT_EQ(host.opened.size(), 1u);
    // The desktop refusing the file is reported, not ignored.
    SetUrlOpener([](const QUrl&) { return false; });
    OpenWebAddress("example.org");
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "Could not Execute the Application.\r\n\r\nShellExecute Error: "
                                     "The File Association is incomplete or invalid.");
}

TEST(FormEffects, GradientRunsFromLeftToRightColour)
{
    QImage img(100, 10, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    GradientRect(p, 10, 2, 80, 5, QColor(0, 0, 0), QColor(255, 255, 255));
    p.end();
    EXPECT_EQ(img.pixel(5, 4), qRgb(0, 0, 0)); // outside the band
    EXPECT_LT(qRed(img.pixel(11, 4)), 20);
    EXPECT_GT(qRed(img.pixel(88, 4)), 235);
    EXPECT_EQ(img.pixel(50, 0), qRgb(0, 0, 0));
}

TEST(FormEffects, FadeInEndsOpaqueOnlyInModeTwo)
{
    InitFormEffects(7); // out of range: no fading
    EXPECT_EQ(FormEffectsMode(), 0);
    QWidget plain;
    FadeInDialog(&plain);
    EXPECT_DOUBLE_EQ(plain.windowOpacity(), 1.0);

    InitFormEffects(2);
    QWidget faded;
    faded.show();
    FadeInDialog(&faded);
    EXPECT_DOUBLE_EQ(faded.windowOpacity(), 0.0);
    // The opacity rises while events run and ends fully opaque.
    QElapsedTimer t;
    t.start();
    while (faded.windowOpacity() < 1.0 && t.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_DOUBLE_EQ(faded.windowOpacity(), 1.0);
    InitFormEffects(0);
}

TEST(SingleInstance, TheHolderReplacesADeadSocketAndALaterStartHandsOverAnyPath)
{
    TempDir dir;
    const QString name = Q(dir / "instance");
    // What a run that was killed leaves behind: a socket file nobody answers on.
    WriteFileText(dir / "instance", "");
    vbSingleInstance first(name);
    QStringList requests;
    QObject::connect(&first, &vbSingleInstance::Requested, [&](const QString& path) { requests << path; });
    ASSERT_TRUE(first.Claim());

    const QString odd = QStringLiteral("/maps/a b%20\n#?\u00E9.hmb\nopen /x");
    vbSingleInstance second(name), third(name);
    EXPECT_FALSE(second.Claim(odd));
    EXPECT_FALSE(third.Claim());
    ASSERT_TRUE(QTest::qWaitFor([&] { return requests.size() == 2; }, 5000));
    requests.sort();
    EXPECT_EQ(requests, (QStringList{QString(), odd}));
}

TEST(ShutdownDialog, ShowsTheFailureTextAndContinueCloses)
{
    UiTestHost host;
    InitFormEffects(0);
    vbFrmShutdown dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Orvale"));
    EXPECT_EQ(dlg.LblTitle->text(), QStringLiteral("TOLV Safe Shut-down Failure."));
    EXPECT_TRUE(dlg.LblMessage->text().startsWith(
        QStringLiteral("The TOLV application was not safely closed the last time it was used.\n")));
    EXPECT_TRUE(dlg.LblMessage->text().endsWith(QStringLiteral("for any possible corruption or damage.")));
    QTimer::singleShot(0, &dlg, [&] { dlg.CmdContinue->click(); });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
}
