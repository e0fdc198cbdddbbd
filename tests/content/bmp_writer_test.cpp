#include "content/bmp_writer.h"

#include <gtest/gtest.h>

namespace lumora::content {
namespace {

TEST(BmpWriter, WritesHeadersPaletteAndPaddedBottomUpRows) {
    // 3 x 2 picture, top row first: 1 2 3 / 4 5 6.
    std::array<std::uint32_t, 256> palette = greyRampPalette();
    palette[1] = 0x112233;
    const Bytes bmp = encodeBmp8(3, 2, {1, 2, 3, 4, 5, 6}, palette);
    ASSERT_EQ(bmp.size(), 14u + 40u + 1024u + 8u);

    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp.data() + 2), bmp.size()); // file size
    EXPECT_EQ(le32(bmp.data() + 10), 1078u);     // pixel offset
    EXPECT_EQ(le32(bmp.data() + 14), 40u);       // information header size
    EXPECT_EQ(les32(bmp.data() + 18), 3);        // width
    EXPECT_EQ(les32(bmp.data() + 22), 2);        // height > 0: bottom row first
    EXPECT_EQ(le16(bmp.data() + 26), 1);         // planes
    EXPECT_EQ(le16(bmp.data() + 28), 8);         // bits per pixel
    EXPECT_EQ(le32(bmp.data() + 30), 0u);        // no compression
    EXPECT_EQ(le32(bmp.data() + 34), 8u);        // image size
    EXPECT_EQ(le32(bmp.data() + 46), 256u);      // colours used

    // Colour entries are blue, green, red, 0.
    const std::uint8_t* table = bmp.data() + 54;
    EXPECT_EQ(table[4], 0x33);
    EXPECT_EQ(table[5], 0x22);
    EXPECT_EQ(table[6], 0x11);
    EXPECT_EQ(table[7], 0x00);
    EXPECT_EQ(table[200 * 4], 200);
    EXPECT_EQ(table[200 * 4 + 2], 200);

    const Bytes rows(bmp.begin() + 1078, bmp.end());
    EXPECT_EQ(rows, (Bytes{4, 5, 6, 0, 1, 2, 3, 0}));
}

TEST(BmpWriter, RefusesIndicesThatDoNotMatchTheSize) {
    const auto palette = greyRampPalette();
    EXPECT_TRUE(encodeBmp8(3, 2, {1, 2, 3, 4, 5}, palette).empty());
    EXPECT_TRUE(encodeBmp8(-1, 2, {}, palette).empty());
    // A row of 4 pixels needs no padding.
    EXPECT_EQ(encodeBmp8(4, 1, {9, 9, 9, 9}, palette).size(), 1078u + 4u);
}

} // namespace
} // namespace lumora::content
