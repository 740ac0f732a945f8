// The app's preferences domain, kept in memory and saved to
// "/var/mobile/Library/Preferences/<domain>.plist" by synchronize. Other
// processes may write the same file: synchronize picks up what they wrote,
// with this process's own unsaved changes taking precedence key by key.
// A preferences file that cannot be read, or does not read whole (a value
// dropped, a reference broken, a limit reached anywhere in it), is never
// overwritten unseen: before the first write replaces it, it is kept byte
// for byte beside the new one (".unreadable") and reported in the log.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

#include "objc/NSObject.h"

class NSDictionary;
class NSMutableDictionary;
class NSString;

// Posted (object: the defaults) whenever a value changes, by this process or
// when synchronize picks up another's.
extern NSString* const NSUserDefaultsDidChangeNotification;

class NSUserDefaults : public NSObject {
    KORVEL_OBJC_CLASS(NSUserDefaults)
public:
    // Reads the domain's file at once.
    explicit NSUserDefaults(std::string domain);
    ~NSUserDefaults() override;

    // The domain of the main bundle's identifier (the program's name when it
    // has none).
    static NSUserDefaults* standardUserDefaults();
    // Saves and drops the shared object; the next call makes a new one.
    static void resetStandardUserDefaults();

    const std::string& domain() const { return domain_; }

    Ref<NSObject> objectForKey(NSString* key) const;
    // A nil value removes the key. A value that is not a property list (or a
    // nil key) is refused with a log line, leaving the defaults unchanged.
    void setObject(NSObject* value, NSString* key);
    void removeObjectForKey(NSString* key);

    // A number's or a text's value; NO or 0 for anything else or nothing.
    bool boolForKey(NSString* key) const;
    NSInteger integerForKey(NSString* key) const;
    float floatForKey(NSString* key) const;
    double doubleForKey(NSString* key) const;
    void setBool(bool value, NSString* key);
    void setInteger(NSInteger value, NSString* key);
    void setFloat(float value, NSString* key);
    void setDouble(double value, NSString* key);
    // nil unless the value is a dictionary.
    Ref<NSDictionary> dictionaryForKey(NSString* key) const;

    // Merges what another process wrote with this process's changes and
    // writes the whole domain atomically when a change differs from the file.
    // With nothing changed here or there it only looks at the file's stamp.
    // Answers whether the defaults and the file now agree.
    bool synchronize();

private:
    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified = 0;
        bool operator==(const FileStamp&) const = default;
    };

    FileStamp stampOfFile() const;
    // Reads the file into disk_; NO when it is there but is not a readable
    // property-list dictionary (disk_ then keeps the last good contents).
    bool readFile();
    // Whether a pending change differs from what the file holds.
    bool pendingDiffersFromFile() const;
    // Keeps the file on disk under a free ".unreadable" name.
    bool keepFileAside() const;
    void change(const std::string& key, Ref<NSObject> value);
    // Replaces values_, posting the change notification when they differ.
    void adopt(Ref<NSMutableDictionary> values);

    std::string domain_;
    std::string path_;  // phone path of the file
    Ref<NSMutableDictionary> values_;
    // The file's contents as last read or written, and its stamp then.
    Ref<NSDictionary> disk_;
    FileStamp diskStamp_;
    // The file on disk did not read whole and is kept aside before it is replaced.
    bool keepAside_ = false;
    // This process's changes since the last write, in order: the new value,
    // or nil for a removal.
    std::vector<std::pair<std::string, Ref<NSObject>>> pending_;
};
