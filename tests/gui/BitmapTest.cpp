#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "tests/support/GuiTestSupport.h"

using guitest::rgb;
using guitest::ScopedSurface;
using namespace platform;

namespace {

constexpr ColorRef backdrop = rgb(9, 99, 199);

class BitmapLoading : public guitest::PlatformTest {};

// Restores whatever transparent copy the test found.
class TransparentCopying : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        saved = TransparentCopy::get();
        library = loadLibrary("msimg32.dll");
    }
    void TearDown() override {
        TransparentCopy::set(saved);
        if (library) freeLibrary(library);
    }

    // Copies the 4 x 2 probe image onto a backdrop at (1, 1).
    void copyProbe(ScopedSurface& s) {
        s.fill(backdrop);
        Bitmap* bitmap = new Bitmap(guitest::imageTransparency);
        DrawContext context(nullptr, s.dc, nullptr);
        bitmap->drawTransparent(&context, {1, 1, 5, 3}, {0, 0});
        bitmap->release();
    }

    void expectWhiteLeftOut(ScopedSurface& s) {
        EXPECT_EQ(s.at(1, 1), backdrop);            // pure white
        EXPECT_EQ(s.at(2, 1), rgb(254, 255, 255));  // almost white
        EXPECT_EQ(s.at(3, 1), rgb(255, 0, 0));
        EXPECT_EQ(s.at(4, 1), rgb(0, 0, 255));
        EXPECT_EQ(s.at(1, 2), rgb(255, 0, 0));
        EXPECT_EQ(s.at(3, 2), backdrop);
        EXPECT_EQ(s.at(4, 2), rgb(254, 255, 255));
        EXPECT_EQ(s.at(0, 0), backdrop);
        EXPECT_EQ(s.at(5, 3), backdrop);
    }

    TransparentBltFunction saved = nullptr;
    Module library = nullptr;
};

}  // namespace

TEST_F(BitmapLoading, AnEmbeddedImageReportsItsSize) {
    Bitmap* bitmap = new Bitmap(guitest::imageGradient);
    EXPECT_EQ(bitmap->getWidth(), 40);
    EXPECT_EQ(bitmap->getHeight(), 30);
    EXPECT_EQ(bitmap->getTransparentColor(), colorTransparent);
    bitmap->release();
}

TEST_F(BitmapLoading, OnlyTheLowSixteenBitsOfTheIdFindTheResource) {
    Bitmap* bitmap = new Bitmap(0x10000 + guitest::imageStrip);
    EXPECT_EQ(bitmap->getWidth(), 6);
    EXPECT_EQ(bitmap->getHeight(), 8);
    bitmap->release();
}

TEST_F(BitmapLoading, AMissingImageIsZeroBySizeAndDrawsNothing) {
    ScopedSurface s(8, 8);
    s.fill(backdrop);
    Bitmap* bitmap = new Bitmap(guitest::imageMissing);
    EXPECT_EQ(bitmap->getWidth(), 0);
    EXPECT_EQ(bitmap->getHeight(), 0);
    {
        DrawContext context(nullptr, s.dc, nullptr);
        bitmap->draw(&context, {0, 0, 8, 8}, {0, 0});
        bitmap->drawTransparent(&context, {0, 0, 8, 8}, {0, 0});
    }
    for (ColorRef c : s.image().pixels) ASSERT_EQ(c, backdrop);
    bitmap->release();
}

TEST_F(BitmapLoading, ReferencesAreCountedAndAReleaseAtZeroDoesNothing) {
    Bitmap* bitmap = new Bitmap(guitest::imageGradient);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    bitmap->addRef();
    EXPECT_EQ(bitmap->release(), 1);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    EXPECT_EQ(bitmap->release(), 0);  // freed here; the sanitizer build sees any later use
}

TEST_F(BitmapLoading, AnOpaqueCopyTakesTheBlockAtTheSourcePoint) {
    ScopedSurface s(12, 10);
    s.fill(backdrop);
    Bitmap* bitmap = new Bitmap(guitest::imageGradient);
    {
        DrawContext context(nullptr, s.dc, nullptr);
        bitmap->draw(&context, {2, 3, 7, 6}, {10, 20});
    }
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            bool block = x >= 2 && x < 7 && y >= 3 && y < 6;
            ColorRef expected = block ? rgb((x - 2 + 10) * 6, (y - 3 + 20) * 8, 100) : backdrop;
            ASSERT_EQ(s.at(x, y), expected) << x << "," << y;
        }
    }
    bitmap->release();
}

TEST_F(TransparentCopying, TheSystemCopyLeavesPureWhiteOutAndCopiesAlmostWhite) {
    TransparentCopy::lookUp(library);
    ASSERT_NE(TransparentCopy::get(), nullptr);
    ScopedSurface s(8, 5);
    copyProbe(s);
    expectWhiteLeftOut(s);
}

TEST_F(TransparentCopying, TheMaskCopyLeavesPureWhiteOutAndCopiesAlmostWhite) {
    TransparentCopy::set(nullptr);
    ScopedSurface s(8, 5);
    copyProbe(s);
    expectWhiteLeftOut(s);
}

TEST_F(TransparentCopying, TheMaskCopyLeavesTheDestinationsColoursAsTheyWere) {
    TransparentCopy::set(nullptr);
    ScopedSurface s(8, 5);
    copyProbe(s);
    // the context made in copyProbe set black and white; the copy restores them
    EXPECT_EQ(probe::getBkColor(s.dc), 0u);
    EXPECT_EQ(probe::getTextColor(s.dc), 0xFFFFFFu);
}

TEST_F(TransparentCopying, WithoutTheLibraryTheMaskIsUsed) {
    TransparentCopy::set(reinterpret_cast<TransparentBltFunction>(1));
    TransparentCopy::lookUp(nullptr);
    EXPECT_EQ(TransparentCopy::get(), nullptr);
}

namespace {

// The gradient image's pixel as a colour bitmap reads back: 0x00RRGGBB.
uint32_t gradientAt(int x, int y) {
    return static_cast<uint32_t>(6 * x) << 16 | static_cast<uint32_t>(8 * y) << 8 | 100u;
}

// Copies a block of one colour over the whole of a 40 x 30 bitmap.
void paintRed(DeviceContext memory, GdiObject bitmap) {
    ScopedSurface red(40, 30);
    red.fill(rgb(255, 0, 0));
    GdiObject previous = selectObject(memory, bitmap);
    bitBlt(memory, 0, 0, 40, 30, red.dc, 0, 0, ropSrcCopy);
    selectObject(memory, previous);
}

}  // namespace

// Each load of an image is a bitmap of its own: painting over one leaves
// a copy loaded before it, and one loaded after, as the image is.
TEST_F(BitmapLoading, PaintingOverOneLoadOfAnImageLeavesTheOtherLoadsAsTheImageIs) {
    DeviceContext memory = createCompatibleDC(nullptr);
    GdiObject earlier = loadBitmap(moduleInstance(), guitest::imageGradient);
    GdiObject painted = loadBitmap(moduleInstance(), guitest::imageGradient);
    ASSERT_TRUE(memory && earlier && painted);
    paintRed(memory, painted);
    GdiObject later = loadBitmap(moduleInstance(), guitest::imageGradient);
    ASSERT_TRUE(later);
    std::vector<uint32_t> pixels(40 * 30);
    ASSERT_EQ(getDibits(memory, painted, 40, 30, pixels.data()), 30);
    EXPECT_EQ(pixels[5 * 40 + 7], 0xFF0000u);
    for (GdiObject image : {earlier, later}) {
        ASSERT_EQ(getDibits(memory, image, 40, 30, pixels.data()), 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) ASSERT_EQ(pixels[y * 40 + x], gradientAt(x, y)) << x << y;
    }
    for (GdiObject image : {earlier, painted, later}) deleteObject(image);
    deleteDC(memory);
}

// A colour bitmap starts black, also where one just painted and deleted
// leaves its memory for the next.
TEST_F(BitmapLoading, ANewColourBitmapStartsBlackAfterAPaintedOneIsDeleted) {
    DeviceContext memory = createCompatibleDC(nullptr);
    GdiObject first = createDibSection(40, 30);
    ASSERT_TRUE(memory && first);
    paintRed(memory, first);
    std::vector<uint32_t> pixels(40 * 30, 7);
    ASSERT_EQ(getDibits(memory, first, 40, 30, pixels.data()), 30);
    EXPECT_EQ(pixels.back(), 0xFF0000u);
    deleteObject(first);
    GdiObject second = createDibSection(40, 30);
    ASSERT_TRUE(second);
    std::fill(pixels.begin(), pixels.end(), 7u);
    ASSERT_EQ(getDibits(memory, second, 40, 30, pixels.data()), 30);
    for (uint32_t pixel : pixels) ASSERT_EQ(pixel, 0u);
    deleteObject(second);
    deleteDC(memory);
}

namespace {

// The gradient image as a device context reads it: pixel (x, y) = (6x, 8y, 100).
ColorRef gradientPixel(int x, int y) { return rgb(6 * x, 8 * y, 100); }

// A memory context holding the gradient image, for the life of the object.
class GradientSource final {
public:
    GradientSource()
        : dc(createCompatibleDC(nullptr)),
          image(loadBitmap(moduleInstance(), guitest::imageGradient)) {
        previous = selectObject(dc, image);
    }
    ~GradientSource() {
        selectObject(dc, previous);
        deleteObject(image);
        deleteDC(dc);
    }
    GradientSource(const GradientSource&) = delete;
    GradientSource& operator=(const GradientSource&) = delete;

    DeviceContext const dc;

private:
    GdiObject const image;
    GdiObject previous = nullptr;
};

}  // namespace

// A block that hangs over any edge of either surface copies what lies inside
// both and leaves every other destination pixel alone, with each raster
// operation the panel uses.
TEST_F(BitmapLoading, ABlockHangingOverAnEdgeCopiesOnlyWhatLiesInsideBothSurfaces) {
    struct Case {
        int x, y, width, height, sx, sy;
        uint32_t code;
    };
    const Case cases[] = {
        {-3, -2, 10, 8, 0, 0, ropSrcCopy},   {15, 9, 10, 8, 1, 1, ropSrcCopy},
        {2, 1, 10, 8, -4, -3, ropSrcCopy},   {4, 3, 10, 8, 35, 26, ropSrcCopy},
        {-5, 2, 30, 4, -2, 1, ropSrcInvert}, {3, -4, 6, 20, 2, 20, ropSrcAnd},
        {30, 2, 5, 5, 0, 0, ropSrcCopy},     {2, 2, 5, 5, 40, 0, ropSrcCopy},
    };
    GradientSource source;
    for (const Case& c : cases) {
        ScopedSurface target(20, 12);
        target.fill(backdrop);
        ASSERT_TRUE(bitBlt(target.dc, c.x, c.y, c.width, c.height, source.dc, c.sx, c.sy, c.code));
        for (int ty = 0; ty < target.height; ++ty) {
            for (int tx = 0; tx < target.width; ++tx) {
                const int i = tx - c.x, j = ty - c.y, fx = c.sx + i, fy = c.sy + j;
                ColorRef expected = backdrop;
                if (i >= 0 && i < c.width && j >= 0 && j < c.height && fx >= 0 && fx < 40 &&
                    fy >= 0 && fy < 30) {
                    const ColorRef from = gradientPixel(fx, fy);
                    expected = c.code == ropSrcInvert ? backdrop ^ from
                               : c.code == ropSrcAnd  ? backdrop & from
                                                      : from;
                }
                ASSERT_EQ(target.at(tx, ty), expected)
                    << "blit to (" << c.x << ", " << c.y << ") from (" << c.sx << ", " << c.sy
                    << "), pixel (" << tx << ", " << ty << ")";
            }
        }
    }
}

// Moving a block within one surface (down and right, then up and left)
// reads the whole block before writing it, as a scroll needs.
TEST_F(BitmapLoading, ABlockMovedWithinItsOwnSurfaceArrivesWhole) {
    GradientSource source;
    for (const int step : {3, -3}) {
        ScopedSurface s(16, 12);
        ASSERT_TRUE(bitBlt(s.dc, 0, 0, 16, 12, source.dc, 0, 0, ropSrcCopy));
        ASSERT_TRUE(bitBlt(s.dc, 4 + step, 3 + step / 3, 8, 6, s.dc, 4, 3, ropSrcCopy));
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 8; ++i)
                ASSERT_EQ(s.at(4 + step + i, 3 + step / 3 + j), gradientPixel(4 + i, 3 + j))
                    << "step " << step << ", pixel (" << i << ", " << j << ")";
    }
}
