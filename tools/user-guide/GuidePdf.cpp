#include "tools/user-guide/GuidePdf.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace UserGuide {
namespace {

// A4 in points, and the printed area inside its margins.
constexpr double kPageWidth = 595.28, kPageHeight = 841.89;
constexpr double kMargin = 64, kFooterY = kPageHeight - 36, kBottom = kFooterY - 12;
constexpr double kTextWidth = kPageWidth - 2 * kMargin;
constexpr double kBulletIndent = 16, kRowKeyWidth = 170;
constexpr const char* kFamily = "DejaVu Sans";

struct Style {
  double size;
  bool bold;
  double spaceBefore;
  double spaceAfter;
};

Style StyleOf(BlockKind kind) {
  switch (kind) {
    case BlockKind::Title:
      return {22, true, 0, 14};
    case BlockKind::Heading:
      return {15, true, 14, 6};
    case BlockKind::Subheading:
      return {11.5, true, 8, 3};
    case BlockKind::Row:
      return {10, false, 0, 3};
    case BlockKind::Bullet:
      return {10, false, 0, 3};
    case BlockKind::Paragraph:
      break;
  }
  return {10, false, 0, 7};
}

class PageWriter {
 public:
  explicit PageWriter(cairo_t* cr, std::string footer) : mCr(cr), mFooter(std::move(footer)) {}

  void Write(const Block& block) {
    const Style style = StyleOf(block.kind);
    const double lineHeight = style.size * 1.45;
    // A heading stays with the first lines of what follows it.
    const bool isHeading = block.kind == BlockKind::Heading || block.kind == BlockKind::Subheading;
    if (mY > kMargin) mY += style.spaceBefore;
    if (isHeading && mY + lineHeight * 3 > kBottom) NewPage();
    switch (block.kind) {
      case BlockKind::Bullet: {
        const std::vector<std::string> lines = Wrap(block.text, style, kTextWidth - kBulletIndent);
        KeepTogether(lineHeight * std::min<size_t>(lines.size(), 2));
        DrawLines({"\xE2\x80\xA2"}, style, kMargin, lineHeight);
        mY -= lineHeight;  // the item's text starts on the bullet's line
        DrawLines(lines, style, kMargin + kBulletIndent, lineHeight);
        break;
      }
      case BlockKind::Row: {
        // A row is kept whole on one page: its key beside its text.
        const Style keyStyle{style.size, true, 0, 0};
        const std::vector<std::string> keys = Wrap(block.text, keyStyle, kRowKeyWidth - 8);
        const std::vector<std::string> texts = Wrap(block.second, style, kTextWidth - kRowKeyWidth);
        KeepTogether(lineHeight * std::max(keys.size(), texts.size()));
        const double top = mY;
        DrawLines(keys, keyStyle, kMargin, lineHeight);
        const double keyBottom = mY;
        mY = top;
        DrawLines(texts, style, kMargin + kRowKeyWidth, lineHeight);
        mY = std::max(mY, keyBottom);
        break;
      }
      default:
        DrawLines(Wrap(block.text, style, kTextWidth), style, kMargin, lineHeight);
        break;
    }
    mY += style.spaceAfter;
  }

  int Finish() {
    DrawFooter();
    cairo_show_page(mCr);
    return mPage;
  }

 private:
  void Select(const Style& style) {
    cairo_select_font_face(mCr, kFamily, CAIRO_FONT_SLANT_NORMAL,
                           style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(mCr, style.size);
  }

  double Advance(const std::string& text) {
    cairo_text_extents_t extents;
    cairo_text_extents(mCr, text.c_str(), &extents);
    return extents.x_advance;
  }

  // The text broken into lines of whole words that fit width (a longer word
  // keeps a line of its own).
  std::vector<std::string> Wrap(const std::string& text, const Style& style, double width) {
    Select(style);
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word, line;
    while (words >> word) {
      const std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && Advance(candidate) > width) {
        lines.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
  }

  // Starts a page when height no longer fits on this one.
  void KeepTogether(double height) {
    if (mY > kMargin && mY + height > kBottom) NewPage();
  }

  // Each line at x, starting a page when the next one would reach the footer.
  void DrawLines(const std::vector<std::string>& lines, const Style& style, double x, double lineHeight) {
    Select(style);
    for (const std::string& line : lines) {
      if (mY + lineHeight > kBottom) {
        NewPage();
        Select(style);
      }
      cairo_move_to(mCr, x, mY + style.size);
      cairo_show_text(mCr, line.c_str());
      mY += lineHeight;
    }
  }

  void NewPage() {
    DrawFooter();
    cairo_show_page(mCr);
    ++mPage;
    mY = kMargin;
  }

  void DrawFooter() {
    Select({8, false, 0, 0});
    cairo_set_source_rgb(mCr, 0.4, 0.4, 0.4);
    cairo_move_to(mCr, kMargin, kFooterY);
    cairo_show_text(mCr, mFooter.c_str());
    const std::string number = std::to_string(mPage);
    cairo_move_to(mCr, kPageWidth - kMargin - Advance(number), kFooterY);
    cairo_show_text(mCr, number.c_str());
    cairo_set_source_rgb(mCr, 0, 0, 0);
  }

  cairo_t* mCr;
  std::string mFooter;
  int mPage = 1;
  double mY = kMargin;
};

}  // namespace

int WriteGuidePdf(const std::vector<Block>& blocks, const std::string& footer, const std::string& path,
                  std::string& error) {
  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0, 0, 0);
  PageWriter writer(cr, footer);
  for (const Block& block : blocks) writer.Write(block);
  const int pages = writer.Finish();
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    error = cairo_status_to_string(status);
    return 0;
  }
  return pages;
}

}  // namespace UserGuide
