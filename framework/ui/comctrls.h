// Controls over the platform's common controls: tree view, list view (report style), tab
// control, page control with tab sheets, tool bar with buttons, status bar.
//
// Every control keeps its content (nodes, items, tabs, buttons, panels) itself and shows it in
// its window, so the content survives re-creating the window and exists before there is one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/stdctrls.h"

class TCustomImageList;
class TTreeView;
class TTreeNodes;

// Registers the common control classes; the controls below call it before creating a window.
void InitCommonControlClasses();

// Registers the standard controls (these, stdctrls.h, grids.h, scrollbox.h) for reading forms.
void RegisterStandardControlClasses();

// [Tree view]

class TTreeNode {
 public:
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;
  ~TTreeNode();

  TTreeNodes* Owner() const { return FOwner; }
  TTreeView* TreeView() const;
  TTreeNode* Parent() const { return FParent; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }

  Integer Count() const { return Integer(FChildren.size()); }
  TTreeNode* Item(Integer Index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front().get(); }
  // Position among its siblings; the depth below the top level (0).
  Integer Index() const;
  Integer Level() const;
  bool HasAsParent(const TTreeNode* Node) const;

  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand() { SetExpanded(true); }
  void Collapse() { SetExpanded(false); }
  bool Selected() const;
  void SetSelected(bool Value);
  // Removes the node and its children from the tree and frees them.
  void Delete();
  // The window's item for the node (an HTREEITEM), nil while the tree has no window.
  void* ItemHandle() const { return FItem; }

 private:
  friend class TTreeNodes;
  friend class TTreeView;
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent, const std::string& Text)
      : FOwner(Owner), FParent(Parent), FText(Text) {}
  std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;

  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::string FText;
  void* FData = nullptr;
  bool FExpanded = false;
  void* FItem = nullptr;  // the window's item
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}
  ~TTreeNodes();
  TTreeView* Owner() const { return FOwner; }

  // Adds a node after the last sibling of Sibling (at the top level for nil).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
  // Adds a node as Parent's last child (at the top level for nil).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
  // Inserts a node just before Sibling (at the end of the top level for nil).
  TTreeNode* Insert(TTreeNode* Sibling, const std::string& Text);
  void Delete(TTreeNode* Node);
  void Clear();

  // Every node, depth first.
  Integer Count() const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  Integer RootCount() const { return Integer(FRoots.size()); }
  TTreeNode* Root(Integer Index) const;
  std::vector<TTreeNode*> AllNodes() const;

  // The tree does not repaint between the first BeginUpdate and the last EndUpdate (a rebuild
  // shows once, not node by node).
  void BeginUpdate();
  void EndUpdate();

 private:
  friend class TTreeNode;
  friend class TTreeView;
  TTreeNode* InsertAt(TTreeNode* Parent, size_t Position, const std::string& Text);
  void SetRedraw(bool Value);
  TTreeView* FOwner;
  Integer FUpdateCount = 0;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;

class TTreeView : public TSystemControl {
 public:
  explicit TTreeView(TComponent* Owner = nullptr);
  ~TTreeView() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TTreeNodes& Items() { return FItems; }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Node);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Pixels a child node is indented from its parent.
  Integer Indent() const { return FIndent; }
  void SetIndent(Integer Value);
  // The node at a client point, or nil.
  TTreeNode* GetNodeAt(Integer X, Integer Y);
  void FullExpand();
  // The node in the first row of the window, nil without a window. Setting it scrolls the
  // window as far as it can towards putting Node there, expanding Node's parents.
  TTreeNode* TopItem() const;
  void SetTopItem(TTreeNode* Node);

  // The selection moved to Node (nil when nothing is selected any more).
  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Change(TTreeNode* Node);

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  void InsertItem(TTreeNode* Node);
  void DeleteItem(TTreeNode* Node);
  void ForgetItems(TTreeNode* Node);

  TTreeNodes FItems{this};
  TTreeNode* FSelected = nullptr;  // while there is no window
  TTreeNode* FDeleting = nullptr;
  bool FReadOnly = true;
  bool FDestroying = false;
  Integer FIndent = 19;
};

// [List view]

class TListView;

struct TListColumn {
  std::string Caption;
  Integer Width = 50;
};

class TListItem {
 public:
  TListView* Owner() const { return FOwner; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // The texts of the columns after the first.
  const std::vector<std::string>& SubItems() const { return FSubItems; }
  void SetSubItems(const std::vector<std::string>& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  Integer Index() const;
  bool Selected() const;
  void SetSelected(bool Value);

 private:
  friend class TListView;
  explicit TListItem(TListView* Owner) : FOwner(Owner) {}
  TListView* FOwner;
  std::string FCaption;
  std::vector<std::string> FSubItems;
  void* FData = nullptr;
};

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

// A list in report style: a header of columns, one row per item.
class TListView : public TSystemControl {
 public:
  explicit TListView(TComponent* Owner = nullptr);
  ~TListView() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer ColumnCount() const { return Integer(FColumns.size()); }
  const TListColumn& Column(Integer Index) const;
  void AddColumn(const std::string& Caption, Integer Width);
  void ClearColumns();

  Integer ItemCount() const { return Integer(FItems.size()); }
  TListItem* Item(Integer Index) const;
  TListItem* AddItem(const std::string& Caption, const std::vector<std::string>& SubItems = {});
  void DeleteItem(Integer Index);
  void ClearItems();
  // The first selected item, or nil.
  TListItem* Selected() const;
  void SetSelected(TListItem* Item);
  Integer ItemIndex() const;
  void SetItemIndex(Integer Value);

  TLVSelectItemEvent OnSelectItem;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;

 private:
  friend class TListItem;
  void InsertColumnWindow(Integer Index);
  void InsertItemWindow(Integer Index);
  void UpdateItemWindow(Integer Index);
  std::vector<TListColumn> FColumns;
  std::vector<std::unique_ptr<TListItem>> FItems;
  std::vector<bool> FSelection;  // while there is no window
};

// [Tab control and page control]

class TCustomTabControl;

class TTabItems : public TControlItems {
 public:
  explicit TTabItems(TCustomTabControl* Owner) : FOwner(Owner) {}

 protected:
  void Inserted(Integer Index) override;
  void Deleted(Integer Index) override;
  void Cleared() override;

 private:
  TCustomTabControl* FOwner;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TCustomTabControl : public TSystemControl {
 public:
  explicit TCustomTabControl(TComponent* Owner = nullptr);

  // -1 when there are no tabs.
  Integer TabIndex() const;
  // Selecting a tab in code runs neither OnChanging nor OnChange; an index outside the tabs
  // selects none.
  void SetTabIndex(Integer Value);
  // The tab at a client point, or -1.
  Integer IndexOfTabAt(Integer X, Integer Y);
  TRect TabRect(Integer Index);
  // The area under the tabs, in client coordinates; children align inside it.
  void AdjustClientRect(TRect& Rect) override;

  TTabChangingEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual bool CanChange();
  virtual void Change();

  TTabItems FTabs{this};

 private:
  friend class TTabItems;
  Integer FTabIndex = -1;
};

class TTabControl : public TCustomTabControl {
 public:
  explicit TTabControl(TComponent* Owner = nullptr) : TCustomTabControl(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TControlItems& Tabs() { return FTabs; }
  const TControlItems& Tabs() const { return FTabs; }
  void SetTabs(const std::vector<std::string>& Values) { FTabs.Assign(Values); }
};

class TPageControl;

// A page of a page control: a container shown while its tab is selected.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* Owner = nullptr);
  ~TTabSheet() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* Value);
  // Position among the pages; -1 without a page control.
  Integer PageIndex() const;

 protected:
  void Dispatch(TMessage& Message) override;
};

class TPageControl : public TCustomTabControl {
 public:
  explicit TPageControl(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer PageCount() const { return Integer(FPages.size()); }
  TTabSheet* Pages(Integer Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows Page (one of ours, or nil for none) and selects its tab; runs no events.
  void SetActivePage(TTabSheet* Page);
  Integer ActivePageIndex() const;
  void SetActivePageIndex(Integer Value);

 protected:
  void Dispatch(TMessage& Message) override;
  void Change() override;

 private:
  friend class TTabSheet;
  void PageCaptionChanged(TTabSheet* Page);
  void ShowActive();
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
};

// [Tool bar]

class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsSeparator };

// A button on a tool bar (its parent); the tool bar's window draws and clicks it.
class TToolButton : public TControl {
 public:
  explicit TToolButton(TComponent* Owner = nullptr);
  ~TToolButton() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TToolBar* ToolBar() const;
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  // Pressed in (check buttons).
  bool Down() const;
  void SetDown(bool Value);
  // The tool bar places its buttons itself.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Click() override;
  // The button's rectangle on the tool bar (empty without a window).
  TRect ItemRect() const;

 protected:
  void Dispatch(TMessage& Message) override;

 private:
  friend class TToolBar;
  void Changed();
  Integer FImageIndex = -1;
  TToolButtonStyle FStyle = TToolButtonStyle::tbsButton;
  bool FDown = false;
};

class TToolBar : public TSystemControl {
 public:
  explicit TToolBar(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer ButtonCount() const;
  TToolButton* Buttons(Integer Index) const;
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* Component, TOperation Operation) override;

 private:
  friend class TToolButton;
  std::vector<TToolButton*> ButtonList() const;
  // Puts the buttons into the window again (after any change of them).
  void RebuildButtons();
  // The tool tip asks for a button's text: its short hint, when hints show for it.
  void AnswerToolTip(TMessage& Message);
  TCustomImageList* FImages = nullptr;
  bool FShowCaptions = true;
  bool FRebuilding = false;
  std::wstring FToolTipText;  // lives until the tool tip has copied it
  TToolButton* FRemoving = nullptr;
};

// [Status bar]

struct TStatusPanel {
  std::string Text;
  Integer Width = 50;
};

class TStatusBar : public TSystemControl {
 public:
  explicit TStatusBar(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer PanelCount() const { return Integer(FPanels.size()); }
  const TStatusPanel& Panel(Integer Index) const;
  // The last panel reaches the right edge whatever its width.
  Integer AddPanel(const std::string& Text, Integer Width);
  void SetPanelText(Integer Index, const std::string& Text);
  void ClearPanels();
  // One text over the whole bar instead of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& Value);
  // The text the window shows in a panel (SimplePanel: any index), for checks.
  std::string WindowPanelText(Integer Index);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;

 private:
  void UpdatePanels();
  std::vector<TStatusPanel> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
};
