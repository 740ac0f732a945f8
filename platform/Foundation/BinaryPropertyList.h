// Reader of binary property lists ("bplist0"). It checks the whole structure
// before anything is decoded: trailer, offset table, every reachable object's
// bounds and contents, references, nesting depth, cycles and how far shared
// objects would multiply when the tree is walked. Only then is the root handed
// out, and objects are decoded when first asked for: arrays and dictionaries
// come back as views over the bytes, which the views keep alive.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "objc/NSObject.h"

class BinaryPropertyList : public std::enable_shared_from_this<BinaryPropertyList> {
public:
    static bool isBinary(std::string_view bytes);
    // The root object, or nil when the bytes are not a sound binary property list.
    static Ref<NSObject> read(std::string bytes);

    explicit BinaryPropertyList(std::string bytes);

    // Where a container's member references start and how many members it
    // has (a dictionary's keys come first, then as many values).
    struct Members {
        std::uint64_t count;
        std::size_t references;
    };
    Members members(std::uint64_t object) const;
    std::uint64_t reference(std::size_t references, std::uint64_t i) const;
    Ref<NSObject> object(std::uint64_t object) const;
    // The UTF-8 of a string object: a view into the file for ASCII strings,
    // else the converted text in `converted`.
    std::string_view text(std::uint64_t object, std::string& converted) const;

private:
    struct Header {
        std::uint8_t marker;
        std::uint64_t count;
        std::size_t payload;
    };

    bool readTrailer();
    bool offsetOf(std::uint64_t object, std::size_t& offset) const;
    bool header(std::uint64_t object, Header& h) const;
    bool check(std::uint64_t object, Header& h) const;
    bool checkGraph();
    std::uint64_t readUint(std::size_t at, unsigned size) const;

    std::string bytes_;
    unsigned offsetSize_ = 0;
    unsigned referenceSize_ = 0;
    std::uint64_t objectCount_ = 0;
    std::uint64_t top_ = 0;
    std::uint64_t tableOffset_ = 0;
};
