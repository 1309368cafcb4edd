#include <gtest/gtest.h>

#include <string>

#include "module/ReverbPluginGui.h"

namespace {

std::string query(ReverbPlugin& p, int32_t opcode, int32_t index) {
    char text[64] = "untouched";
    AEffect* e = p.getAeffect();
    e->dispatcher(e, opcode, index, 0, text, 0.0f);
    return text;
}

}  // namespace

TEST(ParameterText, NamesAreTheLiteralTexts) {
    ReverbPluginGui plugin(nullptr);
    const char* names[] = {"EarlySize", "LateSize", "Damping", "Diffusion", "Early-Late",
                           "Dry-Wet",   "Volume",   "On-Off",  "On-Off"};
    for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(query(plugin, effGetParamName, i), names[i]);
    EXPECT_EQ(query(plugin, effGetParamName, 9), "untouched");
    EXPECT_EQ(query(plugin, effGetParamName, -1), "untouched");
}

TEST(ParameterText, EveryLabelReadsAmount) {
    ReverbPluginGui plugin(nullptr);
    EXPECT_EQ(query(plugin, effGetParamLabel, 0), "amount");
    EXPECT_EQ(query(plugin, effGetParamLabel, 8), "amount");
    EXPECT_EQ(query(plugin, effGetParamLabel, 9), "untouched");
}

TEST(ParameterText, DisplayShowsTheLiveValueWithCutDigits) {
    ReverbPluginGui plugin(nullptr);
    EXPECT_EQ(query(plugin, effGetParamDisplay, 5), "0.500000");
    plugin.setParameter(5, 0.0f);
    EXPECT_EQ(query(plugin, effGetParamDisplay, 5), "0.000000");
    plugin.setParameter(5, 0.7f);
    EXPECT_EQ(query(plugin, effGetParamDisplay, 5), "0.699999");
    plugin.setParameter(5, 1.0f);
    EXPECT_EQ(query(plugin, effGetParamDisplay, 5), "1.000000");
    EXPECT_EQ(query(plugin, effGetParamDisplay, 9), "untouched");
}
