#pragma once

#include "tools/skin-generator/DescriptionExpander.h"

namespace HV::SkinGenerator {

// TopLevelSink: the statements of the description's top level:
//   application NAME
//   colour NAME 0xAARRGGBB
//   look NAME            (below: fill, border, part, text)
//   looklist NAME        (below: the looks by index, "-" for an empty slot)
//   template NAME PARAM PARAM=DEFAULT ...   (below: the body)
//   skin NAME document=DOCUMENT FontName= FontSize= FontStyle=   (below: controls)
//   strings DOCUMENT     (below: table KEY / items KEY FIRSTID)
// and fills the expander's description with what they say.
class TopLevelSink : public StatementSink {
 public:
  explicit TopLevelSink(DescriptionExpander& expander) : mExpander(expander) {}

  void Handle(const Statement& statement, const StatementContext& context) override;

 private:
  // image NAME FILE x= y= w= h=: a rectangle of a rendered picture, drawn by its name.
  void AddImage(const Statement& statement, const StatementContext& context);
  void AddColour(const Statement& statement, const StatementContext& context);
  void AddLook(const Statement& statement, const StatementContext& context);
  void AddLookList(const Statement& statement, const StatementContext& context);
  void AddSkin(const Statement& statement, const StatementContext& context);
  void AddStrings(const Statement& statement, const StatementContext& context);

  DescriptionExpander& mExpander;
};

}  // namespace HV::SkinGenerator
