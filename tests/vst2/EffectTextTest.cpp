// The effect's text tools, which hosts' displays of levels, rates and times
// go through: the same texts as the format-free value texts beneath them.
#include <gtest/gtest.h>

#include "TestEffect.h"

TEST(EffectTextTools, DecibelsHertzAndMilliseconds) {
    TestEffect effect;
    char text[32];
    effect.formatDecibels(0.0f, text);
    EXPECT_STREQ(text, "-oo");
    effect.formatDecibels(-1.0f, text);
    EXPECT_STREQ(text, "-oo");
    effect.formatDecibels(1.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatDecibels(10.0f, text);
    EXPECT_STREQ(text, "20.00000");
    effect.formatHertz(0.0f, text);
    EXPECT_STREQ(text, "0.000000");
    effect.formatHertz(441.0f, text);
    EXPECT_STREQ(text, "100.0000");
    effect.formatMilliseconds(4410.0f, text);
    EXPECT_STREQ(text, "100.0000");
    effect.formatInteger(7, text);
    EXPECT_STREQ(text, "      7");
}
