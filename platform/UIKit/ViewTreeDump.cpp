#include "UIKit/ViewTreeDump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "Foundation/NSArray.h"
#include "Foundation/NSObjectAdditions.h"
#include "Foundation/NSString.h"
#include "UIKit/UIColor.h"
#include "UIKit/UIScrollView.h"
#include "UIKit/UIView.h"
#include "objc/ClassBuilder.h"

namespace {

nlohmann::json number(double value) {
    if (!std::isfinite(value)) return nullptr;
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return std::strtod(text, nullptr);
}

// Whether the view has the property `key` (its getter is registered).
bool has(UIView* view, const char* key) { return view->respondsToSelector(sel_registerName(key)); }

}  // namespace

nlohmann::json ViewTreeDump::colour(UIColor* color) {
    CGFloat r, g, b, a;
    if (!color || !color->getRed(&r, &g, &b, &a)) return nullptr;
    return nlohmann::json::array({number(r), number(g), number(b), number(a)});
}

nlohmann::json ViewTreeDump::describe(UIView* view) {
    if (!view) return nullptr;
    CGRect f = view->frame();
    nlohmann::json out = {
        {"class", view->className()},
        {"frame", {number(f.origin.x), number(f.origin.y), number(f.size.width), number(f.size.height)}},
        {"tag", view->tag()},
        {"hidden", view->isHidden()},
        {"alpha", number(view->alpha())},
        {"backgroundColor", colour(view->backgroundColor())},
        {"cornerRadius", number(view->layer()->cornerRadius())},
        {"autoresizingMask", view->autoresizingMask()},
    };
    if (has(view, "text")) {
        auto* text = objc::cast<NSString>(NSObjectAdditions::valueForKey(view, NSString::from("text")));
        out["text"] = text ? nlohmann::json(text->str()) : nlohmann::json(nullptr);
    }
    if (auto* scroll = objc::cast<UIScrollView>(view)) {
        CGPoint offset = scroll->contentOffset();
        out["contentOffset"] = {number(offset.x), number(offset.y)};
    }
    if (has(view, "textColor")) out["textColor"] = colour(objc::cast<UIColor>(NSObjectAdditions::valueForKey(view, NSString::from("textColor"))));
    nlohmann::json subviews = nlohmann::json::array();
    Ref<NSArray> list = view->subviews();
    for (NSUInteger i = 0; i < list->count(); ++i) subviews.push_back(describe(objc::cast<UIView>(list->objectAtIndex(i))));
    out["subviews"] = std::move(subviews);
    return out;
}

bool ViewTreeDump::write(const nlohmann::json& document, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    // Invalid UTF-8 in a text is written replaced rather than failing the dump.
    file << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    file.flush();
    return static_cast<bool>(file);
}
