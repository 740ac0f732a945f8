// A temporary device folder for the benchmarks, holding a realistic label
// preferences file: 20 addresses "person00@example0.com" to
// "person19@example1.com" with colour records, 5 of them also aliases, and
// the three options. Given a size, the file is filled up to exactly that
// many bytes with further addresses and a padding entry: a file at the size
// limit, or past it. Removed again at exit.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Device/DeviceFolder.h"
#include "Foundation/NSData.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"

class BenchDevice {
public:
    static constexpr const char* kLabelPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

    BenchDevice(int labelStyle, bool colourMailboxes, std::size_t fileBytes = 0) {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        DeviceFolder::setRoot(root_);
        std::filesystem::create_directories(root_ + "/var/mobile/Library/Preferences");
        auto prefs = NSMutableDictionary::dictionary();
        auto aliases = NSMutableDictionary::dictionary();
        // Some 74 to 80 bytes an address in the binary form; the rest is padding.
        const int addresses = fileBytes ? static_cast<int>(fileBytes / 90) : 20;
        for (int i = 0; i < addresses; ++i) {
            auto colour = NSMutableDictionary::dictionary();
            colour->setObject(NSNumber::numberWithFloat(static_cast<float>(i) / 20), "red"_ns);
            colour->setObject(NSNumber::numberWithFloat(0.5f), "green"_ns);
            colour->setObject(NSNumber::numberWithFloat(0.25f), "blue"_ns);
            colour->setObject(NSNumber::numberWithFloat(1.0f), "alpha"_ns);
            auto address = NSString::stringWithFormat("person%02d@example%d.com", i, i % 3);
            prefs->setObject(colour, address);
            if (i % 4 == 0) aliases->setObject(address, address);
        }
        prefs->setObject(aliases, "Aliases"_ns);
        prefs->setObject(NSNumber::numberWithInt(labelStyle), "mail_label_style"_ns);
        prefs->setObject(NSNumber::numberWithInt(1), "main_mailbox_color_aliases"_ns);
        prefs->setObject(NSNumber::numberWithInt(colourMailboxes ? 1 : 0), "main_mailbox_color_lbl"_ns);
        if (fileBytes) padTo(prefs, fileBytes);
        if (!prefs->writeToFile(NSString::from(kLabelPreferences), true)) std::abort();
        if (fileBytes && std::filesystem::file_size(DeviceFolder::resolve(kLabelPreferences)) != fileBytes) std::abort();
    }
    ~BenchDevice() {
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root_);
    }
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

private:
    // Grows a "padding" data entry until the written file has `bytes` bytes.
    static void padTo(NSMutableDictionary* prefs, std::size_t bytes) {
        std::size_t padding = 0;
        for (int attempt = 0; attempt < 8; ++attempt) {
            prefs->setObject(NSData::dataWithBytes(std::string(padding, 'p').data(), padding), "padding"_ns);
            std::size_t size = PropertyListFile::serialize(prefs)->size();
            if (size == bytes) return;
            padding = padding + bytes - size;
        }
        std::abort();
    }

    std::string root_;
};
