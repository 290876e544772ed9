// Tree view, list view, tab and page controls, tool bar and status bar over the common controls.
#include "framework/ui/comctrls.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_registry.h"
#include "framework/graphics/imagelist.h"
#include "framework/ui/application.h"
#include "framework/ui/grids.h"
#include "framework/ui/scrollbox.h"

namespace {

constexpr const char* ToolButtonStyleValueNames[] = {"tbsButton", "tbsCheck", "tbsSeparator"};

const TEnumInfo& ToolButtonStyleNames() {
  static const TEnumInfo Info{ToolButtonStyleValueNames};
  return Info;
}

HTREEITEM ItemOf(const TTreeNode* Node) { return Node ? static_cast<HTREEITEM>(Node->ItemHandle()) : nullptr; }

TTreeNode* NodeOf(HWND Tree, HTREEITEM Item) {
  if (!Item) return nullptr;
  TVITEMA Query{};
  Query.mask = TVIF_PARAM;
  Query.hItem = Item;
  if (!SendMessageA(Tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Query))) return nullptr;
  return reinterpret_cast<TTreeNode*>(Query.lParam);
}

// Tool bar command identifiers start above 0, which some controls send for "no command".
constexpr int ToolButtonIdBase = 100;

}  // namespace

void InitCommonControlClasses() {
  static const bool Done = [] {
    INITCOMMONCONTROLSEX Init{sizeof(Init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&Init) != FALSE;
  }();
  (void)Done;
}

void RegisterStandardControlClasses() {
  for (const TClassInfo* Info :
       {&TButton::StaticClassInfo(), &TCheckBox::StaticClassInfo(), &TRadioButton::StaticClassInfo(),
        &TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(), &TComboBox::StaticClassInfo(),
        &TListBox::StaticClassInfo(), &TTreeView::StaticClassInfo(), &TListView::StaticClassInfo(),
        &TTabControl::StaticClassInfo(), &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(),
        &TToolBar::StaticClassInfo(), &TToolButton::StaticClassInfo(), &TStatusBar::StaticClassInfo(),
        &TStringGrid::StaticClassInfo(), &TScrollBox::StaticClassInfo()})
    RegisterClass(*Info);
}

// [TTreeNode]

TTreeNode::~TTreeNode() = default;

TTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
  return FParent ? FParent->FChildren : FOwner->FRoots;
}

void TTreeNode::SetText(const std::string& Value) {
  FText = Value;
  TTreeView* Tree = TreeView();
  if (!FItem || !Tree->HandleAllocated()) return;
  TVITEMA Item{};
  Item.mask = TVIF_TEXT;
  Item.hItem = ItemOf(this);
  Item.pszText = const_cast<char*>(FText.c_str());
  SendMessageA(Tree->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
}

TTreeNode* TTreeNode::Item(Integer Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("Tree node index out of bounds (%d)", int(Index)));
  return FChildren[size_t(Index)].get();
}

Integer TTreeNode::Index() const {
  const auto& List = Siblings();
  for (size_t I = 0; I < List.size(); ++I)
    if (List[I].get() == this) return Integer(I);
  return -1;
}

Integer TTreeNode::Level() const {
  Integer L = 0;
  for (TTreeNode* P = FParent; P; P = P->FParent) ++L;
  return L;
}

bool TTreeNode::HasAsParent(const TTreeNode* Node) const {
  for (TTreeNode* P = FParent; P; P = P->FParent)
    if (P == Node) return true;
  return false;
}

bool TTreeNode::Expanded() const {
  TTreeView* Tree = TreeView();
  if (!FItem || !Tree->HandleAllocated()) return FExpanded;
  return SendMessageA(Tree->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItem), TVIS_EXPANDED) & TVIS_EXPANDED;
}

void TTreeNode::SetExpanded(bool Value) {
  FExpanded = Value;
  TTreeView* Tree = TreeView();
  if (FItem && Tree->HandleAllocated())
    SendMessageA(Tree->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (Value)
    TreeView()->SetSelected(this);
  else if (Selected())
    TreeView()->SetSelected(nullptr);
}

void TTreeNode::Delete() { FOwner->Delete(this); }

// [TTreeNodes]

TTreeNodes::~TTreeNodes() = default;

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0) SetRedraw(false);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0) SetRedraw(true);
}

void TTreeNodes::SetRedraw(bool Value) {
  if (!FOwner->HandleAllocated()) return;
  SendMessageA(FOwner->Handle(), WM_SETREDRAW, Value, 0);
  if (Value) InvalidateRect(FOwner->Handle(), nullptr, TRUE);
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* Parent, size_t Position, const std::string& Text) {
  auto& List = Parent ? Parent->FChildren : FRoots;
  Position = std::min(Position, List.size());
  auto* Node = new TTreeNode(this, Parent, Text);
  List.insert(List.begin() + ptrdiff_t(Position), std::unique_ptr<TTreeNode>(Node));
  FOwner->InsertItem(Node);
  return Node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) {
  TTreeNode* Parent = Sibling ? Sibling->FParent : nullptr;
  return InsertAt(Parent, SIZE_MAX, Text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) { return InsertAt(Parent, SIZE_MAX, Text); }

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& Text) {
  if (!Sibling) return InsertAt(nullptr, SIZE_MAX, Text);
  return InsertAt(Sibling->FParent, size_t(Sibling->Index()), Text);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node || Node->FOwner != this) return;
  TTreeView* Tree = FOwner;
  if (Tree->FSelected == Node || (Tree->FSelected && Tree->FSelected->HasAsParent(Node))) Tree->FSelected = nullptr;
  Tree->DeleteItem(Node);
  auto& List = Node->Siblings();
  std::unique_ptr<TTreeNode> Owned;
  for (auto It = List.begin(); It != List.end(); ++It)
    if (It->get() == Node) {
      Owned = std::move(*It);
      List.erase(It);
      break;
    }
}

void TTreeNodes::Clear() {
  while (!FRoots.empty()) Delete(FRoots.back().get());
}

Integer TTreeNodes::Count() const { return Integer(AllNodes().size()); }

TTreeNode* TTreeNodes::Root(Integer Index) const {
  if (Index < 0 || Index >= RootCount()) throw EListError(Format("Tree node index out of bounds (%d)", int(Index)));
  return FRoots[size_t(Index)].get();
}

std::vector<TTreeNode*> TTreeNodes::AllNodes() const {
  std::vector<TTreeNode*> Result;
  std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> Walk = [&](const auto& List) {
    for (const auto& N : List) {
      Result.push_back(N.get());
      Walk(N->FChildren);
    }
  };
  Walk(FRoots);
  return Result;
}

// [TTreeView]

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TTreeView::ReadOnly, &TTreeView::SetReadOnly>("ReadOnly", 1),
      IntegerProperty<&TTreeView::Indent, &TTreeView::SetIndent>("Indent", 19),
  };
  static const TClassInfo Info{
      "TTreeView", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TTreeView>};
  return Info;
}

TTreeView::TTreeView(TComponent* Owner) : TSystemControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
  // The window goes before the nodes its items point at.
  FDestroying = true;
  if (HandleAllocated()) DestroyHandle();
}

void TTreeView::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses();
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEWA);
  Params.Style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
  if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), TVM_SETINDENT, WPARAM(FIndent), 0);
  if (FItems.FUpdateCount > 0) FItems.SetRedraw(false);
  std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> Insert = [&](const auto& List) {
    for (const auto& N : List) {
      InsertItem(N.get());
      Insert(N->FChildren);
      if (N->FExpanded) N->SetExpanded(true);
    }
  };
  FDestroying = true;  // inserting is not the user changing the selection
  Insert(FItems.FRoots);
  if (FSelected) SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelected->FItem));
  FDestroying = false;
}

void TTreeView::DestroyWnd() {
  const bool WasDestroying = FDestroying;
  FDestroying = true;
  FSelected = Selected();
  for (TTreeNode* N : FItems.AllNodes()) {
    N->FExpanded = N->Expanded();
  }
  TSystemControl::DestroyWnd();
  for (TTreeNode* N : FItems.AllNodes()) N->FItem = nullptr;
  FDestroying = WasDestroying;
}

void TTreeView::InsertItem(TTreeNode* Node) {
  if (!HandleAllocated()) return;
  if (Node->FParent && !Node->FParent->FItem) return;  // comes with its parent
  TVINSERTSTRUCTA Insert{};
  Insert.hParent = Node->FParent ? ItemOf(Node->FParent) : TVI_ROOT;
  const Integer Index = Node->Index();
  Insert.hInsertAfter = Index == 0 ? TVI_FIRST : ItemOf(Node->Siblings()[size_t(Index - 1)].get());
  if (!Insert.hInsertAfter) Insert.hInsertAfter = TVI_LAST;
  Insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  Insert.item.pszText = const_cast<char*>(Node->FText.c_str());
  Insert.item.lParam = reinterpret_cast<LPARAM>(Node);
  Node->FItem = reinterpret_cast<void*>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Insert)));
}

void TTreeView::DeleteItem(TTreeNode* Node) {
  if (!HandleAllocated() || !Node->FItem) return;
  TTreeNode* Saved = FDeleting;
  FDeleting = Node;
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItem));
  FDeleting = Saved;
  ForgetItems(Node);
}

void TTreeView::ForgetItems(TTreeNode* Node) {
  Node->FItem = nullptr;
  for (auto& C : Node->FChildren) ForgetItems(C.get());
}

TTreeNode* TTreeView::Selected() const {
  auto* Self = const_cast<TTreeView*>(this);
  if (!Self->HandleAllocated()) return FSelected;
  return NodeOf(Self->Handle(),
                reinterpret_cast<HTREEITEM>(SendMessageA(Self->Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(TTreeNode* Node) {
  if (Node && Node->FOwner != &FItems) return;
  if (!HandleAllocated()) {
    FSelected = Node;
    return;
  }
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(Node)));
}

void TTreeView::SetIndent(Integer Value) {
  Value = std::max<Integer>(Value, 0);
  if (Value == FIndent) return;
  FIndent = Value;
  if (HandleAllocated()) SendMessageA(Handle(), TVM_SETINDENT, WPARAM(FIndent), 0);
}

void TTreeView::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  RecreateWnd();
}

TTreeNode* TTreeView::GetNodeAt(Integer X, Integer Y) {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO Hit{};
  Hit.pt = {X, Y};
  SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit));
  if (!Hit.hItem || !(Hit.flags & TVHT_ONITEM)) return nullptr;
  TVITEMA Query{};
  Query.mask = TVIF_PARAM;
  Query.hItem = Hit.hItem;
  SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&Query));
  return reinterpret_cast<TTreeNode*>(Query.lParam);
}

void TTreeView::FullExpand() {
  for (TTreeNode* N : FItems.AllNodes())
    if (N->HasChildren()) N->Expand();
}

TTreeNode* TTreeView::TopItem() const {
  auto* Self = const_cast<TTreeView*>(this);
  if (!Self->HandleAllocated()) return nullptr;
  return NodeOf(Self->Handle(),
                reinterpret_cast<HTREEITEM>(SendMessageA(Self->Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TTreeView::SetTopItem(TTreeNode* Node) {
  if (!Node || Node->FOwner != &FItems || !Node->FItem || !HandleAllocated()) return;
  SendMessageA(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(ItemOf(Node)));
}

void TTreeView::Change(TTreeNode* Node) {
  if (OnChange) OnChange(this, Node);
}

void TTreeView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (Header->code) {
      case TVN_SELCHANGINGA:
      case TVN_SELCHANGINGW: {
        const auto* N = reinterpret_cast<const NMTREEVIEWA*>(Message.LParam);
        auto* Node = reinterpret_cast<TTreeNode*>(N->itemNew.lParam);
        bool Allow = true;
        if (OnChanging && !FDestroying && !FDeleting) OnChanging(this, Node, Allow);
        Message.Result = Allow ? 0 : 1;
        return;
      }
      case TVN_SELCHANGEDA:
      case TVN_SELCHANGEDW: {
        if (FDestroying) return;
        const auto* N = reinterpret_cast<const NMTREEVIEWA*>(Message.LParam);
        auto* Node = N->itemNew.hItem ? reinterpret_cast<TTreeNode*>(N->itemNew.lParam) : nullptr;
        // A node on its way out is never reported.
        if (Node && FDeleting && (Node == FDeleting || Node->HasAsParent(FDeleting))) Node = nullptr;
        Change(Node);
        return;
      }
      case TVN_ENDLABELEDITA: {
        const auto* Info = reinterpret_cast<const NMTVDISPINFOA*>(Message.LParam);
        if (Info->item.pszText) {
          reinterpret_cast<TTreeNode*>(Info->item.lParam)->FText = Info->item.pszText;
          Message.Result = 1;
        }
        return;
      }
    }
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

// [TListItem]

void TListItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  FOwner->UpdateItemWindow(Index());
}

void TListItem::SetSubItems(const std::vector<std::string>& Value) {
  FSubItems = Value;
  FOwner->UpdateItemWindow(Index());
}

Integer TListItem::Index() const {
  for (size_t I = 0; I < FOwner->FItems.size(); ++I)
    if (FOwner->FItems[I].get() == this) return Integer(I);
  return -1;
}

bool TListItem::Selected() const {
  const Integer I = Index();
  if (!FOwner->HandleAllocated()) return size_t(I) < FOwner->FSelection.size() && FOwner->FSelection[size_t(I)];
  return SendMessageA(FOwner->Handle(), LVM_GETITEMSTATE, WPARAM(I), LVIS_SELECTED) & LVIS_SELECTED;
}

void TListItem::SetSelected(bool Value) {
  const Integer I = Index();
  if (!FOwner->HandleAllocated()) {
    FOwner->FSelection.resize(FOwner->FItems.size(), false);
    FOwner->FSelection[size_t(I)] = Value;
    return;
  }
  LVITEMA Item{};
  Item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  Item.state = Value ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageA(FOwner->Handle(), LVM_SETITEMSTATE, WPARAM(I), reinterpret_cast<LPARAM>(&Item));
}

// [TListView]

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo Info{"TListView", &TWinControl::StaticClassInfo(), {}, {}, &CreateComponent<TListView>};
  return Info;
}

TListView::TListView(TComponent* Owner) : TSystemControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
}

TListView::~TListView() {
  if (HandleAllocated()) DestroyHandle();
}

void TListView::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses();
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWA);
  Params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (Integer I = 0; I < ColumnCount(); ++I) InsertColumnWindow(I);
  for (Integer I = 0; I < ItemCount(); ++I) InsertItemWindow(I);
  const auto Selection = std::move(FSelection);
  FSelection.clear();
  for (size_t I = 0; I < Selection.size() && I < FItems.size(); ++I)
    if (Selection[I]) FItems[I]->SetSelected(true);
}

void TListView::DestroyWnd() {
  std::vector<bool> Selection(FItems.size());
  for (size_t I = 0; I < FItems.size(); ++I) Selection[I] = FItems[I]->Selected();
  TSystemControl::DestroyWnd();
  FSelection = std::move(Selection);
}

const TListColumn& TListView::Column(Integer Index) const {
  if (Index < 0 || Index >= ColumnCount()) throw EListError(Format("Column index out of bounds (%d)", int(Index)));
  return FColumns[size_t(Index)];
}

void TListView::InsertColumnWindow(Integer Index) {
  if (!HandleAllocated()) return;
  LVCOLUMNA Column{};
  Column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  Column.pszText = const_cast<char*>(FColumns[size_t(Index)].Caption.c_str());
  Column.cx = FColumns[size_t(Index)].Width;
  Column.iSubItem = Index;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, WPARAM(Index), reinterpret_cast<LPARAM>(&Column));
}

void TListView::AddColumn(const std::string& Caption, Integer Width) {
  FColumns.push_back({Caption, Width});
  InsertColumnWindow(ColumnCount() - 1);
  for (Integer I = 0; I < ItemCount(); ++I) UpdateItemWindow(I);
}

void TListView::ClearColumns() {
  if (HandleAllocated())
    while (SendMessageA(Handle(), LVM_DELETECOLUMN, 0, 0)) {
    }
  FColumns.clear();
}

TListItem* TListView::Item(Integer Index) const {
  if (Index < 0 || Index >= ItemCount()) throw EListError(Format("List index out of bounds (%d)", int(Index)));
  return FItems[size_t(Index)].get();
}

void TListView::InsertItemWindow(Integer Index) {
  if (!HandleAllocated()) return;
  TListItem* Source = FItems[size_t(Index)].get();
  LVITEMA Item{};
  Item.mask = LVIF_TEXT | LVIF_PARAM;
  Item.iItem = Index;
  Item.pszText = const_cast<char*>(Source->FCaption.c_str());
  Item.lParam = reinterpret_cast<LPARAM>(Source);
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&Item));
  UpdateItemWindow(Index);
}

void TListView::UpdateItemWindow(Integer Index) {
  if (!HandleAllocated() || Index < 0) return;
  TListItem* Source = FItems[size_t(Index)].get();
  LVITEMA Item{};
  Item.mask = LVIF_TEXT;
  Item.iItem = Index;
  Item.pszText = const_cast<char*>(Source->FCaption.c_str());
  SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
  for (size_t S = 0; S + 1 < FColumns.size(); ++S) {
    static const std::string Empty;
    const std::string& Text = S < Source->FSubItems.size() ? Source->FSubItems[S] : Empty;
    Item.iSubItem = Integer(S + 1);
    Item.pszText = const_cast<char*>(Text.c_str());
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&Item));
  }
}

TListItem* TListView::AddItem(const std::string& Caption, const std::vector<std::string>& SubItems) {
  FItems.push_back(std::unique_ptr<TListItem>(new TListItem(this)));
  TListItem* Item = FItems.back().get();
  Item->FCaption = Caption;
  Item->FSubItems = SubItems;
  InsertItemWindow(ItemCount() - 1);
  return Item;
}

void TListView::DeleteItem(Integer Index) {
  Item(Index);  // range check
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETEITEM, WPARAM(Index), 0);
  if (size_t(Index) < FSelection.size()) FSelection.erase(FSelection.begin() + Index);
  FItems.erase(FItems.begin() + Index);
}

void TListView::ClearItems() {
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
  FItems.clear();
  FSelection.clear();
}

Integer TListView::ItemIndex() const {
  for (Integer I = 0; I < ItemCount(); ++I)
    if (FItems[size_t(I)]->Selected()) return I;
  return -1;
}

void TListView::SetItemIndex(Integer Value) {
  for (Integer I = 0; I < ItemCount(); ++I) FItems[size_t(I)]->SetSelected(I == Value);
}

TListItem* TListView::Selected() const {
  const Integer I = ItemIndex();
  return I < 0 ? nullptr : FItems[size_t(I)].get();
}

void TListView::SetSelected(TListItem* Item) { SetItemIndex(Item && Item->FOwner == this ? Item->Index() : -1); }

void TListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
    if (Header->code == LVN_ITEMCHANGED) {
      const auto* N = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
      const bool Was = N->uOldState & LVIS_SELECTED, Is = N->uNewState & LVIS_SELECTED;
      if ((N->uChanged & LVIF_STATE) && Was != Is && N->iItem >= 0 && N->iItem < ItemCount() && OnSelectItem)
        OnSelectItem(this, FItems[size_t(N->iItem)].get(), Is);
    }
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

// [TCustomTabControl]

void TTabItems::Inserted(Integer Index) {
  if (!FOwner->HandleAllocated()) {
    if (FOwner->FTabIndex < 0) FOwner->FTabIndex = 0;
    return;
  }
  TCITEMA Item{};
  Item.mask = TCIF_TEXT;
  Item.pszText = const_cast<char*>(FItems[size_t(Index)].c_str());
  SendMessageA(FOwner->Handle(), TCM_INSERTITEMA, WPARAM(Index), reinterpret_cast<LPARAM>(&Item));
  if (FOwner->TabIndex() < 0) FOwner->SetTabIndex(0);
  FOwner->Realign();
}

void TTabItems::Deleted(Integer Index) {
  if (!FOwner->HandleAllocated()) {
    if (FOwner->FTabIndex >= Count()) FOwner->FTabIndex = Count() - 1;
    return;
  }
  const Integer Selected = FOwner->TabIndex();
  SendMessageA(FOwner->Handle(), TCM_DELETEITEM, WPARAM(Index), 0);
  // The window selects nothing after deleting the selected tab; a neighbour takes over.
  if (Selected == Index && Count() > 0) FOwner->SetTabIndex(std::min(Index, Count() - 1));
  FOwner->Realign();
}

void TTabItems::Cleared() {
  FOwner->FTabIndex = -1;
  if (FOwner->HandleAllocated()) SendMessageA(FOwner->Handle(), TCM_DELETEALLITEMS, 0, 0);
}

TCustomTabControl::TCustomTabControl(TComponent* Owner) : TSystemControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetTabStop(true);
  SetColor(clBtnFace);
  SetBounds(0, 0, 289, 193);
}

void TCustomTabControl::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses();
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLA);
  Params.Style |= WS_CLIPCHILDREN;
}

void TCustomTabControl::CreateWnd() {
  TSystemControl::CreateWnd();
  const Integer Index = FTabIndex;
  for (Integer I = 0; I < FTabs.Count(); ++I) {
    TCITEMA Item{};
    Item.mask = TCIF_TEXT;
    Item.pszText = const_cast<char*>(FTabs[I].c_str());
    SendMessageA(Handle(), TCM_INSERTITEMA, WPARAM(I), reinterpret_cast<LPARAM>(&Item));
  }
  SendMessageA(Handle(), TCM_SETCURSEL, WPARAM(Index), 0);
}

void TCustomTabControl::DestroyWnd() {
  FTabIndex = TabIndex();
  TSystemControl::DestroyWnd();
}

Integer TCustomTabControl::TabIndex() const {
  auto* Self = const_cast<TCustomTabControl*>(this);
  if (!Self->HandleAllocated()) return FTabIndex;
  return Integer(SendMessageA(Self->Handle(), TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(Integer Value) {
  if (Value < 0 || Value >= FTabs.Count()) Value = -1;
  FTabIndex = Value;
  if (HandleAllocated()) SendMessageA(Handle(), TCM_SETCURSEL, WPARAM(Value), 0);
}

TRect TCustomTabControl::TabRect(Integer Index) {
  RECT R{};
  if (HandleAllocated()) SendMessageA(Handle(), TCM_GETITEMRECT, WPARAM(Index), reinterpret_cast<LPARAM>(&R));
  return Rect(R.left, R.top, R.right, R.bottom);
}

Integer TCustomTabControl::IndexOfTabAt(Integer X, Integer Y) {
  if (!HandleAllocated()) return -1;
  TCHITTESTINFO Hit{};
  Hit.pt = {X, Y};
  return Integer(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&Hit)));
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
  if (!HandleAllocated()) return;
  RECT R{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&R));
  Rect = ::Rect(R.left, R.top, std::max(R.left, R.right), std::max(R.top, R.bottom));
}

bool TCustomTabControl::CanChange() {
  bool Allow = true;
  if (OnChanging) OnChanging(this, Allow);
  return Allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY) {
    switch (reinterpret_cast<const NMHDR*>(Message.LParam)->code) {
      case TCN_SELCHANGING: Message.Result = CanChange() ? 0 : 1; return;
      case TCN_SELCHANGE:
        FTabIndex = TabIndex();
        Change();
        return;
    }
    return;
  }
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}

const TClassInfo& TTabControl::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringsProperty<static_cast<const TControlItems& (TTabControl::*)() const>(&TTabControl::Tabs),
                      &TTabControl::SetTabs>("Tabs"),
      IntegerProperty<&TTabControl::TabIndex, &TTabControl::SetTabIndex>("TabIndex", -1),
  };
  static const TClassInfo Info{
      "TTabControl", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TTabControl>};
  return Info;
}

// [TTabSheet]

const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo Info{"TTabSheet", &TWinControl::StaticClassInfo(), {}, {}, &CreateComponent<TTabSheet>};
  return Info;
}

TTabSheet::TTabSheet(TComponent* Owner) : TWinControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  SetColor(clBtnFace);
  SetAlign(TAlign::alClient);
}

// Leaves the page control while still a sheet to it.
TTabSheet::~TTabSheet() {
  if (Parent()) Parent()->RemoveControl(this);
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

Integer TTabSheet::PageIndex() const {
  TPageControl* Pages = PageControl();
  if (!Pages) return -1;
  auto It = std::find(Pages->FPages.begin(), Pages->FPages.end(), this);
  return It == Pages->FPages.end() ? -1 : Integer(It - Pages->FPages.begin());
}

void TTabSheet::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED)
    if (TPageControl* Pages = PageControl()) Pages->PageCaptionChanged(this);
  TWinControl::Dispatch(Message);
}

// [TPageControl]

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo Info{"TPageControl", &TWinControl::StaticClassInfo(), {}, {}, &CreateComponent<TPageControl>};
  return Info;
}

TPageControl::TPageControl(TComponent* Owner) : TCustomTabControl(Owner) {}

TTabSheet* TPageControl::Pages(Integer Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(Format("Page index out of bounds (%d)", int(Index)));
  return FPages[size_t(Index)];
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->PageControl() != this) return;
  FActivePage = Page;
  SetTabIndex(Page ? Page->PageIndex() : -1);
  ShowActive();
}

Integer TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(Integer Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[size_t(Value)] : nullptr);
}

void TPageControl::ShowActive() {
  // The new page shows before the old one hides, so the focus never falls out of the control.
  if (FActivePage) FActivePage->SetVisible(true);
  for (TTabSheet* Page : FPages)
    if (Page != FActivePage) Page->SetVisible(false);
  if (FActivePage) FActivePage->BringToFront();
}

void TPageControl::PageCaptionChanged(TTabSheet* Page) {
  const Integer Index = Page->PageIndex();
  if (Index >= 0 && FTabs[Index] != Page->Caption()) FTabs.SetStrings(Index, Page->Caption());
  if (Page == FActivePage) SetTabIndex(Index);
}

void TPageControl::Change() {
  const Integer Index = TabIndex();
  FActivePage = Index >= 0 && Index < PageCount() ? FPages[size_t(Index)] : nullptr;
  ShowActive();
  TCustomTabControl::Change();
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_CONTROLCHANGE) {
    auto* Page = dynamic_cast<TTabSheet*>(reinterpret_cast<TControl*>(Message.WParam));
    if (Page && Message.LParam) {
      FPages.push_back(Page);
      FTabs.Add(Page->Caption());
      if (!FActivePage) FActivePage = Page;
      SetTabIndex(ActivePageIndex());
      ShowActive();
    } else if (Page) {
      const Integer Index = Page->PageIndex();
      if (Index >= 0) {
        FPages.erase(FPages.begin() + Index);
        FTabs.Delete(Index);
        if (FActivePage == Page)
          FActivePage = FPages.empty() ? nullptr : FPages[size_t(std::min<Integer>(Index, PageCount() - 1))];
        SetTabIndex(ActivePageIndex());
        ShowActive();
      }
    }
  }
  TCustomTabControl::Dispatch(Message);
}

// [TToolButton]

const TClassInfo& TToolButton::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TToolButton::ImageIndex, &TToolButton::SetImageIndex>("ImageIndex", -1),
      EnumProperty<&TToolButton::Style, &TToolButton::SetStyle>("Style", ToolButtonStyleNames(),
                                                                int64_t(TToolButtonStyle::tbsButton)),
  };
  static const TClassInfo Info{
      "TToolButton", &TControl::StaticClassInfo(), Properties, {}, &CreateComponent<TToolButton>};
  return Info;
}

TToolButton::TToolButton(TComponent* Owner) : TControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csCaptureMouse);
  ExcludeStyle(TControlStyleFlag::csClickEvents);
}

// Leaves the tool bar while still a button to it.
TToolButton::~TToolButton() {
  if (Parent()) Parent()->RemoveControl(this);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetBounds(Integer, Integer, Integer, Integer) {
  // No bounds of its own: the tool bar's window lays the buttons out and takes their clicks.
}

void TToolButton::Changed() {
  if (TToolBar* Bar = ToolBar()) Bar->RebuildButtons();
}

void TToolButton::SetImageIndex(Integer Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  Changed();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}

bool TToolButton::Down() const {
  TToolBar* Bar = ToolBar();
  if (!Bar || !Bar->HandleAllocated()) return FDown;
  const auto List = Bar->ButtonList();
  const Integer Id = Integer(std::find(List.begin(), List.end(), this) - List.begin()) + ToolButtonIdBase;
  return SendMessageA(Bar->Handle(), TB_ISBUTTONCHECKED, WPARAM(Id), 0) != 0;
}

void TToolButton::SetDown(bool Value) {
  FDown = Value;
  Changed();
}

TRect TToolButton::ItemRect() const {
  TToolBar* Bar = ToolBar();
  if (!Bar || !Bar->HandleAllocated()) return {};
  const auto List = Bar->ButtonList();
  const auto Index = WPARAM(std::find(List.begin(), List.end(), this) - List.begin());
  RECT R{};
  SendMessageA(Bar->Handle(), TB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&R));
  return Rect(R.left, R.top, R.right, R.bottom);
}

void TToolButton::Click() {
  if (FStyle == TToolButtonStyle::tbsCheck) FDown = Down();
  TControl::Click();
}

void TToolButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED: Changed(); return;
  }
  TControl::Dispatch(Message);
}

// [TToolBar]

const TClassInfo& TToolBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TToolBar::ShowCaptions, &TToolBar::SetShowCaptions>("ShowCaptions", 1),
  };
  static const TClassInfo Info{"TToolBar", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TToolBar>};
  return Info;
}

TToolBar::TToolBar(TComponent* Owner) : TSystemControl(Owner) {
  IncludeStyle(TControlStyleFlag::csAcceptsControls);
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 29);
  SetAlign(TAlign::alTop);
}

void TToolBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses();
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, TOOLBARCLASSNAMEA);
  // The framework places the bar (Align); the window must not move itself to its parent's top.
  Params.Style |= TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
}

void TToolBar::CreateWnd() {
  TSystemControl::CreateWnd();
  SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  RebuildButtons();
}

std::vector<TToolButton*> TToolBar::ButtonList() const {
  std::vector<TToolButton*> List;
  for (TControl* C : ControlList())
    if (auto* B = dynamic_cast<TToolButton*>(C); B && B != FRemoving) List.push_back(B);
  return List;
}

Integer TToolBar::ButtonCount() const { return Integer(ButtonList().size()); }

TToolButton* TToolBar::Buttons(Integer Index) const {
  const auto List = ButtonList();
  if (Index < 0 || Index >= Integer(List.size()))
    throw EListError(Format("Button index out of bounds (%d)", int(Index)));
  return List[size_t(Index)];
}

void TToolBar::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  RebuildButtons();
}

void TToolBar::SetShowCaptions(bool Value) {
  if (Value == FShowCaptions) return;
  FShowCaptions = Value;
  RebuildButtons();
}

void TToolBar::Notification(TComponent* Component, TOperation Operation) {
  TSystemControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FImages) {
    FImages = nullptr;
    RebuildButtons();
  }
}

void TToolBar::RebuildButtons() {
  if (!HandleAllocated() || FRebuilding) return;
  FRebuilding = true;
  HWND Wnd = Handle();
  while (SendMessageA(Wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(Wnd, TB_DELETEBUTTON, 0, 0);
  SendMessageA(Wnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
  const auto List = ButtonList();
  for (size_t I = 0; I < List.size(); ++I) {
    TToolButton* B = List[I];
    TBBUTTON Button{};
    Button.idCommand = ToolButtonIdBase + int(I);
    Button.iBitmap = B->FImageIndex >= 0 && FImages ? B->FImageIndex : I_IMAGENONE;
    Button.fsState =
        (B->Enabled() ? TBSTATE_ENABLED : 0) | (B->Visible() ? 0 : TBSTATE_HIDDEN) | (B->FDown ? TBSTATE_CHECKED : 0);
    switch (B->FStyle) {
      case TToolButtonStyle::tbsButton: Button.fsStyle = BTNS_BUTTON; break;
      case TToolButtonStyle::tbsCheck: Button.fsStyle = BTNS_CHECK; break;
      case TToolButtonStyle::tbsSeparator: Button.fsStyle = BTNS_SEP; break;
    }
    Button.fsStyle |= BTNS_AUTOSIZE;
    Button.iString = FShowCaptions && !B->Caption().empty() ? reinterpret_cast<INT_PTR>(B->Caption().c_str()) : -1;
    SendMessageA(Wnd, TB_INSERTBUTTONA, WPARAM(I), reinterpret_cast<LPARAM>(&Button));
  }
  SendMessageA(Wnd, TB_AUTOSIZE, 0, 0);
  FRebuilding = false;
}

void TToolBar::AnswerToolTip(TMessage& Message) {
  const auto* Header = reinterpret_cast<const NMHDR*>(Message.LParam);
  const Integer Index = Integer(Header->idFrom) - ToolButtonIdBase;
  const auto List = ButtonList();
  std::string Text;
  if (Index >= 0 && Index < Integer(List.size()) && Application && Application->ShowHint() &&
      List[size_t(Index)]->ShowHint())
    Text = GetShortHint(List[size_t(Index)]->Hint());
  FToolTipText.assign(size_t(MultiByteToWideChar(CP_ACP, 0, Text.data(), int(Text.size()), nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, Text.data(), int(Text.size()), FToolTipText.data(), int(FToolTipText.size()));
  if (Header->code == TTN_GETDISPINFOW) {
    auto* Info = reinterpret_cast<NMTTDISPINFOW*>(Message.LParam);
    Info->hinst = nullptr;
    Info->lpszText = FToolTipText.data();
  } else {
    auto* Info = reinterpret_cast<NMTTDISPINFOA*>(Message.LParam);
    Info->hinst = nullptr;
    lstrcpynA(Info->szText, Text.c_str(), int(sizeof Info->szText));
    Info->lpszText = Info->szText;
  }
  Message.Result = 0;
}

void TToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: {
      const Integer Index = Integer(LOWORD(Message.WParam)) - ToolButtonIdBase;
      const auto List = ButtonList();
      if (Index >= 0 && Index < Integer(List.size())) List[size_t(Index)]->Click();
      return;
    }
    case CN_NOTIFY: return;
    case WM_NOTIFY: {
      const UINT Code = reinterpret_cast<const NMHDR*>(Message.LParam)->code;
      if (Code == TTN_GETDISPINFOA || Code == TTN_GETDISPINFOW) return AnswerToolTip(Message);
      break;
    }
    case CM_CONTROLCHANGE:
      if (dynamic_cast<TToolButton*>(reinterpret_cast<TControl*>(Message.WParam))) {
        // The removed button is still a child now: leave it out.
        FRemoving = Message.LParam ? nullptr : reinterpret_cast<TToolButton*>(Message.WParam);
        RebuildButtons();
        FRemoving = nullptr;
      }
      break;
    case WM_ERASEBKGND: return DefaultHandler(Message);
  }
  TSystemControl::Dispatch(Message);
}

// [TStatusBar]

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel>("SimplePanel", 0),
  };
  static const TClassInfo Info{
      "TStatusBar", &TWinControl::StaticClassInfo(), Properties, {}, &CreateComponent<TStatusBar>};
  return Info;
}

TStatusBar::TStatusBar(TComponent* Owner) : TSystemControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetColor(clBtnFace);
  SetBounds(0, 0, 150, 19);
  SetAlign(TAlign::alBottom);
}

void TStatusBar::CreateParams(TCreateParams& Params) {
  InitCommonControlClasses();
  TSystemControl::CreateParams(Params);
  CreateSubClass(Params, STATUSCLASSNAMEA);
  Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN;
}

void TStatusBar::CreateWnd() {
  TSystemControl::CreateWnd();
  UpdatePanels();
}

const TStatusPanel& TStatusBar::Panel(Integer Index) const {
  if (Index < 0 || Index >= PanelCount()) throw EListError(Format("Panel index out of bounds (%d)", int(Index)));
  return FPanels[size_t(Index)];
}

Integer TStatusBar::AddPanel(const std::string& Text, Integer Width) {
  FPanels.push_back({Text, Width});
  UpdatePanels();
  return PanelCount() - 1;
}

void TStatusBar::SetPanelText(Integer Index, const std::string& Text) {
  Panel(Index);
  FPanels[size_t(Index)].Text = Text;
  if (HandleAllocated() && !FSimplePanel)
    SendMessageA(Handle(), SB_SETTEXTA, WPARAM(Index), reinterpret_cast<LPARAM>(Text.c_str()));
}

void TStatusBar::ClearPanels() {
  FPanels.clear();
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (Value == FSimplePanel) return;
  FSimplePanel = Value;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
  FSimpleText = Value;
  if (HandleAllocated() && FSimplePanel)
    SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  HWND Wnd = Handle();
  SendMessageA(Wnd, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) {
    SendMessageA(Wnd, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    return;
  }
  std::vector<int> Edges;
  int X = 0;
  for (size_t I = 0; I < FPanels.size(); ++I) {
    X += FPanels[I].Width;
    Edges.push_back(I + 1 == FPanels.size() ? -1 : X);
  }
  if (Edges.empty()) Edges.push_back(-1);
  SendMessageA(Wnd, SB_SETPARTS, WPARAM(Edges.size()), reinterpret_cast<LPARAM>(Edges.data()));
  for (size_t I = 0; I < FPanels.size(); ++I)
    SendMessageA(Wnd, SB_SETTEXTA, WPARAM(I), reinterpret_cast<LPARAM>(FPanels[I].Text.c_str()));
}

std::string TStatusBar::WindowPanelText(Integer Index) {
  const WPARAM Part = FSimplePanel ? 0 : WPARAM(Index);
  const auto Length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, Part, 0));
  std::string S(size_t(Length) + 1, '\0');
  SendMessageA(Handle(), SB_GETTEXTA, Part, reinterpret_cast<LPARAM>(S.data()));
  S.resize(Length);
  return S;
}

void TStatusBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY || Message.Msg == CN_COMMAND) return;
  if (Message.Msg == WM_ERASEBKGND) return DefaultHandler(Message);
  TSystemControl::Dispatch(Message);
}
