#include "UIKit/UINavigationController.h"

#include <algorithm>

#include "Foundation/NSArray.h"
#include "UIKit/UINavigationBar.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIToolbar.h"
#include "UIKit/UIView.h"
#include "objc/ClassBuilder.h"

Class UINavigationController::class_() {
    using N = UINavigationController;
    static Class cls =
        objc::ClassBuilder<N>("UINavigationController", UIViewController::class_())
            .method<&N::initWithRootViewController>("initWithRootViewController:")
            .method<&N::viewControllers>("viewControllers")
            .method<&N::setViewControllers>("setViewControllers:animated:")
            .method<&N::topViewController>("topViewController")
            .method<&N::visibleViewController>("visibleViewController")
            .method<&N::pushViewController>("pushViewController:animated:")
            .method<&N::popViewControllerAnimated>("popViewControllerAnimated:")
            .method<&N::popToRootViewControllerAnimated>("popToRootViewControllerAnimated:")
            .method<&N::navigationBar>("navigationBar")
            .method<&N::isNavigationBarHidden>("isNavigationBarHidden")
            .method<static_cast<void (N::*)(bool)>(&N::setNavigationBarHidden)>("setNavigationBarHidden:")
            .method<static_cast<void (N::*)(bool, bool)>(&N::setNavigationBarHidden)>(
                "setNavigationBarHidden:animated:")
            .method<&N::toolbar>("toolbar")
            .method<&N::isToolbarHidden>("isToolbarHidden")
            .method<static_cast<void (N::*)(bool)>(&N::setToolbarHidden)>("setToolbarHidden:")
            .method<static_cast<void (N::*)(bool, bool)>(&N::setToolbarHidden)>("setToolbarHidden:animated:")
            .method<&N::delegate>("delegate")
            .method<&N::setDelegate>("setDelegate:")
            .method<&N::navigationBarShouldPopItem>("navigationBar:shouldPopItem:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UINavigationController::class_();

UINavigationController::UINavigationController() {
    CGRect screen = UIScreen::mainScreen()->bounds();
    navigationBar_ =
        UIView::withFrame<UINavigationBar>(CGRectMake(0, 0, screen.size.width, UINavigationBar::kHeight));
    navigationBar_->setDelegate(this);
    toolbar_ = UIView::withFrame<UIToolbar>(
        CGRectMake(0, screen.size.height - UIToolbar::kHeight, screen.size.width, UIToolbar::kHeight));
    toolbar_->setHidden(true);
}

UINavigationController::~UINavigationController() {
    navigationBar_->setDelegate(nullptr);
    for (auto& controller : stack_) controller->parent_ = nullptr;
}

UINavigationController* UINavigationController::initWithRootViewController(UIViewController* root) {
    init();
    if (adoptable(root)) {
        root->parent_ = this;
        stack_.emplace_back(root);
        navigationBar_->pushNavigationItem(root->navigationItem(), false);
    }
    return this;
}

Ref<UINavigationController> UINavigationController::withRootViewController(UIViewController* root) {
    auto navigation = make<UINavigationController>();
    navigation->initWithRootViewController(root);
    return navigation;
}

bool UINavigationController::adoptable(UIViewController* controller) {
    if (!controller || controller == this || controller->presenter_) return false;
    if (auto* other = objc::cast<UINavigationController>(controller->parent_); other && other != this)
        other->letGo(controller);
    return !controller->parent_;
}

void UINavigationController::letGo(UIViewController* controller) {
    auto found = std::find(stack_.begin(), stack_.end(), controller);
    if (found == stack_.end()) return;
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> leaving = *found;
    bool wasTop = leaving.get() == topViewController();
    stack_.erase(found);
    leaving->parent_ = nullptr;
    showStackItems(false);
    if (leaving->isViewLoaded() && isViewLoaded() && leaving->view()->superview() == view())
        leaving->view()->removeFromSuperview();
    if (wasTop && isViewLoaded() && topViewController()) {
        view()->insertSubview(topViewController()->view(), 0);
        layoutBars();
    }
}

void UINavigationController::showStackItems(bool animated) {
    std::vector<Ref<NSObject>> items;
    for (auto& controller : stack_) items.emplace_back(controller->navigationItem());
    navigationBar_->setItems(make<NSArray>(std::move(items)), animated);
}

Ref<NSArray> UINavigationController::viewControllers() const {
    return make<NSArray>(std::vector<Ref<NSObject>>(stack_.begin(), stack_.end()));
}

void UINavigationController::setViewControllers(NSArray* controllers, bool animated) {
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> outgoing = topViewController();
    std::vector<Ref<UIViewController>> old = std::move(stack_);
    stack_.clear();
    for (auto& controller : old) controller->parent_ = nullptr;
    NSUInteger count = controllers ? controllers->count() : 0;
    for (NSUInteger i = 0; i < count; ++i) {
        auto* controller = objc::cast<UIViewController>(controllers->objectAtIndex(i));
        if (!adoptable(controller)) continue;
        controller->parent_ = this;
        stack_.emplace_back(controller);
    }
    showStackItems(animated);
    UIViewController* incoming = topViewController();
    if (incoming != outgoing.get()) transition(outgoing, incoming, animated);
}

UIViewController* UINavigationController::topViewController() const {
    return stack_.empty() ? nullptr : stack_.back().get();
}

UIViewController* UINavigationController::visibleViewController() const {
    // Screens in the stack present from the stack itself.
    return modalViewController() ? modalViewController() : topViewController();
}

void UINavigationController::pushViewController(UIViewController* controller, bool animated) {
    if (!adoptable(controller)) return;
    Ref<UINavigationController> keep(this);
    UIViewController* outgoing = topViewController();
    controller->parent_ = this;
    stack_.emplace_back(controller);
    navigationBar_->pushNavigationItem(controller->navigationItem(), animated);
    transition(outgoing, controller, animated);
}

Ref<UIViewController> UINavigationController::popViewControllerAnimated(bool animated) {
    if (stack_.size() < 2) return nullptr;
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> popped = stack_.back();
    stack_.pop_back();
    navigationBar_->popNavigationItemAnimated(animated);
    transition(popped, topViewController(), animated);
    popped->parent_ = nullptr;
    return popped;
}

Ref<NSArray> UINavigationController::popToRootViewControllerAnimated(bool animated) {
    std::vector<Ref<NSObject>> popped;
    if (stack_.size() < 2) return make<NSArray>(std::move(popped));
    Ref<UINavigationController> keep(this);
    Ref<UIViewController> outgoing = stack_.back();
    popped.assign(stack_.begin() + 1, stack_.end());
    stack_.resize(1);
    while (navigationBar_->backItem()) navigationBar_->popNavigationItemAnimated(animated);
    transition(outgoing, topViewController(), animated);
    for (auto& controller : popped) objc::cast<UIViewController>(controller.get())->parent_ = nullptr;
    return make<NSArray>(std::move(popped));
}

void UINavigationController::setNavigationBarHidden(bool hidden) { setNavigationBarHidden(hidden, false); }

void UINavigationController::setNavigationBarHidden(bool hidden, bool) {
    navigationBarHidden_ = hidden;
    navigationBar_->setHidden(hidden);
    layoutBars();
}

void UINavigationController::setToolbarHidden(bool hidden) { setToolbarHidden(hidden, false); }

void UINavigationController::setToolbarHidden(bool hidden, bool) {
    toolbarHidden_ = hidden;
    toolbar_->setHidden(hidden);
    layoutBars();
}

void UINavigationController::loadView() {
    Ref<UIView> view = UIView::withFrame(UIScreen::mainScreen()->bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(view);
    view->addSubview(navigationBar_);
    view->addSubview(toolbar_);
    if (UIViewController* top = topViewController()) view->insertSubview(top->view(), 0);
    layoutBars();
}

CGRect UINavigationController::contentFrame() const {
    CGRect frame = isViewLoaded() ? const_cast<UINavigationController*>(this)->view()->bounds()
                                  : UIScreen::mainScreen()->bounds();
    CGFloat top = navigationBarHidden_ ? 0 : UINavigationBar::kHeight;
    CGFloat bottom = toolbarHidden_ ? 0 : UIToolbar::kHeight;
    return CGRectMake(0, top, frame.size.width, std::max<CGFloat>(0, frame.size.height - top - bottom));
}

void UINavigationController::layoutBars() {
    if (!isViewLoaded()) return;
    CGRect b = view()->bounds();
    navigationBar_->setFrame(CGRectMake(0, 0, b.size.width, UINavigationBar::kHeight));
    toolbar_->setFrame(CGRectMake(0, b.size.height - UIToolbar::kHeight, b.size.width, UIToolbar::kHeight));
    if (UIViewController* top = topViewController(); top && top->isViewLoaded()) {
        UIView* content = top->view();
        content->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        content->setFrame(contentFrame());
    }
}

bool UINavigationController::onScreen() const {
    return isViewLoaded() && const_cast<UINavigationController*>(this)->view()->window();
}

void UINavigationController::tellDelegate(const char* selector, UIViewController* shown, bool animated) {
    SEL s = sel_registerName(selector);
    if (delegate_ && shown && delegate_->respondsToSelector(s))
        objc::send<void, id, id, BOOL>(delegate_, s, this, shown, animated ? YES : NO);
}

void UINavigationController::transition(UIViewController* outgoing, UIViewController* incoming, bool animated) {
    if (!isViewLoaded()) return;
    Ref<UIViewController> keepOut(outgoing), keepIn(incoming);
    bool appearing = onScreen();
    tellDelegate("navigationController:willShowViewController:animated:", incoming, animated);
    if (appearing && outgoing) outgoing->sendAppearance("viewWillDisappear:", animated);
    UIView* shown = incoming ? incoming->view() : nullptr;
    if (appearing && incoming) incoming->sendAppearance("viewWillAppear:", animated);
    if (outgoing && outgoing->isViewLoaded()) outgoing->view()->removeFromSuperview();
    if (shown) {
        // Below the bars.
        view()->insertSubview(shown, 0);
        layoutBars();
    }
    if (appearing && outgoing) outgoing->sendAppearance("viewDidDisappear:", animated);
    if (appearing && incoming) incoming->sendAppearance("viewDidAppear:", animated);
    tellDelegate("navigationController:didShowViewController:animated:", incoming, animated);
}

void UINavigationController::viewWillAppear(bool animated) {
    UIViewController* top = topViewController();
    tellDelegate("navigationController:willShowViewController:animated:", top, animated);
    if (top) top->sendAppearance("viewWillAppear:", animated);
}

void UINavigationController::viewDidAppear(bool animated) {
    UIViewController* top = topViewController();
    if (top) top->sendAppearance("viewDidAppear:", animated);
    tellDelegate("navigationController:didShowViewController:animated:", top, animated);
}

void UINavigationController::viewWillDisappear(bool animated) {
    if (UIViewController* top = topViewController()) top->sendAppearance("viewWillDisappear:", animated);
}

void UINavigationController::viewDidDisappear(bool animated) {
    if (UIViewController* top = topViewController()) top->sendAppearance("viewDidDisappear:", animated);
}

bool UINavigationController::navigationBarShouldPopItem(UINavigationBar*, UINavigationItem* item) {
    UIViewController* top = topViewController();
    if (top && top->navigationItem() == item) popViewControllerAnimated(true);
    return false;
}
