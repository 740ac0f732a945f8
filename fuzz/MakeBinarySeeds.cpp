// Writes each property-list file named on the command line in the binary
// form, by our own writer, into the folder named first: the binary reader's
// seeds, from the XML files that the project and the shared test data hold.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Foundation/PropertyListFile.h"
#include "objc/NSAutoreleasePool.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER PLIST...\n", argv[0]);
        return 2;
    }
    NSAutoreleasePool pool;
    int written = 0;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        auto binary = PropertyListFile::serialize(PropertyListFile::parse(bytes.str()));
        // A file that is not a property list (or not one we write) seeds nothing.
        if (!binary) continue;
        auto name = std::filesystem::path(argv[1]) / (std::to_string(++written) + ".bplist");
        std::ofstream(name, std::ios::binary) << *binary;
    }
    std::printf("%d binary seeds in %s\n", written, argv[1]);
    return 0;
}
