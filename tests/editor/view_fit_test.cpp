// Placing a project in the view: centred and whole, the outline itself untouched.

#include <gtest/gtest.h>

#include "editor/view_fit.h"
#include "model/view_transform.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(ViewFit, AnOutlineAroundItsFirstCornerIsCentredAndWhole) {
    TestDocument t;
    // As the headless program makes it: corner A at the origin, the room to its lower right.
    setOutline(*t, {{0, 0}, {0, 600}, {900, 600}, {900, 0}});
    t->view.viewWidth = 800;
    t->view.viewHeight = 600;
    ASSERT_FALSE(outlineWhollyInView(*t, 2));
    ASSERT_TRUE(placeOutlineInView(*t));
    EXPECT_TRUE(outlineWhollyInView(*t, 2));
    const ScreenPoint centre = worldToScreen(*t, 450, 300);
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 300, 1);
    EXPECT_EQ(t->polygon.at(2).x, 900) << "only the view changes";
    // Already whole: left as the user had it.
    const float scale = t->view.scaleX;
    EXPECT_FALSE(placeOutlineInView(*t));
    EXPECT_EQ(t->view.scaleX, scale);
}

TEST(ViewFit, ASmallOutlineKeepsItsScaleAndNothingHappensWithoutAView) {
    TestDocument t;
    setOutline(*t, {{1000, 1000}, {1100, 1000}, {1100, 1100}});
    t->view.viewWidth = 800;
    t->view.viewHeight = 600;
    ASSERT_TRUE(placeOutlineInView(*t));
    EXPECT_EQ(t->view.scaleX, 1.0f);
    EXPECT_TRUE(outlineWhollyInView(*t, 2));
    t->view.viewWidth = 0;
    t->view.panX = 0;
    EXPECT_FALSE(placeOutlineInView(*t));
    TestDocument empty;
    empty->view.viewWidth = 800;
    empty->view.viewHeight = 600;
    EXPECT_FALSE(placeOutlineInView(*empty));
}
