#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Foundation/NSException.h"
#include "Foundation/NSObjCRuntime.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "objc/ClassBuilder.h"
#include "objc/NSAutoreleasePool.h"

namespace {

int destroyed = 0;

class Animal : public NSObject {
    KORVEL_OBJC_CLASS(Animal)
public:
    ~Animal() override { ++destroyed; }
    int legs() const { return 4; }
    float scaled(float f, bool twice) { return twice ? f * 2 : f; }
    NSString* name() const { return name_; }
    static Ref<Animal> animalNamed(NSString* n) {
        auto a = make<Animal>();
        a->name_ = n;
        return a;
    }
    Ref<NSString> name_;
};

class Dog : public Animal {
    KORVEL_OBJC_CLASS(Dog)
};

Class Animal::class_() {
    static Class cls = objc::ClassBuilder<Animal>("TestAnimal", NSObject::class_())
                           .method<&Animal::legs>("legs")
                           .method<&Animal::scaled>("scaled:twice:")
                           .classMethod<&Animal::animalNamed>("animalNamed:")
                           .ivar("_name", [](Animal* a) { return a->name_.get(); })
                           .protocol("TestProtocol")
                           .build();
    return cls;
}

Class Dog::class_() {
    static Class cls = objc::ClassBuilder<Dog>("TestDog", Animal::class_()).build();
    return cls;
}

int replacement(id, SEL) { return 3; }
int otherReplacement(id, SEL) { return 5; }

}  // namespace

TEST(Runtime, ClassesAreFoundByNameWithTheirSuperclass) {
    Class dog = Dog::class_();
    EXPECT_EQ(objc_getClass("TestDog"), dog);
    EXPECT_EQ(class_getSuperclass(dog), Animal::class_());
    EXPECT_EQ(objc_getClass("NoSuchClass"), nullptr);
    EXPECT_EQ(objc_getClass(nullptr), nullptr);
    EXPECT_EQ(sel_registerName("legs"), sel_registerName("legs"));

    // By name from a text, as settings files name them: a selector only
    // when some class (or class object) answers it.
    EXPECT_EQ(NSClassFromString("TestDog"_ns), dog);
    EXPECT_EQ(NSClassFromString("NoSuchClass"_ns), nullptr);
    EXPECT_EQ(NSClassFromString(nullptr), nullptr);
    EXPECT_EQ(NSSelectorFromString("legs"_ns), sel_registerName("legs"));
    EXPECT_EQ(NSSelectorFromString("animalNamed:"_ns), sel_registerName("animalNamed:"));
    sel_registerName("answeredByNobody:");
    EXPECT_EQ(NSSelectorFromString("answeredByNobody:"_ns), nullptr);
    EXPECT_EQ(NSSelectorFromString(nullptr), nullptr);
}

TEST(Runtime, MethodSearchIncludesSuperclassesButAddingChecksOnlyTheClassItself) {
    // A class of the runtime alone, so that the method added here stays out
    // of the other tests' way.
    Class dog = objc::registerClass("TestRuntimeOnlyDog", Animal::class_());
    SEL legs = sel_registerName("legs");
    Method inherited = class_getInstanceMethod(dog, legs);
    ASSERT_NE(inherited, nullptr);
    EXPECT_STREQ(method_getTypeEncoding(inherited), "i@:");
    IMP previous = method_getImplementation(inherited);

    // The class only inherits the method, so adding it succeeds once.
    EXPECT_TRUE(class_addMethod(dog, legs, reinterpret_cast<IMP>(&replacement), "i@:"));
    EXPECT_FALSE(class_addMethod(dog, legs, reinterpret_cast<IMP>(&replacement), "i@:"));
    EXPECT_EQ(method_getImplementation(class_getInstanceMethod(Animal::class_(), legs)), previous);

    EXPECT_EQ(class_getMethodImplementation(dog, legs), reinterpret_cast<IMP>(&replacement));
    EXPECT_EQ(class_getMethodImplementation(Animal::class_(), legs), previous);
}

TEST(Runtime, LookupsAlreadyAnsweredFollowMethodsAddedLater) {
    // Each lookup is remembered per class, a miss too; adding a method
    // anywhere in the chain must be seen by the classes below at once.
    Class dog = Dog::class_();
    SEL wag = sel_registerName("testWag");
    auto d = make<Dog>();
    EXPECT_FALSE(class_respondsToSelector(dog, wag));
    EXPECT_FALSE(objc::responds(d.get(), "testWag"));
    ASSERT_TRUE(class_addMethod(Animal::class_(), wag, reinterpret_cast<IMP>(&replacement), "i@:"));
    EXPECT_TRUE(class_respondsToSelector(dog, wag));
    EXPECT_EQ(objc::send<int>(d.get(), "testWag"), 3);
    EXPECT_EQ(class_getInstanceMethod(dog, wag), class_getInstanceMethod(Animal::class_(), wag));
}

TEST(Runtime, EverySelectorOfABusyClassFindsItsOwnAnswer) {
    // More selectors than the class's first cache holds, so that some share
    // a slot and the cache grows while earlier answers are kept; misses too.
    Class busy = objc::registerClass("TestBusyClass", NSObject::class_());
    IMP answers[] = {reinterpret_cast<IMP>(&replacement), reinterpret_cast<IMP>(&otherReplacement)};
    std::vector<SEL> selectors;
    for (int i = 0; i < 400; ++i) {
        selectors.push_back(sel_registerName(("testBusy" + std::to_string(i)).c_str()));
        if (i % 4 != 3) {
            ASSERT_TRUE(class_addMethod(busy, selectors.back(), answers[i % 2], "i@:"));
        }
    }
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 400; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(class_respondsToSelector(busy, selectors[i]), i % 4 != 3);
            if (i % 4 != 3) {
                EXPECT_EQ(class_getMethodImplementation(busy, selectors[i]), answers[i % 2]);
            }
        }
    }
}

TEST(Runtime, NilClassesAndMethodsDoNothing) {
    SEL s = sel_registerName("legs");
    EXPECT_EQ(class_getInstanceMethod(nullptr, s), nullptr);
    EXPECT_FALSE(class_addMethod(nullptr, s, reinterpret_cast<IMP>(&replacement), "i@:"));
    EXPECT_EQ(method_getImplementation(nullptr), nullptr);
    EXPECT_EQ(method_setImplementation(nullptr, reinterpret_cast<IMP>(&replacement)), nullptr);
    EXPECT_EQ(class_getSuperclass(nullptr), nullptr);
    EXPECT_EQ(objc::send<int>(nullptr, "legs"), 0);
    EXPECT_EQ(objc::send<id>(nullptr, "description"), nullptr);
}

TEST(Runtime, SetImplementationReturnsTheFormerOne) {
    Method m = class_getInstanceMethod(Animal::class_(), sel_registerName("legs"));
    IMP old = method_setImplementation(m, reinterpret_cast<IMP>(&replacement));
    auto a = make<Animal>();
    EXPECT_EQ(a->performSelector(sel_registerName("self")), a.get());
    EXPECT_EQ(objc::send<int>(a.get(), "legs"), 3);
    EXPECT_EQ(method_setImplementation(m, old), reinterpret_cast<IMP>(&replacement));
    EXPECT_EQ(objc::send<int>(a.get(), "legs"), 4);
}

TEST(Runtime, ThunksConvertArgumentsAndResults) {
    auto a = make<Animal>();
    EXPECT_FLOAT_EQ((objc::send<float, float, BOOL>(a.get(), "scaled:twice:", 1.5f, YES)), 3.0f);
    EXPECT_STREQ(method_getTypeEncoding(class_getInstanceMethod(Animal::class_(), sel_registerName("scaled:twice:"))),
                 "f@:fc");

    NSAutoreleasePool pool;
    id made = objc::send<id, id>(reinterpret_cast<id>(Animal::class_()), "animalNamed:", "Rex"_ns.get());
    auto* animal = objc::cast<Animal>(made);
    ASSERT_NE(animal, nullptr);
    EXPECT_EQ(animal->retainCount(), 1u);  // held only by the pool
    EXPECT_EQ(animal->name()->str(), "Rex");
}

TEST(Runtime, ClassObjectsAnswerClassMethodsAndRootMethods) {
    id cls = reinterpret_cast<id>(Animal::class_());
    EXPECT_TRUE(objc::send<BOOL>(cls, "respondsToSelector:", sel_registerName("animalNamed:")));
    EXPECT_FALSE(objc::send<BOOL>(cls, "respondsToSelector:", sel_registerName("legs")));
    EXPECT_EQ(objc::send<Class>(cls, "class"), Animal::class_());
}

TEST(Runtime, UnrecognizedSelectorRaises) {
    auto a = make<Animal>();
    try {
        objc::send<id>(a.get(), "noSuchSelector");
        FAIL() << "no exception";
    } catch (const Ref<NSException>& e) {
        EXPECT_EQ(e->name()->str(), "NSInvalidArgumentException");
        EXPECT_EQ(e->reason()->str(), "-[TestAnimal noSuchSelector]: unrecognized selector sent to instance");
    }
}

TEST(Runtime, KindProtocolsAndResponds) {
    auto d = make<Dog>();
    EXPECT_TRUE(d->isKindOfClass(Animal::class_()));
    EXPECT_TRUE(d->isKindOfClass(NSObject::class_()));
    EXPECT_FALSE(d->isMemberOfClass(Animal::class_()));
    EXPECT_TRUE(d->conformsToProtocol("TestProtocol"));
    EXPECT_FALSE(d->conformsToProtocol("Other"));
    EXPECT_TRUE(d->respondsToSelector(sel_registerName("legs")));
    EXPECT_TRUE(objc::send<BOOL>(d.get(), "isKindOfClass:", Animal::class_()));
    EXPECT_FALSE(objc::send<BOOL>(d.get(), "isKindOfClass:", NSString::class_()));
}

TEST(Runtime, KeyValueCodingReadsInstanceVariablesByName) {
    auto a = Animal::animalNamed("Rex"_ns);
    EXPECT_EQ(NSObjectAdditions::valueForKeyPath(a, "_name"_ns), static_cast<id>(a->name()));
    EXPECT_EQ(NSObjectAdditions::valueForKeyPath(a, "name"_ns), static_cast<id>(a->name()));
    EXPECT_EQ(NSObjectAdditions::valueForKeyPath(a, "_missing"_ns), nullptr);
    EXPECT_EQ(NSObjectAdditions::valueForKeyPath(a, "_name.UTF8String.x"_ns), nullptr);
}

TEST(Runtime, RefCountingAndAutoreleasePools) {
    destroyed = 0;
    {
        NSAutoreleasePool pool;
        Animal* raw = new Animal;
        raw->autorelease();
        {
            Ref<Animal> held(raw);
            EXPECT_EQ(raw->retainCount(), 2u);
        }
        EXPECT_EQ(destroyed, 0);
        pool.drain();
        EXPECT_EQ(destroyed, 1);
        Ref<Animal> kept = make<Animal>();
        kept->retain()->autorelease();
    }
    EXPECT_EQ(destroyed, 2);  // the pool released the last reference
}
