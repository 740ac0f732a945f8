#include "Foundation/NSURL.h"

#include <cstring>
#include <strings.h>
#include <functional>

#include "Foundation/NSFileManager.h"
#include "Foundation/NSString.h"
#include "Foundation/PercentEscapes.h"
#include "objc/ClassBuilder.h"

namespace {

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Letters, digits and the marks of the generic syntax; "%" is checked apart.
bool isURLCharacter(char c) {
    static const char* const kMarks = "-._~:/?#[]@!$&'()*+,;=%";
    return isAlpha(c) || isDigit(c) || (c != 0 && std::strchr(kMarks, c));
}

bool isWellFormed(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!isURLCharacter(c)) return false;
    std::size_t hash = text.find('#');
    if (hash != std::string::npos && text.find('#', hash + 1) != std::string::npos) return false;
    return PercentEscapes::escapesAreWellFormed(text);
}

// The length of a leading "scheme:" (letters, digits, "+", "-", "." after a
// first letter), or 0 when the text has none.
std::size_t schemeLength(const std::string& text) {
    if (text.empty() || !isAlpha(text[0])) return 0;
    std::size_t i = 1;
    while (i < text.size() && (isAlpha(text[i]) || isDigit(text[i]) || text[i] == '+' || text[i] == '-' ||
                               text[i] == '.'))
        ++i;
    return i < text.size() && text[i] == ':' ? i : 0;
}

std::string hostOf(std::string authority) {
    std::size_t at = authority.rfind('@');
    if (at != std::string::npos) authority.erase(0, at + 1);
    if (!authority.empty() && authority[0] == '[') {
        std::size_t close = authority.find(']');
        return close == std::string::npos ? authority.substr(1) : authority.substr(1, close - 1);
    }
    return authority.substr(0, authority.find(':'));
}

Ref<NSString> optionalString(const std::optional<std::string>& s) { return s ? NSString::from(*s) : nullptr; }

}  // namespace

Class NSURL::class_() {
    static Class cls = objc::ClassBuilder<NSURL>("NSURL", NSObject::class_())
                           .method<&NSURL::description>("description")
                           .classMethod<&NSURL::URLWithString>("URLWithString:")
                           .classMethod<&NSURL::fileURLWithPath>("fileURLWithPath:")
                           .method<&NSURL::scheme>("scheme")
                           .method<&NSURL::host>("host")
                           .method<&NSURL::resourceSpecifier>("resourceSpecifier")
                           .method<&NSURL::path>("path")
                           .method<&NSURL::absoluteString>("absoluteString")
                           .method<&NSURL::isFileURL>("isFileURL")
                           .build();
    return cls;
}

[[maybe_unused]] static const Class kRegistered = NSURL::class_();

Ref<NSURL> NSURL::URLWithString(NSString* string) {
    if (!string || !isWellFormed(string->str())) return nullptr;
    auto url = make<NSURL>();
    url->parse(string->str());
    return url;
}

Ref<NSURL> NSURL::fileURLWithPath(NSString* path) {
    if (!path || path->str().empty()) return nullptr;
    std::string absolute = path->str()[0] == '/' ? path->str() : "/" + path->str();
    bool isDirectory = false;
    if (NSFileManager::defaultManager()->fileExistsAtPath(NSString::from(absolute), &isDirectory) && isDirectory &&
        absolute.back() != '/')
        absolute += '/';
    auto url = make<NSURL>();
    url->parse("file://" + PercentEscapes::escapePath(absolute));
    return url;
}

void NSURL::parse(std::string text) {
    text_ = std::move(text);
    std::size_t length = schemeLength(text_);
    if (length) scheme_ = text_.substr(0, length);
    specifier_ = length ? text_.substr(length + 1) : text_;

    std::string rest = specifier_.substr(0, specifier_.find_first_of("?#"));
    if (rest.starts_with("//")) {
        std::size_t end = rest.find('/', 2);
        std::string host = hostOf(rest.substr(2, end == std::string::npos ? std::string::npos : end - 2));
        if (!host.empty()) host_ = PercentEscapes::decode(host).value_or(host);
        rest = end == std::string::npos ? std::string() : rest.substr(end);
    } else if (scheme_ && !rest.starts_with("/")) {
        return;  // not hierarchical: no path
    }
    if (rest.size() > 1 && rest.back() == '/') rest.pop_back();
    path_ = PercentEscapes::decode(rest);
}

Ref<NSString> NSURL::scheme() const { return optionalString(scheme_); }

Ref<NSString> NSURL::host() const { return optionalString(host_); }

Ref<NSString> NSURL::resourceSpecifier() const { return NSString::from(specifier_); }

Ref<NSString> NSURL::path() const { return optionalString(path_); }

Ref<NSString> NSURL::absoluteString() const { return NSString::from(text_); }

bool NSURL::isFileURL() const {
    return scheme_ && scheme_->size() == 4 && strncasecmp(scheme_->c_str(), "file", 4) == 0;
}

Ref<NSString> NSURL::description() const { return absoluteString(); }

bool NSURL::isEqual(const NSObject* other) const {
    auto* url = dynamic_cast<const NSURL*>(other);
    return url && url->text_ == text_;
}

std::size_t NSURL::hash() const { return std::hash<std::string>{}(text_); }
