#include "InjectedLibraryLoader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "Device/DeviceFolder.h"
#include "Foundation/NSArray.h"
#include "Foundation/NSDictionary.h"
#include "Foundation/NSString.h"

namespace fs = std::filesystem;

namespace {

bool filterNames(const std::string& filterPhonePath, const std::string& bundleIdentifier) {
    Ref<NSDictionary> filterFile = NSDictionary::dictionaryWithContentsOfFile(NSString::from(filterPhonePath));
    auto* filter = filterFile ? dynamic_cast<NSDictionary*>(filterFile->objectForKey("Filter"_ns)) : nullptr;
    auto* bundles = filter ? dynamic_cast<NSArray*>(filter->objectForKey("Bundles"_ns)) : nullptr;
    return bundles && bundles->containsObject(NSString::from(bundleIdentifier));
}

}  // namespace

std::vector<std::string> InjectedLibraryLoader::loadLibrariesFor(const std::string& bundleIdentifier) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(DeviceFolder::resolve(kFolder), ec))
        if (item.path().extension() == ".dylib") names.push_back(item.path().stem().string());
    std::sort(names.begin(), names.end());

    std::vector<std::string> loaded;
    for (const std::string& name : names) {
        std::string library = std::string(kFolder) + "/" + name + ".dylib";
        if (!filterNames(std::string(kFolder) + "/" + name + ".plist", bundleIdentifier)) continue;
        if (!dlopen(DeviceFolder::resolve(library).c_str(), RTLD_NOW | RTLD_GLOBAL)) {
            std::fprintf(stderr, "MobileMail: could not load %s: %s\n", library.c_str(), dlerror());
            continue;
        }
        loaded.push_back(library);
    }
    return loaded;
}
