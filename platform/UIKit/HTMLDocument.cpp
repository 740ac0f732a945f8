#include "UIKit/HTMLDocument.h"

#include <gumbo.h>

#include <cctype>
#include <memory>
#include <string>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Elements that start and end a block of their own.
bool isBlockTag(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_P: case GUMBO_TAG_DIV: case GUMBO_TAG_LI: case GUMBO_TAG_UL: case GUMBO_TAG_OL:
        case GUMBO_TAG_DL: case GUMBO_TAG_DT: case GUMBO_TAG_DD: case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_PRE:
        case GUMBO_TAG_H1: case GUMBO_TAG_H2: case GUMBO_TAG_H3: case GUMBO_TAG_H4: case GUMBO_TAG_H5:
        case GUMBO_TAG_H6: case GUMBO_TAG_HR: case GUMBO_TAG_TABLE: case GUMBO_TAG_TR: case GUMBO_TAG_SECTION:
        case GUMBO_TAG_ARTICLE: case GUMBO_TAG_HEADER: case GUMBO_TAG_FOOTER: case GUMBO_TAG_NAV:
        case GUMBO_TAG_MAIN: case GUMBO_TAG_ADDRESS: case GUMBO_TAG_FIGURE: case GUMBO_TAG_FIGCAPTION:
        case GUMBO_TAG_ASIDE: case GUMBO_TAG_BODY: case GUMBO_TAG_CENTER: case GUMBO_TAG_FORM:
            return true;
        default: return false;
    }
}

// Elements whose content is not shown.
bool isHiddenTag(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_HEAD: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_TEMPLATE:
        case GUMBO_TAG_NOSCRIPT: case GUMBO_TAG_IFRAME: case GUMBO_TAG_OBJECT: case GUMBO_TAG_SELECT:
        case GUMBO_TAG_TEXTAREA: case GUMBO_TAG_SVG: case GUMBO_TAG_MATH:
            return true;
        default: return false;
    }
}

int levelOfHeading(GumboTag tag) {
    switch (tag) {
        case GUMBO_TAG_H1: return 1;
        case GUMBO_TAG_H2: return 2;
        case GUMBO_TAG_H3: return 3;
        case GUMBO_TAG_H4: return 4;
        case GUMBO_TAG_H5: return 5;
        case GUMBO_TAG_H6: return 6;
        default: return 0;
    }
}

// The text of a node and everything in it, whitespace collapsed.
void collectText(const GumboNode* node, std::string& out, int depth) {
    if (depth > HTMLDocument::kDeepestNesting) return;
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE || node->type == GUMBO_NODE_CDATA) {
        for (const char* c = node->v.text.text; *c; ++c) {
            if (!isSpace(*c)) out += *c;
            else if (!out.empty() && out.back() != ' ') out += ' ';
        }
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) return;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        collectText(static_cast<const GumboNode*>(children.data[i]), out, depth + 1);
}

// Elements that never hold others, or that the parser closes by itself when
// the next one of their kind starts, so that they do not nest.
bool nestsNothing(std::string_view name) {
    static const std::string_view kNames[] = {
        "area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source", "track",
        "wbr", "p", "li", "dt", "dd", "tr", "td", "th", "option", "optgroup", "tbody", "thead", "tfoot", "colgroup",
        "caption", "rb", "rt", "rp", "!doctype"};
    for (std::string_view n : kNames)
        if (n == name) return true;
    return false;
}

// Elements whose content is text up to their end tag.
bool holdsRawText(std::string_view name) {
    return name == "script" || name == "style" || name == "title" || name == "textarea" || name == "xmp";
}

bool startsWith(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
    return true;
}

// How much of the page to parse: all of it, unless its tags open elements
// deeper than the nesting limit, in which case the page up to that tag. The
// HTML parser's work and memory grow with the square of the depth (it keeps
// the open elements and reopens formatting for each), so a page nested tens
// of thousands deep would take the app down; this count follows the tags as
// written, closely enough to keep every real page whole.
std::size_t shownLength(std::string_view html) {
    int depth = 0;
    std::size_t i = 0;
    while ((i = html.find('<', i)) != std::string_view::npos) {
        const std::size_t start = i;
        if (startsWith(html, i, "<!--")) {
            const std::size_t end = html.find("-->", i + 4);
            if (end == std::string_view::npos) break;
            i = end + 3;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == '/';
        std::size_t n = i + (closing ? 2 : 1);
        std::string name;
        while (n < html.size() && (std::isalnum(static_cast<unsigned char>(html[n])) || html[n] == '!'))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(html[n++])));
        const std::size_t end = html.find('>', n);
        if (end == std::string_view::npos) break;
        i = end + 1;
        if (name.empty()) continue;
        if (closing) {
            if (!nestsNothing(name) && depth > 0) --depth;
            continue;
        }
        if (holdsRawText(name)) {
            std::size_t close = i;
            while ((close = html.find("</", close)) != std::string_view::npos && !startsWith(html, close + 2, name))
                close += 2;
            if (close == std::string_view::npos) break;
            i = close;
            continue;
        }
        if (nestsNothing(name) || html[end - 1] == '/') continue;
        if (++depth > HTMLDocument::kDeepestNesting) return start;
    }
    return html.size();
}

}  // namespace

struct HTMLDocument::Builder {
    HTMLDocument document;
    // The block being filled.
    Block block;
    // Open spans of the block, with where they started.
    std::vector<Span> open;
    // What the blocks being filled sit in.
    int listDepth = 0;
    std::vector<int> listCounters;  // 0 for a bulleted list, else the next number
    int headingLevel = 0;
    int preformatted = 0;
    std::string pendingMarker;

    void flush() {
        // Trailing blanks of collapsed text do not show.
        if (!preformatted)
            while (!block.text.empty() && block.text.back() == ' ') block.text.pop_back();
        for (Span& span : open) {
            if (span.end == 0 && span.start < block.text.size()) {
                Span closed = span;
                closed.end = block.text.size();
                block.spans.push_back(closed);
            }
            span.start = 0;
        }
        for (Span& span : block.spans) span.end = std::min(span.end, block.text.size());
        std::erase_if(block.spans, [](const Span& span) { return span.start >= span.end; });
        if (!block.text.empty() || !block.marker.empty()) {
            block.listDepth = listDepth;
            document.blocks_.push_back(std::move(block));
        }
        block = Block();
        block.kind = headingLevel ? Block::Kind::Heading
                     : preformatted ? Block::Kind::Preformatted
                     : listDepth ? Block::Kind::ListItem
                                 : Block::Kind::Paragraph;
        block.headingLevel = headingLevel;
        if (!pendingMarker.empty()) {
            block.marker = std::move(pendingMarker);
            pendingMarker.clear();
        }
    }

    void addText(const char* text) {
        for (const char* c = text; *c; ++c) {
            if (preformatted || !isSpace(*c)) {
                block.text += *c;
            } else if (!block.text.empty() && block.text.back() != ' ' && block.text.back() != '\n') {
                block.text += ' ';
            }
        }
    }

    void openSpan(Style style, std::string href = {}) { open.push_back({style, block.text.size(), 0, std::move(href)}); }

    void closeSpan() {
        Span span = open.back();
        open.pop_back();
        span.end = block.text.size();
        if (span.start < span.end) block.spans.push_back(std::move(span));
    }

    void walk(const GumboNode* node, int depth) {
        if (depth > kDeepestNesting) return;
        switch (node->type) {
            case GUMBO_NODE_TEXT:
            case GUMBO_NODE_CDATA:
            case GUMBO_NODE_WHITESPACE: addText(node->v.text.text); return;
            case GUMBO_NODE_DOCUMENT: {
                const GumboVector& children = node->v.document.children;
                for (unsigned i = 0; i < children.length; ++i)
                    walk(static_cast<const GumboNode*>(children.data[i]), depth + 1);
                return;
            }
            case GUMBO_NODE_ELEMENT: element(node, depth); return;
            default: return;
        }
    }

    void element(const GumboNode* node, int depth) {
        const GumboElement& e = node->v.element;
        if (e.tag == GUMBO_TAG_TITLE) {
            if (document.title_.empty()) {
                collectText(node, document.title_, depth);
                while (!document.title_.empty() && document.title_.back() == ' ') document.title_.pop_back();
                if (!document.title_.empty() && document.title_.front() == ' ') document.title_.erase(0, 1);
            }
            return;
        }
        if (e.tag == GUMBO_TAG_HEAD) {
            // Only the title shows of the head.
            for (unsigned i = 0; i < e.children.length; ++i) {
                auto* child = static_cast<const GumboNode*>(e.children.data[i]);
                if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_TITLE)
                    element(child, depth + 1);
            }
            return;
        }
        if (isHiddenTag(e.tag)) return;
        if (e.tag == GUMBO_TAG_BR) {
            block.text += '\n';
            return;
        }
        if (e.tag == GUMBO_TAG_IMG) {
            if (const GumboAttribute* alt = gumbo_get_attribute(&e.attributes, "alt"); alt && *alt->value) {
                addText("[");
                addText(alt->value);
                addText("]");
            }
            return;
        }

        const bool isBlock = isBlockTag(e.tag);
        const int level = levelOfHeading(e.tag);
        const bool isList = e.tag == GUMBO_TAG_UL || e.tag == GUMBO_TAG_OL;
        if (isBlock) {
            flush();
            if (level) headingLevel = level;
            if (e.tag == GUMBO_TAG_PRE) ++preformatted;
            if (isList) {
                ++listDepth;
                listCounters.push_back(e.tag == GUMBO_TAG_OL ? 1 : 0);
            }
            if (e.tag == GUMBO_TAG_LI) {
                int& counter = listCounters.empty() ? listCounterOutside : listCounters.back();
                pendingMarker = counter ? std::to_string(counter++) + "." : "\u2022";
            }
            flush();
        }

        int spans = 0;
        const auto styled = [&](Style style, std::string href = {}) {
            openSpan(style, std::move(href));
            ++spans;
        };
        switch (e.tag) {
            case GUMBO_TAG_B: case GUMBO_TAG_STRONG: case GUMBO_TAG_TH: styled(Style::Bold); break;
            case GUMBO_TAG_I: case GUMBO_TAG_EM: case GUMBO_TAG_CITE: case GUMBO_TAG_VAR: styled(Style::Italic); break;
            case GUMBO_TAG_CODE: case GUMBO_TAG_TT: case GUMBO_TAG_KBD: case GUMBO_TAG_SAMP: styled(Style::Monospace); break;
            case GUMBO_TAG_PRE: styled(Style::Monospace); break;
            case GUMBO_TAG_A:
                if (const GumboAttribute* href = gumbo_get_attribute(&e.attributes, "href")) styled(Style::Link, href->value);
                break;
            default: break;
        }
        if (level) styled(Style::Bold);

        for (unsigned i = 0; i < e.children.length; ++i) walk(static_cast<const GumboNode*>(e.children.data[i]), depth + 1);

        while (spans-- > 0) closeSpan();
        if (isBlock) {
            flush();
            if (level) headingLevel = 0;
            if (e.tag == GUMBO_TAG_PRE) --preformatted;
            if (isList) {
                --listDepth;
                listCounters.pop_back();
            }
            pendingMarker.clear();
            flush();
        }
    }

    // A list item outside any list counts as bulleted.
    int listCounterOutside = 0;
};

HTMLDocument HTMLDocument::parse(std::string_view html) {
    std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), shownLength(html)),
        [](GumboOutput* o) { gumbo_destroy_output(&kGumboDefaultOptions, o); });
    Builder builder;
    if (output) builder.walk(output->document, 0);
    builder.flush();
    return std::move(builder.document);
}
