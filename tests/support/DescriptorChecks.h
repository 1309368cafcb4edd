// The descriptor every Brellivaunt effect gives its host, whether made in the
// test or loaded from the built module as a DAW loads it.
#pragma once

#include <gtest/gtest.h>

#include "vst2/vst2.h"

namespace support {

inline void expectReverbDescriptor(const AEffect* e) {
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 16);
    EXPECT_EQ(e->numParams, 9);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsHasVu | effFlagsCanReplacing);
    EXPECT_EQ(e->uniqueID, 0x54577276);
    EXPECT_EQ(e->version, 1);
    EXPECT_EQ(e->ioRatio, 1.0f);
}

}  // namespace support
