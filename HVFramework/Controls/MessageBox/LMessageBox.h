#pragma once

#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Controls/MessageBox/MessageBoxLayout.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Geometry/PolylineT.h"

#include <functional>

namespace HV {

class LControlFactory;

// LMessageBox: the framework's message box, a dialog drawn in the skin's
// look. The skin's box ("Framework.MessageBox") holds a "message" label,
// optionally an "icon" place, and the standard buttons any box may show
// ("buttonOK", "buttonCancel", "buttonYes", "buttonNo", "buttonAbort",
// "buttonRetry", "buttonIgnore"). SetMessage shows the buttons the style
// flags ask for and lays the box out for its text; the box draws the icon
// itself. The default button has the focus first and Return presses the
// focused button; Escape (and the window's close box) answers the
// cancelling result where the box has one, and does nothing where the user
// must choose (Yes/No, Abort/Retry/Ignore). User-interface thread only.
class LMessageBox : public LDialog {
 public:
  static constexpr const char16_t* kClassName = u"Framework.MessageBox";

  LMessageBox(LControl* parent, const StringW& name);
  ~LMessageBox() override;

  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The text of a string id, or the built-in text when the table lacks it.
  using TextSource = std::function<StringW(const char16_t* id, const char16_t* builtInText)>;
  // Shows text under caption with the buttons and icon of the style flags
  // and sizes the box to them; E_FAIL when the skin's box has no "message".
  HResult SetMessage(const StringW& text, const StringW& caption, uint32_t style, const TextSource& texts);

  const MessageBoxFace& GetFace() const { return mFace; }
  const MessageBoxGeometry& GetGeometry() const { return mGeometry; }
  StringW GetCaption() const override { return mCaption; }

  // The box answers its cancelling result, or stays open without one.
  void CloseDialog(int32_t result) override;
  HResult SetFocus(bool forward) override;
  void MoveFocus(const RCPtr<LKeyParam>& key) override;
  HResult OnChildKey(const RCPtr<LKeyParam>& key) override;
  HResult ProcessKey(const RCPtr<LKeyParam>& key) override;
  int32_t DrawContent(const RCPtr<LRenderer>& renderer) override;

 private:
  MessageBoxMetrics ReadMetrics();
  void ShowButtons(const TextSource& texts);
  std::vector<int32_t> ButtonTextWidths();
  void Place(const RCPtr<LControl>& control, const RectT<int32_t>& rect);
  RCPtr<LControl> DefaultButton();
  // Escape answers the cancelling result (or nothing, on a box without
  // one); true when the key was Escape.
  bool AnswerEscape(const RCPtr<LKeyParam>& key);
  // The icon's outline and mark, worked out once the box is laid out.
  void PrepareIcon(const RCPtr<LFont>& textFont);

  MessageBoxFace mFace;
  MessageBoxGeometry mGeometry;
  StringW mCaption;
  PolylineT<float> mIconOutline;
  RCPtr<LFont> mMarkFont;  // null without an icon
  PointT<int32_t> mMarkPosition;
  bool mIsFocusPlaced = false;
};

}  // namespace HV
