#include "HVFramework/Controls/MainMenu/LMainMenu.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"

namespace HV {

RCPtr<LControl>& LMainMenu::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMainMenu>(result, parent, descriptor);
}

HResult LMainMenu::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LMainMenu::Create);
}

// --- Titles ---

// Menu indices count titles only: other children of the bar (a logo, a
// separator) take no menu index.
int32_t LMainMenu::GetMenuCount() const {
  const int32_t count = GetChildCount();
  return count > mFixedChildCount ? count - mFixedChildCount : 0;
}

StringW LMainMenu::GetMenuName(int32_t index) const {
  if (index < 0 || index >= GetMenuCount()) return StringW();
  LComboMenu* title = GetChildAt(mFixedChildCount + index);
  return title ? title->GetName() : StringW();
}

int32_t LMainMenu::FindMenu(const StringW& name) const {
  const int32_t found = FindChild(name);
  return found >= mFixedChildCount ? found - mFixedChildCount : -1;
}

LComboMenu* LMainMenu::GetChildAt(int32_t index) const {
  if (index < 0) return nullptr;
  LControlChildList& children = const_cast<LMainMenu*>(this)->GetChildren();
  int32_t seen = 0;
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    auto* title = dynamic_cast<LComboMenu*>(children.GetAt(i).Get());
    if (title && seen++ == index) return title;
  }
  return nullptr;
}

int32_t LMainMenu::GetChildCount() const {
  LControlChildList& children = const_cast<LMainMenu*>(this)->GetChildren();
  int32_t count = 0;
  for (uint32_t i = 0; i < children.GetCount(); ++i)
    if (dynamic_cast<LComboMenu*>(children.GetAt(i).Get())) ++count;
  return count;
}

int32_t LMainMenu::FindChild(const StringW& name) const {
  for (int32_t i = GetChildCount(); i-- > 0;)
    if (GetChildAt(i)->GetName() == name) return i;
  return -1;
}

void LMainMenu::LinkTitle(LComboMenu& title) {
  title.SetFocusRoot(true);
  IMenuPopupControl* popup = title.GetPopupMenu();
  if (!popup) return;
  popup->SetItemUpdater(GetMenuItemUpdater());
  if (LRootWindow* root = GetRootWindow()) popup->SetOwner(root->GetPostingReceiver());
}

HResult LMainMenu::AddMenuTitle(const StringW& name) {
  if (FindChildControl(name)) return E_INVALIDARG;
  LControlFactory* factory = GetApplicationControlFactory();
  if (!mTemplateDescriptor || !mTemplateDescriptor->GetLayout() || !factory) return E_FAIL;
  const RCPtr<LLayoutDescriptor> layout = DynamicCast<LLayoutDescriptor>(mTemplateDescriptor->GetLayout()->CreateCopy());
  if (!layout) return E_FAIL;
  const int32_t count = GetChildCount();
  const bool besideLast = count > mFixedChildCount || !mHasTemplate;
  if (besideLast && count > 0) {
    LLayoutPosition& x = layout->position[0];
    x.placementAnchor = 0;
    x.referenceMode = 2;
    x.referenceName = GetChildAt(count - 1)->GetName();
    x.relative = 1;
    x.absolute = 0;
  }
  const RCPtr<LControlDescriptor> descriptor = LControlDescriptor::Clone(*mTemplateDescriptor, name, layout);
  const RCPtr<LControl> created = factory->CreateControl(descriptor, RCPtr<LControl>(this));
  auto* title = dynamic_cast<LComboMenu*>(created.Get());
  if (!title || created->GetParent() != this) return E_FAIL;
  LinkTitle(*title);
  return S_OK;
}

HResult LMainMenu::InsertMenu(int32_t index, const StringW& name, const StringW& label,
                              const RCPtr<LMenuDescriptor>& menu) {
  const int32_t count = GetMenuCount();
  if (index < 0 || index > count) return E_INVALIDARG;
  return InsertMenuAt(index < count ? GetMenuName(index) : StringW(), name, label, menu);
}

HResult LMainMenu::InsertMenuAt(const StringW& before, const StringW& name, const StringW& label,
                                const RCPtr<LMenuDescriptor>& menu) {
  const RCPtr<LControl> self(this);
  int32_t target = GetChildCount();
  if (!before.IsEmpty()) {
    const int32_t found = FindMenu(before);
    if (found < 0) return E_INVALIDARG;
    target = found + mFixedChildCount;
  }
  // A refused title (its name taken, no template) must leave the titles as
  // they are: moving them up would overwrite the last one.
  const HResult added = AddMenuTitle(name);
  if (added < 0) return added;
  // The new title is last; each title from there down to the target takes
  // over the menu, text and name of the one before it. A rename carries the
  // siblings' references to the name along, so each title stays beside the
  // child before it.
  for (int32_t i = GetChildCount() - 1; i > target; --i) {
    LComboMenu* title = GetChildAt(i);
    LComboMenu* previous = GetChildAt(i - 1);
    if (!title || !previous) continue;
    if (IMenuPopupControl* popup = title->GetPopupMenu()) {
      if (const RCPtr<LMenuDescriptor> moved = previous->GetPopupMenuDescriptor()) popup->SetMenu(moved);
    }
    title->SetText(previous->GetText());
    const StringW movedName = previous->GetName();
    previous->Rename(movedName + StringW(u"_"));
    title->Rename(movedName);
  }
  LComboMenu* inserted = GetChildAt(target);
  if (inserted) {
    inserted->SetText(label);
    if (IMenuPopupControl* popup = inserted->GetPopupMenu()) {
      if (menu) popup->SetMenu(menu);
    }
    inserted->Rename(name);
  }
  return target - mFixedChildCount;
}

// --- Creation ---

HResult LMainMenu::Initialize() {
  const HResult base = LControl::Initialize();
  SetNotFocusable(true);
  const std::vector<RCPtr<LControl>> children = GetChildren().Snapshot();
  for (auto child = children.rbegin(); child != children.rend(); ++child) {
    auto* title = dynamic_cast<LComboMenu*>(child->Get());
    if (!title) continue;
    if (title->GetName() == StringW(kTemplateName)) {
      mTemplateDescriptor = title->GetDescriptor();
      title->Detach();
      mHasTemplate = true;
      continue;
    }
    LinkTitle(*title);
    ++mFixedChildCount;
    if (!mTemplateDescriptor) mTemplateDescriptor = title->GetDescriptor();
  }
  BuildTitlesFromStrings();
  return base;
}

void LMainMenu::BuildTitlesFromStrings() {
  const RCPtr<LStringTable> table = GetStringTable();
  if (!table) return;
  const std::vector<StringW> labels = table->GetIndexedTexts(StringW(u"MENU_LABEL."));
  const std::vector<RCPtr<LMenuDescriptor>> menus = BuildContextMenusFromStringTable(*table);
  if (menus.size() != labels.size()) return;
  int32_t failures = 0;
  for (size_t i = 0; i < menus.size(); ++i) {
    if (InsertMenu(static_cast<int32_t>(i) - failures, labels[i], labels[i], menus[i]) < 0) ++failures;
  }
}

HResult LMainMenu::AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child) {
    if (descriptor && descriptor->GetName() == StringW(kTemplateName)) {
      mTemplateDescriptor = descriptor;
      return S_OK;
    }
    return LControl::AddChildControl(child, descriptor);
  }
  const HResult result = LControl::AddChildControl(child, descriptor);
  if (!mTemplateDescriptor) mTemplateDescriptor = descriptor;
  return result;
}

HResult LMainMenu::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  if (!descriptor) return LControl::CreateFromDescriptor(descriptor);
  const RCPtr<LControl> self(this);
  mTemplateDescriptor = nullptr;
  std::vector<SavedTitle> saved;
  for (int32_t i = 0; i < GetMenuCount(); ++i) {
    if (LComboMenu* title = GetChildAt(mFixedChildCount + i))
      saved.push_back({title->GetPopupMenuDescriptor(), title->GetText(), title->GetName()});
  }
  const HResult result = LControl::CreateFromDescriptor(descriptor);
  // Titles made from now on follow the new skin's template.
  const RCPtrArray<LControlDescriptor>& described = descriptor->GetChildren();
  for (uint32_t i = 0; i < described.GetCount(); ++i)
    if (described.GetAt(i)->GetName() == StringW(kTemplateName)) mTemplateDescriptor = described.GetAt(i);
  // A rebuild keeps the children it finds; a title it dropped is made again.
  for (const SavedTitle& title : saved) {
    if (!FindChildControl(title.name) && AddMenuTitle(title.name) < 0) continue;
    auto* made = dynamic_cast<LComboMenu*>(FindChildControl(title.name).Get());
    if (!made) continue;
    if (IMenuPopupControl* popup = made->GetPopupMenu(); popup && title.menu) popup->SetMenu(title.menu);
    made->SetText(title.text);
  }
  return result;
}

// --- Routing ---

bool LMainMenu::SetMenuItemUpdater(const RCPtr<LMenuItemUpdater>& updater) {
  const bool same = mExternalUpdater == updater;
  mExternalUpdater = updater;
  return same;
}

HResult LMainMenu::UpdateMenuItem(const RCPtr<LMenuDescriptor>& menu, int32_t index, const StringW& commandId,
                                  LMenuItemState& state) {
  if (!mExternalUpdater) return S_FALSE;
  LControl* control = mExternalUpdater->GetControl();
  if (!control) return E_FAIL;
  const RCPtr<LControl> held(control);
  return control->UpdateMenuItem(menu, index, commandId, state);
}

void LMainMenu::RefreshIdleNotifications() {
  if (LRootWindow* root = GetRootWindow()) {
    LControlChildList& children = GetChildren();
    for (uint32_t i = children.GetCount(); i-- > 0;) {
      auto* title = dynamic_cast<LComboMenu*>(children.GetAt(i).Get());
      if (IMenuPopupControl* popup = title ? title->GetPopupMenu() : nullptr)
        popup->SetOwner(root->GetPostingReceiver());
    }
  }
  LControl::RefreshIdleNotifications();
}

void LMainMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (!conditions) return;
  const bool focusCame = (conditions->current & kContainsFocus) && !(conditions->previous & kContainsFocus);
  if (!focusCame) return;
  LRootWindow* root = GetRootWindow();
  mFocusReturnControl = root ? root->GetPreviousFocusControl() : nullptr;
}

RCPtr<LControl> LMainMenu::GetEditTarget() {
  if (mFocusReturnControl && mFocusReturnControl->IsEditTarget()) return mFocusReturnControl;
  return GetParent() ? GetParent()->GetEditTarget() : nullptr;
}

}  // namespace HV
