#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Graphics/Resources.h"
#include "HVFramework/System/File.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace HV {
namespace {

constexpr char16_t kResourcePrefix[] = u"::";
// A document file larger than this is refused as if memory ran out.
constexpr int32_t kMaxDocumentBytes = 256 * 1024 * 1024;

// "::app skins.xml" names the resource "APP_SKINS_XML", by the resource table's own rule.
StringW ResourceName(const StringW& location) {
  return StringW(Platform::NormaliseResourceName(location.Mid(2).ToCharString().GetView()).c_str());
}

// Reads a whole file; throws the file's runtime error when it cannot be opened or read.
void ReadWholeFile(const StringW& path, std::vector<uint8_t>& storage) {
  File file(path, StringW(), File::kRead);
  if (!file.IsOpen())
    Throw<std::runtime_error>("File Open Failed", HV_HERE("HV::LControlFactory::LoadLocation"));
  const int32_t length = file.GetLength();
  if (length < 0 || length > kMaxDocumentBytes) {
    file.Close();
    throw std::bad_alloc();
  }
  storage.resize(static_cast<size_t>(length));
  int32_t done = 0;
  while (done < length) {
    const int32_t read = file.Read(storage.data() + done, length - done, done);
    if (read <= 0) break;
    done += read;
  }
  file.Close();
  storage.resize(static_cast<size_t>(done));
}

// Chinese locales written in traditional characters share one table language.
int32_t PrimaryLanguage(int32_t languageId) {
  if (languageId == 0x0404 || languageId == 0x0C04 || languageId == 0x1404) return 0x7C04;
  return languageId & 0xFF;
}

}  // namespace

RCPtr<LControlDescriptor> LControlFactory::GetCurrentSkinRoot() const {
  if (mCurrentSkinIndex < 0 || static_cast<uint32_t>(mCurrentSkinIndex) >= mSkins.GetCount()) return nullptr;
  return *mSkins.GetItemPtr(static_cast<uint32_t>(mCurrentSkinIndex));
}

std::optional<std::span<const uint8_t>> LControlFactory::ReadLocation(const StringW& location,
                                                                      std::vector<uint8_t>& storage) {
  if (location.GetView().starts_with(kResourcePrefix)) {
    std::span<const uint8_t> bytes;
    if (mResources) bytes = mResources->FindXmlResource(ResourceName(location), storage);
    if (bytes.empty()) return std::nullopt;
    return bytes;
  }
  ReadWholeFile(location, storage);
  return std::span<const uint8_t>(storage);
}

void LControlFactory::ResetReaderState() {
  mStringTableMode = false;
  mInsideCreateParam = false;
  mInsideLooks = false;
  mInsideMatchingLocale = false;
  mCurrentControl = nullptr;
  mDetachedControls.SetCount(0);
  mCurrentLook = nullptr;
  mCurrentLookList = nullptr;
  mCurrentCreateParams = nullptr;
  mCurrentStringTable = nullptr;
  mCurrentTableId.Clear();
  mCurrentTextId.Clear();
  mLanguageChoices.clear();
  mLocaleTexts.clear();
  mCurrentLocaleText = nullptr;
}

HResult LControlFactory::LoadSkins(const StringW& location) {
  HResult result = E_FAIL;
  try {
    std::vector<uint8_t> storage;
    const auto document = ReadLocation(location, storage);
    if (document) {
      ResetReaderState();
      result = Parse(*document);
    }
  } catch (const std::bad_alloc&) {
    result = E_OUTOFMEMORY;
  } catch (const std::runtime_error&) {
    result = E_FAIL;
  }
  ResetReaderState();
  mCurrentSkinIndex = 0;
  return result;
}

int32_t LControlFactory::ParseStringTables(std::span<const uint8_t> document,
                                          const std::vector<int32_t>& languages) {
  ResetReaderState();
  mStringTableMode = true;
  mLanguageChoices = languages;
  mLocaleTexts.resize(languages.size());
  Parse(document);
  int32_t chosen = -1;
  for (size_t i = 0; i < mLocaleTexts.size() && chosen < 0; ++i)
    if (mLocaleTexts[i].matches > 0) chosen = static_cast<int32_t>(i);
  if (chosen >= 0)
    for (const auto& [table, texts] : mLocaleTexts[static_cast<size_t>(chosen)].tables) {
      TextMap& target = StringTableOf(table);
      for (const auto& [id, text] : texts) target[id] += text;
    }
  ResetReaderState();
  return chosen;
}

HResult LControlFactory::LoadStringTables(const StringW& applicationLocation,
                                          const StringW& frameworkLocation, int32_t languageId) {
  mLanguageId = languageId;
  std::vector<uint8_t> storage;
  try {
    // The language's own texts, else its primary language's, else English;
    // the framework's texts follow the language the application's came in.
    if (const auto document = ReadLocation(applicationLocation, storage)) {
      const std::vector<int32_t> languages{languageId, PrimaryLanguage(languageId), kLanguageEnglish};
      const int32_t chosen = ParseStringTables(*document, languages);
      mLanguageId = chosen < 0 ? kLanguageEnglish : languages[static_cast<size_t>(chosen)];
    }
    if (const auto document = ReadLocation(frameworkLocation, storage)) {
      const std::vector<int32_t> languages{mLanguageId, kLanguageEnglish};
      const int32_t chosen = ParseStringTables(*document, languages);
      mLanguageId = chosen < 0 ? kLanguageEnglish : languages[static_cast<size_t>(chosen)];
    }
  } catch (const std::bad_alloc&) {
    ResetReaderState();
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HResult LControlFactory::Parse(const uint8_t* buffer, size_t length) {
  if (length == 0 && buffer) length = std::strlen(reinterpret_cast<const char*>(buffer));
  return Parse(std::span<const uint8_t>(buffer, length));
}

HResult LControlFactory::Parse(std::span<const uint8_t> document) {
  mSkipNextElement = true;
  XmlDocumentReader reader;
  try {
    if (reader.Read(document, *this)) return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (const std::exception&) {
    // A handler's error (a bad SubControl, a look index out of range): its text and line.
    mLastParseError = {reader.GetError().text, reader.GetError().line};
    ++mParseErrors;
    return E_FAIL;
  }
  mLastParseError = {reader.GetError().text, reader.GetError().line};
  ++mParseErrors;
  return E_FAIL;
}

void LControlFactory::StartElement(const StringW& name, const XmlAttributes& attributes) {
  XMLStartElement(name, attributes);
}

void LControlFactory::EndElement(const StringW& name) { XMLEndElement(name); }

void LControlFactory::CharacterData(const StringW& text) {
  if (mStringTableMode) {
    if (mInsideMatchingLocale && mCurrentLocaleText) *mCurrentLocaleText += text;
    return;
  }
  if (mInsideCreateParam && mCurrentCreateParams) {
    mCurrentParamText += text;
    mCurrentCreateParams->SetString(mCurrentTextId, mCurrentParamText);
  }
}

bool LControlFactory::IsCapturingText() const {
  return mStringTableMode ? mInsideMatchingLocale : mInsideCreateParam && mCurrentCreateParams;
}

void LControlFactory::XMLStartElement(const StringW& name, const XmlAttributes& attributes) {
  if (mSkipNextElement) {
    mSkipNextElement = false;
    return;
  }
  if (name == u"Application") return OnApplication(attributes);
  if (mStringTableMode) {
    if (name == u"StringTable") return OnStringTable(attributes);
    if (name == u"String") return OnString(attributes);
    if (name == u"Locale") return OnLocale(attributes);
    return;
  }
  for (const ElementRow& row : SkinElements())
    if (name.GetView() == row.name) return (this->*row.start)(attributes);
}

void LControlFactory::XMLEndElement(const StringW& name) {
  if (mStringTableMode) {
    mInsideMatchingLocale = false;
    return;
  }
  if (name == u"SubControl") {
    if (!mCurrentControl) return;
    mCurrentControl->SortChildrenByLayoutOrder();
    mCurrentControl = mCurrentControl->GetParent();
  } else if (name == u"Skin") {
    if (mCurrentControl && mCurrentControl == GetCurrentSkinRoot()) mCurrentControl = nullptr;
  } else if (name == u"CreateParamList") {
    if (mCurrentControl) mCurrentControl->SetCreateParams(mCurrentCreateParams);
  } else if (name == u"CreateParam") {
    mInsideCreateParam = false;
  } else if (name == u"Looks") {
    mInsideLooks = false;
  }
}

void LControlFactory::OnApplication(const XmlAttributes& a) {
  const StringW* name = a.Find(u"Name");
  if (name) mSkinNamedApplication = true;
  if (name && !(*name == mApplicationName)) mApplicationName = *name;
}

void LControlFactory::OnStringTable(const XmlAttributes& a) {
  const StringW* id = a.Find(u"ID");
  mCurrentStringTable = id ? &StringTableOf(*id) : nullptr;
  mCurrentTableId = id ? *id : StringW();
}

void LControlFactory::OnString(const XmlAttributes& a) {
  const StringW* id = a.Find(u"ID");
  mCurrentTextId = id ? *id : StringW();
}

void LControlFactory::OnLocale(const XmlAttributes& a) {
  const StringW* lcid = a.Find(u"LCID");
  if (!lcid) return;
  const auto choice = std::find(mLanguageChoices.begin(), mLanguageChoices.end(),
                                SkinValueText::ParseHexOrDecimal(lcid->GetView()));
  if (choice == mLanguageChoices.end()) return;
  LocaleTexts& texts = mLocaleTexts[static_cast<size_t>(choice - mLanguageChoices.begin())];
  ++texts.matches;
  if (!mCurrentStringTable || mCurrentTextId.IsEmpty()) return;
  mCurrentLocaleText = &texts.tables[mCurrentTableId][mCurrentTextId];  // present from now on, even without text
  mInsideMatchingLocale = true;
}

LControlFactory::TextMap& LControlFactory::StringTableOf(const StringW& key) {
  auto at = mStringTables.find(key.GetView());
  if (at == mStringTables.end()) at = mStringTables.emplace(key.GetView(), std::make_shared<TextMap>()).first;
  LStringTable::SharedEntries& table = at->second;
  if (table.use_count() > 1) table = std::make_shared<TextMap>(*table);
  return *table;
}

RCPtr<LStringTable> LControlFactory::GetStringTable(const StringW& key) const {
  const auto at = mStringTables.find(key.GetView());
  if (at == mStringTables.end()) return nullptr;
  return LStringTable::Share(at->second);
}

RCPtr<LStringTable> LControlFactory::GetApplicationStringTable() const {
  return GetStringTable(StringW(u"|") + mApplicationName);
}

HResult LControlFactory::RegisterControlCreateFunction(const StringW& className,
                                                       LControlDescriptor::CreateFunction function) {
  mCreateFunctions.emplace(className.GetView(), function);
  return S_OK;
}

HResult LControlFactory::GetControlCreateFunction(const StringW& className,
                                                  LControlDescriptor::CreateFunction& function) const {
  const auto entry = mCreateFunctions.find(className.GetView());
  if (entry == mCreateFunctions.end())
    Throw<std::runtime_error>(HV_HERE("HV::LControlFactory::GetControlCreateFunction"));
  function = entry->second;
  return S_OK;
}

RCPtr<LStringTable> LControlFactory::GetControlStringTable(const LControlDescriptor* parent,
                                                           const StringW& name) const {
  const StringW& owner = parent ? parent->GetClassName() : mApplicationName;
  const auto at = mStringTables.find(JoinedTextKey{owner.GetView(), u'|', name.GetView()});
  if (at == mStringTables.end()) return nullptr;
  return LStringTable::Share(at->second);
}

RCPtr<LControlDescriptor> LControlFactory::FindControlDescriptor(const StringW& name) const {
  const RCPtr<LControlDescriptor> root = GetCurrentSkinRoot();
  if (!root) return nullptr;
  const RCPtrArray<LControlDescriptor>& children = root->GetChildren();
  for (uint32_t i = children.GetCount(); i-- > 0;) {
    const RCPtr<LControlDescriptor>& child = *children.GetItemPtr(i);
    if (child->GetName() == name) return child;
  }
  return nullptr;
}

bool LControlFactory::GetSkinFont(StringW& name, float& size, int32_t& style) const {
  const RCPtr<LControlDescriptor> root = GetCurrentSkinRoot();
  if (!root || !root->GetSkin()) return true;
  const SkinPendingFont& font = root->GetSkin()->font;
  bool given = false;
  if (!font.name.IsEmpty()) name = font.name, given = true;
  if (font.size >= 1) size = font.size, given = true;
  if (font.style != -1) style = font.style, given = true;
  return !given;
}

}  // namespace HV
