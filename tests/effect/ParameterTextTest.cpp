#include <gtest/gtest.h>

#include <string>
#include <vector>

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
                           "Dry-Wet",   "Volume",   "On-Off",  "Mono-In"};
    for (int32_t i = 0; i < 9; ++i) EXPECT_EQ(query(plugin, effGetParamName, i), names[i]);
    EXPECT_EQ(query(plugin, effGetParamName, 9), "untouched");
    EXPECT_EQ(query(plugin, effGetParamName, -1), "untouched");
}

// Hosts that keep a plug-in's settings by parameter name (Audacity among
// them) lose one of two parameters that share a name.
TEST(ParameterText, EveryParameterHasANameOfItsOwnThroughTheDescriptor) {
    ReverbPluginGui plugin(nullptr);
    AEffect* e = plugin.getAeffect();
    std::vector<std::string> names;
    for (int32_t i = 0; i < e->numParams; ++i) {
        char text[64] = {};
        e->dispatcher(e, effGetParamName, i, 0, text, 0.0f);
        ASSERT_NE(text[0], 0) << i;
        for (const std::string& earlier : names) EXPECT_NE(earlier, text) << "parameter " << i;
        names.push_back(text);
    }
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
