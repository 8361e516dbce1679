// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TempDir.h"
#include "TestHost.h"
#include "shell/Globals.h"
#include "shell/vbPrivateIni.h"

using namespace tolv;
using namespace tolv::test;

TEST(SettingsStore, ValueConventions)
{
    TempDir dir;
    WriteFileText(dir / "t.ini", "[Options]\r\n Count = 12abc \r\nNeg=-7\r\nWord=abc\r\nQuoted=\"a b\"\r\n"
                                 "[other]\nflag=Yes\nflag2=TRUE\nflag3=2\nf=0.25\nbadf=x1\n");
    SettingsStore s(dir / "t.ini");
    EXPECT_EQ(s.IniGetInteger("Options", "Count", 5), 12);
    EXPECT_EQ(s.IniGetInteger("options", "count", 5), 12); // names ignore letter case
    EXPECT_EQ(s.IniGetInteger("Options", "Neg", 5), -7);
    EXPECT_EQ(s.IniGetInteger("Options", "Word", 5), 0);
    EXPECT_EQ(s.IniGetInteger("Options", "Missing", 5), 5);
    EXPECT_EQ(s.IniGetString("Options", "Quoted", ""), "a b");
    EXPECT_EQ(s.IniGetString("Nowhere", "Quoted", "dflt"), "dflt");
    EXPECT_TRUE(s.IniGetBoolean("Other", "flag", false));
    EXPECT_TRUE(s.IniGetBoolean("Other", "flag2", false));
    EXPECT_FALSE(s.IniGetBoolean("Other", "flag3", true));
    EXPECT_TRUE(s.IniGetBoolean("Other", "missing", true));
    EXPECT_FLOAT_EQ(s.IniGetSingle("Other", "f", 1.0f), 0.25f);
    EXPECT_FLOAT_EQ(s.IniGetSingle("Other", "badf", 1.0f), 1.0f);
}

TEST(SettingsStore, LongStringsAreCut)
{
    TempDir dir;
    WriteFileText(dir / "t.ini", "[S]\nlong=" + std::string(3000, 'a') + "\n");
    SettingsStore s(dir / "t.ini");
    EXPECT_EQ(s.IniGetString("S", "long", "").size(), 2048u);
}

TEST(SettingsStore, PutKeepsHandEditsAndReplacesInPlace)
{
    TempDir dir;
    WriteFileText(dir / "t.ini", "; my notes\r\n[A]\r\nx=1\r\ny=two words\r\n\r\n[B]\r\nz=3\r\n");
    SettingsStore s(dir / "t.ini");
    s.IniPutInteger("A", "x", 42);
    s.IniPutString("A", "new", "v");
    s.IniPutBoolean("C", "b", true);
    EXPECT_EQ(ReadFileText(dir / "t.ini"),
              "; my notes\r\n[A]\r\nx=42\r\ny=two words\r\nnew=v\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nb=1\r\n");
    EXPECT_EQ(s.IniGetString("A", "y", ""), "two words");
}

TEST(SettingsStore, UnwritableFileLosesWritesSilently)
{
    TempDir dir;
    SettingsStore s(dir / "no-such-folder/t.ini");
    s.IniPutInteger("A", "x", 1); // must not throw
    EXPECT_EQ(s.IniGetInteger("A", "x", 9), 9);
}

TEST(Globals, LoadRules)
{
    TestHost host;
    TempDir dir;
    WriteFileText(dir / "t.ini",
                  "[Options]\nConvertColorToGrayscale=5\nFileTypeSort=-1\nPreviewColorset=9\nScaleOnOpen=Yes\n"
                  "UndoMode=3\n[Functions]\nInterpolationFactor=3\nInterpolationVariance=1.5\nResampleFactor=64\n"
                  "MoveBase=-5\nMoveMethod=7\nScaleUpper=70000\nScalePercent=-20\n[System]\nNoSubclassing=true\n");
    LoadSettings(SettingsStore(dir / "t.ini"));
    const GlobalSettings& g = Globals();
    EXPECT_EQ(g.convertColorToGrayscale, 2);
    EXPECT_EQ(g.fileTypeSort, 0);
    EXPECT_EQ(g.previewColorset, 7);
    EXPECT_TRUE(g.scaleOnOpen);
    EXPECT_EQ(g.undoMode, 1);
    EXPECT_EQ(g.interpolationFactor, 2);
    EXPECT_FLOAT_EQ(g.interpolationVariance, 1.0f);
    EXPECT_EQ(g.resampleFactor, 2);
    EXPECT_EQ(g.moveBase, 0);
    EXPECT_EQ(g.moveMethod, 3);
    EXPECT_EQ(g.scaleUpper, 65535);
    EXPECT_EQ(g.scalePercent, -20); // no rule for the percentage
    EXPECT_TRUE(g.noSubclassing);
}

TEST(Globals, FreshInstallationDefaultsAndVarianceText)
{
    TestHost host;
    TempDir dir;
    SettingsStore store(dir / "fresh.ini");
    LoadSettings(store);
    const GlobalSettings& g = Globals();
    EXPECT_EQ(g.previewBackgroundColor, 0xFFFFFF);
    EXPECT_EQ(g.previewColorset, 0);
    EXPECT_EQ(g.fileTypeSort, 0);
    EXPECT_EQ(g.interpolationFactor, 2); // the stored default 0 becomes 2
    EXPECT_EQ(g.moveMethod, 1);
    EXPECT_EQ(g.scaleMethod, 1);
    EXPECT_EQ(g.scalePercent, 100);
    WriteFileText(dir / "v.ini", "[Functions]\nInterpolationVariance=abc\n");
    LoadSettings(SettingsStore(dir / "v.ini"));
    EXPECT_FLOAT_EQ(Globals().interpolationVariance, 0.0f);
}

TEST(Globals, SaveWritesEveryKeyAndReadsBack)
{
    TestHost host;
    TempDir dir;
    SettingsStore store(dir / "t.ini");
    GlobalSettings& g = Globals();
    g.scaleOnOpen = true;
    g.interpolationVariance = 0.35f;
    g.previewColorset = 4;
    g.lastOpenPath = "/maps/";
    SaveSettings(store);
    const std::string text = ReadFileText(dir / "t.ini");
    for (const char* key : {"ConvertColorToGrayscale=0", "FileTypeSort=0", "PreviewBackgroundColor=16777215",
                            "PreviewColorset=4", "PreviewLocation=0", "ScaleOnOpen=1", "UndoMode=0",
                            "InterpolationFactor=2", "InterpolationVariance=0.35", "MoveMethod=1", "MoveBase=0",
                            "ResampleFactor=2", "ResampleMethod=0", "ScaleMethod=1", "ScalePercent=100",
                            "ScaleUpper=65535", "ScaleLower=0", "LastOpenPath=/maps/"})
        EXPECT_NE(text.find(std::string(key) + "\r\n"), std::string::npos) << key;
    ResetGlobals();
    LoadSettings(store);
    LoadLastOpenPath(store);
    EXPECT_TRUE(Globals().scaleOnOpen);
    EXPECT_FLOAT_EQ(Globals().interpolationVariance, 0.35f);
    EXPECT_EQ(Globals().previewColorset, 4);
    EXPECT_EQ(Globals().lastOpenPath, "/maps/");
}

TEST(Globals, EmptyLastOpenPathIsTheDataFolder)
{
    TestHost host;
    TempDir dir;
    LoadLastOpenPath(SettingsStore(dir / "none.ini"));
    EXPECT_EQ(Globals().lastOpenPath, ProgramFolder() + "data/");
}
