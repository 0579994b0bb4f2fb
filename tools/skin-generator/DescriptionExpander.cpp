#include "tools/skin-generator/DescriptionExpander.h"

#include "tools/skin-generator/DescriptionError.h"
#include "tools/skin-generator/ExpressionEvaluator.h"
#include "tools/skin-generator/Statement.h"
#include "tools/skin-generator/TextUtilities.h"
#include "tools/skin-generator/TopLevelSink.h"

namespace HV::SkinGenerator {
namespace {

// Templates using templates deeper than this are taken for a template that uses itself.
constexpr int kMaxTemplateDepth = 64;
// A repeat of more values than this is taken for a mistyped range.
constexpr int64_t kMaxRepeatCount = 10000;

// The values of "FROM..TO" (whole numbers, FROM not above TO).
std::vector<Value> RangeValues(const std::string& range) {
  const size_t dots = range.find("..");
  const auto from = dots == std::string::npos ? std::nullopt : ParseWholeNumber(range.substr(0, dots));
  const auto to = dots == std::string::npos ? std::nullopt : ParseWholeNumber(range.substr(dots + 2));
  if (!from || !to) throw DescriptionError("\"" + range + "\" is no range FROM..TO of whole numbers");
  if (*from > *to || *to - *from >= kMaxRepeatCount)
    throw DescriptionError("the range \"" + range + "\" is empty or too long");
  std::vector<Value> values;
  for (int64_t value = *from; value <= *to; ++value) values.push_back(Value::Number(static_cast<double>(value)));
  return values;
}

}  // namespace

SkinDescription DescriptionExpander::Expand(const std::vector<SourceLine>& lines) {
  mDescription = {};
  TopLevelSink sink(*this);
  Walk(lines, mGlobals, Expansion{}, sink);
  return std::move(mDescription);
}

void DescriptionExpander::Walk(const std::vector<SourceLine>& lines, Scope& scope, const Expansion& expansion,
                               StatementSink& sink) {
  for (const SourceLine& line : lines) {
    try {
      RunLine(line, scope, expansion, sink);
    } catch (const DescriptionError& error) {
      if (error.HasPlace()) throw;
      throw DescriptionError(line.Place() + expansion.chain, error.what());
    }
  }
}

void DescriptionExpander::WalkChildren(const StatementContext& context, StatementSink& sink) {
  Scope inner(&context.scope);
  Walk(context.line.children, inner, context.expansion, sink);
}

void DescriptionExpander::RunLine(const SourceLine& line, Scope& scope, const Expansion& expansion,
                                  StatementSink& sink) {
  const Statement statement = Statement::Parse(ExpressionEvaluator::Substitute(line.text, scope));
  const StatementContext context{line, scope, expansion};
  const std::string& keyword = statement.GetKeyword();
  if (keyword == "set") return RunSet(statement, scope);
  if (keyword == "repeat") return RunRepeat(statement, context, sink);
  if (keyword == "use") return RunUse(statement, context, sink);
  if (keyword == "slot") return RunSlot(statement, context, sink);
  sink.Handle(statement, context);
}

void DescriptionExpander::RunSet(const Statement& statement, Scope& scope) {
  const std::string& name = statement.Required(0, "the variable's name");
  if (statement.GetWords().size() < 2 || statement.GetWords()[1].text != "=")
    throw DescriptionError("write \"set " + name + " = VALUE\"");
  const std::string expression = Trim(statement.GetTextAfter("="));
  if (expression.starts_with('"'))
    scope.Set(name, Value{false, 0, statement.GetWords().at(2).text});
  else
    scope.Set(name, ExpressionEvaluator::Evaluate(expression, scope));
}

void DescriptionExpander::RunRepeat(const Statement& statement, const StatementContext& context,
                                    StatementSink& sink) {
  // "repeat VAR FROM..TO", "repeat VAR in WORDS" or "repeat INDEX VAR in WORDS" (INDEX counts from 0).
  const std::vector<Statement::Word>& words = statement.GetWords();
  const bool counted = words.size() > 2 && words[2].text == "in";
  const std::string& variable = statement.Required(counted ? 1 : 0, "the repeat's variable");
  const std::string index = counted ? words[0].text : std::string();
  const std::string& how = statement.Required(counted ? 2 : 1, "the repeat's range FROM..TO or \"in WORDS\"");
  std::vector<Value> values;
  if (how == "in") {
    for (size_t i = counted ? 3 : 2; i < words.size(); ++i) values.push_back(Value::FromText(words[i].text));
    if (values.empty()) throw DescriptionError("\"repeat " + variable + " in\" names no words");
  } else {
    statement.Expect(2, {});
    values = RangeValues(how);
  }
  for (size_t i = 0; i < values.size(); ++i) {
    Scope iteration(&context.scope);
    iteration.Set(variable, values[i]);
    if (!index.empty()) iteration.Set(index, Value::Number(static_cast<double>(i)));
    Walk(context.line.children, iteration, context.expansion, sink);
  }
}

void DescriptionExpander::DefineTemplate(const Statement& statement, const StatementContext& context) {
  const std::string& name = statement.Required(0, "the template's name");
  if (mTemplates.count(name)) throw DescriptionError("the template \"" + name + "\" is defined twice");
  Template definition{{}, &context.line};
  for (size_t i = 1; i < statement.GetWords().size(); ++i)
    definition.params.emplace_back(statement.GetWords()[i].text, std::nullopt);
  for (const auto& [param, value] : statement.GetNamed()) definition.params.emplace_back(param, value);
  mTemplates.emplace(name, std::move(definition));
}

void DescriptionExpander::RunUse(const Statement& statement, const StatementContext& context,
                                 StatementSink& sink) {
  const std::string& name = statement.Required(0, "the template's name");
  statement.ExpectWords(1);  // arguments are named; each is checked below
  const auto found = mTemplates.find(name);
  if (found == mTemplates.end()) throw DescriptionError("unknown template \"" + name + "\"");
  const Template& definition = found->second;
  if (context.expansion.depth >= kMaxTemplateDepth)
    throw DescriptionError("templates nest deeper than " + std::to_string(kMaxTemplateDepth) +
                           " levels: does \"" + name + "\" use itself?");

  Scope arguments(&mGlobals);
  for (const auto& [param, fallback] : definition.params) {
    const std::optional<std::string> given = statement.Find(param);
    if (!given && !fallback) throw DescriptionError("the template \"" + name + "\" needs " + param + "=");
    arguments.Set(param, Value::FromText(given ? *given : *fallback));
  }
  for (const auto& [argument, value] : statement.GetNamed()) {
    bool known = false;
    for (const auto& param : definition.params) known = known || param.first == argument;
    if (!known) throw DescriptionError("the template \"" + name + "\" has no parameter \"" + argument + "\"");
  }
  const SlotBinding slot{&context.line.children, &context.scope, context.expansion};
  const Expansion inner{" in template " + name + " used at " + context.Place(), &slot,
                        context.expansion.depth + 1};
  Walk(definition.definition->children, arguments, inner, sink);
  if (!slot.used && !context.line.children.empty())
    throw DescriptionError("the lines below \"use " + name + "\" go nowhere: the template has no \"slot\"");
}

void DescriptionExpander::RunSlot(const Statement& statement, const StatementContext& context,
                                  StatementSink& sink) {
  statement.Expect(0, {});
  const SlotBinding* slot = context.expansion.slot;
  if (!slot) throw DescriptionError("\"slot\" stands outside a template");
  slot->used = true;
  Scope inner(slot->scope);
  Walk(*slot->lines, inner, slot->expansion, sink);
}

}  // namespace HV::SkinGenerator
