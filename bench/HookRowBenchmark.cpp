// What the hook costs Mail per message row: the stand-in Mail builds rows
// (creation, message assignment, date label layout) first without the library
// and then, in the same run, with it loaded; the difference is the hook's
// cost, set beside the floor of opening, reading and closing the files that
// those three calls read (the label preferences three times, Mail's own
// preferences once).
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Device/DeviceFolder.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "MailAccount.h"
#include "MailMessage.h"
#include "MailPreferences.h"
#include "MailboxContentViewCell.h"
#include "objc/NSAutoreleasePool.h"

namespace {

const char* const kLabelPreferences = "/var/mobile/Library/Preferences/com.Brisval.Korvel.plist";

// A device with a realistic label preferences file (20 addresses with colour
// records, 5 aliases, the three options) and Mail's preferences.
class Device {
public:
    Device() {
        std::string pattern = (std::filesystem::temp_directory_path() / "korvel-rowbench-XXXXXX").string();
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
        prefs->setObject(NSNumber::numberWithInt(5), "mail_label_style"_ns);
        prefs->setObject(NSNumber::numberWithInt(1), "main_mailbox_color_aliases"_ns);
        prefs->setObject(NSNumber::numberWithInt(1), "main_mailbox_color_lbl"_ns);
        auto mail = NSMutableDictionary::dictionary();
        mail->setObject(NSNumber::numberWithInt(2), "LinesOfPreview"_ns);
        if (!prefs->writeToFile(NSString::from(kLabelPreferences), true) ||
            !mail->writeToFile(NSString::from(MailPreferences::kPath), true))
            std::abort();
        message_ = make<MailMessage>(MailMessage::Fields{
            make<MailAccount>("Person07@Example1.com"_ns, "Work"_ns), make<NSArray>(std::vector<Ref<NSObject>>{
                                                                          "Bob Smith <person13@example1.com>"_ns}),
            make<NSArray>(std::vector<Ref<NSObject>>{"person07@example1.com"_ns}), make<NSArray>(), "Subject"_ns,
            "A preview of the message"_ns, NSDate::dateWithTimeIntervalSinceReferenceDate(800000000)});
    }
    ~Device() {
        DeviceFolder::setRoot("");
        std::filesystem::remove_all(root_);
    }
    MailMessage* message() const { return message_; }

private:
    std::string root_;
    Ref<MailMessage> message_;
};

Device& device() {
    static Device d;
    return d;
}

// One row as Mail builds it.
void buildRow(MailMessage* message) {
    NSAutoreleasePool pool;
    auto cell = UITableViewCell::cellWithStyle<MailboxContentViewCell>(UITableViewCellStyleDefault, "Row"_ns);
    objc::send<void, id, BOOL>(cell.get(), "setMessage:threaded:", message, NO);
    cell->layoutIfNeeded();
    benchmark::DoNotOptimize(cell.get());
}

void BM_RowWithoutHook(benchmark::State& state) {
    MailMessage* message = device().message();
    for (auto _ : state) buildRow(message);
}
// Registered first: it must run before the library is loaded.
BENCHMARK(BM_RowWithoutHook);

void BM_RowWithHook(benchmark::State& state) {
    MailMessage* message = device().message();
    static void* hook = dlopen(KORVEL_HOOK_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
    if (!hook) {
        state.SkipWithError("the hook did not load");
        return;
    }
    for (auto _ : state) buildRow(message);
}
BENCHMARK(BM_RowWithHook);

// The floor: opening, reading and closing the files the hook reads per row.
void BM_Floor_FilesPerRow(benchmark::State& state) {
    device();
    const std::string label = DeviceFolder::resolve(kLabelPreferences);
    const std::string mail = DeviceFolder::resolve(MailPreferences::kPath);
    const std::string* reads[] = {&label, &mail, &label, &label};
    char buffer[4096];
    for (auto _ : state) {
        for (const std::string* path : reads) {
            int fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            ::close(fd);
            benchmark::DoNotOptimize(n);
        }
    }
}
BENCHMARK(BM_Floor_FilesPerRow);

}  // namespace
