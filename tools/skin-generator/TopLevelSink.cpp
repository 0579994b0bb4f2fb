#include "tools/skin-generator/TopLevelSink.h"

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/Statement.h"
#include "tools/skin-generator/TextUtilities.h"

#include <algorithm>

namespace HV::SkinGenerator {
namespace {

// The short names a control line may use for its most common skin attributes.
constexpr std::pair<const char*, const char*> kAttributeAliases[] = {
    {"x", "XPositionAbs"}, {"y", "YPositionAbs"}, {"w", "XSizeAbs"},
    {"h", "YSizeAbs"},     {"tab", "TabStop"},    {"visible", "IsVisible"},
};

std::string AttributeName(const std::string& name) {
  for (const auto& [alias, full] : kAttributeAliases)
    if (name == alias) return full;
  return name;
}

int32_t WholeArgument(const Statement& statement, const char* name, int32_t fallback) {
  const std::optional<std::string> text = statement.Find(name);
  if (!text) return fallback;
  const auto value = ParseWholeNumber(*text);
  if (!value || *value < -100000 || *value > 100000)
    throw DescriptionError(std::string(name) + "=" + *text + " is no whole number of pixels");
  return static_cast<int32_t>(*value);
}

double RealArgument(const Statement& statement, const char* name, double fallback) {
  const std::optional<std::string> text = statement.Find(name);
  if (!text) return fallback;
  const auto value = ParseRealNumber(*text);
  if (!value) throw DescriptionError(std::string(name) + "=" + *text + " is no number");
  return *value;
}

std::optional<int32_t> OptionalWhole(const Statement& statement, const char* name) {
  if (!statement.Find(name)) return std::nullopt;
  return WholeArgument(statement, name, 0);
}

// The look's statements: its fill, a border, parts over the fill and its text.
//   fill COLOUR [inset=N] [left= top= right= bottom=]
//   border COLOUR [width=N]
//   part COLOUR [left= top= right= bottom=] [width= height=]
//   text COLOUR [inset=N] [left= top= right= bottom=] [align=0..1] [valign=0..1]
class LookSink : public StatementSink {
 public:
  explicit LookSink(LookEntry& look) : mLook(look) {}

  void Handle(const Statement& statement, const StatementContext&) override {
    const std::string& keyword = statement.GetKeyword();
    if (keyword == "fill") return Fill(statement);
    if (keyword == "border") return Border(statement);
    if (keyword == "part") return Part(statement);
    if (keyword == "text") return Text(statement);
    throw DescriptionError("a look holds fill, border, part and text, not \"" + keyword + "\"");
  }

 private:
  void Fill(const Statement& statement) {
    statement.Expect(1, {"inset", "left", "top", "right", "bottom"});
    if (mLook.fill) throw DescriptionError("the look has a fill already");
    const int32_t inset = WholeArgument(statement, "inset", 0);
    mLook.fill = LookFill{statement.Required(0, "the fill's colour"), WholeArgument(statement, "left", inset),
                          WholeArgument(statement, "top", inset), WholeArgument(statement, "right", inset),
                          WholeArgument(statement, "bottom", inset)};
  }

  void Border(const Statement& statement) {
    statement.Expect(1, {"width"});
    const std::string& colour = statement.Required(0, "the border's colour");
    const int32_t width = WholeArgument(statement, "width", 1);
    if (width < 1) throw DescriptionError("a border is at least 1 pixel wide");
    mLook.parts.push_back({colour, {0, 0, 0, std::nullopt}, 0, width});  // top
    mLook.parts.push_back({colour, {0, std::nullopt, 0, 0}, 0, width});  // bottom
    mLook.parts.push_back({colour, {0, 0, std::nullopt, 0}, width, 0});  // left
    mLook.parts.push_back({colour, {std::nullopt, 0, 0, 0}, width, 0});  // right
  }

  void Part(const Statement& statement) {
    statement.Expect(1, {"left", "top", "right", "bottom", "width", "height"});
    LookPart part{statement.Required(0, "the part's colour"),
                  {OptionalWhole(statement, "left"), OptionalWhole(statement, "top"),
                   OptionalWhole(statement, "right"), OptionalWhole(statement, "bottom")},
                  WholeArgument(statement, "width", 0),
                  WholeArgument(statement, "height", 0)};
    const bool sizedX = (part.offsets.left && part.offsets.right) || part.width > 0;
    const bool sizedY = (part.offsets.top && part.offsets.bottom) || part.height > 0;
    if (!sizedX || !sizedY) throw DescriptionError("the part needs both edges or a size on each axis");
    mLook.parts.push_back(part);
  }

  void Text(const Statement& statement) {
    statement.Expect(1, {"inset", "left", "top", "right", "bottom", "align", "valign"});
    if (mLook.text) throw DescriptionError("the look has a text already");
    const int32_t inset = WholeArgument(statement, "inset", 0);
    mLook.text = LookText{statement.Required(0, "the text's colour"), WholeArgument(statement, "left", inset),
                          WholeArgument(statement, "top", 0), WholeArgument(statement, "right", inset),
                          WholeArgument(statement, "bottom", 0), RealArgument(statement, "align", 0),
                          RealArgument(statement, "valign", 0.5)};
  }

  LookEntry& mLook;
};

// The looks of a look list in index order, any number a line.
class LookListSink : public StatementSink {
 public:
  explicit LookListSink(LookListEntry& list) : mList(list) {}

  void Handle(const Statement& statement, const StatementContext&) override {
    if (!statement.GetNamed().empty()) throw DescriptionError("a look list names looks, nothing else");
    if (!statement.GetKeyword().empty()) Add(statement.GetKeyword());
    for (const Statement::Word& word : statement.GetWords()) {
      if (word.quoted) throw DescriptionError("look names are not quoted");
      Add(word.text);
    }
  }

 private:
  void Add(const std::string& name) { mList.looks.push_back(name == "-" ? std::string() : name); }

  LookListEntry& mList;
};

// Controls, and the create parameters and further skin attributes of the
// control they are below (a template's user adds them through its slot):
//   control CLASS NAME [skin=STYLE] [looks=LOOKLIST] [ATTRIBUTE=VALUE ...]
//   param ID VALUE
//   attribute NAME VALUE
class ControlsSink : public StatementSink {
 public:
  ControlsSink(DescriptionExpander& expander, std::vector<ControlEntry>& controls, ControlEntry* owner)
      : mExpander(expander), mControls(controls), mOwner(owner) {}

  void Handle(const Statement& statement, const StatementContext& context) override {
    const std::string& keyword = statement.GetKeyword();
    if (keyword == "control") return AddControl(statement, context);
    if (keyword == "param") return AddParam(statement);
    if (keyword == "attribute") return AddAttribute(statement);
    throw DescriptionError("controls hold control, param and attribute lines, not \"" + keyword + "\"");
  }

 private:
  void AddControl(const Statement& statement, const StatementContext& context) {
    statement.ExpectWords(2);
    ControlEntry control;
    control.className = statement.Required(0, "the control's class");
    control.name = statement.Required(1, "the control's name");
    control.place = context.Place();
    for (const auto& [name, value] : statement.GetNamed()) {
      if (name == "skin")
        control.skin = value;
      else if (name == "looks")
        control.lookList = value;
      else
        control.attributes.emplace_back(AttributeName(name), value);
    }
    if (control.lookList.empty()) control.lookList = control.skin;
    ControlsSink children(mExpander, control.children, &control);
    mExpander.WalkChildren(context, children);
    mControls.push_back(std::move(control));
  }

  void AddParam(const Statement& statement) {
    statement.Expect(2, {});
    if (!mOwner) throw DescriptionError("a param belongs below a control");
    mOwner->params.emplace_back(statement.Required(0, "the parameter's ID"),
                                statement.Required(1, "the parameter's value"));
  }

  void AddAttribute(const Statement& statement) {
    statement.Expect(2, {});
    if (!mOwner) throw DescriptionError("an attribute belongs below a control");
    const std::string name = AttributeName(statement.Required(0, "the attribute's name"));
    const std::string& value = statement.Required(1, "the attribute's value");
    for (auto& [existing, text] : mOwner->attributes)
      if (existing == name) {
        text = value;
        return;
      }
    mOwner->attributes.emplace_back(name, value);
  }

  DescriptionExpander& mExpander;
  std::vector<ControlEntry>& mControls;
  ControlEntry* mOwner;
};

// Adds a text to a table: a second text of an ID must be the same text.
void AddString(StringTableEntry& table, const std::string& id, const std::string& text, const std::string& place) {
  for (const StringEntry& entry : table.strings) {
    if (entry.id != id) continue;
    if (entry.text == text) return;
    throw DescriptionError(place, "\"" + table.key + "\" has another text for " + id + " (at " + entry.place + ")");
  }
  table.strings.push_back({id, text, place});
}

// The texts of one table:  ID "TEXT"
class TableSink : public StatementSink {
 public:
  explicit TableSink(StringTableEntry& table) : mTable(table) {}

  void Handle(const Statement& statement, const StatementContext& context) override {
    statement.Expect(1, {});
    const std::string& id = statement.GetKeyword();
    if (id.empty() || statement.GetWords().empty() || !statement.GetWords()[0].quoted)
      throw DescriptionError("a table holds lines ID \"TEXT\"");
    AddString(mTable, id, statement.GetWords()[0].text, context.Place());
  }

 private:
  StringTableEntry& mTable;
};

// The texts of a numbered list ("ITEM.00", "ITEM.01"...): quoted texts,
// any number a line, numbered in order from the first ID.
class ItemsSink : public StatementSink {
 public:
  ItemsSink(StringTableEntry& table, const std::string& firstId) : mTable(table) {
    const size_t digits = firstId.find_last_not_of("0123456789") + 1;
    if (digits == firstId.size()) throw DescriptionError("\"" + firstId + "\" ends in no number");
    mPrefix = firstId.substr(0, digits);
    mWidth = firstId.size() - digits;
    mNext = std::stoi(firstId.substr(digits));
  }

  void Handle(const Statement& statement, const StatementContext& context) override {
    if (!statement.GetKeyword().empty() || !statement.GetNamed().empty())
      throw DescriptionError("a list holds quoted texts");
    for (const Statement::Word& word : statement.GetWords()) {
      if (!word.quoted) throw DescriptionError("a list holds quoted texts");
      std::string number = std::to_string(mNext++);
      if (number.size() < mWidth) number.insert(0, mWidth - number.size(), '0');
      AddString(mTable, mPrefix + number, word.text, context.Place());
    }
  }

 private:
  StringTableEntry& mTable;
  std::string mPrefix;
  size_t mWidth = 0;
  int mNext = 0;
};

// The tables of a string document:  table KEY  /  items KEY FIRSTID
class StringsSink : public StatementSink {
 public:
  StringsSink(DescriptionExpander& expander, StringDocumentEntry& document)
      : mExpander(expander), mDocument(document) {}

  void Handle(const Statement& statement, const StatementContext& context) override {
    const std::string& keyword = statement.GetKeyword();
    if (keyword == "table") {
      statement.Expect(1, {});
      TableSink sink(Table(statement.Required(0, "the table's key"), context));
      mExpander.WalkChildren(context, sink);
    } else if (keyword == "items") {
      statement.Expect(2, {});
      ItemsSink sink(Table(statement.Required(0, "the table's key"), context),
                     statement.Required(1, "the first item's ID"));
      mExpander.WalkChildren(context, sink);
    } else {
      throw DescriptionError("string documents hold table and items blocks, not \"" + keyword + "\"");
    }
  }

 private:
  StringTableEntry& Table(const std::string& key, const StatementContext& context) {
    for (StringTableEntry& table : mDocument.tables)
      if (table.key == key) return table;
    mDocument.tables.push_back({key, {}, context.Place()});
    return mDocument.tables.back();
  }

  DescriptionExpander& mExpander;
  StringDocumentEntry& mDocument;
};

}  // namespace

void TopLevelSink::Handle(const Statement& statement, const StatementContext& context) {
  const std::string& keyword = statement.GetKeyword();
  SkinDescription& description = mExpander.GetDescription();
  if (keyword == "application") {
    statement.Expect(1, {});
    description.application = statement.Required(0, "the application's name");
  } else if (keyword == "colour") {
    AddColour(statement, context);
  } else if (keyword == "image") {
    AddImage(statement, context);
  } else if (keyword == "look") {
    AddLook(statement, context);
  } else if (keyword == "looklist") {
    AddLookList(statement, context);
  } else if (keyword == "template") {
    mExpander.DefineTemplate(statement, context);
  } else if (keyword == "skin") {
    AddSkin(statement, context);
  } else if (keyword == "strings") {
    AddStrings(statement, context);
  } else {
    throw DescriptionError(keyword.empty() ? "a top-level line starts with a statement"
                                           : "unknown statement \"" + keyword + "\" at the top level");
  }
}

void TopLevelSink::AddColour(const Statement& statement, const StatementContext& context) {
  statement.Expect(2, {});
  const std::string& name = statement.Required(0, "the colour's name");
  const std::string& text = statement.Required(1, "the colour's value 0xAARRGGBB");
  const bool wellFormed = text.size() == 10 && text.starts_with("0x") &&
                          text.find_first_not_of("0123456789ABCDEFabcdef", 2) == std::string::npos;
  if (!wellFormed) throw DescriptionError("\"" + text + "\" is no colour 0xAARRGGBB");
  mExpander.GetDescription().colours.push_back(
      {name, static_cast<uint32_t>(std::stoul(text.substr(2), nullptr, 16)), context.Place()});
}

void TopLevelSink::AddImage(const Statement& statement, const StatementContext& context) {
  statement.Expect(2, {"x", "y", "w", "h"});
  ImageEntry image{statement.Required(0, "the image's name"), statement.Required(1, "the image's file"),
                   WholeArgument(statement, "x", 0), WholeArgument(statement, "y", 0),
                   WholeArgument(statement, "w", 0), WholeArgument(statement, "h", 0), context.Place()};
  if (image.x < 0 || image.y < 0) throw DescriptionError("an image's rectangle starts inside its picture");
  if (image.width < 1 || image.height < 1) throw DescriptionError("an image needs w= and h= of a pixel or more");
  mExpander.GetDescription().images.push_back(std::move(image));
}

void TopLevelSink::AddLook(const Statement& statement, const StatementContext& context) {
  statement.Expect(1, {});
  LookEntry look{statement.Required(0, "the look's name"), std::nullopt, {}, std::nullopt, context.Place()};
  LookSink sink(look);
  mExpander.WalkChildren(context, sink);
  mExpander.GetDescription().looks.push_back(std::move(look));
}

void TopLevelSink::AddLookList(const Statement& statement, const StatementContext& context) {
  statement.Expect(1, {});
  LookListEntry list{statement.Required(0, "the look list's name"), {}, context.Place()};
  LookListSink sink(list);
  mExpander.WalkChildren(context, sink);
  if (list.looks.empty()) throw DescriptionError("the look list names no look");
  mExpander.GetDescription().lookLists.push_back(std::move(list));
}

void TopLevelSink::AddSkin(const Statement& statement, const StatementContext& context) {
  statement.Expect(1, {"document", "FontName", "FontSize", "FontStyle"});
  SkinEntry skin;
  skin.name = statement.Required(0, "the skin's name");
  skin.document = statement.Find("document").value_or("");
  if (skin.document.empty()) throw DescriptionError("the skin needs document=");
  for (const auto& [name, value] : statement.GetNamed())
    if (name != "document") skin.attributes.emplace_back(name, value);
  skin.place = context.Place();
  ControlsSink sink(mExpander, skin.controls, nullptr);
  mExpander.WalkChildren(context, sink);
  mExpander.GetDescription().skins.push_back(std::move(skin));
}

void TopLevelSink::AddStrings(const Statement& statement, const StatementContext& context) {
  statement.Expect(1, {});
  const std::string& name = statement.Required(0, "the string document's name");
  std::vector<StringDocumentEntry>& documents = mExpander.GetDescription().stringDocuments;
  auto found = std::find_if(documents.begin(), documents.end(),
                            [&](const StringDocumentEntry& document) { return document.name == name; });
  if (found == documents.end()) {
    documents.push_back({name, {}});
    found = documents.end() - 1;
  }
  StringsSink sink(mExpander, *found);
  mExpander.WalkChildren(context, sink);
}

}  // namespace HV::SkinGenerator
