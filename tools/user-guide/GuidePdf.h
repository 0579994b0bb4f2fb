#pragma once

// Lays the user guide's blocks out on A4 pages and writes them as a PDF
// through Cairo's PDF surface: headings, wrapped paragraphs, bullet items,
// two-column rows, and a footer with the page number on every page.

#include "tools/user-guide/GuideText.h"

#include <string>
#include <vector>

namespace UserGuide {

// The number of pages written, or 0 with the reason in error.
int WriteGuidePdf(const std::vector<Block>& blocks, const std::string& footer, const std::string& path,
                  std::string& error);

}  // namespace UserGuide
