// A web page as the web view shows it: the HTML parsed by gumbo (the HTML5
// parsing algorithm, so any bytes give a document) and flattened into its
// title and a list of text blocks (headings, paragraphs, list items,
// preformatted text), each a run of text with its bold, italic, monospace
// and link spans. Whitespace collapses as a browser collapses it, outside
// preformatted text; scripts, styles and the head (but its title) show
// nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class HTMLDocument {
public:
    // A page is shown up to the first tag that would open an element nested
    // deeper than this, so that a hostile page can exhaust neither the
    // parser's memory nor the stack.
    static constexpr int kDeepestNesting = 200;

    enum class Style { Bold, Italic, Monospace, Link };

    // A styled stretch of a block's text, in bytes.
    struct Span {
        Style style;
        std::size_t start;
        std::size_t end;
        // The link's address as written in the page ("href"); Link only.
        std::string href;
    };

    struct Block {
        enum class Kind { Paragraph, Heading, ListItem, Preformatted };
        Kind kind = Kind::Paragraph;
        // 1 to 6 for a heading.
        int headingLevel = 0;
        // How many lists the block is inside.
        int listDepth = 0;
        // "•" or "3." for the first block of a list item; empty otherwise.
        std::string marker;
        std::string text;
        std::vector<Span> spans;
    };

    static HTMLDocument parse(std::string_view html);

    // The text of the page's <title>, whitespace collapsed; empty when none.
    const std::string& title() const { return title_; }
    const std::vector<Block>& blocks() const { return blocks_; }

private:
    // The walk over gumbo's tree; defined with parse().
    struct Builder;

    std::string title_;
    std::vector<Block> blocks_;
};
