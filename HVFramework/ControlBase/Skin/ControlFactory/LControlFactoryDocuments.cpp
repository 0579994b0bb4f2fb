// Reading the string documents and the skin at once.
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include <exception>
#include <future>
#include <system_error>
#include <utility>

namespace HV {

// The factory the string documents are read into, its reading and, once
// awaited, how the reading ended. The future is destroyed before the
// factory: it waits for the reading to end.
struct LControlFactory::PendingStrings {
  std::unique_ptr<LControlFactory> factory;
  std::future<HResult> done;
  bool taken = false;
  HResult result = S_OK;
  std::exception_ptr failure;
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
  const std::unique_ptr<PendingStrings> read = std::move(mPendingStrings);
  if (read->failure) std::rethrow_exception(read->failure);
  return Failed(read->result) ? read->result : skinResult;
}

void LControlFactory::AwaitStringTables() {
  if (!mPendingStrings || mPendingStrings->taken) return;
  PendingStrings& pending = *mPendingStrings;
  pending.taken = true;
  try {
    pending.result = pending.done.get();
  } catch (...) {
    pending.failure = std::current_exception();
  }
  // What the strings left behind, also after a failure, as reading them
  // first would have.
  TakeStringTables(*pending.factory);
}

void LControlFactory::TakeStringTables(LControlFactory& read) {
  for (auto& [table, texts] : read.mStringTables) {
    // A table this factory has not got yet is taken whole (the common case:
    // nothing was read before); one it has gets the texts appended.
    if (!mStringTables.contains(table)) {
      mStringTables.emplace(table, std::move(texts));
      continue;
    }
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
