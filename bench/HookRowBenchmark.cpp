// What the hook costs Mail per message row: the stand-in Mail builds rows
// (creation, message assignment, date label layout) first without the library
// and then, in the same run, with it loaded; the difference is the hook's
// cost, set beside the floor of opening, reading and closing the files that
// those three calls read (the label preferences three times, Mail's own
// preferences once), both in a loop of reads alone and in place in a row.
// The same is measured with label preferences at the size limit, one byte
// past it, and with none at all: a file past the limit must cost Mail what
// no file costs.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchDevice.h"
#include "Device/DeviceFolder.h"
#include "Foundation/NSDate.h"
#include "Foundation/NSMutableDictionary.h"
#include "Foundation/NSNumber.h"
#include "Foundation/PropertyListFile.h"
#include "MailAccount.h"
#include "MailMessage.h"
#include "MailPreferences.h"
#include "MailboxContentViewCell.h"
#include "objc/NSAutoreleasePool.h"

namespace {

// The benchmark device with Mail's preferences and one message to show.
class Device : public BenchDevice {
public:
    explicit Device(std::size_t fileBytes = 0) : BenchDevice(5, true, fileBytes) {
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
    void removeLabelPreferences() const { std::filesystem::remove(DeviceFolder::resolve(kLabelPreferences)); }

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

// One read as the floor counts it: open, a size check when asked, read, close.
void readRaw(const std::string& path, bool sizeChecked) {
    char buffer[4096];
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (sizeChecked) ::fstat(fd, &st);
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    benchmark::DoNotOptimize(n);
}

// The floor in place: the row without the library, with the four reads
// (open, fstat, read, close) done about where the hook makes them (two after
// creation, one after the message, one after layout) and nothing else. Between
// Mail's own steps they meet colder caches than in a loop of reads alone.
void BM_Floor_FilesPerRowInPlace(benchmark::State& state) {
    MailMessage* message = device().message();
    const std::string label = DeviceFolder::resolve(BenchDevice::kLabelPreferences);
    const std::string mail = DeviceFolder::resolve(MailPreferences::kPath);
    for (auto _ : state) {
        NSAutoreleasePool pool;
        auto cell = UITableViewCell::cellWithStyle<MailboxContentViewCell>(UITableViewCellStyleDefault, "Row"_ns);
        readRaw(label, true);
        readRaw(mail, true);
        objc::send<void, id, BOOL>(cell.get(), "setMessage:threaded:", message, NO);
        readRaw(label, true);
        cell->layoutIfNeeded();
        readRaw(label, true);
        benchmark::DoNotOptimize(cell.get());
    }
}
// Before the library is loaded, as the row without it; the row's own cost
// (BM_RowWithoutHook) is subtracted to give the floor.
BENCHMARK(BM_Floor_FilesPerRowInPlace);

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

// The floor: opening, reading and closing the files the hook reads per row;
// with a size check (fstat) before each read when the argument is 1, as a
// bounded read must make.
void BM_Floor_FilesPerRow(benchmark::State& state) {
    device();
    const std::string label = DeviceFolder::resolve(BenchDevice::kLabelPreferences);
    const std::string mail = DeviceFolder::resolve(MailPreferences::kPath);
    const std::string* reads[] = {&label, &mail, &label, &label};
    const bool sizeChecked = state.range(0) != 0;
    for (auto _ : state)
        for (const std::string* path : reads) readRaw(*path, sizeChecked);
}
BENCHMARK(BM_Floor_FilesPerRow)->Arg(0)->Arg(1);

// The same four reads as the hook makes them, through Foundation's
// dictionaryWithContentsOfFile: (the rest of the hook's cost is its views,
// colours and lookups).
void BM_FoundationReadsPerRow(benchmark::State& state) {
    device();
    auto label = NSString::from(BenchDevice::kLabelPreferences);
    auto mail = NSString::from(MailPreferences::kPath);
    NSString* reads[] = {label.get(), mail.get(), label.get(), label.get()};
    id dictionary = reinterpret_cast<id>(objc_getClass("NSDictionary"));
    for (auto _ : state) {
        NSAutoreleasePool pool;
        for (NSString* path : reads)
            benchmark::DoNotOptimize(objc::send<id, id>(dictionary, "dictionaryWithContentsOfFile:", path));
    }
}
BENCHMARK(BM_FoundationReadsPerRow);

// The hook's row with label preferences of the given size: 0 for no file.
void BM_RowWithHook_LabelPreferencesOfSize(benchmark::State& state) {
    static void* hook = dlopen(KORVEL_HOOK_LIBRARY, RTLD_NOW | RTLD_GLOBAL);
    if (!hook) {
        state.SkipWithError("the hook did not load");
        return;
    }
    const auto bytes = static_cast<std::size_t>(state.range(0));
    Device sized(bytes ? bytes : 1000);
    if (!bytes) sized.removeLabelPreferences();
    for (auto _ : state) buildRow(sized.message());
}
BENCHMARK(BM_RowWithHook_LabelPreferencesOfSize)
    ->Arg(static_cast<std::int64_t>(PropertyListFile::kMaxPreferencesBytes))
    ->Arg(static_cast<std::int64_t>(PropertyListFile::kMaxPreferencesBytes + 1))
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

