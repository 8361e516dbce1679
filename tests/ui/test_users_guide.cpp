// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
// The user's guide beside the program and the pictures the build takes for it.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include "TempDir.h"

using tolv::test::ReadFileText;

namespace {

const char* const kRefresh = "refresh docs/images with: cmake --build BUILD --target guidepictures";

std::string Sorted(QStringList names)
{
    names.sort();
    return names.join(' ').toStdString();
}
std::string Pngs(const char* folder) { return Sorted(QDir(folder).entryList({"*.png"}, QDir::Files)); }

} // namespace

// The PDF embeds every picture the guide shows, and the build takes exactly those.
TEST(UsersGuide, IsAPdfShowingExactlyThePicturesTheBuildTakes)
{
    const QString text = QString::fromStdString(ReadFileText(TOLV_SOURCE_DIR "/docs/users-guide.md"));
    QStringList pictures;
    for (const auto& m : QRegularExpression(R"(!\[[^\]]*\]\(images/([^)\s]+)\))").globalMatch(text))
        pictures << m.captured(1);
    pictures.removeDuplicates();
    const std::string shown = Sorted(pictures);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown, Pngs(TOLV_GUIDE_PICTURES));
    EXPECT_EQ(shown, Pngs(TOLV_SOURCE_DIR "/docs/images")) << kRefresh;
    const QByteArray pdf = QByteArray::fromStdString(ReadFileText(TOLV_GUIDE_PDF));
    ASSERT_GT(pdf.size(), 10000);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Subtype /Image"), pictures.size());
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
