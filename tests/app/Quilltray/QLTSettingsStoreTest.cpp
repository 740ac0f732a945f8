#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "Foundation/NSDictionary.h"
#include "Foundation/NSException.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Quilltray/Models/QLTAbstractSettingsStore.h"
#include "Quilltray/Models/QLTSettingsStoreFile.h"
#include "Quilltray/Models/QLTSettingsStoreUserDefaults.h"
#include "app/Quilltray/SettingsDevice.h"
#include "objc/ClassBuilder.h"

namespace {

std::string bytesOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const char* kStore = "/var/mobile/Library/store.plist";

Ref<QLTSettingsStoreFile> fileStore() { return make<QLTSettingsStoreFile>()->initWithPath(NSString::from(kStore)); }

}  // namespace

// Every operation built on the two primitives raises their exception, also
// when sent by name through the runtime; synchronize writes nothing.
TEST(QLTSettingsStore, TheAbstractStoreRaisesUnimplemented) {
    const std::string setter = "setObject:forKey: must be implemented in subclasses of QLTAbstractSettingsStore";
    const std::string getter = "objectForKey: must be implemented in subclasses of QLTAbstractSettingsStore";
    auto store = make<QLTAbstractSettingsStore>();
    Ref<NSString> key = "k"_ns;
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { store->setObject("v"_ns, key); }, setter},
        {[&] { store->setBool(true, key); }, setter},
        {[&] { store->setFloat(1, key); }, setter},
        {[&] { store->setDouble(1, key); }, setter},
        {[&] { store->setInteger(1, key); }, setter},
        {[&] { objc::send<void, BOOL, id>(store.get(), "setBool:forKey:", YES, key.get()); }, setter},
        {[&] { store->objectForKey(key); }, getter},
        {[&] { store->boolForKey(key); }, getter},
        {[&] { store->floatForKey(key); }, getter},
        {[&] { store->doubleForKey(key); }, getter},
        {[&] { store->integerForKey(key); }, getter},
        {[&] { objc::send<int, id>(store.get(), "integerForKey:", key.get()); }, getter},
    };
    for (const auto& [operation, reason] : cases) {
        try {
            operation();
            ADD_FAILURE() << "no exception for " << reason;
        } catch (const Ref<NSException>& e) {
            EXPECT_EQ(e->name()->str(), "Unimplemented");
            EXPECT_EQ(e->reason()->str(), reason);
        }
    }
    EXPECT_FALSE(store->synchronize());
    EXPECT_TRUE(store->conformsToProtocol(QLTSettingsStore::kName));
}

TEST(QLTSettingsStore, TheUserDefaultsStorePassesThrough) {
    SettingsDevice device;
    auto store = make<QLTSettingsStoreUserDefaults>();
    store->setBool(true, "on"_ns);
    store->setInteger(7, "seven"_ns);
    store->setDouble(0.25, "quarter"_ns);
    NSUserDefaults* defaults = NSUserDefaults::standardUserDefaults();
    EXPECT_TRUE(defaults->boolForKey("on"_ns));
    EXPECT_EQ(defaults->integerForKey("seven"_ns), 7);
    defaults->setObject("text"_ns, "said"_ns);
    EXPECT_EQ(objc::cast<NSString>(store->objectForKey("said"_ns).get())->str(), "text");
    EXPECT_EQ(store->floatForKey("quarter"_ns), 0.25f);
    EXPECT_EQ(store->integerForKey("absent"_ns), 0);
    EXPECT_TRUE(store->synchronize());
    auto saved = NSDictionary::dictionaryWithContentsOfFile(
        NSString::from("/var/mobile/Library/Preferences/" + defaults->domain() + ".plist"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->count(), 4u);
}

// The file store keeps values in memory and writes all of them, with what the
// file held, only on synchronize; a file that is no dictionary is replaced.
TEST(QLTSettingsStore, TheFileStoreWritesOnlyOnSynchronize) {
    struct Case {
        const char* what;
        std::string before;  // "" for no file
        NSUInteger keysAfter;
    };
    const Case cases[] = {
        {"a dictionary file", SettingsDevice::plist("<dict><key>old</key><string>kept</string></dict>"), 3},
        {"an array file", SettingsDevice::plist("<array><string>x</string></array>"), 2},
        {"a damaged file", "<plist><dict><key>", 2},
        {"no file", "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SettingsDevice device;
        std::filesystem::path file = device.host(kStore);
        std::filesystem::create_directories(file.parent_path());
        if (!c.before.empty()) std::ofstream(file, std::ios::binary) << c.before;

        auto store = fileStore();
        store->setBool(true, "on"_ns);
        store->setObject("text"_ns, "said"_ns);
        auto on = objc::cast<NSNumber>(store->objectForKey("on"_ns).get());
        ASSERT_TRUE(on);
        EXPECT_EQ(on->intValue(), 1);
        EXPECT_EQ(store->integerForKey("on"_ns), 1);
        EXPECT_EQ(std::filesystem::exists(file) ? bytesOf(file) : "", c.before);

        EXPECT_TRUE(store->synchronize());
        auto saved = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kStore));
        ASSERT_TRUE(saved);
        EXPECT_EQ(saved->count(), c.keysAfter);
        EXPECT_TRUE(saved->objectForKey("said"_ns)->isEqual("text"_ns));
        EXPECT_EQ(fileStore()->boolForKey("on"_ns), true);
    }
}

TEST(QLTSettingsStore, AFailedWriteAnswersNoAndKeepsTheValues) {
    SettingsDevice device;
    Ref<QLTSettingsStoreFile> store =
        make<QLTSettingsStoreFile>()->initWithPath("/var/mobile/Library/NoSuchFolder/store.plist"_ns);
    store->setObject("text"_ns, "said"_ns);
    EXPECT_FALSE(store->synchronize());
    EXPECT_TRUE(store->objectForKey("said"_ns)->isEqual("text"_ns));
    EXPECT_FALSE(std::filesystem::exists(device.host("/var/mobile/Library/NoSuchFolder")));
}

// A writer killed at any moment leaves the old file or the new one, whole.
// The kill time follows the edge between the two, so that many kills land
// while the file is being written.
TEST(QLTSettingsStore, AKilledWriterLeavesTheOldOrTheNewFile) {
    SettingsDevice device;
    std::filesystem::create_directories(device.host(kStore).parent_path());
    const std::size_t payloadSize = 64 * 1024;
    auto write = [&](int generation) {
        auto store = fileStore();
        store->setInteger(generation, "generation"_ns);
        store->setObject(NSString::from(std::string(payloadSize, static_cast<char>('a' + generation % 26))),
                         "payload"_ns);
        return store->synchronize();
    };
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(write(0));
    double delay = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();

    std::mt19937 random(12345);
    int generation = 0, sawOld = 0, sawNew = 0;
    for (int trial = 0; trial < 200; ++trial) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(write(generation + 1) ? 0 : 1);
        std::this_thread::sleep_for(
            std::chrono::microseconds(static_cast<long>(delay * std::uniform_real_distribution<>(0.5, 1.5)(random))));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        auto saved = NSDictionary::dictionaryWithContentsOfFile(NSString::from(kStore));
        ASSERT_TRUE(saved) << "trial " << trial;
        int found = objc::sendIfAnswered<int>(saved->objectForKey("generation"_ns), "intValue");
        ASSERT_TRUE(found == generation || found == generation + 1) << "trial " << trial << ": " << found;
        auto* payload = objc::cast<NSString>(saved->objectForKey("payload"_ns));
        ASSERT_TRUE(payload && payload->str() == std::string(payloadSize, static_cast<char>('a' + found % 26)))
            << "trial " << trial;
        if (found == generation) {
            ++sawOld;
            delay *= 1.1;
        } else {
            ++sawNew;
            ++generation;
            delay *= 0.9;
        }
    }
    // Both outcomes occurred, so kills did land around the write.
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}
