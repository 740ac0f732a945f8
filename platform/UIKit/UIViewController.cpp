#include "UIKit/UIViewController.h"

#include <unordered_map>

#include "Foundation/NSArray.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSString.h"
#include "UIKit/UIApplication.h"
#include "UIKit/UINavigationController.h"
#include "UIKit/UINavigationItem.h"
#include "UIKit/UINib.h"
#include "UIKit/UIScreen.h"
#include "UIKit/UIView.h"
#include "UIKit/UIWindow.h"
#include "objc/ClassBuilder.h"

namespace {

std::unordered_map<const UIView*, UIViewController*>& controllers() {
    static std::unordered_map<const UIView*, UIViewController*> map;
    return map;
}

}  // namespace

Class UIViewController::class_() {
    static Class cls =
        objc::ClassBuilder<UIViewController>("UIViewController", UIResponder::class_())
            .method<&UIViewController::init>("init")
            .method<&UIViewController::initWithNibName>("initWithNibName:bundle:")
            .method<&UIViewController::nibName>("nibName")
            .method<&UIViewController::nibBundle>("nibBundle")
            .method<&UIViewController::view>("view")
            .method<&UIViewController::setView>("setView:")
            .method<&UIViewController::isViewLoaded>("isViewLoaded")
            .method<&UIViewController::loadView>("loadView")
            .method<&UIViewController::viewDidLoad>("viewDidLoad")
            .method<&UIViewController::viewDidUnload>("viewDidUnload")
            .method<&UIViewController::didReceiveMemoryWarning>("didReceiveMemoryWarning")
            .method<&UIViewController::viewWillAppear>("viewWillAppear:")
            .method<&UIViewController::viewDidAppear>("viewDidAppear:")
            .method<&UIViewController::viewWillDisappear>("viewWillDisappear:")
            .method<&UIViewController::viewDidDisappear>("viewDidDisappear:")
            .method<&UIViewController::title>("title")
            .method<&UIViewController::setTitle>("setTitle:")
            .method<&UIViewController::navigationItem>("navigationItem")
            .method<&UIViewController::navigationController>("navigationController")
            .method<&UIViewController::parentViewController>("parentViewController")
            .method<&UIViewController::modalViewController>("modalViewController")
            .method<&UIViewController::presentModalViewController>("presentModalViewController:animated:")
            .method<&UIViewController::dismissModalViewControllerAnimated>("dismissModalViewControllerAnimated:")
            .method<&UIViewController::interfaceOrientation>("interfaceOrientation")
            .method<&UIViewController::shouldAutorotateToInterfaceOrientation>(
                "shouldAutorotateToInterfaceOrientation:")
            .allocatable()
            .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = UIViewController::class_();

UIViewController::UIViewController() = default;

UIViewController::~UIViewController() {
    if (view_) controllers().erase(view_.get());
    if (modal_) modal_->presenter_ = nullptr;
}

UIViewController* UIViewController::init() { return initWithNibName(nullptr, nullptr); }

UIViewController* UIViewController::initWithNibName(NSString* nibName, NSBundle* bundle) {
    nibName_ = nibName ? NSString::stringWithString(nibName) : nullptr;
    nibBundle_ = bundle;
    return this;
}

UIView* UIViewController::view() {
    if (!view_) {
        Ref<UIViewController> keep(this);
        objc::send<void>(this, "loadView");
        // A loadView that made nothing still leaves a view to show.
        if (!view_) loadPlainView();
        objc::send<void>(this, "viewDidLoad");
    }
    return view_;
}

void UIViewController::setView(UIView* view) {
    if (view == view_.get()) return;
    if (view_) controllers().erase(view_.get());
    if (view) {
        // A view belongs to one controller at a time.
        if (UIViewController* previous = controllerOfView(view)) previous->setView(nullptr);
        controllers()[view] = this;
    }
    view_ = view;
}

UIViewController* UIViewController::controllerOfView(const UIView* view) {
    auto found = controllers().find(view);
    return found == controllers().end() ? nullptr : found->second;
}

void UIViewController::loadView() {
    if (!UINib::loadViewOfController(this)) loadPlainView();
}

void UIViewController::loadPlainView() {
    Ref<UIView> view = UIView::withFrame(UIScreen::mainScreen()->bounds());
    view->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    setView(view);
}

void UIViewController::didReceiveMemoryWarning() {
    if (!view_ || view_->superview()) return;
    setView(nullptr);
    objc::send<void>(this, "viewDidUnload");
}

void UIViewController::viewWillAppear(bool) {}
void UIViewController::viewDidAppear(bool) {}
void UIViewController::viewWillDisappear(bool) {}
void UIViewController::viewDidDisappear(bool) {}

void UIViewController::setTitle(NSString* title) {
    title_ = title ? NSString::stringWithString(title) : nullptr;
    if (navigationItem_) navigationItem_->setTitle(title_);
}

UINavigationItem* UIViewController::navigationItem() {
    if (!navigationItem_) navigationItem_ = UINavigationItem::withTitle(title_);
    return navigationItem_;
}

UINavigationController* UIViewController::navigationController() const {
    for (UIViewController* c = parent_; c; c = c->parent_)
        if (auto* navigation = objc::cast<UINavigationController>(c)) return navigation;
    return nullptr;
}

UIViewController* UIViewController::parentViewController() const { return parent_ ? parent_ : presenter_; }

UIInterfaceOrientation UIViewController::interfaceOrientation() const {
    auto* window = objc::cast<UIWindow>(view_ ? view_->window() : nullptr);
    return window ? window->interfaceOrientation() : UIInterfaceOrientationPortrait;
}

bool UIViewController::shouldAutorotateToInterfaceOrientation(NSInteger orientation) {
    return orientation == UIInterfaceOrientationPortrait;
}

void UIViewController::sendAppearance(const char* selector, bool animated) {
    objc::send<void, BOOL>(this, selector, animated ? YES : NO);
}

void UIViewController::presentModalViewController(UIViewController* controller, bool animated) {
    if (!controller || controller == this || controller->presenter_ || controller->parent_) return;
    UIViewController* presenter = this;
    while (presenter->parent_) presenter = presenter->parent_;
    while (presenter->modal_) presenter = presenter->modal_;
    if (presenter == controller) return;

    Ref<UIViewController> keep(this);
    presenter->modal_ = controller;
    controller->presenter_ = presenter;

    presenter->sendAppearance("viewWillDisappear:", animated);
    UIView* shown = controller->view();
    controller->sendAppearance("viewWillAppear:", animated);

    UIView* covered = presenter->view_;
    UIView* window = covered ? covered->window() : nullptr;
    if (!window) window = UIApplication::sharedApplication() ? UIApplication::sharedApplication()->keyWindow() : nullptr;
    if (window) {
        shown->setTransform(CGAffineTransformIdentity);
        shown->setFrame(window->bounds());
        window->addSubview(shown);
        if (auto* turned = objc::cast<UIWindow>(window)) turned->orientScreenView(shown);
    }
    if (covered && covered->superview()) {
        presenter->coveredSuperview_ = covered->superview();
        presenter->coveredIndex_ =
            static_cast<NSInteger>(presenter->coveredSuperview_->subviews()->indexOfObject(covered));
        covered->removeFromSuperview();
    }

    controller->sendAppearance("viewDidAppear:", animated);
    presenter->sendAppearance("viewDidDisappear:", animated);
}

void UIViewController::dismissModalViewControllerAnimated(bool animated) {
    if (!modal_) {
        if (UIViewController* next = parent_ ? parent_ : presenter_) next->dismissModalViewControllerAnimated(animated);
        return;
    }
    Ref<UIViewController> keep(this);
    Ref<UIViewController> first = modal_;
    UIViewController* top = first;
    while (top->modal_) top = top->modal_;

    top->sendAppearance("viewWillDisappear:", animated);
    sendAppearance("viewWillAppear:", animated);

    if (coveredSuperview_ && view_) {
        coveredSuperview_->insertSubview(view_, coveredIndex_);
        // The device may have turned while the screen was covered.
        if (auto* window = objc::cast<UIWindow>(coveredSuperview_.get())) window->orientScreenView(view_);
    }
    coveredSuperview_ = nullptr;
    // Every screen of the chain leaves; the ones below the top were already
    // covered.
    for (UIViewController* c = first; c; c = c->modal_) {
        if (c->view_) c->view_->removeFromSuperview();
        c->coveredSuperview_ = nullptr;
    }

    top->sendAppearance("viewDidDisappear:", animated);
    sendAppearance("viewDidAppear:", animated);

    for (UIViewController* c = first; c; c = c->modal_) c->presenter_ = nullptr;
    Ref<UIViewController> chain = first;
    while (chain) {
        Ref<UIViewController> next = chain->modal_;
        chain->modal_ = nullptr;
        chain = next;
    }
    modal_ = nullptr;
}
