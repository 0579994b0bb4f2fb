#pragma once

// The user guide's source text and what it reads as: a small markup of
// whole lines. "# " a title, "## " a section heading, "### " a subheading,
// "- " a bullet item, "| key | text" a row of a two-column table (a hot
// key or a message box's caption and text), an empty line ends a paragraph,
// any other line continues the current paragraph, item or row. "% " lines are comments.

#include <string>
#include <vector>

namespace UserGuide {

enum class BlockKind { Title, Heading, Subheading, Paragraph, Bullet, Row };

struct Block {
  BlockKind kind = BlockKind::Paragraph;
  std::string text;    // a row's first column
  std::string second;  // a row's second column
};

// The blocks of text in order; a line that cannot be read (a row without its
// second column) is reported in error with its line number, and no blocks.
std::vector<Block> ReadGuide(const std::string& text, std::string& error);

}  // namespace UserGuide
