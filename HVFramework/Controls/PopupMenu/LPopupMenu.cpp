#include "HVFramework/Controls/PopupMenu/LPopupMenu.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/IStatusTextService.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LGlobalHotKeyManager.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/ComboMenu/LComboMenu.h"
#include "HVFramework/Controls/MainMenu/LMainMenu.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

constexpr uint32_t kLeftKey = 0x25;
constexpr uint32_t kRightKey = 0x27;
constexpr uint32_t kEscapeKey = 0x1B;
constexpr double kRowRoom = 20;  // pixels a row keeps besides its parts

bool IsShownWithSize(const LControl& control) {
  const LControl::Rect& rect = control.GetRect();
  return control.IsVisible() && rect.width > 0 && rect.height > 0;
}

bool Contains(const LControl::Rect& rect, double x, double y) {
  return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

double MeasureWidth(const StringW& text, const RCPtr<LFont>& font) {
  const RCPtr<LMeasurementRenderer>& renderer = GetApplicationRenderer();
  if (!renderer || !font || text.IsEmpty()) return 0;
  return renderer->MeasureText(text, font).width;
}

enum class Docking { Kept, Docked };

// Sets one axis's absolute position, relative part 0, keeping the rest of
// the description; a docked axis stays put when the parent's content scrolls.
void PlaceOnAxis(LControl& control, int32_t axis, double value, Docking docking = Docking::Kept) {
  const LLayoutDescriptor& layout = *control.GetLayout();
  LLayoutPosition position = layout.position[axis];
  position.relative = 0;
  position.absolute = value;
  control.SetAxisLayout(axis, position, layout.size[axis], docking == Docking::Docked || layout.docked[axis]);
}

}  // namespace

// --- The row ---

RCPtr<LControl>& LMenuListBoxItem::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMenuListBoxItem>(result, parent, descriptor);
}

bool LMenuListBoxItem::SetItemLook(int32_t index, bool exclusive) {
  LCheckedListBoxItem::SetItemLook(index, exclusive);
  return true;
}

// --- The menu ---

LPopupMenu::LPopupMenu(LControl* parent, const StringW& name) : LCheckedListBox(parent, name) {}

RCPtr<LControl>& LPopupMenu::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPopupMenu>(result, parent, descriptor);
}

HResult LPopupMenu::Register(LControlFactory& factory) {
  const HResult menu = factory.RegisterControlCreateFunction(StringW(kClassName), &LPopupMenu::Create);
  if (menu < 0) return menu;
  return factory.RegisterControlCreateFunction(StringW(LMenuListBoxItem::kClassName), &LMenuListBoxItem::Create);
}

RCPtr<LMenuItemDescriptor> LPopupMenu::GetMenuItem(int32_t index) const {
  if (!mMenu || index < 0) return nullptr;
  return mMenu->GetItem(static_cast<uint32_t>(index));
}

LPopupMenu* LPopupMenu::GetParentMenu() const { return dynamic_cast<LPopupMenu*>(GetParent()); }

HResult LPopupMenu::Initialize() {
  if (LCheckedListBox::Initialize() < 0) return E_FAIL;
  mHandler = RCPtr<LNotificationHandler<LPopupMenu>>(new LNotificationHandler<LPopupMenu>(this));
  ApplyDefaultSize();
  SetFocusRoot(true);
  SetDropDownMode(true);
  SetCheckBoxPassive(true);
  const RCPtr<LStringTable> table = GetStringTable();
  if (!table) return S_FALSE;
  MenuEntries entries(table->GetEntries().begin(), table->GetEntries().end());
  SetMenu(BuildMenuFromEntries(entries));
  return S_OK;
}

HResult LPopupMenu::OnCreated() {
  const HResult base = LCheckedListBox::OnCreated();
  SetClipToParent(false);
  SetVisible(false);
  ApplyDefaultSize();
  return base;
}

void LPopupMenu::ApplyDefaultSize() {
  const LLayoutDescriptor& layout = *GetLayout();
  if (layout.size[0].absolute == 0) {
    LLayoutSize width = layout.size[0];
    width.absolute = GetRect().width;
    SetAxisLayout(0, layout.position[0], width, layout.docked[0]);
  }
  if (layout.size[1].absolute == 0) {
    LLayoutSize height = layout.size[1];
    height.relative = 0;
    height.absolute = GetItemHeight();
    SetAxisLayout(1, layout.position[1], height, layout.docked[1]);
  }
  mExtraRowWidth = -1;
}

HResult LPopupMenu::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  const HResult result = LCheckedListBox::CreateFromDescriptor(descriptor);
  if (result >= 0 && mMenu) {
    ClearSelection();
    RebuildRows();
  }
  return result;
}

HResult LPopupMenu::SetMenu(const RCPtr<LMenuDescriptor>& menu) {
  if (!menu) return E_INVALIDARG;
  CloseSubmenu();
  mMenu = menu->Clone();
  AssignHotKeyTexts();
  return RebuildRows();
}

HResult LPopupMenu::SetMenuFromParentItem(int32_t index) {
  LPopupMenu* parent = GetParentMenu();
  if (!parent || index < 0 || index >= parent->GetItemCount()) return E_INVALIDARG;
  const RCPtr<LMenuItemDescriptor> item = parent->GetMenuItem(index);
  if (!item || !item->IsSubmenu()) return E_INVALIDARG;
  CloseSubmenu();
  mMenu = item;
  AssignHotKeyTexts();
  return RebuildRows();
}

HResult LPopupMenu::SetOwner(const RCPtr<LNotificationReceiver>& owner) {
  if (!owner) return E_INVALIDARG;
  if (mOwner) return E_FAIL;
  mOwner = owner;
  if (mMenu) {
    AssignHotKeyTexts();
    RebuildRows();
  }
  return S_OK;
}

RCPtr<LNotificationReceiver> LPopupMenu::GetOwner() const {
  if (mOwner) return mOwner;
  for (LControl* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent())
    if (!dynamic_cast<LPopupMenu*>(ancestor)) return RCPtr<LNotificationReceiver>(ancestor);
  return nullptr;
}

RCPtr<LMenuItemUpdater> LPopupMenu::GetItemUpdater() {
  if (mItemUpdater) return mItemUpdater;
  const RCPtr<LNotificationReceiver> owner = GetOwner();
  if (auto* control = dynamic_cast<LControl*>(owner.Get())) mItemUpdater = control->GetMenuItemUpdater();
  return mItemUpdater;
}

HResult LPopupMenu::AssignHotKeyTexts() {
  if (!mMenu) return E_FAIL;
  const RCPtr<LNotificationReceiver> owner = GetOwner();
  if (!owner) return E_FAIL;
  std::vector<const HotKeyMap*> tables;
  if (!mOwner) {
    if (auto* control = dynamic_cast<LControl*>(owner.Get())) {
      tables.push_back(&control->GetLocalHotKeys());
      LRootWindow* root = control->GetRootWindow();
      if (root && root->GetHotKeys()) tables.push_back(&root->GetHotKeys()->GetKeys());
    }
  } else {
    LRootWindow* root = GetParent() ? GetParent()->GetRootWindow() : nullptr;
    if (!root) return E_FAIL;
    const RCPtr<LNotificationReceiver> posting(root->GetPostingReceiver().Get());
    if (owner == posting && root->GetHotKeys()) tables.push_back(&root->GetHotKeys()->GetKeys());
  }
  if (LGlobalHotKeyManager* application = GetApplicationHotKeys()) tables.push_back(&application->GetKeys());
  AssignMenuHotKeyTexts(*mMenu, tables);
  return S_OK;
}

// --- Rows ---

HResult LPopupMenu::RebuildRows() {
  if (!mMenu) return S_OK;
  const RCPtr<LControl> self(this);
  const int32_t count = static_cast<int32_t>(mMenu->GetItemCount());
  SetItemCount(count);
  if (GetItemControlCount() == 0) return S_FALSE;
  LControl* row = GetItemControl(GetItemControlCount() - 1);
  auto* rowItem = dynamic_cast<LListBoxItem*>(row);
  if (mExtraRowWidth < 0) {
    double extra = kRowRoom;
    if (const RCPtr<LControl> box = row->FindChildControl(StringW(u"checkBox")))
      extra += std::trunc(box->GetRect().x + box->GetRect().width);
    if (const RCPtr<LControl> hot = row->FindChildControl(StringW(u"hotKeyLabel")))
      extra += std::trunc(row->GetRect().width - (hot->GetRect().x + hot->GetRect().width));
    mExtraRowWidth = static_cast<int32_t>(extra);
  }
  if (rowItem) {
    const StringW text = row->GetText();
    rowItem->SetSeparator(true);
    row->SetText(StringW());
    row->UpdateLayout();
    mSeparatorHeight = static_cast<int32_t>(row->GetRect().height);
    rowItem->SetSeparator(false);
    row->SetText(text);
  }
  mSeparatorCount = 0;
  int32_t widest = 0;
  for (int32_t i = 0; i < count; ++i) {
    const RCPtr<LMenuItemDescriptor> item = GetMenuItem(i);
    SetItem(i, item, 0, item->IsSubmenu(), item->separator);
    SetItemChecked(i, item->checked);
    SetItemSeparator(i, item->separator);
    if (item->separator) ++mSeparatorCount;
    const int32_t slot = GetItemControlSlot(i);
    if (slot >= 0) GetItemControl(slot)->UpdateLayout();
    widest = std::max(widest, MeasureItemWidth(i));
  }
  SetWidestItemWidth(widest);
  // The rows are counted now, separators at their own height.
  if (IsDropDownMode()) SetClientHeight(GetItemsHeight());
  const LLayoutDescriptor& layout = *GetLayout();
  LLayoutSize width = layout.size[0];
  width.absolute = widest + GetCornerSize().x;
  SetAxisLayout(0, layout.position[0], width, layout.docked[0]);
  EnsureItemVisible(0);
  return S_OK;
}

int32_t LPopupMenu::MeasureItemWidth(int32_t index) {
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  if (!item || GetItemControlCount() == 0) return 0;
  // The control that shows the row, whose look may give it a font of its
  // own; a row out of view is measured with the first control's.
  const int32_t slot = GetItemControlSlot(index);
  LControl* row = GetItemControl(slot >= 0 ? slot : 0);
  const RCPtr<LControl> hot = row->FindChildControl(StringW(u"hotKeyLabel"));
  const double width =
      MeasureWidth(GetItemText(index), row->GetFont()) + (hot ? MeasureWidth(item->hotKeyText, hot->GetFont()) : 0);
  return static_cast<int32_t>(std::lround(width)) + std::max(mExtraRowWidth, 0);
}

int32_t LPopupMenu::GetItemsHeight() const {
  return mSeparatorCount * mSeparatorHeight + (GetItemCount() - mSeparatorCount) * GetItemHeight();
}

int32_t LPopupMenu::GetRowHeight(int32_t index) const {
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  return item && item->separator ? mSeparatorHeight : GetItemHeight();
}

bool LPopupMenu::IsItemSelectable(int32_t index) const {
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  return item && item->enabled && !item->separator;
}

HResult LPopupMenu::SwapItems(int32_t /*a*/, int32_t /*b*/) { return E_NOTIMPL; }

HResult LPopupMenu::UpdateItemControl(int32_t index, int32_t* slot) {
  int32_t shown = -1;
  const HResult result = LCheckedListBox::UpdateItemControl(index, &shown);
  if (slot) *slot = shown;
  if (result < 0 || shown < 0) return result;
  LControl* row = GetItemControl(shown);
  if (!row) return result;
  const RCPtr<LControl> hot = row->FindChildControl(StringW(u"hotKeyLabel"));
  const RCPtr<LControl> box = row->FindChildControl(StringW(u"checkBox"));
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  if (item) {
    if (hot) hot->SetText(item->hotKeyText);
    if (auto* rowItem = dynamic_cast<LListBoxItem*>(row)) rowItem->SetSeparator(item->separator);
    row->SetEnabled(item->enabled);
    if (box) box->SelectLook(item->checked ? (row->IsMouseOver() ? kCheckedHoverLook : kCheckedLook) : 0);
    // Only a checked row shows its check box; a separator is a rule alone.
    if (box) box->SetVisible(item->checked && !item->separator);
  } else {
    if (hot) hot->SetText(StringW());
    row->SetEnabled(false);
    row->SelectLook(0);
    if (box) box->SelectLook(0);
  }
  if (hot && row->GetFont()) hot->ApplyFont(row->GetFont());
  return result;
}

HResult LPopupMenu::AddItemControl() {
  const HResult result = LCheckedListBox::AddItemControl();
  const int32_t count = GetItemControlCount();
  if (mHandler && count > 0) {
    const RCPtr<LNotificationDistributor> row(GetItemControl(count - 1));
    mHandler->SetNotification(&LPopupMenu::OnItemHoverChanged, row, kNidHoverConditionChange);
  }
  return result;
}

void LPopupMenu::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LCheckedListBox::ReceiveNotification(source, notification);
}

HResult LPopupMenu::OnItemHoverChanged(const RCPtr<LNotificationDistributor>& source,
                                       const RCPtr<LNotification>& notification) {
  const auto* conditions = dynamic_cast<const LConditionsParam*>(notification->GetPayload().Get());
  IStatusTextService* status = GetApplicationStatusText();
  if (!conditions || !status) return S_OK;
  const bool came = (conditions->current & kHover) && !(conditions->previous & kHover);
  const bool went = !(conditions->current & kHover) && (conditions->previous & kHover);
  if (went) {
    status->RestoreStatusText(false);
    return S_OK;
  }
  const RCPtr<LMenuItemDescriptor> item =
      GetMenuItem(GetItemIndexOfControl(dynamic_cast<const LControl*>(source.Get())));
  if (came && item && !item->helpText.IsEmpty()) status->SetStatusText(item->helpText, false);
  return S_OK;
}

// --- Item states ---

HResult LPopupMenu::SetItemState(int32_t index, const LMenuItemState& state) {
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  if (!item || index >= GetItemCount()) return E_INVALIDARG;
  bool labelChanged = false;
  if (ApplyMenuItemState(*item, state, labelChanged) == S_FALSE) return S_FALSE;
  if (labelChanged) RebuildRows();
  UpdateItemControl(index);
  return S_OK;
}

void LPopupMenu::UpdateItemStates() {
  const RCPtr<LMenuItemUpdater> updater = GetItemUpdater();
  if (!updater || !mMenu) return;
  ClearSelection();
  CollectMenuItemStates(mMenu, updater.Get(), [this](uint32_t index, const LMenuItemState& state) {
    SetItemState(static_cast<int32_t>(index), state);
  });
}

// --- Showing ---

HResult LPopupMenu::ShowAtMousePosition() {
  const RCPtr<LControl> self(this);
  LRootWindow* root = GetRootWindow();
  if (!root) return E_FAIL;
  const LRootWindow::Point mouse = root->GetMousePosition();
  const LRootWindow::Rect extent = root->GetScreenRect();
  const Rect& rect = GetRect();
  const Point origin = GetOriginInRoot();
  const int32_t x = ClampSpanInto(mouse.x, static_cast<int32_t>(rect.width), extent.width);
  const int32_t y = ClampSpanInto(mouse.y, static_cast<int32_t>(rect.height), extent.height);
  // The origin less the position is where the parent's content starts, as
  // scrolled now. The menu is docked: the parent's content may scroll while
  // it is open (a text box scrolls back to its start when the menu takes
  // its focus), and the menu must stay at the pointer.
  const Point scroll = GetParent() ? GetParent()->GetScrollOffset() : Point{};
  PlaceOnAxis(*this, 0, x - (origin.x - rect.x) - scroll.x, Docking::Docked);
  PlaceOnAxis(*this, 1, y - (origin.y - rect.y) - scroll.y, Docking::Docked);
  SetVisible(true);
  if (!HasFocus()) SetFocus(true);
  return S_OK;
}

// --- The chain ---

HResult LPopupMenu::OpenSubmenu(int32_t index) {
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(index);
  if (!item || !item->IsSubmenu()) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  CloseSubmenu();
  LControlFactory* factory = GetApplicationControlFactory();
  const RCPtr<LControlDescriptor>& own = GetDescriptor();
  if (!factory || !own) return E_FAIL;
  const RCPtr<LLayoutDescriptor> layout = own->GetLayout() ? DynamicCast<LLayoutDescriptor>(own->GetLayout()->CreateCopy()) : nullptr;
  const RCPtr<LControl> created =
      factory->CreateControl(LControlDescriptor::Clone(*own, StringW(kSubmenuName), layout), self);
  auto* submenu = dynamic_cast<LPopupMenu*>(created.Get());
  if (!submenu || created->GetParent() != this) return E_FAIL;
  mOpenSubmenu = RCPtr<LPopupMenu>(submenu);
  mOpenSubmenuItem = item;
  submenu->SetMenuFromParentItem(index);
  submenu->mItemUpdater = mItemUpdater;
  submenu->mAutoClose = mAutoClose;

  LRootWindow* root = GetRootWindow();
  const LRootWindow::Rect extent = root ? root->GetScreenRect() : LRootWindow::Rect{};
  const Rect row = GetItemRect(index);
  const Point origin = GetOriginInRoot();
  SubmenuPlacement place;
  place.rowRight = static_cast<int32_t>(row.x + row.width);
  place.rowTop = static_cast<int32_t>(row.y);
  place.originX = static_cast<int32_t>(origin.x);
  place.originY = static_cast<int32_t>(origin.y);
  place.rootWidth = extent.width;
  place.rootHeight = extent.height;
  place.width = static_cast<int32_t>(submenu->GetRect().width);
  place.height = static_cast<int32_t>(submenu->GetRect().height);
  int32_t x = 0, y = 0;
  PlaceSubmenu(place, x, y);
  PlaceOnAxis(*submenu, 0, x);
  PlaceOnAxis(*submenu, 1, y);
  submenu->SetVisible(true);
  return S_OK;
}

void LPopupMenu::CloseSubmenu() {
  StopHoverDelay();
  if (mOpenSubmenu) {
    const RCPtr<LPopupMenu> submenu = mOpenSubmenu;
    mClosingSubmenu = true;
    submenu->CloseSubmenu();
    submenu->SetVisible(false);
    RemoveChildControl(RCPtr<LControl>(submenu.Get()));
    mOpenSubmenu = nullptr;
  }
  mOpenSubmenuItem = nullptr;
}

void LPopupMenu::CloseMenuChain() {
  const RCPtr<LControl> self(this);
  mClosing = true;
  if (LPopupMenu* parent = GetParentMenu()) {
    parent->CloseMenuChain();
    return;
  }
  StopHoverDelay();
  CloseSubmenu();
  if (LControl* parent = GetParent()) parent->RemoveChildControl(self);
}

void LPopupMenu::ReturnFocusFromMenuBar() {
  for (LControl* ancestor = GetParent(); ancestor; ancestor = ancestor->GetParent()) {
    auto* bar = dynamic_cast<LMainMenu*>(ancestor);
    if (!bar) continue;
    const RCPtr<LControl> back = bar->GetFocusReturnControl();
    if (back && back->GetRootWindow()) back->SetFocus(true);
    return;
  }
}

void LPopupMenu::AskTitleToClose() {
  LPopupMenu* top = this;
  while (LPopupMenu* parent = top->GetParentMenu()) top = parent;
  const RCPtr<LComboMenu> title(dynamic_cast<LComboMenu*>(top->GetParent()));
  if (!title || !title->IsDropDownShown()) return;
  const RCPtr<LControl> self(this);
  ReturnFocusFromMenuBar();
  title->ShowDropDown(false);
}

void LPopupMenu::ActivateMenuItem(const RCPtr<LMenuItemDescriptor>& item) {
  const RCPtr<LControl> self(this);
  ReturnFocusFromMenuBar();
  const bool closes = mAutoClose && !mClosing;
  if (closes) SetVisible(false);
  if (const RCPtr<LNotificationReceiver> owner = GetOwner()) {
    int32_t index = GetCaretIndex();
    if (item && GetMenuItem(index) != item) {
      for (int32_t i = GetItemCount(); i-- > 0;)
        if (GetMenuItem(i) == item) index = i;
    }
    SendMenuCommand(*this, owner.Get(), mMenu, index);
  }
  if (closes) CloseMenuChain();
}

bool LPopupMenu::IsInMenuChain(const LPopupMenu* menu) const {
  for (const LPopupMenu* down = this; down; down = down->mOpenSubmenu.Get())
    if (down == menu) return true;
  for (const LPopupMenu* up = GetParentMenu(); up; up = up->GetParentMenu())
    if (up == menu) return true;
  return false;
}

// --- Hover delay and the current row ---

void LPopupMenu::StartHoverDelay() {
  if (mHoverDelay.Start(Platform::GetTickCount())) StartIdleNotifications();
}

void LPopupMenu::StopHoverDelay() {
  if (mHoverDelay.Stop()) StopIdleNotifications();
}

void LPopupMenu::OnIdleTick() {
  LCheckedListBox::OnIdleTick();
  if (!mHoverDelay.IsDue(Platform::GetTickCount())) return;
  const RCPtr<LControl> self(this);
  CloseSubmenu();
  const int32_t current = GetCaretIndex();
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(current);
  if (item && item->IsSubmenu()) OpenSubmenu(current);
}

void LPopupMenu::OnSelectionChanging() {
  LCheckedListBox::OnSelectionChanging();
  const int32_t current = GetCaretIndex();
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(current);
  if (!item) return;
  if (LPopupMenu* parent = GetParentMenu()) parent->KeepOpenItemCurrent();
  if (item->IsSubmenu() && item != mOpenSubmenuItem) {
    LRootWindow* root = GetRootWindow();
    const int32_t slot = GetItemControlSlot(current);
    LControl* row = slot >= 0 ? GetItemControl(slot) : nullptr;
    if (!root || !row) return;
    const LRootWindow::Point mouse = root->GetMousePosition();
    const Point origin = GetOriginInRoot();
    const Rect client = GetClientOffsets();
    if (Contains(row->GetRect(), mouse.x - origin.x - client.x, mouse.y - origin.y - client.y)) StartHoverDelay();
  } else if (item->IsSubmenu()) {
    StopHoverDelay();
  } else if (mOpenSubmenu) {
    StartHoverDelay();
  }
}

void LPopupMenu::KeepOpenItemCurrent() {
  const RCPtr<LMenuItemDescriptor> current = GetMenuItem(GetCaretIndex());
  if (current && current == mOpenSubmenuItem) return;
  for (int32_t i = GetItemCount(); i-- > 0;) {
    if (!mOpenSubmenuItem || GetMenuItem(i) != mOpenSubmenuItem) continue;
    SelectRange(i, i, true);
    StopHoverDelay();
    return;
  }
}

void LPopupMenu::OnItemActivating() {
  LCheckedListBox::OnItemActivating();
  const int32_t current = GetCaretIndex();
  const RCPtr<LMenuItemDescriptor> item = GetMenuItem(current);
  if (!item) return;
  if (!item->IsSubmenu()) {
    ActivateMenuItem(item);
    return;
  }
  if (item == mOpenSubmenuItem) return;
  if (OpenSubmenu(current) >= 0 && mOpenSubmenu) mOpenSubmenu->SelectRange(0, 0, true);
}

// --- Keys, focus, conditions, mouse ---

HResult LPopupMenu::ProcessKey(const RCPtr<LKeyParam>& key) {
  const KeyCode& code = key->GetKey();
  if (code.code & KeyCode::kVirtualKeyFlag) {
    switch (code.GetVirtualKey()) {
      case kLeftKey:
        if (LPopupMenu* parent = GetParentMenu()) parent->CloseSubmenu();
        return S_OK;
      case kRightKey: {
        const int32_t current = GetCaretIndex();
        const RCPtr<LMenuItemDescriptor> item = GetMenuItem(current);
        if (item && item->IsSubmenu() && OpenSubmenu(current) >= 0 && mOpenSubmenu)
          mOpenSubmenu->SelectRange(0, 0, true);
        return S_OK;
      }
      case kEscapeKey:
        if (mAutoClose && !mClosing)
          CloseMenuChain();
        else if (!mAutoClose)
          AskTitleToClose();
        return S_OK;
      default:
        break;
    }
  }
  return LCheckedListBox::ProcessKey(key);
}

HResult LPopupMenu::SetFocus(bool forward) {
  const RCPtr<LControl> self(this);
  // Asked again while it holds the focus, the menu closes. The focus coming
  // back from a submenu (or a row) it contains closes nothing.
  if (HasFocus() && !mClosingSubmenu && mAutoClose && !mClosing) CloseMenuChain();
  mClosingSubmenu = false;
  return LCheckedListBox::SetFocus(forward);
}

void LPopupMenu::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  LCheckedListBox::OnConditionsChanged(conditions);
  if (!conditions) return;
  const RCPtr<LControl> self(this);
  const uint32_t before = conditions->previous;
  const uint32_t now = conditions->current;
  const uint32_t focusBits = kHasFocus | kContainsFocus;
  if (((before ^ now) & focusBits) && !GetParentMenu()) {
    if (!(now & focusBits) && IsShownWithSize(*this) && mAutoClose && !mClosing) CloseMenuChain();
  }
  if ((now & kVisible) && !(before & kVisible)) {
    UpdateItemStates();
    return;
  }
  if (!(now & kVisible) && (before & kVisible) && !GetParentMenu()) CloseSubmenu();
}

void LPopupMenu::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  LCheckedListBox::OnMouseMoved(param);
  if (!(GetConditions() & (kLeftDown | kLeftDrag)) || !IsCapturing()) return;
  LRootWindow* root = GetRootWindow();
  if (!root) return;
  const RCPtr<LControl> self(this);
  const LRootWindow::Point mouse = root->GetMousePosition();
  const Point origin = GetOriginInRoot();
  if (Contains({origin.x, origin.y, GetRect().width, GetRect().height}, mouse.x, mouse.y)) return;
  LRootWindow::Point local;
  const RCPtr<LControl> under = root->ControlFromPoint(mouse, local, false);
  if (!under) return;
  if (dynamic_cast<LComboMenu*>(under.Get())) {
    under->StartMouseCapture(1, local.x, local.y);
    return;
  }
  for (LControl* control = under.Get(); control; control = control->GetParent()) {
    auto* menu = dynamic_cast<LPopupMenu*>(control);
    if (!menu) continue;
    if (menu != this && IsInMenuChain(menu)) {
      const Point menuOrigin = menu->GetOriginInRoot();
      menu->StartMouseCapture(1, static_cast<int32_t>(mouse.x - menuOrigin.x),
                              static_cast<int32_t>(mouse.y - menuOrigin.y));
    }
    return;
  }
}

}  // namespace HV
