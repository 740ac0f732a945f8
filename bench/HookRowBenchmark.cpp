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
#include <string>

#include "BenchDevice.h"
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

// The benchmark device with Mail's preferences and one message to show.
class Device : public BenchDevice {
public:
    Device() : BenchDevice(5, true) {
        auto mail = NSMutableDictionary::dictionary();
        mail->setObject(NSNumber::numberWithInt(2), "LinesOfPreview"_ns);
        if (!mail->writeToFile(NSString::from(MailPreferences::kPath), true)) std::abort();
        message_ = make<MailMessage>(MailMessage::Fields{
            make<MailAccount>("Person07@Example1.com"_ns, "Work"_ns), make<NSArray>(std::vector<Ref<NSObject>>{
                                                                          "Bob Smith <person13@example1.com>"_ns}),
            make<NSArray>(std::vector<Ref<NSObject>>{"person07@example1.com"_ns}), make<NSArray>(), "Subject"_ns,
            "A preview of the message"_ns, NSDate::dateWithTimeIntervalSinceReferenceDate(800000000)});
    }
    MailMessage* message() const { return message_; }

private:
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
    const std::string label = DeviceFolder::resolve(BenchDevice::kLabelPreferences);
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
