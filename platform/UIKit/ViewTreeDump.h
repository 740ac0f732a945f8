// The view tree as JSON, the surface that whole-program checks read. Each view
// gives its class, frame, tag, hidden, alpha, background colour, corner
// radius and autoresizing mask; a view that answers `text` or `textColor`
// (labels, and any other class that registers them) gives those too; then
// its subviews, back to front. Colours are [red, green, blue, alpha] and
// absent colours null. Numbers are written with six significant digits, so
// a 32-bit 0.3 reads as 0.3.
//
// describe() is per view so that the host can put the trees of the window,
// the navigation stack and the modal screens into one document.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

class UIColor;
class UIView;

class ViewTreeDump {
public:
    // The view and its subtree; null for a nil view.
    static nlohmann::json describe(UIView* view);
    // [r, g, b, a] of a monochrome or RGB colour; null for nil or any other.
    static nlohmann::json colour(UIColor* color);
    // Writes the document, indented; NO when the file cannot be written.
    static bool write(const nlohmann::json& document, const std::string& path);
};
