#include <gtest/gtest.h>

#include "gui/Bitmap.h"
#include "gui/Control.h"
#include "tests/support/GuiTestSupport.h"

namespace {

class PlainControl final : public Control {
public:
    explicit PlainControl(Bitmap* back = nullptr) : Control({0, 0, 10, 10}, nullptr, 3, back) {}
    void draw(DrawContext*) override { setDirty(false); }
};

}  // namespace

TEST(ControlDirtiness, ANewControlIsDirtyUntilDrawn) {
    auto* c = new PlainControl;
    EXPECT_EQ(c->getValue(), 0.0f);
    EXPECT_EQ(c->getOldValue(), 1.0f);
    EXPECT_TRUE(c->isDirty());
    c->draw(nullptr);
    EXPECT_FALSE(c->isDirty());
    c->setValue(0.0f);
    EXPECT_FALSE(c->isDirty());
    c->setValue(0.25f);
    EXPECT_TRUE(c->isDirty());
    c->release();
}

TEST(ControlDirtiness, AValueOfOneBeforeTheFirstDrawIsClean) {
    auto* c = new PlainControl;
    c->setValue(1.0f);
    EXPECT_FALSE(c->isDirty());
    c->release();
}

TEST(ControlDirtiness, MarkingDirtyPicksAnOldValueTheValueCannotEqual) {
    auto* c = new PlainControl;
    c->setValue(0.5f);
    c->setDirty(true);
    EXPECT_EQ(c->getOldValue(), -1.0f);
    EXPECT_TRUE(c->isDirty());
    c->setValue(-1.0f);
    c->setDirty(true);
    EXPECT_EQ(c->getOldValue(), 0.0f);
    EXPECT_TRUE(c->isDirty());
    c->setDirty(false);
    EXPECT_EQ(c->getOldValue(), -1.0f);
    EXPECT_FALSE(c->isDirty());
    c->release();
}

TEST(ControlDirtiness, AValueThatDoesNotCompareStaysDirty) {
    auto* c = new PlainControl;
    c->setValue(std::numeric_limits<float>::quiet_NaN());
    c->setDirty(false);
    EXPECT_TRUE(c->isDirty());
    c->release();
}

TEST(ControlRange, ClampPullsValuesIntoTheRangeAndLeavesInsideValues) {
    auto* c = new PlainControl;
    c->setValue(1.5f);
    c->clampValue();
    EXPECT_EQ(c->getValue(), 1.0f);
    c->setValue(-0.5f);
    c->clampValue();
    EXPECT_EQ(c->getValue(), 0.0f);
    c->setValue(0.3f);
    c->clampValue();
    EXPECT_EQ(c->getValue(), 0.3f);
    c->setMin(0.4f);
    c->clampValue();
    EXPECT_EQ(c->getValue(), 0.4f);
    c->release();
}

TEST(ControlDefaults, FieldsStartAsTheToolkitPromises) {
    auto* c = new PlainControl;
    EXPECT_EQ(c->getDefaultValue(), 0.5f);
    EXPECT_EQ(c->getWheelStep(), 0.1f);
    EXPECT_EQ(c->getMin(), 0.0f);
    EXPECT_EQ(c->getMax(), 1.0f);
    EXPECT_EQ(c->tag, 3);
    c->release();
}

TEST(ControlBackground, TheControlHoldsOneReferenceOnItsBitmap) {
    auto* bitmap = new Bitmap(guitest::imageGradient);
    auto* c = new PlainControl(bitmap);
    EXPECT_EQ(bitmap->getRefCount(), 2);
    c->setBackground(nullptr);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    EXPECT_EQ(c->getBackground(), nullptr);
    c->setBackground(bitmap);
    EXPECT_EQ(bitmap->getRefCount(), 2);
    c->release();
    EXPECT_EQ(bitmap->getRefCount(), 1);
    bitmap->release();
}

TEST(ControlBackground, HandingTheControlTheBitmapItSolelyHoldsKeepsTheBitmapAlive) {
    auto* bitmap = new Bitmap(guitest::imageGradient);
    auto* c = new PlainControl(bitmap);
    bitmap->release();  // the control is the only holder from here on
    c->setBackground(bitmap);
    ASSERT_EQ(c->getBackground(), bitmap);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    EXPECT_EQ(bitmap->getWidth(), 40);
    c->release();
}
