// Reader of binary property lists ("bplist0"). Opening checks the trailer;
// everything else is checked when it is decoded, which happens only when it is asked for,
// so reading a file and looking up one key touches little more than that key.
// Each object is checked before use: its offset, its bounds, its contents (text must be
// ASCII or UTF-16 with paired surrogates), its references. A container never
// holds itself and nesting stops at PropertyListFile::kMaxDepth. Texts,
// numbers, dates and data are decoded once and shared wherever the file
// refers to them again, so a read makes at most as many objects as the file
// holds, but for containers that are referred to more than once: decoding
// stops at kObjectsPerFileObject times the file's own count of objects
// (shared containers could otherwise multiply without end), with one log
// line.
//
// What is damaged reads as absent: a dictionary value that fails its check is
// nil to `objectForKey:`, a dictionary with a damaged key reads as empty.
// Arrays are decoded whole, members and all, and fail as a whole, so an array
// never holds nil. A root that fails gives nil. Whatever is left out marks
// the read as not whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objc/NSObject.h"

class BinaryPropertyList : public std::enable_shared_from_this<BinaryPropertyList> {
public:
    // Objects that a read may make for each object in the file. Writers
    // share equal texts and numbers but not containers, so an honest file
    // makes each of its objects once; the slack is for writers that share
    // a few containers too.
    static constexpr std::uint64_t kObjectsPerFileObject = 4;

    static bool isBinary(std::string_view bytes);
    // The root object, or nil when the bytes are not a sound binary property
    // list; `source` names the file in the log. With `whole`, everything is
    // decoded at once and `whole` says whether all of it was sound.
    static Ref<NSObject> read(std::string bytes, std::string_view source = {}, bool* whole = nullptr);

    BinaryPropertyList(std::string bytes, std::string_view source);

    // The containers that lead to an object, outermost last.
    struct Path {
        std::uint64_t object;
        unsigned depth;
        std::shared_ptr<const Path> outer;
    };
    // Decodes an object found inside the container at `container` (nullptr
    // for the root); nil when it fails its check.
    Ref<NSObject> object(std::uint64_t object, const std::shared_ptr<const Path>& container) const;

    // One entry of a dictionary: the UTF-8 of its key, a view into the file
    // for ASCII keys or into `converted` for UTF-16 ones, and the objects.
    struct Key {
        std::string_view text;
        std::uint64_t keyObject;
        std::uint64_t valueObject;
    };
    // The entries of a checked dictionary, in file order; false when a key
    // is not sound text.
    bool keys(std::uint64_t dictionary, std::vector<Key>& out,
              std::vector<std::unique_ptr<std::string>>& converted) const;
    // Something in the file was left out of what it reads as.
    void leftOut() const { whole_ = false; }

    // Where things are in the bytes, from the trailer. The reading and
    // checking functions work on it directly, so they stay private to the
    // reader's source and inline.
    struct Layout {
        const unsigned char* base = nullptr;
        std::uint64_t tableOffset = 0;
        std::uint64_t objectCount = 0;
        std::uint64_t top = 0;
        unsigned offsetSize = 0;
        unsigned referenceSize = 0;
    };

private:
    bool readTrailer();
    Ref<NSObject> decode(std::uint64_t object, const std::shared_ptr<const Path>& container) const;

    std::string bytes_;
    std::string source_;
    Layout layout_;
    // Objects that may still be made.
    mutable std::uint64_t budget_ = 0;
    mutable bool whole_ = true;
    // Texts, numbers, dates and data already made, by object number.
    mutable std::unordered_map<std::uint64_t, Ref<NSObject>> leaves_;
};
