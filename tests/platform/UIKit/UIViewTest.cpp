#include <gtest/gtest.h>

#include <vector>

#include "Foundation/NSArray.h"
#include "TestSupport.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIView.h"
#include "objc/ClassBuilder.h"

namespace {

std::vector<UIView*> subviewsOf(UIView* view) {
    std::vector<UIView*> out;
    Ref<NSArray> list = view->subviews();
    for (NSUInteger i = 0; i < list->count(); ++i) out.push_back(objc::cast<UIView>(list->objectAtIndex(i)));
    return out;
}

int destroyedViews = 0;

class CountedView : public UIView {
public:
    ~CountedView() override { ++destroyedViews; }
};

class LayoutCountingView : public UIView {
public:
    void layoutSubviews() override { ++layouts; }
    int layouts = 0;
};

}  // namespace

TEST(UIView, FrameBoundsAndCenterAreOneGeometry) {
    auto view = UIView::withFrame(CGRectMake(10, 20, 100, 50));
    expectRect(view->bounds(), 0, 0, 100, 50);
    EXPECT_FLOAT_EQ(view->center().x, 60);
    EXPECT_FLOAT_EQ(view->center().y, 45);
    view->setCenter(CGPointMake(0, 0));
    expectRect(view->frame(), -50, -25, 100, 50);
    view->setBounds(CGRectMake(0, 0, 20, 10));
    expectRect(view->frame(), -10, -5, 20, 10);
    view->setTransform(CGAffineTransformMakeScale(3, 3));
    expectRect(view->frame(), -30, -15, 60, 30);
    expectRect(view->bounds(), 0, 0, 20, 10);
    // The anchor point lives in the layer; moving it moves the frame.
    view->setTransform(CGAffineTransformIdentity);
    view->layer()->setAnchorPoint(CGPointMake(0, 0));
    expectRect(view->frame(), 0, 0, 20, 10);
}

TEST(UIView, PropertiesAreTheLayers) {
    auto view = UIView::withFrame(CGRectZero);
    EXPECT_FLOAT_EQ(view->alpha(), 1);
    EXPECT_FALSE(view->isHidden());
    EXPECT_FALSE(view->clipsToBounds());
    EXPECT_EQ(view->backgroundColor(), nullptr);
    EXPECT_EQ(view->layer()->backgroundColor(), nullptr);
    view->setAlpha(0.3f);
    view->setHidden(true);
    view->setClipsToBounds(true);
    view->setBackgroundColor(UIColor::redColor());
    EXPECT_FLOAT_EQ(view->layer()->opacity(), 0.3f);
    EXPECT_TRUE(view->layer()->isHidden());
    EXPECT_TRUE(view->layer()->masksToBounds());
    ASSERT_NE(view->backgroundColor(), nullptr);
    EXPECT_EQ(view->layer()->backgroundColor(), view->backgroundColor()->CGColor());
    view->setBackgroundColor(nullptr);
    EXPECT_EQ(view->layer()->backgroundColor(), nullptr);
}

TEST(UIView, SubviewsAreOwnedAndMoveBetweenSuperviews) {
    destroyedViews = 0;
    auto a = UIView::withFrame(CGRectZero);
    auto b = UIView::withFrame(CGRectZero);
    {
        auto child = UIView::withFrame<CountedView>(CGRectZero);
        a->addSubview(child);
        EXPECT_EQ(child->superview(), a.get());
        b->addSubview(child);
        EXPECT_EQ(child->superview(), b.get());
    }
    EXPECT_TRUE(subviewsOf(a).empty());
    ASSERT_EQ(subviewsOf(b).size(), 1u);
    EXPECT_EQ(destroyedViews, 0);
    // The superview held the last reference.
    subviewsOf(b)[0]->removeFromSuperview();
    EXPECT_EQ(destroyedViews, 1);
    EXPECT_TRUE(subviewsOf(b).empty());

    // A destroyed superview leaves its surviving subviews without one.
    auto survivor = UIView::withFrame(CGRectZero);
    {
        auto parent = UIView::withFrame(CGRectZero);
        parent->addSubview(survivor);
    }
    EXPECT_EQ(survivor->superview(), nullptr);
}

TEST(UIView, OrderOperations) {
    auto parent = UIView::withFrame(CGRectZero);
    auto v1 = UIView::withFrame(CGRectZero), v2 = UIView::withFrame(CGRectZero), v3 = UIView::withFrame(CGRectZero);
    parent->addSubview(v1);
    parent->addSubview(v2);
    parent->addSubview(v3);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v1, v2, v3}));
    parent->bringSubviewToFront(v1);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v2, v3, v1}));
    parent->sendSubviewToBack(v3);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v3, v2, v1}));
    parent->insertSubview(v1, 1);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v3, v1, v2}));
    // Adding a subview again moves it to the top; indexes are clamped.
    parent->addSubview(v3);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v1, v2, v3}));
    parent->insertSubview(v3, -4);
    parent->insertSubview(v1, 99);
    EXPECT_EQ(subviewsOf(parent), (std::vector<UIView*>{v3, v2, v1}));
    // Views that are not subviews are left where they are.
    auto stranger = UIView::withFrame(CGRectZero);
    parent->bringSubviewToFront(stranger);
    parent->sendSubviewToBack(nullptr);
    EXPECT_EQ(stranger->superview(), nullptr);
    EXPECT_EQ(subviewsOf(parent).size(), 3u);
}

TEST(UIView, RefusesToMakeACycle) {
    auto parent = UIView::withFrame(CGRectZero);
    auto child = UIView::withFrame(CGRectZero);
    parent->addSubview(child);
    parent->addSubview(parent);
    child->addSubview(parent);
    child->addSubview(nullptr);
    EXPECT_EQ(parent->superview(), nullptr);
    EXPECT_TRUE(subviewsOf(child).empty());
    EXPECT_TRUE(child->isDescendantOfView(parent));
    EXPECT_FALSE(parent->isDescendantOfView(child));
}

TEST(UIView, ViewWithTagSearchesDepthFirstFromItself) {
    auto root = UIView::withFrame(CGRectZero);
    auto first = UIView::withFrame(CGRectZero), deep = UIView::withFrame(CGRectZero);
    auto second = UIView::withFrame(CGRectZero);
    root->addSubview(first);
    first->addSubview(deep);
    root->addSubview(second);
    deep->setTag(333);
    second->setTag(333);
    EXPECT_EQ(root->viewWithTag(333), deep.get());
    EXPECT_EQ(root->viewWithTag(0), root.get());
    EXPECT_EQ(root->viewWithTag(7), nullptr);
    root->setTag(333);
    EXPECT_EQ(root->viewWithTag(333), root.get());
}

TEST(UIView, AutoresizingFollowsTheSuperviewsSize) {
    auto row = UIView::withFrame(CGRectMake(0, 0, 320, 44));
    auto dot = UIView::withFrame(CGRectMake(300, 9, 10, 10));
    dot->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin);
    auto tint = UIView::withFrame(CGRectMake(0, 0, 320, 44));
    tint->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto fixed = UIView::withFrame(CGRectMake(11.5f, 8, 10, 10));
    auto centred = UIView::withFrame(CGRectMake(100, 10, 20, 20));
    centred->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                                 UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleHeight);
    for (auto* v : {dot.get(), tint.get(), fixed.get(), centred.get()}) row->addSubview(v);

    row->setFrame(CGRectMake(0, 0, 480, 64));
    expectRect(dot->frame(), 460, 9, 10, 10);
    expectRect(tint->frame(), 0, 0, 480, 44);
    expectRect(fixed->frame(), 11.5f, 8, 10, 10);
    // Margins 100 and 200 share the 160 points 1:2; top margin 10 and height
    // 20 share 20 points 1:2.
    expectRect(centred->frame(), 153.333333f, 16.666667f, 20, 33.333333f);

    // A move without a change of size resizes nothing.
    row->setFrame(CGRectMake(50, 50, 480, 64));
    expectRect(dot->frame(), 460, 9, 10, 10);

    row->setAutoresizesSubviews(false);
    row->setFrame(CGRectMake(0, 0, 320, 44));
    expectRect(dot->frame(), 460, 9, 10, 10);
}

TEST(UIView, AutoresizingNeverMakesANegativeSize) {
    auto parent = UIView::withFrame(CGRectMake(0, 0, 100, 100));
    auto child = UIView::withFrame(CGRectMake(0, 0, 10, 10));
    child->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    parent->addSubview(child);
    parent->setFrame(CGRectMake(0, 0, 50, 50));
    expectRect(child->frame(), 0, 0, 0, 0);
}

TEST(UIView, LayoutRunsOnceUntilTheSizeChanges) {
    auto root = UIView::withFrame<LayoutCountingView>(CGRectMake(0, 0, 10, 10));
    auto child = UIView::withFrame<LayoutCountingView>(CGRectMake(0, 0, 5, 5));
    root->addSubview(child);
    root->layoutIfNeeded();
    root->layoutIfNeeded();
    EXPECT_EQ(root->layouts, 1);
    EXPECT_EQ(child->layouts, 1);
    root->setFrame(CGRectMake(3, 3, 10, 10));
    root->layoutIfNeeded();
    EXPECT_EQ(root->layouts, 1);
    root->setFrame(CGRectMake(0, 0, 20, 10));
    child->setNeedsLayout();
    root->layoutIfNeeded();
    EXPECT_EQ(root->layouts, 2);
    EXPECT_EQ(child->layouts, 2);
}

TEST(UIView, ConvertsBetweenViewsThroughOffsetsBoundsAndTransforms) {
    auto root = UIView::withFrame(CGRectMake(0, 0, 320, 480));
    auto a = UIView::withFrame(CGRectMake(10, 20, 100, 100));
    auto b = UIView::withFrame(CGRectMake(5, 5, 50, 50));
    root->addSubview(a);
    a->addSubview(b);
    CGPoint p = b->convertPointToView(CGPointMake(1, 1), root);
    EXPECT_FLOAT_EQ(p.x, 16);
    EXPECT_FLOAT_EQ(p.y, 26);
    p = b->convertPointFromView(CGPointMake(16, 26), nullptr);
    EXPECT_FLOAT_EQ(p.x, 1);
    EXPECT_FLOAT_EQ(p.y, 1);

    // A scrolled superview (bounds origin moved) shows its content shifted.
    a->setBounds(CGRectMake(0, 30, 100, 100));
    p = b->convertPointToView(CGPointZero, root);
    EXPECT_FLOAT_EQ(p.x, 15);
    EXPECT_FLOAT_EQ(p.y, -5);

    auto other = UIView::withFrame(CGRectMake(100, 100, 10, 10));
    root->addSubview(other);
    other->setTransform(CGAffineTransformMakeScale(2, 2));
    CGRect r = other->convertRectToView(CGRectMake(0, 0, 10, 10), root);
    expectRect(r, 95, 95, 20, 20);
    r = other->convertRectFromView(CGRectMake(95, 95, 20, 20), root);
    expectRect(r, 0, 0, 10, 10);
    r = root->convertRectToView(CGRectMake(95, 95, 20, 20), other);
    expectRect(r, 0, 0, 10, 10);
}

TEST(UIView, HitTestFindsTheFrontmostVisibleInteractiveView) {
    auto root = UIView::withFrame(CGRectMake(0, 0, 100, 100));
    auto back = UIView::withFrame(CGRectMake(0, 0, 50, 50));
    auto front = UIView::withFrame(CGRectMake(25, 25, 50, 50));
    root->addSubview(back);
    root->addSubview(front);
    EXPECT_EQ(root->hitTest(CGPointMake(30, 30), nullptr), front.get());
    EXPECT_EQ(root->hitTest(CGPointMake(10, 10), nullptr), back.get());
    EXPECT_EQ(root->hitTest(CGPointMake(90, 10), nullptr), root.get());
    EXPECT_EQ(root->hitTest(CGPointMake(100, 10), nullptr), nullptr);
    front->setHidden(true);
    EXPECT_EQ(root->hitTest(CGPointMake(30, 30), nullptr), back.get());
    back->setUserInteractionEnabled(false);
    EXPECT_EQ(root->hitTest(CGPointMake(30, 30), nullptr), root.get());
    back->setUserInteractionEnabled(true);
    back->setAlpha(0.005f);
    EXPECT_EQ(root->hitTest(CGPointMake(30, 30), nullptr), root.get());
}

TEST(UIView, SizeToFitKeepsTheOrigin) {
    auto view = UIView::withFrame(CGRectMake(7, 8, 30, 40));
    view->sizeToFit();
    expectRect(view->frame(), 7, 8, 30, 40);
}

TEST(UIView, NeedsDisplayUntilDrawn) {
    auto view = UIView::withFrame(CGRectZero);
    EXPECT_TRUE(view->needsDisplay());
    view->clearNeedsDisplay();
    EXPECT_FALSE(view->needsDisplay());
    view->setNeedsDisplay();
    EXPECT_TRUE(view->needsDisplay());
}
