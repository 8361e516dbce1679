// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <cmath>
#include <set>

#include "TempDir.h"
#include "TestHost.h"
#include "UiTestSupport.h"
#include "heightmap/MapHeight.h"
#include "shell/Globals.h"
#include "shell/ui/PicAltitude.h"
#include "shell/ui/PicPreview.h"

using namespace tolv;

namespace {

void LoadSample(int32_t w, int32_t h)
{
    std::vector<int32_t> samples;
    for (int32_t y = 1; y <= h; ++y)
        for (int32_t x = 1; x <= w; ++x)
            samples.push_back(static_cast<int32_t>(32767.5 + 32767.5 * std::sin(x / 23.0) * std::cos(y / 31.0)));
    test::LoadGrid(w, h, samples);
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, type == QEvent::MouseMove ? Qt::NoButton : button,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(PreviewWidgets, PicPreviewShowsTheRenderedView)
{
    test::TestHost host;
    PicPreview pic;
    pic.SetBackgroundColor(0xFF0000); // blue as red + 256 green + 65536 blue
    pic.Render(false);
    EXPECT_EQ(pic.Image().pixel(10, 10), qRgb(0, 0, 255));
    EXPECT_EQ(pic.Image().pixel(500, 500), qRgb(0, 0, 255));

    LoadSample(256, 128);
    Globals().previewColorset = CsGrayscale;
    Globals().currentView = ViewTop;
    Globals().previewLocation = 0;
    pic.Render(true);
    const int g = GetAltitude(1, 1) / 256;
    EXPECT_EQ(pic.Image().pixel(128, 192), qRgb(g, g, g));
    EXPECT_EQ(pic.Image().pixel(127, 192), qRgb(0, 0, 255));
    const QImage shown = pic.grab().toImage(); // what is painted on screen is the buffer
    EXPECT_EQ(shown.pixel(128, 192), qRgb(g, g, g));
    EXPECT_EQ(shown.pixel(5, 5), qRgb(0, 0, 255));

    pic.Clear();
    EXPECT_EQ(pic.Image().pixel(128, 192), qRgb(0, 0, 255));
}

TEST(PreviewWidgets, MouseMovesDriveTheHeightReadout)
{
    test::TestHost host;
    PicPreview pic;
    LoadSample(256, 128);
    Globals().currentView = ViewTop;
    Globals().previewLocation = 0;
    QObject::connect(&pic, &PicPreview::mouseMovedAt, [](double x, double y) { ShowHeightAt(x, y, true); });
    QPoint popup;
    QObject::connect(&pic, &PicPreview::rightButtonReleased, [&popup](const QPoint& p) { popup = p; });

    SendMouse(&pic, QEvent::MouseMove, {128, 192}, Qt::NoButton);
    SendMouse(&pic, QEvent::MouseMove, {20, 20}, Qt::NoButton); // border: unchanged
    ASSERT_EQ(host.panels.size(), 1u);
    EXPECT_EQ(host.panels[0].first, 5);
    EXPECT_EQ(host.panels[0].second, "X: 1   Y: 1   H: " + std::to_string(GetAltitude(1, 1)));
    SendMouse(&pic, QEvent::MouseMove, {383, 319}, Qt::NoButton);
    ASSERT_EQ(host.panels.size(), 2u);
    EXPECT_EQ(host.panels[1].second, "X: 256   Y: 128   H: " + std::to_string(GetAltitude(256, 128)));

    SendMouse(&pic, QEvent::MouseButtonRelease, {40, 50}, Qt::RightButton);
    EXPECT_EQ(popup, pic.mapToGlobal(QPoint(40, 50)));
}

TEST(PreviewWidgets, AltitudeBarAndScale)
{
    test::TestHost host;
    QWidget window;
    window.resize(700, 600);
    auto* bar = new PicAltitude(&window);
    bar->move(544, 48);
    const AltitudeScale scale = AddAltitudeScale(&window, bar);
    const char* texts[3] = {"65535", "32767", "0"};
    const int lineY[3] = {48, 48 + 511 - 32767 / 128, 48 + 511};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(scale.labels[i]->text(), texts[i]);
        EXPECT_GE(scale.labels[i]->x(), 577); // right of the bar
        EXPECT_EQ(scale.lines[i]->y(), lineY[i]);
    }
    EXPECT_EQ(scale.shape->geometry(), QRect(543, 47, 35, 514));

    test::LoadGrid(2, 1, {0, 65535});
    bar->Render(true);
    EXPECT_EQ(bar->Image().pixel(4, 511), qRgb(255, 51, 51));
    EXPECT_EQ(bar->Image().pixel(26, 0), qRgb(51, 102, 153));
    bar->Clear();
    EXPECT_EQ(bar->Image().pixel(4, 511), qRgb(255, 255, 255));
}

// Every view and colour set of a sample map draws something of its own.
TEST(PreviewWidgets, EveryViewAndColorsetDrawsItsOwnPicture)
{
    test::TestHost host;
    LoadSample(200, 150);
    PicPreview pic;
    Globals().previewLocation = 0;
    std::set<std::vector<uchar>> seen;
    for (int32_t view = ViewTop; view <= ViewPerspective; ++view) {
        for (int32_t set = 0; set < (view == ViewTop ? kColorsetCount : 1); ++set) {
            SCOPED_TRACE(testing::Message() << "view " << view << " set " << set);
            Globals().currentView = view;
            Globals().previewColorset = set;
            BuildColorTable(set);
            pic.Render(true);
            const QImage& img = pic.Image();
            EXPECT_TRUE(seen.insert(std::vector<uchar>(img.constBits(), img.constBits() + img.sizeInBytes())).second);
        }
    }
}
