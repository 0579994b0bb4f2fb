// Reading the string documents and the skin at once.
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include <future>
#include <system_error>
#include <utility>

namespace HV {

// The factory the string documents are read into, and its reading. The
// future is destroyed first: it waits for the reading to end.
struct LControlFactory::PendingStrings {
  std::unique_ptr<LControlFactory> factory;
  std::future<HResult> done;
};

// Here, where PendingStrings is whole.
LControlFactory::LControlFactory(const StringW& applicationName) : mApplicationName(applicationName) {}
LControlFactory::~LControlFactory() = default;

HResult LControlFactory::LoadDocuments(const StringW& applicationStrings, const StringW& frameworkStrings,
                                       int32_t languageId, const StringW& skins) {
  auto pending = std::make_unique<PendingStrings>();
  pending->factory = std::make_unique<LControlFactory>(mApplicationName);
  LControlFactory& strings = *pending->factory;
  strings.SetResourceSource(mResources);
  strings.SetBaseLocation(mBaseLocation);
  try {
    pending->done = std::async(std::launch::async, [&strings, applicationStrings, frameworkStrings, languageId] {
      return strings.LoadStringTables(applicationStrings, frameworkStrings, languageId);
    });
  } catch (const std::system_error&) {
    // No thread to be had: one after the other.
    const HResult result = LoadStringTables(applicationStrings, frameworkStrings, languageId);
    return Failed(result) ? result : LoadSkins(skins);
  }
  mPendingStrings = std::move(pending);
  mStringsResult = S_OK;
  mStringsFailure = nullptr;
  mSkinNamedApplication = false;
  mParseErrorsBeforeSkin = mParseErrors;

  HResult skinResult = E_FAIL;
  try {
    skinResult = LoadSkins(skins);
  } catch (...) {
    AwaitStringTables();
    throw;
  }
  AwaitStringTables();
  if (mStringsFailure) std::rethrow_exception(std::exchange(mStringsFailure, nullptr));
  return Failed(mStringsResult) ? mStringsResult : skinResult;
}

void LControlFactory::AwaitStringTables() {
  if (!mPendingStrings) return;
  const std::unique_ptr<PendingStrings> pending = std::move(mPendingStrings);
  try {
    mStringsResult = pending->done.get();
  } catch (...) {
    mStringsFailure = std::current_exception();
  }
  // What the strings left behind, also after a failure, as reading them
  // first would have.
  TakeStringTables(*pending->factory);
}

void LControlFactory::TakeStringTables(LControlFactory& read) {
  for (const auto& [table, texts] : read.mStringTables) {
    TextMap& mine = StringTableOf(StringW(table.data(), static_cast<int32_t>(table.size())));
    for (const auto& [id, text] : *texts) mine[id] += text;
  }
  mLanguageId = read.mLanguageId;
  // A name the skin gives the application came after the strings' own.
  if (!mSkinNamedApplication) mApplicationName = read.mApplicationName;
  if (read.mParseErrors != 0 && mParseErrors == mParseErrorsBeforeSkin) {
    mLastParseError = read.mLastParseError;
    ++mParseErrors;
  }
}

}  // namespace HV
