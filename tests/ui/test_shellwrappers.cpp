// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The common dialogs, the shell and the single-instance socket.
#include <QFileDialog>

#include "UiTestSupport.h"
#include "shell/ui/vbSingleInstance.h"

using namespace tolv;
using namespace tolv::test;

TEST(CommonDialogs, FiltersStartFolderAndResults)
{
    EXPECT_EQ(QtFilters("hma - TOLV ASCII Text Heightmap|*.hma|All Files (*.*)|*.*"),
              (QStringList{"hma - TOLV ASCII Text Heightmap (*.hma)", "All Files (*)"}));
    EXPECT_EQ(QtFilters("Pictures|*.bmp;*.tga|B"), (QStringList{"Pictures (*.bmp *.tga)"})); // "B" has no pattern

    UiTestHost host;
    SetInitialFolder("/start/here/");
    std::vector<QString> folders;
    WriteFileText(host.dir / "one.hmb", "x");
    QString answer = Q(host.dir / "one.hmb");
    SetFileChooser([&](const FileDialogRequest& r) { return folders.push_back(r.folder), answer; });
    SetFileDialog("T", "!", "", "", true);
    ASSERT_TRUE(ShowOpenDialog(nullptr));
    EXPECT_EQ(GetDialogFileName(), host.dir / "one.hmb");
    answer.clear(); // cancelled: the last results stay
    EXPECT_FALSE(ShowSaveDialog(nullptr));
    EXPECT_EQ(GetDialogFileName() + " " + GetDialogFolder(), host.dir / "one.hmb" + " " + host.dir.Path() + "/");
    EXPECT_EQ(folders, (std::vector<QString>{"/start/here/", Q(host.dir.Path() + "/")}));
    EXPECT_EQ(LastDialogFolder(), host.dir.Path() + "/");

    SetColorDialog(0x102030, true);
    SetColorChooser([](int32_t& c) { return c == 0x102030 ? (c = 0x405060, true) : false; });
    EXPECT_TRUE(ShowColorDialog(nullptr));
    SetColorChooser([](int32_t& c) { return c = 1, false; });
    EXPECT_FALSE(ShowColorDialog(nullptr));
    EXPECT_EQ(GetDialogColor(), 0x405060); // kept only on OK
}

TEST(CommonDialogs, AFolderOrFileThatDoesNotExistIsRefusedAndNeverBecomesTheLastFolder)
{
    UiTestHost host;
    WriteFileText(host.dir / "plain", "x");
    const std::string start = host.dir.Path() + "/";
    SetInitialFolder(start);
    SetFileDialog("T", "!", "", "", true);
    const std::string missing = host.dir / "missing";
    const std::string noFolder = "The folder does not exist.\r\n\"", noFile = "The file does not exist.\r\n\"";
    const std::tuple<bool, std::string, std::string> rows[] = {
        // save, chosen, refusal ("" when it stands)
        {true, missing + "/x.hmb", noFolder + missing + "\""},
        {true, host.dir / "plain/x.hmb", noFolder + (host.dir / "plain") + "\""},
        {false, host.dir / "none.hmb", noFile + (host.dir / "none.hmb") + "\""},
        {true, host.dir / "new.hmb", ""}};
    for (const auto& [save, path, refusal] : rows) {
        host.messages.clear();
        SetFileChooser([&](const FileDialogRequest&) { return Q(path); });
        EXPECT_EQ(save ? ShowSaveDialog(nullptr) : ShowOpenDialog(nullptr), refusal.empty()) << path;
        EXPECT_EQ(host.messages.empty() ? "" : host.messages[0].text, refusal) << path;
        EXPECT_EQ(LastDialogFolder(), start) << path;
        EXPECT_EQ(GetDialogFileName(), refusal.empty() ? path : "") << path;
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

TEST(ShellExec, AddressesDocumentsAndTheirFailures)
{
    for (auto [in, out] : {std::pair{"example.org", "http://example.org"},
                           {"ftp://example.org/x", "ftp://example.org/x"},
                           {"https://a.b", "https://a.b"}})
        EXPECT_EQ(WebAddressUrl(in), out);
    EXPECT_EQ(MailAddressUrl("me@example.org") + " " + MailAddressUrl("mailto:me@example.org"),
              "mailto:me@example.org mailto:me@example.org");
    for (auto [in, out] : {std::pair{"/HOME/user/MAPS/my terrain.hmb", "/Home/User/Maps/My Terrain.Hmb"},
                           {"c:\\data\\x1y.txt", "C:\\Data\\X1y.Txt"},
                           {"", ""}})
        EXPECT_EQ(ProperCase(in), out);
    EXPECT_EQ(ShellErrorText(99), "99"); // a code without a text of its own

    UiTestHost host;
    OpenDocument(host.dir / "none.pdf");
    EXPECT_EQ(host.messages.at(0).kind + " " + host.messages[0].text,
              "warning Could not open or run the file.\r\nThe specified file was not found.\r\n\r\n\"" +
                  ProperCase(host.dir / "none.pdf") + "\"");
    EXPECT_TRUE(host.opened.empty());
    WriteFileText(host.dir / "doc.pdf", "x");
    OpenDocument(host.dir / "doc.pdf");
    EXPECT_EQ(host.opened.size(), 1u);
    SetUrlOpener([](const QUrl&) { return false; }); // the desktop refusing is reported, not ignored
    OpenWebAddress("example.org");
    EXPECT_EQ(host.messages.at(1).text, "Could not Execute the Application.\r\n\r\nShellExecute Error: "
                                        "The File Association is incomplete or invalid.");
}

TEST(SingleInstance, TheHolderReplacesADeadSocketAndALaterStartHandsOverAnyPath)
{
    TempDir dir;
    const QString name = Q(dir / "instance");
    WriteFileText(dir / "instance", ""); // what a killed run leaves: a socket file nobody answers on
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
