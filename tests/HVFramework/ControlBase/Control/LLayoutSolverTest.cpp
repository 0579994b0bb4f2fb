// The layout solver on its own: positions and sizes from every kind of
// reference, anchors, docking under scrolling, minimums from children and
// text, maximums that win, and the rounding of edges.
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LLayoutSolver.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace HV::Test {
namespace {

// Named boxes standing for the parent's children.
class TableSiblings : public ILayoutSiblings {
 public:
  std::map<std::u16string, LLayoutBox> boxes;
  bool FindSibling(const StringW& name, LLayoutBox& box) const override {
    const auto at = boxes.find(std::u16string(name.GetView()));
    if (at == boxes.end()) return false;
    box = at->second;
    return true;
  }
};

// A text part with set measures: the text rectangle is the control's size
// times the spans, less nothing.
class TableText : public ILayoutTextMeasurer {
 public:
  double textWidth = 0;
  double textHeight = 0;
  double spanX = 1;
  double spanY = 1;
  bool wraps = true;
  int32_t lastWrapWidth = -1;

  void SetWrap(bool shouldWrap) override { wraps = shouldWrap; }
  RectT<double> GetTextRect(const PointT<double>& size) override {
    return {0, 0, size.x * spanX, size.y * spanY};
  }
  double GetTextWidth() override { return textWidth; }
  double GetTextHeight(int32_t wrapWidth) override {
    lastWrapWidth = wrapWidth;
    return textHeight;
  }
  double GetRelativeSpan(int axis) override { return axis == 0 ? spanX : spanY; }
};

struct NamedBox {
  std::u16string name;
  LLayoutBox box;
};

// A control with children given as boxes and a look of fixed borders.
class TableSubject : public ILayoutSubject {
 public:
  TableSubject() : layout(LLayoutDescriptor::Create()) {}
  RCPtr<LLayoutDescriptor> layout;
  PointT<double> scroll;
  PointT<double> clientOrigin;
  PointT<double> borders;  // control size less client size
  std::vector<NamedBox> children;
  ILayoutTextMeasurer* text = nullptr;

  const LLayoutDescriptor& GetLayout() const override { return *layout; }
  PointT<double> GetScrollOffset() const override { return scroll; }
  bool GetClientRect(const PointT<double>& size, RectT<double>& client) const override {
    client = {clientOrigin.x, clientOrigin.y, size.x - borders.x, size.y - borders.y};
    return true;
  }
  uint32_t GetChildCount() const override { return static_cast<uint32_t>(children.size()); }
  LLayoutBox GetChild(uint32_t index) const override { return children.at(index).box; }
  bool FindChild(const StringW& name, LLayoutBox& box) const override {
    for (const NamedBox& child : children)
      if (StringW(child.name.c_str()) == name) {
        box = child.box;
        return true;
      }
    return false;
  }
  ILayoutTextMeasurer* GetText() const override { return text; }
};

LLayoutFrame ParentFrame(double width, double height, double clientX = 0, double clientY = 0,
                         double scrollX = 0, double scrollY = 0) {
  LLayoutFrame frame;
  frame.origin = {-clientX, -clientY};
  frame.extent = {width, height};
  frame.client = {width - 2 * clientX, height - 2 * clientY};
  frame.scroll = {scrollX, scrollY};
  return frame;
}

LLayoutSize SizeOf(int32_t mode, float relative, double absolute, const char16_t* name = u"") {
  return LLayoutSize{mode, StringW(name), relative, absolute};
}
LLayoutPosition PositionOf(int32_t mode, float relative, double absolute, float anchor = 0,
                           const char16_t* name = u"") {
  return LLayoutPosition{anchor, mode, StringW(name), relative, absolute};
}

struct ComputeCase {
  const char* what;
  std::function<void(LLayoutDescriptor&)> describe;
  LLayoutFrame frame;
  bool topLevel;
  RectT<double> expected;
};

TEST(LLayoutSolver, ComputesRectanglesFromEveryKindOfReference) {
  TableSiblings siblings;
  siblings.boxes[u"bar"] = LLayoutBox{{0, 70, 100, 10}, {false, true}, true};  // docked on y
  siblings.boxes[u"left"] = LLayoutBox{{20, 0, 30, 40}, {false, false}, true};
  LLayoutFrame topLevel = ParentFrame(800, 600);
  topLevel.referencePoint = {7, 9};

  const std::vector<ComputeCase> cases = {
      {"defaults: client position, own size",
       [](LLayoutDescriptor&) {},
       ParentFrame(310, 210, 5, 5),
       false,
       {0, 0, 16, 40}},
      {"parent position, parent size less 10",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(0, 0, 10);
         l.size[0] = SizeOf(0, 1, -10);
       },
       ParentFrame(200, 100),
       false,
       {10, 0, 180, 40}},
      {"parent references leave the client area's border",
       [](LLayoutDescriptor& l) { l.position[0] = PositionOf(0, 0, 10); },
       ParentFrame(210, 100, 5, 5),
       false,
       {5, 0, 16, 40}},
      {"anchor 1: the position is the right edge",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(1, 1, -10, 1);
         l.size[0] = SizeOf(0, 0, 10);
       },
       ParentFrame(200, 100),
       false,
       {10, 0, 180, 40}},
      {"anchor 0.5 centres on the position",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(1, 0.5f, 0, 0.5f);
         l.size[0] = SizeOf(2, 0, 50);
       },
       ParentFrame(200, 100),
       false,
       {75, 0, 50, 40}},
      {"anchor 0.5 with a far edge: the edge bounds one half",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(1, 0.5f, 0, 0.5f);
         l.size[0] = SizeOf(1, 1, 0);
       },
       ParentFrame(200, 100),
       false,
       {0, 0, 200, 40}},
      {"an anchor outside 0..1 leaves no size",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(1, 0, 10, 2);
         l.size[0] = SizeOf(1, 1, 0);
       },
       ParentFrame(200, 100),
       false,
       {10, 0, 0, 40}},
      {"a negative size of its own is none",
       [](LLayoutDescriptor& l) { l.size[0] = SizeOf(2, 0, -5); },
       ParentFrame(200, 100),
       false,
       {0, 0, 0, 40}},
      {"docked: the parent's scrolling is added back",
       [](LLayoutDescriptor& l) {
         l.position[1] = PositionOf(1, 0, 20);
         l.docked[1] = true;
       },
       ParentFrame(200, 100, 0, 0, 0, 50),
       false,
       {0, 70, 16, 40}},
      {"not docked: scrolling leaves the content position",
       [](LLayoutDescriptor& l) { l.position[1] = PositionOf(1, 0, 20); },
       ParentFrame(200, 100, 0, 0, 0, 50),
       false,
       {0, 20, 16, 40}},
      {"below a docked sibling: placed against its unscrolled place",
       [](LLayoutDescriptor& l) { l.position[1] = PositionOf(2, 1, 0, 0, u"bar"); },
       ParentFrame(200, 100, 0, 0, 0, 50),
       false,
       {0, 30, 16, 40}},
      {"right of a sibling, as wide as to the parent's edge",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(2, 1, 5, 0, u"left");
         l.size[0] = SizeOf(1, 1, 0);
       },
       ParentFrame(200, 100),
       false,
       {55, 0, 145, 40}},
      {"sized to a sibling's far edge",
       [](LLayoutDescriptor& l) { l.size[0] = SizeOf(3, 1, 0, u"left"); },
       ParentFrame(200, 100),
       false,
       {0, 0, 50, 40}},
      {"a name without a sibling counts as 0",
       [](LLayoutDescriptor& l) { l.position[0] = PositionOf(2, 1, 5, 0, u"nobody"); },
       ParentFrame(200, 100),
       false,
       {5, 0, 16, 40}},
      {"top level: names stand for the reference point",
       [](LLayoutDescriptor& l) { l.position[0] = PositionOf(2, 1, 5, 0, u"left"); },
       topLevel,
       true,
       {12, 0, 16, 40}},
      {"edges, not sizes, are rounded",
       [](LLayoutDescriptor& l) {
         l.position[0] = PositionOf(1, 0, 1.5);
         l.position[1] = PositionOf(1, 0, -1.5);
         l.size[0] = SizeOf(2, 0, 2.2);
         l.size[1] = SizeOf(2, 0, 2.2);
       },
       ParentFrame(200, 100),
       false,
       {2, -2, 2, 3}},
  };
  for (const ComputeCase& c : cases) {
    const RCPtr<LLayoutDescriptor> layout = LLayoutDescriptor::Create();
    c.describe(*layout);
    RectT<double> rect{-1, -1, -1, -1};
    ASSERT_EQ(LLayoutSolver::ComputeLayoutRect(layout.Get(), c.frame, c.topLevel ? nullptr : &siblings, rect),
              S_OK)
        << c.what;
    EXPECT_EQ(rect, c.expected) << c.what;
  }
  RectT<double> untouched{1, 2, 3, 4};
  EXPECT_EQ(LLayoutSolver::ComputeLayoutRect(nullptr, ParentFrame(10, 10), &siblings, untouched),
            E_INVALIDARG);
  EXPECT_EQ(untouched, (RectT<double>{1, 2, 3, 4}));
}

struct LimitCase {
  const char* what;
  std::function<void(TableSubject&)> describe;
  PointT<double> position;
  PointT<double> size;
  HResult minimumResult;
  PointT<double> expectedPosition;
  PointT<double> expectedSize;
};

LLayoutSizeLimit Named(const char16_t* name, float relative, double absolute) {
  return LLayoutSizeLimit{true, StringW(name), relative, absolute};
}
LLayoutSizeLimit Own(double absolute) { return LLayoutSizeLimit{false, {}, 0, absolute}; }
LLayoutBox Box(double x, double y, double width, double height, bool clips = true) {
  return LLayoutBox{{x, y, width, height}, {false, false}, clips};
}

TEST(LLayoutSolver, AppliesMinimumsAndThenMaximumsThatWin) {
  const std::vector<LimitCase> cases = {
      {"children spanning 120 plus 4, with 6 pixels of borders",
       [](TableSubject& s) {
         s.layout->minimum[0] = Named(u"Children", 1, 4);
         s.children = {{u"a", Box(0, 0, 50, 10)}, {u"b", Box(70, 0, 50, 10)}};
         s.borders = {6, 0};
       },
       {10, 0},
       {16, 40},
       LLayoutSolver::kChanged,
       {10, 0},
       {130, 40}},
      {"a control wide enough for its children keeps its size",
       [](TableSubject& s) {
         s.layout->minimum[0] = Named(u"Children", 1, 4);
         s.children = {{u"a", Box(0, 0, 50, 10)}, {u"b", Box(70, 0, 50, 10)}};
         s.borders = {6, 0};
       },
       {10, 0},
       {200, 40},
       LLayoutSolver::kUnchanged,
       {10, 0},
       {200, 40}},
      {"children drawn outside the control do not count (but the first does)",
       [](TableSubject& s) {
         s.layout->minimum[0] = Named(u"Children", 1, 0);
         s.children = {{u"a", Box(0, 0, 50, 10, false)}, {u"b", Box(70, 0, 50, 10, false)}};
       },
       {0, 0},
       {16, 40},
       LLayoutSolver::kChanged,
       {0, 0},
       {50, 40}},
      {"down to a named child's far edge, through the client origin and scrolling",
       [](TableSubject& s) {
         s.layout->minimum[1] = Named(u"c", 1, 0);
         s.children = {{u"a", Box(0, 0, 5, 5)}, {u"c", Box(0, 90, 10, 30)}};
         s.clientOrigin = {0, 4};
         s.scroll = {0, 20};
       },
       {0, 100},
       {16, 40},
       LLayoutSolver::kChanged,
       {0, 100},
       {16, 104}},
      {"a missing name leaves the axis alone",
       [](TableSubject& s) {
         s.layout->minimum[0] = Named(u"nobody", 1, 0);
         s.children = {{u"a", Box(0, 0, 500, 5)}};
       },
       {0, 0},
       {16, 40},
       LLayoutSolver::kUnchanged,
       {0, 0},
       {16, 40}},
      {"a minimum of its own grows around the anchor",
       [](TableSubject& s) {
         s.layout->minimum[0] = Own(100);
         s.layout->position[0].placementAnchor = 0.5f;
       },
       {50, 0},
       {40, 40},
       LLayoutSolver::kChanged,
       {20, 0},
       {100, 40}},
      {"an anchor of 1 cannot grow towards a children minimum",
       [](TableSubject& s) {
         s.layout->minimum[0] = Named(u"Children", 2, 0);
         s.layout->position[0].placementAnchor = 1;
         s.children = {{u"a", Box(0, 0, 50, 10)}};
       },
       {0, 0},
       {16, 40},
       E_FAIL,
       {0, 0},
       {16, 40}},
      {"maximum wins over minimum",
       [](TableSubject& s) {
         s.layout->minimum[0] = Own(200);
         s.layout->maximum[0] = Own(100);
       },
       {0, 0},
       {16, 40},
       LLayoutSolver::kChanged,
       {0, 0},
       {100, 40}},
      {"a maximum of 0 never limits",
       [](TableSubject& s) { s.layout->maximum[0] = Own(0); },
       {0, 0},
       {5000, 40},
       LLayoutSolver::kUnchanged,
       {0, 0},
       {5000, 40}},
      {"a maximum with anchor 1 keeps the right edge",
       [](TableSubject& s) {
         s.layout->maximum[0] = Own(100);
         s.layout->position[0].placementAnchor = 1;
       },
       {10, 0},
       {150, 40},
       LLayoutSolver::kUnchanged,
       {60, 0},
       {100, 40}},
      {"a children maximum brings the far edge back",
       [](TableSubject& s) {
         s.layout->maximum[0] = Named(u"Children", 1, 0);
         s.children = {{u"a", Box(0, 0, 50, 10)}, {u"b", Box(70, 0, 50, 10, false)}};
         s.borders = {2, 0};
       },
       {0, 0},
       {300, 40},
       LLayoutSolver::kUnchanged,
       {0, 0},
       {122, 40}},
      {"children docked on both axes set no maximum",
       [](TableSubject& s) {
         s.layout->maximum[0] = Named(u"Children", 1, 0);
         s.children = {{u"a", LLayoutBox{{0, 0, 50, 10}, {true, true}, true}}};
       },
       {0, 0},
       {300, 40},
       LLayoutSolver::kUnchanged,
       {0, 0},
       {300, 40}},
  };
  for (const LimitCase& c : cases) {
    TableSubject subject;
    c.describe(subject);
    PointT<double> position = c.position, size = c.size;
    EXPECT_EQ(LLayoutSolver::ApplyMinimumSize(subject, position, size), c.minimumResult) << c.what;
    LLayoutSolver::ApplyMaximumSize(subject, position, size);
    EXPECT_EQ(position.x, c.expectedPosition.x) << c.what;
    EXPECT_EQ(position.y, c.expectedPosition.y) << c.what;
    EXPECT_EQ(size.x, c.expectedSize.x) << c.what;
    EXPECT_EQ(size.y, c.expectedSize.y) << c.what;
  }
}

TEST(LLayoutSolver, ExpandingTextGrowsTheControlThenWrapsAtItsMaximum) {
  struct Case {
    const char* what;
    double spanX;
    double maximum;
    double expectedWidth;
    bool wrapsAfter;
  };
  for (const Case& c : {Case{"37.2 short in half the width: 38 / 0.5", 0.5, 0, 176, false},
                        Case{"limited to its maximum, the text wraps", 0.5, 150, 150, true},
                        Case{"a text area that does not follow the size", 0, 0, 100, false}}) {
    TableText text;
    text.spanX = c.spanX;
    text.textWidth = 100 * c.spanX + 37.2;
    TableSubject subject;
    subject.layout->textOverflowX = 1;
    subject.layout->maximum[0] = Own(c.maximum);
    subject.text = &text;
    PointT<double> position{0, 0}, size{100, 20};
    LLayoutSolver::ApplyMinimumSize(subject, position, size);
    LLayoutSolver::ApplyMaximumSize(subject, position, size);
    EXPECT_EQ(size.x, c.expectedWidth) << c.what;
    EXPECT_EQ(text.wraps, c.wrapsAfter) << c.what;
  }

  // Height: the text wrapped at the (grown) width; clipping text never grows.
  TableText text;
  text.textHeight = 52.5;
  TableSubject subject;
  subject.text = &text;
  subject.layout->textOverflowY = 1;
  PointT<double> position{0, 0}, size{80.7, 20};
  EXPECT_EQ(LLayoutSolver::ApplyMinimumSize(subject, position, size), LLayoutSolver::kChanged);
  EXPECT_EQ(text.lastWrapWidth, 80);
  EXPECT_EQ(size.y, 53);
  subject.layout->textOverflowY = 0;
  size = {80, 20};
  EXPECT_EQ(LLayoutSolver::ApplyMinimumSize(subject, position, size), LLayoutSolver::kUnchanged);
}

TEST(LLayoutSolver, SnappingFloorsEdgesWithinTheTolerance) {
  const LControl::Rect flipped = LControl::SnapToPixels({10.3, 5, -4.2, 3});
  EXPECT_EQ(flipped.x, 6);
  EXPECT_EQ(flipped.width, 4);
  const LControl::Rect nearlyWhole = LControl::SnapToPixels({2.9999999999999996, -0.5, 1, 1});
  EXPECT_EQ(nearlyWhole.x, 3);
  EXPECT_EQ(nearlyWhole.width, 1);
  EXPECT_EQ(nearlyWhole.y, -1);
  EXPECT_EQ(nearlyWhole.height, 1);
}

}  // namespace
}  // namespace HV::Test
