// Loads the libraries that the phone's loader would inject into an app: every
// library in the injection folder whose filter property list names the app's
// bundle identifier under Filter, Bundles. Loading runs each library's
// initializers at once, before the app creates any of its objects.
#pragma once

#include <string>
#include <vector>

class InjectedLibraryLoader {
public:
    static constexpr const char* kFolder = "/Library/MobileSubstrate/DynamicLibraries";

    // Loads, in name order, the libraries meant for `bundleIdentifier`; a
    // library that fails to load is reported on standard error and skipped.
    // Answers the phone paths of the libraries that loaded.
    static std::vector<std::string> loadLibrariesFor(const std::string& bundleIdentifier);
};
