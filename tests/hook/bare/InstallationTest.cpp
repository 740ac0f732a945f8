// Installing the hook into processes with different Mail classes. The library
// installs once, when it is loaded, so every scenario runs in a child process
// that sets its classes up and then loads the library.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "Foundation/NSString.h"
#include "UIKit/UITableViewCell.h"
#include "objc/ClassBuilder.h"

namespace {

int failures = 0;

#define CHILD_CHECK(condition)                                                \
    do {                                                                      \
        if (!(condition)) {                                                   \
            std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #condition); \
            ++failures;                                                       \
        }                                                                     \
    } while (0)

// Runs `scenario` in a child process; the child's checks decide its exit code.
void inChild(const std::function<void()>& scenario) {
    EXPECT_EXIT(
        {
            scenario();
            std::fflush(stderr);
            std::_Exit(failures == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

void loadHook() {
    if (!dlopen(KORVEL_HOOK_LIBRARY, RTLD_NOW | RTLD_GLOBAL)) {
        std::fprintf(stderr, "could not load the hook: %s\n", dlerror());
        std::_Exit(2);
    }
}

int baseCalls = 0;
int laterBaseCalls = 0;

CGRect laterDateFrame(id, SEL, CGRect rect) {
    ++laterBaseCalls;
    return CGRectOffset(rect, 100, 0);
}

// A Mail-like cell class hierarchy: the base has the three methods.
class BaseCell : public UITableViewCell {
    KORVEL_OBJC_CLASS(BaseCell)
public:
    UITableViewCell* initWithStyle(NSInteger style, NSString* reuseIdentifier) override {
        ++baseCalls;
        return UITableViewCell::initWithStyle(style, reuseIdentifier);
    }
    void setMessage(NSObject*, bool) { ++baseCalls; }
    CGRect dateLabelFrame(CGRect rect) {
        ++baseCalls;
        return CGRectOffset(rect, 1, 0);
    }
};

Class BaseCell::class_() {
    static Class cls = objc::ClassBuilder<BaseCell>("FakeMailBaseCell", UITableViewCell::class_())
                           .method<&BaseCell::initWithStyle>("initWithStyle:reuseIdentifier:")
                           .method<&BaseCell::setMessage>("setMessage:threaded:")
                           .method<&BaseCell::dateLabelFrame>("_dateLabelFrame:")
                           .build();
    return cls;
}

// Inherits all three methods and has none of its own.
class InheritingCell : public BaseCell {
    KORVEL_OBJC_CLASS(InheritingCell)
};

Class InheritingCell::class_() {
    static Class cls = objc::ClassBuilder<InheritingCell>("MailboxContentViewCell", BaseCell::class_()).build();
    return cls;
}

// Has the three methods of its own.
class OwningCell : public BaseCell {
    KORVEL_OBJC_CLASS(OwningCell)
};

Class OwningCell::class_() {
    static Class cls = objc::ClassBuilder<OwningCell>("MailboxContentViewCell", UITableViewCell::class_())
                           .method<&BaseCell::initWithStyle>("initWithStyle:reuseIdentifier:")
                           .method<&BaseCell::setMessage>("setMessage:threaded:")
                           .method<&BaseCell::dateLabelFrame>("_dateLabelFrame:")
                           .build();
    return cls;
}

// No class in its chain has the methods.
class BareObject : public NSObject {
    KORVEL_OBJC_CLASS(BareObject)
};

Class BareObject::class_() {
    static Class cls = objc::ClassBuilder<BareObject>("MailboxContentViewCell", NSObject::class_()).build();
    return cls;
}

SEL selector(const char* name) { return sel_registerName(name); }

}  // namespace

TEST(HookInstallation, ProcessWithoutMailClassesIsLeftUnchanged) {
    inChild([] {
        Class cell = UITableViewCell::class_();
        IMP before = class_getMethodImplementation(cell, selector("initWithStyle:reuseIdentifier:"));
        loadHook();
        CHILD_CHECK(objc_getClass("MailboxContentViewCell") == nullptr);
        CHILD_CHECK(objc_getClass("MailboxPickerController") == nullptr);
        CHILD_CHECK(class_getMethodImplementation(cell, selector("initWithStyle:reuseIdentifier:")) == before);
        CHILD_CHECK(class_getInstanceMethod(cell, selector("_dateLabelFrame:")) == nullptr);
    });
}

TEST(HookInstallation, InheritedMethodsGetAnOverrideThatForwardsToTheSuperclassesCurrentOne) {
    inChild([] {
        Class target = InheritingCell::class_();
        Class base = BaseCell::class_();
        IMP baseDate = class_getMethodImplementation(base, selector("_dateLabelFrame:"));
        loadHook();
        for (const char* name : {"initWithStyle:reuseIdentifier:", "setMessage:threaded:", "_dateLabelFrame:"})
            CHILD_CHECK(target->ownMethod(selector(name)) != nullptr);
        // The base class itself is untouched.
        CHILD_CHECK(class_getMethodImplementation(base, selector("_dateLabelFrame:")) == baseDate);

        baseCalls = 0;
        auto cell = UITableViewCell::cellWithStyle<InheritingCell>(UITableViewCellStyleDefault, "x"_ns);
        CHILD_CHECK(baseCalls == 1);                  // the forwarder reached the base's init
        CHILD_CHECK(cell->viewWithTag(333) != nullptr);  // and the replacement made the label
        CGRect moved = objc::send<CGRect, CGRect>(cell.get(), "_dateLabelFrame:", CGRectMake(10, 5, 40, 18));
        CHILD_CHECK(moved.origin.x == 11);
        objc::send<void, id, BOOL>(cell.get(), "setMessage:threaded:", nullptr, NO);
        CHILD_CHECK(baseCalls == 3);

        // The forwarder looks the superclass's implementation up at every call.
        method_setImplementation(class_getInstanceMethod(base, selector("_dateLabelFrame:")),
                                 reinterpret_cast<IMP>(&laterDateFrame));
        moved = objc::send<CGRect, CGRect>(cell.get(), "_dateLabelFrame:", CGRectMake(10, 5, 40, 18));
        CHILD_CHECK(laterBaseCalls == 1);
        CHILD_CHECK(moved.origin.x == 110);
    });
}

TEST(HookInstallation, OwnMethodsAreReplacedInPlaceAndStillRun) {
    inChild([] {
        Class target = OwningCell::class_();
        Method date = target->ownMethod(selector("_dateLabelFrame:"));
        IMP former = method_getImplementation(date);
        loadHook();
        CHILD_CHECK(target->ownMethod(selector("_dateLabelFrame:")) == date);
        CHILD_CHECK(method_getImplementation(date) != former);

        baseCalls = 0;
        auto cell = UITableViewCell::cellWithStyle<OwningCell>(UITableViewCellStyleDefault, "x"_ns);
        CHILD_CHECK(baseCalls == 1);
        CHILD_CHECK(cell->viewWithTag(333) != nullptr);
        CGRect moved = objc::send<CGRect, CGRect>(cell.get(), "_dateLabelFrame:", CGRectMake(10, 5, 40, 18));
        CHILD_CHECK(moved.origin.x == 11 && baseCalls == 2);
    });
}

TEST(HookInstallation, MethodsNobodyHasAreAddedWithTheirWrittenOutTypes) {
    inChild([] {
        Class target = BareObject::class_();
        loadHook();
        Method init = target->ownMethod(selector("initWithStyle:reuseIdentifier:"));
        Method assign = target->ownMethod(selector("setMessage:threaded:"));
        Method date = target->ownMethod(selector("_dateLabelFrame:"));
        CHILD_CHECK(init && assign && date);
        if (!init || !assign || !date) return;
        CHILD_CHECK(std::string(method_getTypeEncoding(init)) == "@@:i@");
        CHILD_CHECK(std::string(method_getTypeEncoding(assign)) == "v@:@c");
        CHILD_CHECK(std::string(method_getTypeEncoding(date)) ==
                    "{CGRect={CGPoint=ff}{CGSize=ff}}@:{CGRect={CGPoint=ff}{CGSize=ff}}");
        // With nothing to call first, the date frame comes back as given.
        auto object = make<BareObject>();
        CGRect given = CGRectMake(3, 4, 5, 6);
        CHILD_CHECK(CGRectEqualToRect(objc::send<CGRect, CGRect>(object.get(), "_dateLabelFrame:", given), given));
    });
}
