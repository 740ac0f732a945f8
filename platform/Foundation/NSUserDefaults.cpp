#include "Foundation/NSUserDefaults.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

#include "Device/DeviceFolder.h"
#include "Foundation/NSBundle.h"
#include "Foundation/NSLog.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNotificationCenter.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

namespace fs = std::filesystem;

NSString* const NSUserDefaultsDidChangeNotification = NSString::from("NSUserDefaultsDidChangeNotification").leak();

namespace {

constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences";

Ref<NSUserDefaults>& standard() {
    static Ref<NSUserDefaults> defaults;
    return defaults;
}

}  // namespace

Class NSUserDefaults::class_() {
    using D = NSUserDefaults;
    static Class cls = objc::ClassBuilder<D>("NSUserDefaults", NSObject::class_())
                           .classMethod<&D::standardUserDefaults>("standardUserDefaults")
                           .classMethod<&D::resetStandardUserDefaults>("resetStandardUserDefaults")
                           .method<&D::objectForKey>("objectForKey:")
                           .method<&D::setObject>("setObject:forKey:")
                           .method<&D::removeObjectForKey>("removeObjectForKey:")
                           .method<&D::boolForKey>("boolForKey:")
                           .method<&D::integerForKey>("integerForKey:")
                           .method<&D::floatForKey>("floatForKey:")
                           .method<&D::doubleForKey>("doubleForKey:")
                           .method<&D::setBool>("setBool:forKey:")
                           .method<&D::setInteger>("setInteger:forKey:")
                           .method<&D::setFloat>("setFloat:forKey:")
                           .method<&D::setDouble>("setDouble:forKey:")
                           .method<&D::dictionaryForKey>("dictionaryForKey:")
                           .method<&D::synchronize>("synchronize")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSUserDefaults::class_();

NSUserDefaults::NSUserDefaults(std::string domain)
    : domain_(std::move(domain)),
      path_(std::string(kPreferencesFolder) + "/" + domain_ + ".plist"),
      disk_(NSDictionary::dictionary()) {
    readFile();
    values_ = NSMutableDictionary::dictionaryWithDictionary(disk_);
}

NSUserDefaults::~NSUserDefaults() = default;

NSUserDefaults* NSUserDefaults::standardUserDefaults() {
    Ref<NSUserDefaults>& defaults = standard();
    if (!defaults) {
        Ref<NSString> identifier = NSBundle::mainBundle()->bundleIdentifier();
        std::string domain = identifier ? identifier->str() : "";
        // The domain names a file: it must not lead out of the folder.
        if (domain.empty() || domain.find('/') != std::string::npos || domain.starts_with("."))
            domain = program_invocation_short_name;
        defaults = make<NSUserDefaults>(domain);
    }
    return defaults.get();
}

void NSUserDefaults::resetStandardUserDefaults() {
    if (standard()) standard()->synchronize();
    standard() = nullptr;
}

Ref<NSObject> NSUserDefaults::objectForKey(NSString* key) const {
    return key ? Ref<NSObject>(values_->objectForKey(key)) : nullptr;
}

void NSUserDefaults::setObject(NSObject* value, NSString* key) {
    if (!key) {
        NSLog("NSUserDefaults: a value without a key is not stored.");
        return;
    }
    if (!value) {
        removeObjectForKey(key);
        return;
    }
    // Stored as a copy of its own, so that later changes to a mutable value
    // do not leak in; the round trip also proves it is a property list.
    auto bytes = PropertyListFile::serialize(value);
    Ref<NSObject> copy = bytes ? PropertyListFile::parse(std::move(*bytes)) : nullptr;
    if (!copy) {
        NSLog("NSUserDefaults: the value for \"%@\" is not a property list and is not stored.", key);
        return;
    }
    change(key->str(), copy);
}

void NSUserDefaults::removeObjectForKey(NSString* key) {
    if (key) change(key->str(), nullptr);
}

void NSUserDefaults::change(const std::string& key, Ref<NSObject> value) {
    auto pending = std::find_if(pending_.begin(), pending_.end(), [&](const auto& p) { return p.first == key; });
    if (pending != pending_.end()) pending->second = value;
    else pending_.emplace_back(key, value);

    auto k = NSString::from(key);
    NSObject* old = values_->objectForKey(k);
    bool differs = value ? !(old && old->isEqual(value)) : old != nullptr;
    if (value) values_->setObject(value, k);
    else values_->removeObjectForKey(k);
    if (differs) NSNotificationCenter::defaultCenter()->postNotificationName(NSUserDefaultsDidChangeNotification, this);
}

bool NSUserDefaults::boolForKey(NSString* key) const {
    return objc::sendIfAnswered<BOOL>(objectForKey(key), "boolValue");
}

NSInteger NSUserDefaults::integerForKey(NSString* key) const {
    return objc::sendIfAnswered<NSInteger>(objectForKey(key), "integerValue");
}

float NSUserDefaults::floatForKey(NSString* key) const {
    return objc::sendIfAnswered<float>(objectForKey(key), "floatValue");
}

double NSUserDefaults::doubleForKey(NSString* key) const {
    return objc::sendIfAnswered<double>(objectForKey(key), "doubleValue");
}

void NSUserDefaults::setBool(bool value, NSString* key) { setObject(NSNumber::numberWithBool(value), key); }

void NSUserDefaults::setInteger(NSInteger value, NSString* key) {
    setObject(NSNumber::numberWithInteger(value), key);
}

void NSUserDefaults::setFloat(float value, NSString* key) { setObject(NSNumber::numberWithFloat(value), key); }

void NSUserDefaults::setDouble(double value, NSString* key) { setObject(NSNumber::numberWithDouble(value), key); }

Ref<NSDictionary> NSUserDefaults::dictionaryForKey(NSString* key) const {
    Ref<NSObject> value = objectForKey(key);
    return objc::cast<NSDictionary>(value.get());
}

bool NSUserDefaults::synchronize() {
    const bool changedOnDisk = stampOfFile() != diskStamp_;
    if (!changedOnDisk && pending_.empty()) return true;
    if (changedOnDisk && readFile()) {
        auto merged = NSMutableDictionary::dictionaryWithDictionary(disk_);
        for (const auto& [key, value] : pending_) {
            if (value) merged->setObject(value, NSString::from(key));
            else merged->removeObjectForKey(NSString::from(key));
        }
        adopt(merged);
    }
    if (pending_.empty() || (!keepAside_ && !pendingDiffersFromFile())) {
        pending_.clear();
        return true;
    }
    std::error_code ec;
    fs::create_directories(DeviceFolder::resolve(kPreferencesFolder), ec);
    if (keepAside_ && !keepFileAside()) return false;
    if (!values_->writeToFile(NSString::from(path_), true)) return false;
    disk_ = NSDictionary::dictionaryWithDictionary(values_);
    diskStamp_ = stampOfFile();
    keepAside_ = false;
    pending_.clear();
    return true;
}

bool NSUserDefaults::pendingDiffersFromFile() const {
    return std::any_of(pending_.begin(), pending_.end(), [this](const auto& change) {
        NSObject* onDisk = disk_->objectForKey(NSString::from(change.first));
        return change.second ? !(onDisk && onDisk->isEqual(change.second)) : onDisk != nullptr;
    });
}

void NSUserDefaults::adopt(Ref<NSMutableDictionary> values) {
    bool differs = !values_->isEqual(values);
    values_ = values;
    if (differs) NSNotificationCenter::defaultCenter()->postNotificationName(NSUserDefaultsDidChangeNotification, this);
}

NSUserDefaults::FileStamp NSUserDefaults::stampOfFile() const {
    struct stat st;
    if (::stat(DeviceFolder::resolve(path_).c_str(), &st) != 0) return {};
    return {true, st.st_dev, st.st_ino, st.st_size,
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

bool NSUserDefaults::readFile() {
    diskStamp_ = stampOfFile();
    if (!diskStamp_.exists) {
        disk_ = NSDictionary::dictionary();
        keepAside_ = false;
        return true;
    }
    PropertyListFile::Contents contents = PropertyListFile::readWhole(NSString::from(path_));
    auto* dictionary = objc::cast<NSDictionary>(contents.root.get());
    keepAside_ = !dictionary || !contents.whole;
    if (!dictionary) {
        NSLog("NSUserDefaults: %s is not a readable preferences file; it is left as it is.", path_);
        return false;
    }
    disk_ = dictionary;
    if (keepAside_)
        NSLog("NSUserDefaults: %s did not read whole; what could be read is used, and the file is kept aside "
              "before it is replaced.",
              path_);
    return true;
}

bool NSUserDefaults::keepFileAside() const {
    std::string file = DeviceFolder::resolve(path_);
    for (int n = 1; n < 1000; ++n) {
        std::string suffix = ".unreadable" + (n > 1 ? "." + std::to_string(n) : std::string());
        std::error_code ec;
        if (fs::exists(fs::symlink_status(file + suffix, ec))) continue;
        // A second name for the same file needs no permission to read it.
        fs::create_hard_link(file, file + suffix, ec);
        if (ec) fs::copy_file(file, file + suffix, ec);
        if (ec) break;
        NSLog("NSUserDefaults: %s, which did not read whole, is kept as %s%s.", path_, path_, suffix);
        return true;
    }
    NSLog("NSUserDefaults: %s did not read whole and cannot be kept aside, so it is not replaced.", path_);
    return false;
}
