// The screen's density as an X desktop states it: Xft.dpi in the resource
// database on the server's root window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gui/platform/Platform.h"
#include "gui/platform/soft/XResources.h"
#include "tests/support/ScopedResourceDatabase.h"

using platform::soft::xftDpi;

namespace {

uint32_t dpiOf(const std::string& database) { return xftDpi(database.data(), database.size()); }

}  // namespace

TEST(XResources, XftDpiIsReadAmongTheDesktopsOtherSettings) {
    EXPECT_EQ(dpiOf("Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n"), 144u);
    EXPECT_EQ(dpiOf("Xft.dpi:\t192"), 192u) << "the last line needs no line end";
    EXPECT_EQ(dpiOf("  Xft.dpi :  120.4  \n"), 120u);
    EXPECT_EQ(dpiOf("Xft.dpi: 119.5\n"), 120u);
    EXPECT_EQ(dpiOf("Xft.dpi: 96\nXcursor.size: 48\n"), 96u);
    EXPECT_EQ(dpiOf("Xft.dpi: 96\nXft.dpi: 168\n"), 168u) << "a later line wins, as in a merge";
}

TEST(XResources, DatabaseWithoutAUsableXftDpiGivesNone) {
    EXPECT_EQ(dpiOf(""), 0u);
    EXPECT_EQ(dpiOf("Xft.antialias: 1\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpix: 144\n"), 0u);
    EXPECT_EQ(dpiOf("*dpi: 144\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi 144\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi:\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi: big\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi: -96\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi: 0\n"), 0u);
    EXPECT_EQ(dpiOf("Xft.dpi: 123456789\n"), 0u);
    EXPECT_EQ(xftDpi(nullptr, 10), 0u);
    const std::string cut = "Xft.dpi: 144";
    EXPECT_EQ(xftDpi(cut.data(), 8), 0u) << "nothing past the given length is read";
}

TEST(XResources, SystemDpiComesFromTheServersResourceDatabase) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    guitest::ScopedResourceDatabase database("Xft.antialias:\t1\nXft.dpi:\t192\n");
    ASSERT_TRUE(database.isActive());
    EXPECT_EQ(platform::getDpiForSystem(), 192u);
    EXPECT_EQ(platform::getDpiForWindow(nullptr), 192u) << "every window shows on that server";
    const std::string plain = "Xft.antialias:\t1\n";
    database.put(plain.data(), plain.size());
    EXPECT_EQ(platform::getDpiForSystem(), 0u)
        << "a database without Xft.dpi says nothing of the screen";
}
