#include <gtest/gtest.h>

#include "Foundation/NSData.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSException.h"
#include "Foundation/NSIndexPath.h"
#include "Foundation/NSMutableArray.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNull.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSSet.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// Counts hash and isEqual calls, to show lookups go by hash.
class CountingKey : public NSObject {
public:
    explicit CountingKey(int v) : value(v) {}
    std::size_t hash() const override {
        ++hashes;
        return static_cast<std::size_t>(value);
    }
    bool isEqual(const NSObject* other) const override {
        ++compares;
        auto* k = dynamic_cast<const CountingKey*>(other);
        return k && k->value == value;
    }
    int value;
    static inline int hashes = 0;
    static inline int compares = 0;
};

template <class F>
std::string raisedName(F f) {
    try {
        f();
    } catch (const Ref<NSException>& e) {
        return e->name()->str();
    }
    return "";
}

std::vector<std::string> texts(const NSArray* a) {
    std::vector<std::string> out;
    for (NSUInteger i = 0; i < a->count(); ++i) out.push_back(NSObjectAdditions::description(a->objectAtIndex(i))->str());
    return out;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST(NSDictionary, KeepsTheOrderInWhichKeysWereFirstSet) {
    auto d = NSMutableDictionary::dictionary();
    d->setObject("1"_ns, "zulu"_ns);
    d->setObject("2"_ns, "alpha"_ns);
    d->setObject("3"_ns, "mike"_ns);
    d->setObject("4"_ns, "alpha"_ns);  // replaces, keeps its place
    EXPECT_EQ(texts(d->allKeys()), (Strings{"zulu", "alpha", "mike"}));
    EXPECT_EQ(texts(d->allValues()), (Strings{"1", "4", "3"}));
    d->removeObjectForKey("zulu"_ns);
    d->setObject("5"_ns, "zulu"_ns);  // set again after removal: now last
    EXPECT_EQ(texts(d->allKeys()), (Strings{"alpha", "mike", "zulu"}));
    EXPECT_EQ(objc::cast<NSString>(d->objectForKey("mike"_ns))->str(), "3");
    d->removeObjectForKey("nothing"_ns);
    EXPECT_EQ(d->count(), 3u);
    d->removeAllObjects();
    EXPECT_EQ(d->count(), 0u);
    EXPECT_EQ(d->objectForKey("mike"_ns), nullptr);
}

TEST(NSDictionary, LooksKeysUpByHashAndEquality) {
    auto d = NSMutableDictionary::dictionary();
    std::vector<Ref<CountingKey>> keys;
    for (int i = 0; i < 1000; ++i) {
        keys.push_back(make<CountingKey>(i));
        d->setObject(NSNumber::numberWithInt(i), keys.back());
    }
    CountingKey::compares = 0;
    auto probe = make<CountingKey>(777);
    EXPECT_EQ(objc::cast<NSNumber>(d->objectForKey(probe))->intValue(), 777);
    EXPECT_LE(CountingKey::compares, 2);
    // Equal keys of other kinds find the same entry.
    d->setObject("one"_ns, NSNumber::numberWithInt(1));
    EXPECT_EQ(objc::cast<NSString>(d->objectForKey(NSNumber::numberWithDouble(1.0)))->str(), "one");
    EXPECT_EQ(objc::cast<NSString>(d->objectForKey(NSNumber::numberWithBool(true)))->str(), "one");
    d->removeObjectForKey(keys[10]);
    EXPECT_EQ(d->objectForKey(make<CountingKey>(10)), nullptr);
    EXPECT_EQ(objc::cast<NSNumber>(d->objectForKey(make<CountingKey>(999)))->intValue(), 999);
}

TEST(NSDictionary, EqualityIgnoresOrderAndCopiesAreIndependent) {
    NSDictionary a{{"x"_ns, NSNumber::numberWithInt(1)}, {"y"_ns, "2"_ns}};
    NSDictionary b{{"y"_ns, "2"_ns}, {"x"_ns, NSNumber::numberWithDouble(1.0)}};
    a.retain();  // stack objects must never reach a count of zero
    b.retain();
    EXPECT_TRUE(a.isEqual(&b));
    auto copy = NSMutableDictionary::dictionaryWithDictionary(&a);
    copy->setObject("3"_ns, "z"_ns);
    EXPECT_EQ(a.count(), 2u);
    EXPECT_FALSE(a.isEqual(copy));
    EXPECT_EQ(a.description()->str(), "{\n    x = 1;\n    y = 2;\n}");
}

TEST(NSDictionary, NilKeysAndValuesRaise) {
    auto d = NSMutableDictionary::dictionary();
    EXPECT_EQ(raisedName([&] { d->setObject(nullptr, "k"_ns); }), "NSInvalidArgumentException");
    EXPECT_EQ(raisedName([&] { d->setObject("v"_ns, nullptr); }), "NSInvalidArgumentException");
    EXPECT_EQ(raisedName([&] { d->removeObjectForKey(nullptr); }), "NSInvalidArgumentException");
    EXPECT_EQ(d->objectForKey(nullptr), nullptr);
}

TEST(NSDictionary, AnswersThroughTheRuntimeAsTheAppsUseIt) {
    NSAutoreleasePool pool;
    id d = objc::send<id>(reinterpret_cast<id>(objc_getClass("NSMutableDictionary")), "alloc");
    objc::send<void, id, id>(d, "setObject:forKey:", "v"_ns.get(), "k"_ns.get());
    EXPECT_EQ(objc::send<NSUInteger>(d, "count"), 1u);
    auto lookup = [&](const char* k) { return objc::send<id, id>(d, "objectForKey:", NSString::from(k).get()); };
    EXPECT_TRUE(objc::send<BOOL>(lookup("k"), "isEqualToString:", "v"_ns.get()));
    objc::send<void, id>(d, "removeObjectForKey:", "k"_ns.get());
    EXPECT_EQ(lookup("k"), nullptr);
    objc::send<void>(d, "release");
}

TEST(NSArray, MutatesAndSearchesByEquality) {
    auto a = NSMutableArray::array();
    a->addObject("b"_ns);
    a->insertObject("a"_ns, 0);
    a->addObject(NSNumber::numberWithInt(3));
    a->insertObject("end"_ns, 3);
    EXPECT_EQ(texts(a), (Strings{"a", "b", "3", "end"}));
    EXPECT_EQ(a->indexOfObject(NSNumber::numberWithDouble(3.0)), 2u);
    EXPECT_EQ(a->indexOfObject("zzz"_ns), static_cast<NSUInteger>(NSNotFound));
    EXPECT_TRUE(a->containsObject("b"_ns));
    a->replaceObjectAtIndex(1, "B"_ns);
    a->removeObjectAtIndex(0);
    a->addObject("B"_ns);
    a->removeObject("B"_ns);
    EXPECT_EQ(texts(a), (Strings{"3", "end"}));
    EXPECT_EQ(objc::cast<NSString>(a->lastObject())->str(), "end");
    a->removeLastObject();
    EXPECT_EQ(a->count(), 1u);
    a->removeAllObjects();
    EXPECT_EQ(a->firstObject(), nullptr);
    EXPECT_EQ(a->lastObject(), nullptr);
}

TEST(NSArray, OutOfRangeIndexesAndNilMembersRaise) {
    auto a = NSMutableArray::array();
    a->addObject("x"_ns);
    EXPECT_EQ(raisedName([&] { a->objectAtIndex(1); }), "NSRangeException");
    EXPECT_EQ(raisedName([&] { a->insertObject("y"_ns, 2); }), "NSRangeException");
    EXPECT_EQ(raisedName([&] { a->removeObjectAtIndex(5); }), "NSRangeException");
    EXPECT_EQ(raisedName([&] { a->addObject(nullptr); }), "NSInvalidArgumentException");
    EXPECT_EQ(raisedName([&] { NSArray::arrayWithObjects({"a"_ns, nullptr}); }), "NSInvalidArgumentException");
    EXPECT_EQ(raisedName([&] { NSArray::array()->objectAtIndex(0); }), "NSRangeException");
    EXPECT_EQ(a->count(), 1u);
}

TEST(NSArray, EqualityDescriptionAndRuntime) {
    auto a = NSArray::arrayWithObjects({"plain"_ns, "two words"_ns, NSNumber::numberWithInt(1)});
    auto b = NSArray::arrayWithObjects({"plain"_ns, "two words"_ns, NSNumber::numberWithBool(true)});
    EXPECT_TRUE(a->isEqual(b));
    EXPECT_FALSE(a->isEqual(NSArray::arrayWithObjects({"plain"_ns})));
    EXPECT_EQ(a->description()->str(), "(\n    plain,\n    \"two words\",\n    1\n)");
    EXPECT_EQ(NSArray::array()->description()->str(), "(\n)");
    EXPECT_EQ(objc::send<NSUInteger>(a.get(), "count"), 3u);
    id first = objc::send<id, NSUInteger>(a.get(), "objectAtIndex:", 0);
    EXPECT_EQ(first, a->objectAtIndex(0));
}

TEST(NSSet, HoldsDistinctMembersInFirstAddedOrder) {
    auto s = NSSet::setWithObjects({"b"_ns, "a"_ns, "b"_ns, NSNumber::numberWithInt(1), NSNumber::numberWithBool(true)});
    EXPECT_EQ(s->count(), 3u);
    EXPECT_EQ(texts(s->allObjects()), (Strings{"b", "a", "1"}));
    EXPECT_TRUE(s->containsObject("a"_ns));
    EXPECT_FALSE(s->containsObject("c"_ns));
    EXPECT_EQ(objc::cast<NSString>(s->anyObject())->str(), "b");
    EXPECT_EQ(NSSet::set()->anyObject(), nullptr);
    EXPECT_TRUE(s->isEqual(NSSet::setWithArray(NSArray::arrayWithObjects({NSNumber::numberWithInt(1), "a"_ns, "b"_ns}))));
    NSAutoreleasePool pool;
    id all = objc::send<id>(s.get(), "allObjects");
    EXPECT_EQ(objc::send<NSUInteger>(all, "count"), 3u);
}

TEST(NSIndexPath, CarriesSectionAndRow) {
    auto p = NSIndexPath::indexPathForRow(4, 1);
    EXPECT_EQ(p->section(), 1);
    EXPECT_EQ(p->row(), 4);
    EXPECT_TRUE(p->isEqual(NSIndexPath::indexPathForRow(4, 1)));
    EXPECT_FALSE(p->isEqual(NSIndexPath::indexPathForRow(1, 4)));
    EXPECT_EQ(p->hash(), NSIndexPath::indexPathForRow(4, 1)->hash());
    EXPECT_EQ(objc::send<NSInteger>(p.get(), "section"), 1);
    EXPECT_EQ(objc::send<NSInteger>(p.get(), "row"), 4);
    NSAutoreleasePool pool;
    id made = objc::send<id, NSInteger, NSInteger>(reinterpret_cast<id>(objc_getClass("NSIndexPath")),
                                                   "indexPathForRow:inSection:", 2, 3);
    EXPECT_EQ(objc::send<NSInteger>(made, "row"), 2);
    EXPECT_EQ(objc::send<NSInteger>(made, "section"), 3);
}

TEST(NSValues, DataDateAndNull) {
    auto d = NSData::dataWithBytes("\x01\x02\x03\x04\x05", 5);
    EXPECT_EQ(d->length(), 5u);
    EXPECT_EQ(d->description()->str(), "<01020304 05>");
    EXPECT_TRUE(d->isEqual(NSData::dataWithBytes("\x01\x02\x03\x04\x05", 5)));
    EXPECT_FALSE(d->isEqual(NSData::dataWithBytes("\x01", 1)));

    auto t = NSDate::dateWithTimeIntervalSince1970(978307200.0 + 86400 + 3661);
    EXPECT_EQ(t->timeIntervalSinceReferenceDate(), 86400 + 3661);
    EXPECT_EQ(t->description()->str(), "2001-01-02 01:01:01 +0000");
    EXPECT_TRUE(t->isEqual(NSDate::dateWithTimeIntervalSinceReferenceDate(90061)));

    EXPECT_EQ(NSNull::null().get(), NSNull::null().get());
    EXPECT_EQ(NSNull::null()->description()->str(), "<null>");
    EXPECT_FALSE(NSNull::null()->respondsToSelector(sel_registerName("intValue")));
    EXPECT_FALSE(d->respondsToSelector(sel_registerName("intValue")));
    EXPECT_FALSE(t->respondsToSelector(sel_registerName("intValue")));
    EXPECT_TRUE(NSNumber::numberWithInt(1)->respondsToSelector(sel_registerName("intValue")));
}
