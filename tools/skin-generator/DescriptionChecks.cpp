#include "tools/skin-generator/DescriptionChecks.h"

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/TextUtilities.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

namespace HV::SkinGenerator {
namespace {

enum class Kind { Bool, Whole, Real, Text, PositionReference, SizeReference, LimitReference, OverflowX, OverflowY };

// The attributes of a SubControl element the skin reader knows, with how it reads them.
const std::map<std::string_view, Kind>& AttributeKinds() {
  static const std::map<std::string_view, Kind> kinds = {
      {"ClipToParent", Kind::Bool},          {"IsVisible", Kind::Bool},
      {"XIsDocked", Kind::Bool},             {"YIsDocked", Kind::Bool},
      {"FontInheritsFromParent", Kind::Bool}, {"FontSizeIsRelative", Kind::Bool},
      {"Z_Order", Kind::Whole},              {"TabStop", Kind::Whole},
      {"XPositionAbs", Kind::Whole},         {"YPositionAbs", Kind::Whole},
      {"XSizeAbs", Kind::Whole},             {"YSizeAbs", Kind::Whole},
      {"XMinSizeAbs", Kind::Whole},          {"YMinSizeAbs", Kind::Whole},
      {"XMaxSizeAbs", Kind::Whole},          {"YMaxSizeAbs", Kind::Whole},
      {"FontStyle", Kind::Whole},            {"FontSize", Kind::Real},
      {"XPlacementAnchor", Kind::Real},      {"YPlacementAnchor", Kind::Real},
      {"XPositionRel", Kind::Real},          {"YPositionRel", Kind::Real},
      {"XSizeRel", Kind::Real},              {"YSizeRel", Kind::Real},
      {"XMinSizeRel", Kind::Real},           {"YMinSizeRel", Kind::Real},
      {"XMaxSizeRel", Kind::Real},           {"YMaxSizeRel", Kind::Real},
      {"XPositionToControl", Kind::PositionReference}, {"YPositionToControl", Kind::PositionReference},
      {"XSizeToControl", Kind::SizeReference},         {"YSizeToControl", Kind::SizeReference},
      {"XMinSizeToControl", Kind::LimitReference},     {"YMinSizeToControl", Kind::LimitReference},
      {"XMaxSizeToControl", Kind::LimitReference},     {"YMaxSizeToControl", Kind::LimitReference},
      {"TextDecoration", Kind::Text},        {"FontName", Kind::Text},
      {"TextOverflowXType", Kind::OverflowX}, {"TextOverflowYType", Kind::OverflowY},
  };
  return kinds;
}

bool IsOneOf(const std::string& text, std::initializer_list<std::string_view> words) {
  return std::find(words.begin(), words.end(), text) != words.end();
}

bool HasChild(const std::vector<ControlEntry>& controls, const std::string& name) {
  return std::any_of(controls.begin(), controls.end(), [&](const ControlEntry& c) { return c.name == name; });
}

// A bool is "True" or "False" exactly: the reader takes every other text, "true" too, for false.
void CheckBool(const std::string& what, const std::string& value) {
  if (!IsOneOf(value, {"True", "False"})) throw DescriptionError(what + "=" + value + " is neither True nor False");
}

class Checker {
 public:
  explicit Checker(const SkinDescription& description) : mDescription(description) {}

  void Run() {
    if (mDescription.application.empty()) throw DescriptionError("the description names no application");
    CheckNames();
    CheckLooks();
    for (const SkinEntry& skin : mDescription.skins) CheckSkin(skin);
    CheckStringTables();
  }

 private:
  template <class Entry>
  static std::set<std::string> UniqueNames(const std::vector<Entry>& entries, const char* what) {
    std::map<std::string, std::string> places;
    for (const Entry& entry : entries) {
      const auto [at, added] = places.emplace(entry.name, entry.place);
      if (!added) throw DescriptionError(entry.place, std::string(what) + " \"" + entry.name +
                                                           "\" is defined before, at " + at->second);
    }
    std::set<std::string> names;
    for (const auto& [name, place] : places) names.insert(name);
    return names;
  }

  void CheckNames() {
    mColours = UniqueNames(mDescription.colours, "the colour");
    // Colours and images are both parts of the skin: one name each.
    UniqueNames(mDescription.images, "the image");
    for (const ImageEntry& image : mDescription.images)
      if (!mColours.insert(image.name).second)
        throw DescriptionError(image.place, "\"" + image.name + "\" names a colour and an image");
    mLooks = UniqueNames(mDescription.looks, "the look");
    mLookLists = UniqueNames(mDescription.lookLists, "the look list");
  }

  void NeedColour(const std::string& colour, const std::string& place) const {
    if (!mColours.count(colour)) throw DescriptionError(place, "unknown colour or image \"" + colour + "\"");
  }

  void CheckLooks() const {
    for (const LookEntry& look : mDescription.looks) {
      if (look.fill) NeedColour(look.fill->colour, look.place);
      for (const LookPart& part : look.parts) NeedColour(part.colour, look.place);
      if (look.text) NeedColour(look.text->colour, look.place);
      if (!look.fill && look.parts.empty() && !look.text)
        throw DescriptionError(look.place, "the look \"" + look.name + "\" draws nothing");
    }
    for (const LookListEntry& list : mDescription.lookLists)
      for (const std::string& look : list.looks)
        if (!look.empty() && !mLooks.count(look))
          throw DescriptionError(list.place, "unknown look \"" + look + "\"");
  }

  void CheckSkin(const SkinEntry& skin) {
    for (const auto& [name, value] : skin.attributes) {
      const bool valid = name == "FontName" || (name == "FontSize" && ParseRealNumber(value)) ||
                         (name == "FontStyle" && ParseWholeNumber(value));
      if (!valid) throw DescriptionError(skin.place, "the skin's " + name + "=" + value + " cannot be read");
    }
    CheckControls(skin.controls, nullptr);
  }

  void CheckControls(const std::vector<ControlEntry>& controls, const ControlEntry* parent) {
    std::map<std::string, std::string> places;
    for (const ControlEntry& control : controls) {
      const auto [at, added] = places.emplace(control.name, control.place);
      if (!added)
        throw DescriptionError(control.place, "a sibling is named \"" + control.name + "\" already, at " + at->second);
      try {
        CheckControl(control, controls, parent);
      } catch (const DescriptionError& error) {
        if (error.HasPlace()) throw;
        throw DescriptionError(control.place, error.what());
      }
      mControlTables.insert((parent ? parent->className : mDescription.application) + "|" + control.name);
      CheckControls(control.children, &control);
    }
  }

  void CheckControl(const ControlEntry& control, const std::vector<ControlEntry>& siblings,
                    const ControlEntry* parent) const {
    if (!control.lookList.empty() && !mLookLists.count(control.lookList))
      throw DescriptionError("unknown look list \"" + control.lookList + "\"");
    for (const auto& [name, value] : control.attributes) {
      if (name == "LayoutOrder") throw DescriptionError("LayoutOrder is the order of the description; leave it out");
      if (!parent && IsOneOf(name, {"TabStop", "IsVisible"}))
        throw DescriptionError("a top-level control takes no " + name + ": the skin reader ignores it there");
      const auto kind = AttributeKinds().find(name);
      if (kind == AttributeKinds().end()) throw DescriptionError("unknown skin attribute \"" + name + "\"");
      CheckAttribute(name, value, kind->second, control, siblings);
    }
    for (const auto& [id, value] : control.params)
      if (IsOneOf(value, {"true", "false", "TRUE", "FALSE"})) CheckBool(id, value);
  }

  static void CheckAttribute(const std::string& name, const std::string& value, Kind kind,
                             const ControlEntry& control, const std::vector<ControlEntry>& siblings) {
    switch (kind) {
      case Kind::Bool:
        return CheckBool(name, value);
      case Kind::Whole:
        if (!ParseWholeNumber(value)) throw DescriptionError(name + "=" + value + " is no whole number");
        return;
      case Kind::Real:
        if (!ParseRealNumber(value)) throw DescriptionError(name + "=" + value + " is no number");
        return;
      case Kind::Text:
        return;
      case Kind::PositionReference:
      case Kind::SizeReference:
        if (IsOneOf(value, {"Parent", "Screen", "Client", "Active Window"})) return;
        if (kind == Kind::SizeReference && value == "Self") return;
        if (!HasChild(siblings, value) || value == control.name)
          throw DescriptionError(name + " names no sibling \"" + value + "\"");
        return;
      case Kind::LimitReference:
        if (IsOneOf(value, {"Self", "Children"}) || HasChild(control.children, value)) return;
        throw DescriptionError(name + " names no child \"" + value + "\"");
      case Kind::OverflowX:
        if (!IsOneOf(value, {"Clip", "Expand", "Wrap"})) throw DescriptionError(name + "=" + value + " is unknown");
        return;
      case Kind::OverflowY:
        if (!IsOneOf(value, {"Clip", "Expand"})) throw DescriptionError(name + "=" + value + " is unknown");
        return;
    }
  }

  // A table is the framework's, the application's, or a control's own: the
  // class of a control's parent (the application for a top-level control),
  // "|" and the control's name.
  void CheckStringTables() const {
    std::map<std::string, std::string> documents;
    for (const StringDocumentEntry& document : mDescription.stringDocuments) {
      for (const StringTableEntry& table : document.tables) {
        const auto [at, added] = documents.emplace(table.key, document.name);
        if (!added && at->second != document.name)
          throw DescriptionError(table.place, "the table \"" + table.key + "\" is in " + at->second + " already");
        const bool known = table.key == "Framework" || table.key == "|" + mDescription.application ||
                           mControlTables.count(table.key);
        if (!known) throw DescriptionError(table.place, "the table \"" + table.key + "\" belongs to no control");
      }
    }
  }

  const SkinDescription& mDescription;
  std::set<std::string> mColours;
  std::set<std::string> mLooks;
  std::set<std::string> mLookLists;
  std::set<std::string> mControlTables;  // "parent class|name" of every control
};

}  // namespace

void DescriptionChecks::Check(const SkinDescription& description) { Checker(description).Run(); }

}  // namespace HV::SkinGenerator
