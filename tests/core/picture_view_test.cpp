#include <gtest/gtest.h>

#include "course/picture_view.h"

#include <cmath>

#include "test_support.h"

using namespace lumora;

namespace {
// 1024 x 768 pixels on 320 x 240 mm: 32 pixels per centimetre both ways.
constexpr DeviceMetrics kScreen32{1024, 768, 320, 240};
} // namespace

TEST(PictureView, ScrollSizeAndMappingFollowZoomAndDensity) {
    MemorySettingsStore store;
    PictureView view(store, IntSetting{"Course", "Zoom", 100}, 800);
    view.initialUpdate(kScreen32);
    EXPECT_EQ(view.zoom(), 100);
    EXPECT_EQ(view.screenDensity().x, 32);
    EXPECT_EQ(view.scrollSize().width, 2560);
    EXPECT_EQ(view.scrollSize().height, 2 * 16 * 32);
    // A 320-pixel picture is 6.4 cm: 205 pixels on this screen.
    EXPECT_EQ(std::lround(view.mapping().lengthX(320)), 205);
    EXPECT_EQ(view.mapping().deviceY(-50), 32.0); // y is inverted

    ASSERT_TRUE(view.onCommand(4001)); // 50 %
    EXPECT_EQ(view.scrollSize().width, 1280);
    EXPECT_EQ(view.scrollSize().height, 512);
    EXPECT_EQ(std::lround(view.mapping().lengthX(320)), 102);
    EXPECT_EQ(store.readInt("Course", "Zoom", 0), 50);

    // Integer arithmetic from left to right: 2 * ((40 * 37 * 90) / 100) on a 600-unit surface.
    PictureView dict(store, IntSetting{"Dict", "Zoom", 100}, 600);
    dict.initialUpdate({1480, 1110, 400, 300}); // 37 px/cm
    dict.onCommand(4003);
    EXPECT_EQ(dict.scrollSize().width, 2664);
    EXPECT_EQ(dict.scrollSize().height, 2 * (12 * 37 * 90 / 100));
    // Printing uses the printer's own density.
    EXPECT_EQ(dict.mappingFor({236, 236}).viewportX, 212);
}

TEST(PictureView, ZoomCommandsStoreAndCheck) {
    MemorySettingsStore store;
    store.writeInt("Exercise", "Zoom", 200);
    PictureView view(store, IntSetting{"Exercise", "Zoom", 100}, 600);
    view.initialUpdate(kScreen32);
    EXPECT_EQ(view.zoom(), 200);
    const int zooms[] = {50, 75, 90, 100, 150, 200, 300};
    for (int i = 0; i < 7; ++i) {
        const int id = 4001 + i;
        ASSERT_TRUE(view.onCommand(id));
        EXPECT_EQ(view.zoom(), zooms[i]);
        EXPECT_EQ(store.readInt("Exercise", "Zoom", 0), zooms[i]);
        for (int other = 4001; other <= 4007; ++other) EXPECT_EQ(view.commandState(other)->checked, other == id);
    }
    EXPECT_TRUE(view.onCommand(4008)); // accepted and ignored
    EXPECT_EQ(view.zoom(), 300);
    EXPECT_FALSE(view.onCommand(4009));
    EXPECT_FALSE(view.commandState(4000).has_value());
}

TEST(PictureView, BadStoredZoomAndDeviceWithoutSize) {
    MemorySettingsStore store;
    store.writeInt("UserRec", "Zoom", 0);
    PictureView view(store, IntSetting{"UserRec", "Zoom", 100}, 600);
    view.initialUpdate({800, 600, 0, 0});
    EXPECT_EQ(view.zoom(), 100);
    EXPECT_GT(view.screenDensity().x, 0);
    EXPECT_GT(view.scrollSize().width, 0);
}
