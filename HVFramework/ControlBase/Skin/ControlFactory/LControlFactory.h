#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/IXmlResourceSource.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LLookDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LVisualPartDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinLayoutAttributes.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/XmlDocumentReader.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Graphics/BitmapPrefetch.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "HVFramework/Utilities/Storage/TextKeyHash.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace HV {

// LControlFactory: reads the skin document and the string-table documents
// into descriptors and string tables, and answers lookups of them. Documents
// come from files or, for locations "::NAME", from the program's resources
// through an IXmlResourceSource. User-interface thread only; nothing may read
// the factory while a document is being loaded.
class LControlFactory : private IXmlContentHandler {
 public:
  struct ParseError {
    StringW text;
    int32_t line = 0;
  };

  explicit LControlFactory(const StringW& applicationName);
  LControlFactory(const LControlFactory&) = delete;
  LControlFactory& operator=(const LControlFactory&) = delete;
  ~LControlFactory() override;

  // Where "::NAME" locations are found; not owned, may be null (then every
  // resource is missing).
  void SetResourceSource(const IXmlResourceSource* source) { mResources = source; }
  // "::" for resources, else the documents' folder with a trailing separator;
  // part image and mask paths are built on it.
  void SetBaseLocation(const StringW& location) { mBaseLocation = location; }
  const StringW& GetBaseLocation() const { return mBaseLocation; }

  // Reads one skin document: 0, E_FAIL (missing, unreadable or malformed,
  // a bad SubControl, a look index out of range) or E_OUTOFMEMORY. What was
  // read before a failure stays. The current skin index is 0 afterwards.
  HResult LoadSkins(const StringW& location);
  // Reads the application's string tables, then the framework's, in the
  // language chosen from languageId. Missing resources are skipped; a file
  // that cannot be read throws its runtime error. 0 or E_OUTOFMEMORY.
  HResult LoadStringTables(const StringW& applicationLocation, const StringW& frameworkLocation,
                           int32_t languageId);
  // Reads the string tables and then the skin, as LoadStringTables and
  // LoadSkins one after the other would - the same tables, language, skins,
  // errors and results - but with the string documents read on a second
  // thread while the skin is read here; a skin that translates font names
  // waits for the language at its first translation. The string load's
  // failure comes first (its exception is rethrown); the skin may have been
  // read by then.
  HResult LoadDocuments(const StringW& applicationStrings, const StringW& frameworkStrings, int32_t languageId,
                        const StringW& skins);
  // Parses one document held in memory in the current mode (skins unless a
  // string-table load is running). 0 or E_FAIL.
  HResult Parse(std::span<const uint8_t> document);
  // A length of 0 means up to the first zero byte.
  HResult Parse(const uint8_t* buffer, size_t length);

  const ParseError& GetLastParseError() const { return mLastParseError; }
  const StringW& GetApplicationName() const { return mApplicationName; }
  int32_t GetLanguageId() const { return mLanguageId; }

  // Skins: one root per top-level Skin element, in document order.
  const RCPtrArray<LControlDescriptor>& GetSkins() const { return mSkins; }
  int32_t GetCurrentSkinIndex() const { return mCurrentSkinIndex; }
  void SetCurrentSkinIndex(int32_t index) { mCurrentSkinIndex = index; }
  RCPtr<LControlDescriptor> GetCurrentSkinRoot() const;

  RCPtr<LColorizer> FindColorizer(const StringW& name) const { return Find(mColorizers, name); }
  RCPtr<LVisualPartDescriptor> FindPart(const StringW& name) const { return Find(mParts, name); }
  RCPtr<LLookDescriptor> FindLook(const StringW& name) const { return Find(mLooks, name); }
  RCPtr<LLookList> FindLookList(const StringW& name) const { return Find(mLookLists, name); }

  // The last top-level control of the current skin with that name; null when none.
  RCPtr<LControlDescriptor> FindControlDescriptor(const StringW& name) const;
  RCPtr<LControlDescriptor> CloneControlDescriptor(const LControlDescriptor& source, const StringW& name,
                                                   const RCPtr<LLayoutDescriptor>& layout) const {
    return LControlDescriptor::Clone(source, name, layout);
  }
  // True when the current skin names no font; otherwise fills what it gives
  // (name when not empty, size when >= 1, style when not -1) and returns false.
  bool GetSkinFont(StringW& name, float& size, int32_t& style) const;

  // The control-class registry. A name registered already keeps its first
  // function; 0 either way.
  HResult RegisterControlCreateFunction(const StringW& className,
                                        LControlDescriptor::CreateFunction function);
  // Whether a create function is registered for the class name.
  bool IsControlClassRegistered(const StringW& className) const {
    return mCreateFunctions.count(className.GetView()) != 0;
  }
  // 0 with the function; an unregistered name (compared exactly) throws a
  // Runtime Error.
  HResult GetControlCreateFunction(const StringW& className,
                                   LControlDescriptor::CreateFunction& function) const;
  // Builds one control with its subtree from descriptor under parent,
  // resolving and caching the class's create function on first use; null for
  // a null descriptor. Defined with the control base (hv_controls_base),
  // which the factory's own library cannot see.
  RCPtr<LControl> CreateControl(const RCPtr<LControlDescriptor>& descriptor, const RCPtr<LControl>& parent);
  // Rebuilds a top-level control from the current skin's control of its
  // name; E_FAIL for null or a name the skin lacks. Defined with CreateControl.
  HResult ApplySkin(const RCPtr<LControl>& control);

  // String tables: each call returns a copy, or null when there is no table.
  RCPtr<LStringTable> GetStringTable(const StringW& key) const;
  RCPtr<LStringTable> GetFrameworkStringTable() const { return GetStringTable(StringW(u"Framework")); }
  RCPtr<LStringTable> GetApplicationStringTable() const;
  // Keyed by the parent's class name (the application name without a
  // parent), "|" and the control's name.
  RCPtr<LStringTable> GetControlStringTable(const LControlDescriptor* parent, const StringW& name) const;

  // The reader's element handlers (also called by the XML callbacks).
  void XMLStartElement(const StringW& name, const XmlAttributes& attributes);
  void XMLEndElement(const StringW& name);

 private:
  using TextMap = std::map<StringW, StringW>;
  // Hashed by text, so that a lookup needs no key string built.
  template <class T>
  using TextKeyMap = std::unordered_map<std::u16string, T, TextKeyHash, TextKeyEqual>;
  TextKeyMap<LControlDescriptor::CreateFunction> mCreateFunctions;
  using StartHandler = void (LControlFactory::*)(const XmlAttributes&);
  struct ElementRow {
    std::u16string_view name;
    StartHandler start;
  };

  template <class T>
  static RCPtr<T> Find(const std::map<StringW, RCPtr<T>>& map, const StringW& name) {
    auto at = map.find(name);
    return at == map.end() ? RCPtr<T>() : at->second;
  }

  // The string documents LoadDocuments reads on another thread, until they
  // are taken in.
  struct PendingStrings;
  // Waits for them (once) and takes their tables, language and application
  // name, and their error where the skin has none.
  void AwaitStringTables();
  void TakeStringTables(LControlFactory& read);

  // IXmlContentHandler
  void StartElement(const StringW& name, const XmlAttributes& attributes) override;
  void EndElement(const StringW& name) override;
  void CharacterData(const StringW& text) override;
  bool IsCapturingText() const override;

  // Reading a location: the bytes, or nothing for a missing or empty
  // resource. Files, and resources the source does not hold in place, are
  // read into `storage`; file errors throw.
  std::optional<std::span<const uint8_t>> ReadLocation(const StringW& location,
                                                       std::vector<uint8_t>& storage);
  // Reads a string-table document's texts, in one pass, in the first of the
  // languages (in order of preference) it has a text in; the index of that
  // language, -1 when it has none of them.
  int32_t ParseStringTables(std::span<const uint8_t> document, const std::vector<int32_t>& languages);
  void ResetReaderState();
  // The table of that key to change, made empty when there is none; it
  // stays where it is until the next call.
  TextMap& StringTableOf(const StringW& key);

  static std::span<const ElementRow> SkinElements();
  void OnApplication(const XmlAttributes& a);
  void OnSkins(const XmlAttributes& a);
  void OnSkin(const XmlAttributes& a);
  void OnFontLocale(const XmlAttributes& a);
  void OnFontXLat(const XmlAttributes& a);
  void OnSubControl(const XmlAttributes& a);
  void OnCreateParamList(const XmlAttributes& a);
  void OnCreateParam(const XmlAttributes& a);
  void OnLookList(const XmlAttributes& a);
  void OnLookLists(const XmlAttributes& a);
  void OnLook(const XmlAttributes& a);
  void OnLooks(const XmlAttributes& a);
  void OnClientPart(const XmlAttributes& a);
  void OnTextProperties(const XmlAttributes& a);
  void OnNonClientParts(const XmlAttributes& a);
  void OnNonClientPart(const XmlAttributes& a);
  void OnParts(const XmlAttributes& a);
  void OnPart(const XmlAttributes& a);
  void OnColorizers(const XmlAttributes& a);
  void OnColorizer(const XmlAttributes& a);
  void OnStringTable(const XmlAttributes& a);
  void OnString(const XmlAttributes& a);
  void OnLocale(const XmlAttributes& a);
  void StartTopLevelSkin(const XmlAttributes& a);
  void StartControlSkin(const XmlAttributes& a);
  StringW TranslateFontName(const StringW& name) const;

  StringW mApplicationName;
  int32_t mLanguageId = 0;
  StringW mBaseLocation;
  RCPtrArray<LControlDescriptor> mSkins;
  int32_t mCurrentSkinIndex = 0;
  // Shared with the tables handed out, so copied before a change while shared.
  TextKeyMap<LStringTable::SharedEntries> mStringTables;
  const IXmlResourceSource* mResources = nullptr;

  std::map<StringW, RCPtr<LColorizer>> mColorizers;
  std::map<StringW, RCPtr<LVisualPartDescriptor>> mParts;
  std::map<StringW, RCPtr<LLookDescriptor>> mLooks;
  std::map<StringW, RCPtr<LLookList>> mLookLists;
  // The parts' images, decoding while the rest of the skin is read.
  BitmapPrefetch mImagePrefetch;
  SkinPendingFont mPendingFont;
  TextMap mFontTranslations;
  int32_t mFontLocale = 0;
  ParseError mLastParseError;
  uint32_t mParseErrors = 0;  // how often mLastParseError was set

  std::unique_ptr<PendingStrings> mPendingStrings;
  bool mSkinNamedApplication = false;  // while LoadDocuments reads the skin
  uint32_t mParseErrorsBeforeSkin = 0;

  // Reader state: meaningful only while a document is read.
  bool mSkipNextElement = false;
  bool mStringTableMode = false;
  bool mInsideCreateParam = false;
  TextMap* mCurrentStringTable = nullptr;
  StringW mCurrentTableId;
  StringW mCurrentTextId;
  bool mInsideMatchingLocale = false;
  // Per language of choice: its matching Locale elements and their texts,
  // by table and text ID, until the pass ends and one language is taken.
  struct LocaleTexts {
    int32_t matches = 0;
    std::map<StringW, TextMap> tables;
  };
  std::vector<int32_t> mLanguageChoices;
  std::vector<LocaleTexts> mLocaleTexts;
  StringW* mCurrentLocaleText = nullptr;
  RCPtr<LControlDescriptor> mCurrentControl;
  // SubControls read while no control was open belong to no skin; they are
  // kept here until the load ends so that their children's parent links stay valid.
  RCPtrArray<LControlDescriptor> mDetachedControls;
  RCPtr<LLookDescriptor> mCurrentLook;
  RCPtr<LLookList> mCurrentLookList;
  RCPtr<LStringTable> mCurrentCreateParams;
  StringW mCurrentParamText;
  bool mInsideLooks = false;
};

}  // namespace HV
