#include <gtest/gtest.h>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSNotification.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"

namespace {

class Listener : public NSObject {
    KORVEL_OBJC_CLASS(Listener)
public:
    void heard(NSNotification* n) {
        log.push_back(n->name()->str());
        last = n;
        if (onHear) onHear(n);
    }
    std::vector<std::string> log;
    Ref<NSNotification> last;
    std::function<void(NSNotification*)> onHear;
};

Class Listener::class_() {
    static Class cls = objc::ClassBuilder<Listener>("TestNotificationListener", NSObject::class_())
                           .method<&Listener::heard>("heard:")
                           .build();
    return cls;
}

class NotificationTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (auto& l : listeners) center->removeObserver(l.get());
    }
    Ref<Listener> listener() {
        listeners.push_back(make<Listener>());
        return listeners.back();
    }
    NSNotificationCenter* center = NSNotificationCenter::defaultCenter();
    SEL heard = sel_registerName("heard:");
    std::vector<Ref<Listener>> listeners;
};

}  // namespace

TEST_F(NotificationTest, DeliversByNameAndObjectWithTheUserInfo) {
    auto app = make<NSObject>();
    auto other = make<NSObject>();
    auto byName = listener();
    auto byObject = listener();
    auto everything = listener();
    center->addObserver(byName.get(), heard, "kAppSettingChanged"_ns, nullptr);
    center->addObserver(byObject.get(), heard, "Background"_ns, app.get());
    center->addObserver(everything.get(), heard, nullptr, nullptr);

    auto info = make<NSDictionary>(std::initializer_list<std::pair<NSObject*, NSObject*>>{
        {"mail_label_style"_ns.get(), NSNumber::numberWithInt(6).get()}});
    center->postNotificationName("kAppSettingChanged"_ns, "mail_label_style"_ns.get(), info.get());
    center->postNotificationName("Background"_ns, other.get());
    center->postNotificationName("Background"_ns, app.get());

    EXPECT_EQ(byName->log, std::vector<std::string>{"kAppSettingChanged"});
    auto* key = objc::cast<NSString>(byName->last->object());
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->str(), "mail_label_style");
    EXPECT_EQ(byName->last->userInfo(), info.get());
    EXPECT_EQ(byObject->log, std::vector<std::string>{"Background"});
    EXPECT_EQ(byObject->last->object(), app.get());
    EXPECT_EQ(everything->log.size(), 3u);
}

TEST_F(NotificationTest, RemovingOneRegistrationOrAllOfAnObserver) {
    auto a = listener();
    auto b = listener();
    center->addObserver(a.get(), heard, "One"_ns, nullptr);
    center->addObserver(a.get(), heard, "Two"_ns, nullptr);
    center->addObserver(b.get(), heard, "One"_ns, nullptr);
    center->addObserver(b.get(), heard, "Two"_ns, nullptr);
    center->removeObserver(a.get(), "One"_ns, nullptr);
    center->removeObserver(b.get());
    center->postNotificationName("One"_ns, nullptr);
    center->postNotificationName("Two"_ns, nullptr);
    EXPECT_EQ(a->log, std::vector<std::string>{"Two"});
    EXPECT_TRUE(b->log.empty());
}

TEST_F(NotificationTest, RemovalByObjectLeavesOtherObjectsRegistered) {
    auto a = listener();
    auto first = make<NSObject>();
    auto second = make<NSObject>();
    center->addObserver(a.get(), heard, "N"_ns, first.get());
    center->addObserver(a.get(), heard, "N"_ns, second.get());
    center->removeObserver(a.get(), nullptr, first.get());
    center->postNotificationName("N"_ns, first.get());
    center->postNotificationName("N"_ns, second.get());
    ASSERT_EQ(a->log.size(), 1u);
    EXPECT_EQ(a->last->object(), second.get());
}

TEST_F(NotificationTest, FunctionObserversAndTheirRemoval) {
    int calls = 0;
    Ref<NSObject> token = center->addObserverForName("Tick"_ns, nullptr, [&](NSNotification*) { ++calls; });
    center->postNotificationName("Tick"_ns, nullptr);
    center->removeObserver(token.get());
    center->postNotificationName("Tick"_ns, nullptr);
    EXPECT_EQ(calls, 1);
}

TEST_F(NotificationTest, ObserversRemovedDuringADeliveryHearNothingMore) {
    auto first = listener();
    auto second = listener();
    auto* rawSecond = second.get();
    first->onHear = [&](NSNotification*) {
        // The second observer goes away entirely while the first is called.
        center->removeObserver(rawSecond);
        listeners.pop_back();
        second = nullptr;
    };
    center->addObserver(first.get(), heard, "Go"_ns, nullptr);
    center->addObserver(rawSecond, heard, "Go"_ns, nullptr);
    center->postNotificationName("Go"_ns, nullptr);
    EXPECT_EQ(first->log.size(), 1u);
}

TEST_F(NotificationTest, ObserversAddedDuringADeliveryWaitForTheNextOne) {
    auto first = listener();
    auto late = listener();
    first->onHear = [&](NSNotification*) { center->addObserver(late.get(), heard, "Go"_ns, nullptr); };
    center->addObserver(first.get(), heard, "Go"_ns, nullptr);
    center->postNotificationName("Go"_ns, nullptr);
    EXPECT_TRUE(late->log.empty());
    first->onHear = nullptr;
    center->postNotificationName("Go"_ns, nullptr);
    EXPECT_EQ(late->log.size(), 1u);
}

TEST_F(NotificationTest, AFunctionObserverMayRemoveItselfWhileCalled) {
    int calls = 0;
    Ref<NSObject> token;
    token = center->addObserverForName("Once"_ns, nullptr, [&, keep = make<NSObject>()](NSNotification*) {
        ++calls;
        center->removeObserver(token.get());
    });
    center->postNotificationName("Once"_ns, nullptr);
    center->postNotificationName("Once"_ns, nullptr);
    EXPECT_EQ(calls, 1);
}

TEST_F(NotificationTest, PostingThroughTheRuntime) {
    auto a = listener();
    objc::send<void, id, SEL, id, id>(center, "addObserver:selector:name:object:", a.get(), heard, "R"_ns.get(),
                                      nullptr);
    objc::send<void, id, id, id>(center, "postNotificationName:object:userInfo:", "R"_ns.get(), nullptr, nullptr);
    objc::send<void, id>(center, "removeObserver:", a.get());
    objc::send<void, id, id, id>(center, "postNotificationName:object:userInfo:", "R"_ns.get(), nullptr, nullptr);
    EXPECT_EQ(a->log.size(), 1u);
    EXPECT_EQ(a->last->userInfo(), nullptr);
    // A nil name is not a notification.
    center->addObserver(a.get(), heard, nullptr, nullptr);
    center->postNotificationName(nullptr, nullptr);
    EXPECT_EQ(a->log.size(), 1u);
}
