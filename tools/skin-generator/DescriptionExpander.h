#pragma once

#include "tools/skin-generator/Scope.h"
#include "tools/skin-generator/SkinDescription.h"
#include "tools/skin-generator/SourceLine.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace HV::SkinGenerator {

class Statement;
class StatementSink;
struct SlotBinding;

// Where a line is being expanded: the templates it is inside (for messages)
// and the lines a "slot" in the innermost template stands for.
struct Expansion {
  std::string chain;  // " in template T used at F:N", innermost first
  const SlotBinding* slot = nullptr;
  int depth = 0;
};

// The lines written below a "use" line, read where its template says "slot",
// with the variables of the place that used the template.
struct SlotBinding {
  const std::vector<SourceLine>* lines;
  Scope* scope;
  Expansion expansion;
  mutable bool used = false;
};

// One statement being read: its line, its variables and where it is expanded.
struct StatementContext {
  const SourceLine& line;
  Scope& scope;
  const Expansion& expansion;

  std::string Place() const { return line.Place() + expansion.chain; }
};

// StatementSink: what a block of the description may hold (the top level, a
// look, a control's children, a string table...). The expander runs the
// statements every block shares (set, repeat, use, slot) itself and hands
// the rest to the block's sink.
class StatementSink {
 public:
  virtual void Handle(const Statement& statement, const StatementContext& context) = 0;
  virtual ~StatementSink() = default;
};

// DescriptionExpander: runs the description's lines top to bottom. Variables
// ("set NAME = EXPRESSION"), "{...}" in any line, "repeat VAR FROM..TO",
// "repeat VAR in WORDS" or "repeat INDEX VAR in WORDS" (INDEX counting from
// 0), and templates ("template NAME PARAMS", "use NAME
// PARAM=VALUE", "slot") are expanded; what remains fills a SkinDescription.
// Every fault throws a DescriptionError naming its line and the templates it
// was expanded in.
class DescriptionExpander {
 public:
  SkinDescription Expand(const std::vector<SourceLine>& lines);

  // Runs lines (a block of the description) into sink.
  void Walk(const std::vector<SourceLine>& lines, Scope& scope, const Expansion& expansion, StatementSink& sink);
  // Runs the lines below the statement's line into sink, in a scope of their own.
  void WalkChildren(const StatementContext& context, StatementSink& sink);

  // Records a template; the body stays unexpanded until it is used.
  void DefineTemplate(const Statement& statement, const StatementContext& context);
  SkinDescription& GetDescription() { return mDescription; }

 private:
  struct Template {
    std::vector<std::pair<std::string, std::optional<std::string>>> params;  // name, default
    const SourceLine* definition;
  };

  void RunLine(const SourceLine& line, Scope& scope, const Expansion& expansion, StatementSink& sink);
  void RunSet(const Statement& statement, Scope& scope);
  void RunRepeat(const Statement& statement, const StatementContext& context, StatementSink& sink);
  void RunUse(const Statement& statement, const StatementContext& context, StatementSink& sink);
  void RunSlot(const Statement& statement, const StatementContext& context, StatementSink& sink);

  Scope mGlobals;
  std::map<std::string, Template> mTemplates;
  SkinDescription mDescription;
};

}  // namespace HV::SkinGenerator
