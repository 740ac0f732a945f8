// The hook reads the label preferences from disk for every row Mail builds,
// on Mail's main thread. This measures that read with one address looked up,
// against the floor of opening, reading and closing the same file, and
// against the property-list library parsing it.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <plist/plist.h>
#include <unistd.h>

#include "BenchDevice.h"
#include "Device/DeviceFolder.h"
#include "Foundation/FileAccess.h"
#include "Foundation/NSNumber.h"
#include "Foundation/NSString.h"
#include "Foundation/PropertyListFile.h"
#include "objc/ClassBuilder.h"

namespace {

BenchDevice& device() {
    static BenchDevice d(2, false);
    return d;
}

const std::string& hostPath() {
    device();
    static const std::string path = DeviceFolder::resolve(BenchDevice::kLabelPreferences);
    return path;
}

void BM_Floor_OpenReadClose(benchmark::State& state) {
    const std::string& path = hostPath();
    char buffer[4096];
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        ::close(fd);
        benchmark::DoNotOptimize(n);
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_Floor_OpenReadClose);

void BM_DictionaryWithContentsOfFile_Lookup(benchmark::State& state) {
    device();
    Ref<NSString> path = NSString::from(BenchDevice::kLabelPreferences);
    Ref<NSString> address = "person13@example1.com"_ns;
    for (auto _ : state) {
        Ref<NSDictionary> prefs = NSDictionary::dictionaryWithContentsOfFile(path);
        NSObject* record = prefs->objectForKey(address);
        if (!record) state.SkipWithError("address not found");
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_DictionaryWithContentsOfFile_Lookup);

// The same without the file system: what parsing and the lookup cost alone.
void BM_ParseFromMemory_Lookup(benchmark::State& state) {
    const std::string bytes = *FileAccess::read(hostPath());
    Ref<NSString> address = "person13@example1.com"_ns;
    for (auto _ : state) {
        Ref<NSObject> root = PropertyListFile::parse(bytes);
        NSObject* record = objc::cast<NSDictionary>(root.get())->objectForKey(address);
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(BM_ParseFromMemory_Lookup);

// What one message row asks of the file: the style option and the four
// components of one address's colour.
void BM_DictionaryWithContentsOfFile_RowColour(benchmark::State& state) {
    device();
    Ref<NSString> path = NSString::from(BenchDevice::kLabelPreferences);
    Ref<NSString> address = "person13@example1.com"_ns;
    Ref<NSString> keys[] = {"red"_ns, "green"_ns, "blue"_ns, "alpha"_ns};
    Ref<NSString> style = "mail_label_style"_ns;
    for (auto _ : state) {
        Ref<NSDictionary> prefs = NSDictionary::dictionaryWithContentsOfFile(path);
        int labelStyle = objc::cast<NSNumber>(prefs->objectForKey(style))->intValue();
        auto* record = objc::cast<NSDictionary>(prefs->objectForKey(address));
        float sum = 0;
        for (const auto& k : keys) sum += objc::cast<NSNumber>(record->objectForKey(k))->floatValue();
        benchmark::DoNotOptimize(labelStyle);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_DictionaryWithContentsOfFile_RowColour);

// The property-list library alone, without the guard, for comparison.
void BM_Libplist_ParseLookup(benchmark::State& state) {
    const std::string& path = hostPath();
    for (auto _ : state) {
        auto bytes = FileAccess::read(path);
        plist_t root = nullptr;
        plist_from_bin(bytes->data(), static_cast<std::uint32_t>(bytes->size()), &root);
        plist_t record = plist_dict_get_item(root, "person13@example1.com");
        benchmark::DoNotOptimize(record);
        plist_free(root);
    }
}
BENCHMARK(BM_Libplist_ParseLookup);

}  // namespace
