#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/TypeName.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"
#include "HVFramework/Utilities/Storage/RCPtrQueue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace HV {
namespace {

class Sample : public virtual LRefCountedObject {};

using ::testing::EndsWith;
using ::testing::MatchesRegex;

TEST(ResultToString, WritesTheCodeInUpperCaseHex) {
  const std::pair<HResult, const char*> cases[] = {
      {E_FAIL, "HVRESULT = 80004005"},     {E_INVALIDARG, "HVRESULT = 80070057"},
      {E_OUTOFMEMORY, "HVRESULT = 8007000E"}, {S_OK, "HVRESULT = 0"},
      {0x7FFFFFFF, "HVRESULT = 7FFFFFFF"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(ResultToString(code), text);
}

// Which handlers catch an exception, and what its message looks like.
struct ThrowCase {
  const char* name;
  std::function<void()> thrower;
  bool isLogicError;
  bool isRuntimeError;
  const char* pattern;  // a regular expression over the whole message
};

const char* kLocation = " : HV::Sample::Run : [^ ]+ : Line [0-9]+";

std::string Pattern(const char* head) { return std::string(head) + kLocation; }

// The file a message quotes is named from the repository's root in every
// build: from a library source, a library header and a test source alike.
TEST(Exception, MessagesQuoteRepositoryRelativePaths) {
  struct Case {
    const char* name;
    std::function<void()> thrower;
    const char* file;
  };
  const Case cases[] = {
      {"library source", [] { Sample().Undo(); }, "HVFramework/ObjectBase/RefCountedObject.cpp"},
      {"library header", [] { RCPtrQueue<Sample>().Dequeue(); },
       "HVFramework/Utilities/Storage/RCPtrQueue.h"},
      {"test source", [] { Throw<std::logic_error>(HV_HERE("HV::Sample::Run")); },
       "tests/HVFramework/ObjectBase/ExceptionTest.cpp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.thrower();
      ADD_FAILURE() << "nothing thrown";
    } catch (const std::exception& e) {
      const std::string message = e.what();
      const size_t line = message.rfind(" : Line ");
      ASSERT_NE(line, std::string::npos) << message;
      const size_t file = message.rfind(" : ", line - 1);
      ASSERT_NE(file, std::string::npos) << message;
      EXPECT_EQ(message.substr(file + 3, line - file - 3), c.file) << message;
    }
  }
}

// A header that a library source reaches through the library's staged
// include folder is quoted by its repository path, whichever form the
// compiler named it in; other sources pass as they are.
TEST(Exception, StagedHeadersAreQuotedByTheirRepositoryPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/user/tarsel/build/asan/include/tarsel_app/public/Panel/UI/PresetEditorCommon/LElementGroupPanel.h",
       "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"},
      {"include/tarsel_app/public/Panel/UI/PresetEditorCommon/LElementEditPanel.h",
       "Panel/UI/PresetEditorCommon/LElementEditPanel.h"},
      {"/b/include/tarsel_model/private/DeviceControl/GeneratedCode/Engine/Src/ModelElement.h",
       "DeviceControl/GeneratedCode/Engine/Src/ModelElement.h"},
      {"Panel/UI/LGlobalSettingsDlg.cpp", "Panel/UI/LGlobalSettingsDlg.cpp"},
      {"UI\\OrvaneSeriesCommon\\GlobalSettingsDlg", "UI\\OrvaneSeriesCommon\\GlobalSettingsDlg"},
      {"Panel/public/X.h", "Panel/public/X.h"},
  };
  for (const auto& [source, quoted] : cases) {
    EXPECT_EQ(ComposeExceptionMessage("Runtime Error", "Null Pointer : edit panel not found",
                                      SourceLocation{"LPadGroupPanel::Initialize", source, 69}),
              std::string("Runtime Error : Null Pointer : edit panel not found : LPadGroupPanel::Initialize : ") +
                  quoted + " : Line 69");
  }
}

TEST(Exception, HandlersAndMessagesByKind) {
  const SourceLocation where = HV_HERE("HV::Sample::Run");
  const std::string logic = Pattern("Logic Error : Invalid FirstParamID");
  const std::string runtime = Pattern("Runtime Error : Null Pointer : Cannot find child: pads");
  const std::string range = Pattern("Out of Range");
  const std::string domain = Pattern("Domain Error : not yet implemented\\.");
  const std::string invalid = Pattern("Invalid Argument : Invalid ResizeType passed to DrawBitmap\\.");
  const std::string failed = Pattern("Failed Result : HVRESULT = 80070057");
  const std::string emptyDetail = Pattern("Runtime Error : ");
  const ThrowCase cases[] = {
      {"logic", [&] { Throw<std::logic_error>("Invalid FirstParamID", where); }, true, false, logic.c_str()},
      {"null", [&] { ThrowNullPointer("Cannot find child: pads", where); }, false, true, runtime.c_str()},
      {"range", [&] { Throw<std::out_of_range>(where); }, true, false, range.c_str()},
      {"domain", [&] { Throw<std::domain_error>("not yet implemented.", where); }, true, false, domain.c_str()},
      {"invalid", [&] { Throw<std::invalid_argument>("Invalid ResizeType passed to DrawBitmap.", where); },
       true, false, invalid.c_str()},
      {"failed", [&] { CheckResult(E_INVALIDARG, where); }, false, false, failed.c_str()},
      {"empty detail", [&] { Throw<std::runtime_error>("", where); }, false, true, emptyDetail.c_str()},
      {"bad alloc", [] { throw Exception<std::bad_alloc>(); }, false, false, "bad allocation"},
  };
  for (const ThrowCase& c : cases) {
    SCOPED_TRACE(c.name);
    bool asLogic = false, asRuntime = false;
    try {
      c.thrower();
    } catch (const std::logic_error&) {
      asLogic = true;
    } catch (const std::runtime_error&) {
      asRuntime = true;
    } catch (const std::exception&) {
    }
    EXPECT_EQ(asLogic, c.isLogicError);
    EXPECT_EQ(asRuntime, c.isRuntimeError);
    try {
      c.thrower();
      ADD_FAILURE() << "nothing thrown";
    } catch (const ExceptionBase& e) {
      EXPECT_THAT(e.What(), MatchesRegex(c.pattern));
      EXPECT_STREQ(e.What(), dynamic_cast<const std::exception&>(e).what());
    }
  }
}

TEST(Exception, CopyKeepsItsMessageAfterTheOriginalIsGone) {
  auto original = std::make_unique<Exception<FailedResultException>>(
      std::string("Failed Result : ") + ResultToString(E_FAIL));
  Exception<FailedResultException> copy(*original);
  original.reset();
  EXPECT_STREQ(copy.what(), "Failed Result : HVRESULT = 80004005");
}

TEST(Exception, SuccessCodesPassTheCheck) {
  EXPECT_EQ(CheckResult(S_OK, HV_HERE("f")), S_OK);
  EXPECT_EQ(CheckResult(S_FALSE, HV_HERE("f")), S_FALSE);
  EXPECT_EQ(CheckResult(0x7FFFFFFF, HV_HERE("f")), 0x7FFFFFFF);
}

TEST(TypeName, WritesClassesTheFrameworkWay) {
  EXPECT_EQ(TypeName(typeid(LIBuffer)), "class HV::LIBuffer");
  EXPECT_THAT(TypeName(typeid(RCPtr<LIBuffer>)), EndsWith("HV::RCPtr<class HV::LIBuffer>"));
  EXPECT_THAT(TypeName(typeid(LTextBuffer)), ::testing::StartsWith("class HV::LBufferT<1,128,8,char*,"));
}

}  // namespace
}  // namespace HV
