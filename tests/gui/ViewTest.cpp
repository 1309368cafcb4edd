#include <gtest/gtest.h>

#include "gui/View.h"

namespace {

// Counts its destruction so that a test can see when release frees it.
class CountedView final : public View {
public:
    CountedView(const Rect& r, int& destructions) : View(r), destroyed(destructions) {}

private:
    ~CountedView() override { ++destroyed; }
    int& destroyed;
};

}  // namespace

TEST(ViewHitTest, PointsOnTheRightAndBottomEdgeAreInside) {
    int destroyed = 0;
    auto* v = new CountedView({10, 10, 20, 20}, destroyed);
    EXPECT_TRUE(v->hitTest({20, 20}, 0));
    EXPECT_TRUE(v->hitTest({10, 10}, 0));
    EXPECT_FALSE(v->hitTest({21, 15}, 0));
    EXPECT_FALSE(v->hitTest({15, 9}, 0));
    v->release();
}

TEST(ViewIntersection, ARectangleTouchingTheEdgeIntersects) {
    int destroyed = 0;
    auto* v = new CountedView({10, 10, 20, 20}, destroyed);
    EXPECT_TRUE(v->intersects({20, 0, 30, 10}));
    EXPECT_FALSE(v->intersects({21, 0, 30, 30}));
    EXPECT_FALSE(v->intersects({0, 0, 9, 30}));
    v->release();
}

TEST(ViewReferences, TheReleaseThatReachesZeroDestroysAndNoOtherDoes) {
    int destroyed = 0;
    auto* v = new CountedView({0, 0, 1, 1}, destroyed);
    EXPECT_EQ(v->refCount(), 1);
    v->addRef();
    v->release();
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(v->refCount(), 1);
    v->release();
    EXPECT_EQ(destroyed, 1);
}

TEST(ViewDirty, SetBoundsMarksDirtyAndLeavesTheMouseArea) {
    int destroyed = 0;
    auto* v = new CountedView({0, 0, 5, 5}, destroyed);
    EXPECT_FALSE(v->isDirty());
    v->setBounds({1, 1, 6, 6});
    EXPECT_TRUE(v->isDirty());
    Rect area;
    v->getMouseArea(area);
    EXPECT_EQ(area, (Rect{0, 0, 5, 5}));
    Rect b;
    v->getBounds(b);
    EXPECT_EQ(b, (Rect{1, 1, 6, 6}));
    v->draw(nullptr);
    EXPECT_FALSE(v->isDirty());
    v->release();
}

TEST(ViewRedraw, WithoutAContextTheViewStaysDirty) {
    int destroyed = 0;
    auto* v = new CountedView({0, 0, 5, 5}, destroyed);
    v->setDirty(true);
    v->redrawIfDirty(nullptr);
    EXPECT_TRUE(v->isDirty());
    v->release();
}

TEST(ViewDefaults, EventsAreDeclinedAndThereIsNoEditorWithoutAFrame) {
    int destroyed = 0;
    auto* v = new CountedView({0, 0, 5, 5}, destroyed);
    Point p{1, 1};
    EXPECT_FALSE(v->onDrop(nullptr, 0, 0, p));
    EXPECT_FALSE(v->onWheel(nullptr, p, 1.0f));
    EXPECT_EQ(v->query(1, 2), 0);
    EXPECT_EQ(v->getEditor(), nullptr);
    EXPECT_TRUE(v->isMouseEnabled());
    EXPECT_FALSE(v->isTransparent());
    v->release();
}
