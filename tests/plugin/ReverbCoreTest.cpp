#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "plugin/ReverbCore.h"
#include "tests/support/DspTestSupport.h"

namespace {

struct Stereo {
    std::vector<float> left, right;
};

// The same stimulus through a running plug-in in blocks of the given sizes,
// one after another, written over the inputs.
Stereo renderInPlace(const std::vector<size_t>& blocks) {
    ReverbCore reverb;
    reverb.setParameter(paramOnOff, 1.0f);
    reverb.setParameter(paramDryWet, 0.7f);
    size_t total = 0;
    for (size_t b : blocks) total += b;
    dsp::TestNoise noise;
    Stereo s{std::vector<float>(total), std::vector<float>(total)};
    for (size_t i = 0; i < total; ++i) {
        s.left[i] = noise.next();
        s.right[i] = noise.next();
    }
    size_t start = 0;
    for (size_t b : blocks) {
        reverb.processReplacing(&s.left[start], &s.right[start], &s.left[start], &s.right[start],
                                static_cast<int32_t>(b));
        start += b;
    }
    return s;
}

}  // namespace

TEST(ReverbCore, ANewPluginHoldsEveryDefault) {
    ReverbCore reverb;
    for (int32_t i = 0; i < paramCount; ++i)
        EXPECT_EQ(reverb.getParameter(i), parameterTable[i].defaultValue) << i;
    EXPECT_EQ(reverb.getParameter(paramCount), 0.0f);
    EXPECT_EQ(reverb.getParameter(-1), 0.0f);
}

TEST(ReverbCore, RefusesIndicesItHasNotAndValuesThatAreNotFinite) {
    ReverbCore reverb;
    EXPECT_TRUE(reverb.setParameter(paramDamping, 1.5f));
    EXPECT_EQ(reverb.getParameter(paramDamping), 1.5f) << "a finite value is kept as given";
    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()}) {
        EXPECT_FALSE(reverb.setParameter(paramDamping, bad));
        EXPECT_EQ(reverb.getParameter(paramDamping), 1.5f);
    }
    EXPECT_FALSE(reverb.setParameter(paramCount, 0.25f));
    EXPECT_FALSE(reverb.setParameter(-1, 0.25f));
}

// The plug-in works through a block in pieces of its own; where those end
// must not show in the sound, whatever sizes the host's blocks have.
TEST(ReverbCore, BlockSizesAroundItsOwnPiecesChangeNoSample) {
    const Stereo whole = renderInPlace({1000});
    for (const std::vector<size_t>& blocks :
         {std::vector<size_t>{1, 63, 64, 65, 127, 128, 129, 423}, std::vector<size_t>{500, 500},
          std::vector<size_t>(1000, 1)}) {
        const Stereo pieces = renderInPlace(blocks);
        EXPECT_EQ(pieces.left, whole.left) << blocks.size() << " blocks";
        EXPECT_EQ(pieces.right, whole.right) << blocks.size() << " blocks";
    }
}
