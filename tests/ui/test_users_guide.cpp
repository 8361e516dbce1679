// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The user's guide beside the program and the pictures the build takes for it.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

const char* const kRefresh = "refresh docs/images with: cmake --build BUILD --target guidepictures";

// The pictures the guide shows, as file names ("main-window.png").
std::set<std::string> GuidePictures()
{
    const std::string text = tolv::test::ReadFileText(TOLV_SOURCE_DIR "/docs/users-guide.md");
    static const std::regex picture(R"(!\[[^\]]*\]\(images/([^)\s]+)\))");
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);
    return names;
}

std::set<std::string> PngFiles(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".png") names.insert(entry.path().filename().string());
    return names;
}

} // namespace

// The PDF embeds every picture the guide shows, and the build takes exactly those.
TEST(UsersGuide, IsAPdfShowingExactlyThePicturesTheBuildTakes)
{
    const std::set<std::string> shown = GuidePictures();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown, PngFiles(TOLV_GUIDE_PICTURES));
    EXPECT_EQ(shown, PngFiles(TOLV_SOURCE_DIR "/docs/images")) << kRefresh;
    const std::string pdf = tolv::test::ReadFileText(TOLV_GUIDE_PDF);
    ASSERT_GT(pdf.size(), 10000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    size_t images = 0;
    for (size_t at = pdf.find("/Subtype /Image"); at != std::string::npos; at = pdf.find("/Subtype /Image", at + 1))
        ++images;
    EXPECT_EQ(images, shown.size());
}

// The preview pictures hold no text, only what the program's own drawing code made of the sample
// map, so the copies for web readers must match what the build draws today pixel for pixel.
// Pictures of windows are not compared: their text depends on the fonts of the machine.
TEST(UsersGuide, CommittedPreviewPicturesMatchTheDrawing)
{
    for (const char* name : {"views.png", "colorsets.png"}) {
        const QImage drawn(QString::fromUtf8(TOLV_GUIDE_PICTURES "/") + name);
        const QImage committed(QString::fromUtf8(TOLV_SOURCE_DIR "/docs/images/") + name);
        ASSERT_FALSE(drawn.isNull()) << name;
        EXPECT_TRUE(drawn.convertToFormat(QImage::Format_RGB32) == committed.convertToFormat(QImage::Format_RGB32))
            << name << " is stale; " << kRefresh;
    }
}
