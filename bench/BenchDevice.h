// A temporary device folder for the benchmarks, holding a realistic label
// preferences file: 20 addresses "person00@example0.com" to
// "person19@example1.com" with colour records, 5 of them also aliases, and
// the three options. Removed again at exit.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Device/DeviceFolder.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"

class BenchDevice {
public:
    static constexpr const char* kLabelPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

    BenchDevice(int labelStyle, bool colourMailboxes) {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        DeviceFolder::setRoot(root_);
        std::filesystem::create_directories(root_ + "/var/mobile/Library/Preferences");
        auto prefs = NSMutableDictionary::dictionary();
        auto aliases = NSMutableDictionary::dictionary();
        for (int i = 0; i < 20; ++i) {
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
        if (!prefs->writeToFile(NSString::from(kLabelPreferences), true)) std::abort();
    }
    ~BenchDevice() {
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root_);
    }
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

private:
    std::string root_;
};
