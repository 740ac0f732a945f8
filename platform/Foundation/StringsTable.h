// A strings table in the text form the phone reads: `"key" = "value";`
// entries with C-style comments and backslash escapes, in UTF-8 or in UTF-16
// with a byte-order mark. `"key";` alone maps the key to itself, and a later
// entry for a key replaces an earlier one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class StringsTable {
public:
    // The table in `bytes`; nothing for a text that is not a strings table,
    // with the reason (and line) in `error` when given.
    static std::optional<StringsTable> parse(std::string_view bytes, std::string* error = nullptr);

    // The value for `key`, or nullptr.
    const std::string* lookup(const std::string& key) const;
    void set(std::string key, std::string value);
    std::size_t size() const { return entries_.size(); }
    const std::unordered_map<std::string, std::string>& entries() const { return entries_; }

private:
    std::unordered_map<std::string, std::string> entries_;
};
