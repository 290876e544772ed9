#include "editor/core/skin_document.h"

#include "editor/core/object_clipboard.h"
#include "editor/core/skin_links.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

constexpr const char* SaveChangesQuestion = "Skin has modified. Save changes?";
constexpr const char* CloseQuestion = "Skin's was changed. Save?";

// True when the text changed.
bool SetTextOf(TDvSkinObject* Object, const wchar_t* Text) {
  if (!Object || Object->Text() == Text) return false;
  Object->SetText(Text);
  return true;
}

std::vector<std::string> ObjectPath(const TDvSkinObject* Object) {
  std::vector<std::string> Path;
  for (; Object; Object = Object->Parent()) Path.insert(Path.begin(), Object->Name());
  return Path;
}

// The deepest object of the path that still exists; nil when not even its top-level one does.
TDvSkinObject* FindPath(const TDvSkinSource& Source, const std::vector<std::string>& Path) {
  if (Path.empty()) return nullptr;
  TDvSkinObject* Object = Source.FindObject(Path.front());
  for (size_t I = 1; Object && I < Path.size(); ++I) {
    TDvSkinObject* Child = dynamic_cast<TDvSkinObject*>(Object->FindComponent(Path[I]));
    if (!Child) break;
    Object = Child;
  }
  return Object;
}

}  // namespace

TSkinDocument::TSkinDocument(TEditorPrompts& Prompts) : FPrompts(Prompts) {}

TSkinDocument::~TSkinDocument() = default;

// [Document] -----------------------------------------------------------------------------------

void TSkinDocument::ReplaceSource(std::unique_ptr<TDvSkinSource> Source) {
  // Nothing may point into the old source once it is gone.
  FRootObject = nullptr;
  FSelected = nullptr;
  FSelectedImage = nullptr;
  FDragging = false;
  FDragBefore.reset();
  FNudgeBefore.reset();
  FPropertyBefore.reset();
  FSource = std::move(Source);
  FHistory.Reset(*FSource);
  FDrifted = false;
}

bool TSkinDocument::NewSkin() {
  if (!CanCloseSkin()) return false;
  auto Source = std::make_unique<TDvSkinSource>();
  auto Form = std::make_unique<TDvSkinObject>();
  Form->SetName("Form");
  Form->SetKind(TDvKind::skForm);
  Form->SetBounds(Rect(0, 0, 300, 250));
  Form->SetImageList(&Source->Images());
  Source->AddObject(std::move(Form));
  ReplaceSource(std::move(Source));
  FFileName = NewSkinFileName;
  ResetEditor();
  RefreshAll();
  return true;
}

bool TSkinDocument::OpenSkin() {
  if (!CanCloseSkin()) return false;
  const std::optional<std::string> Name = FPrompts.ChooseOpenFile("Open a Skin", "skin");
  if (!Name) return false;
  OpenSkinFile(*Name);
  return true;
}

void TSkinDocument::OpenSkinFile(const std::string& FileName) {
  // Read beside the open skin: a file that fails half-way must not cost the document.
  auto Source = std::make_unique<TDvSkinSource>();
  Source->LoadFromFile(FileName);
  ReplaceSource(std::move(Source));
  ResetEditor();
  FFileName = FileName;
  RefreshAll();
}

bool TSkinDocument::SaveSkin() {
  if (!Modified()) return false;
  if (FFileName == NewSkinFileName) return SaveSkinAs();
  FSource->SaveToFile(FFileName);
  FHistory.MarkSaved();
  RefreshAll();
  return true;
}

bool TSkinDocument::SaveSkinAs() {
  if (!FSource) return false;
  const std::optional<std::string> Name = FPrompts.ChooseSaveFile("Save Skin As", "myskin");
  if (!Name) return false;
  FSource->SaveToFile(*Name);
  FFileName = *Name;
  FHistory.MarkSaved();
  RefreshAll();
  return true;
}

// Yes saves, and goes on only when the skin was written: a cancelled save dialog keeps it.
bool TSkinDocument::AskToSave(const char* Question) {
  switch (FPrompts.Confirm(Question)) {
    case TPromptAnswer::paYes: SaveSkin(); return !Modified();
    case TPromptAnswer::paNo: return true;
    case TPromptAnswer::paCancel: return false;
  }
  return false;
}

bool TSkinDocument::CanCloseSkin() {
  if (!Modified()) return true;
  return AskToSave(SaveChangesQuestion);
}

bool TSkinDocument::CloseQuery() {
  if (!Modified()) return true;
  return AskToSave(CloseQuestion);
}

void TSkinDocument::ResetEditor() {
  FRootObject = nullptr;
  FSelected = nullptr;
  FSelectedImage = nullptr;
  FZoom = 1.0f;
  FZoomIndex = 0;
  FDragging = false;
}

void TSkinDocument::SetPreviewTexts() {
  TDvSkinObject* Root = FRootObject;
  bool Changed = SetTextOf(Root->FindByKind(TDvKind::skTitle), L"Pellan Title");
  Changed |= SetTextOf(Root->FindByName("Item"), L"Item Text");
  Changed |= SetTextOf(Root->FindByName("Text"), L"Sample");
  Changed |= SetTextOf(Root->FindByName("ToolbarItem"), L"Item Text");
  Changed |= SetTextOf(Root->FindByName("Caption"), L"Caption");
  FDrifted = FDrifted || Changed;
}

void TSkinDocument::RefreshAll() {
  if (FRootObject) SetPreviewTexts();
  if (OnRefresh) OnRefresh();
}

std::string TSkinDocument::Caption() const { return "Pellan 4.03 - [" + FFileName + "]"; }

// [Selection] ----------------------------------------------------------------------------------

void TSkinDocument::ShowPage(TEditorPage Page) {
  switch (Page) {
    case TEditorPage::epWorkArea: FSelectedImage = nullptr; break;
    case TEditorPage::epImages:
    case TEditorPage::epFonts:
      FSelected = nullptr;
      FRootObject = nullptr;
      break;
    case TEditorPage::epColors:
    case TEditorPage::epSysColors: break;
  }
  FPage = Page;
}

void TSkinDocument::SelectObject(TDvSkinObject* Object) {
  ShowPage(TEditorPage::epWorkArea);
  FRootObject = TopLevelObject(Object);
  FSelected = Object;
  RefreshAll();
}

TDvSkinObject* TSkinDocument::FindObjectPath(const std::vector<std::string>& Path) const {
  return FSource ? FindPath(*FSource, Path) : nullptr;
}

void TSkinDocument::SelectImage(TvxBitmap* Image) {
  ShowPage(TEditorPage::epImages);
  FSelectedImage = Image;
}

TRect TSkinDocument::HandleRect(Integer Index) const {
  return FSelected ? ::HandleRect(FSelected->BoundsRect(), Index) : TRect{};
}

TDvSkinObject* TSkinDocument::AddObject(const TClassInfo& Class) {
  if (!FSource || !FindSkinObjectClass(Class.Name)) return nullptr;
  const TEditorPlace Before = BeginStep();
  ++FNewObjectCount;
  TDvSkinObject* Parent = FSelected ? FSelected : FRootObject;
  // Named before it joins its parent. The counter goes on across New and Open, so a loaded
  // skin may already hold the name: the next free number is taken instead of failing.
  const std::string Stem = std::string(Class.Name).substr(3);
  while (Parent && Parent->FindComponent(Stem + std::to_string(FNewObjectCount))) ++FNewObjectCount;
  std::unique_ptr<TDvSkinObject> Object(static_cast<TDvSkinObject*>(Class.Create(nullptr)));
  Object->SetName(Stem + std::to_string(FNewObjectCount));
  Object->SetImageList(&FSource->Images());
  TDvSkinObject* Added = Object.get();
  if (Parent) {
    Object->SetBounds(Bounds(Parent->Left(), Parent->Top(), 30, 20));
    Parent->InsertComponent(Object.release());
  } else {
    Object->SetBounds(Rect(0, 0, 200, 100));
    FSource->AddObject(std::move(Object));
    FRootObject = Added;
  }
  SelectObject(Added);
  Record("Add", Before);
  return Added;
}

void TSkinDocument::DeleteSelected() {
  if (!FSelected) return;
  const TEditorPlace Before = BeginStep();
  if (TDvSkinObject* Owner = FSelected->Parent()) {
    delete FSelected;  // leaves its owner on the way
    FSelected = Owner;
  } else if (FSelected == FRootObject) {
    FSource->RemoveObject(FSelected);
    FSelected = nullptr;
    FRootObject = FSource->GetFormObject();
  } else {
    return;
  }
  RefreshAll();
  Record("Delete", Before);
}

void TSkinDocument::BringToFront() { MoveInOwner(true, "Bring to Front"); }

void TSkinDocument::SendToBack() { MoveInOwner(false, "Send to Back"); }

void TSkinDocument::MoveInOwner(bool ToFront, const char* StepName) {
  if (!FSelected || !FSelected->Parent()) return;
  const TEditorPlace Before = BeginStep();
  TDvSkinObject* Owner = FSelected->Parent();
  // The owned list is the child order; it can only be rebuilt by taking every child out.
  const std::vector<TComponent*> Children = Owner->ComponentList();
  for (TComponent* Child : Children) Owner->RemoveComponent(Child);
  if (!ToFront) Owner->InsertComponent(FSelected);
  for (TComponent* Child : Children)
    if (Child != FSelected) Owner->InsertComponent(Child);
  if (ToFront) Owner->InsertComponent(FSelected);
  Owner->Realign();
  RefreshAll();
  Record(StepName, Before);
}

void TSkinDocument::SetZoomIndex(Integer Index) {
  const std::optional<float> Zoom = ZoomFromIndex(Index);
  if (!Zoom) return;
  FZoom = *Zoom;
  FZoomIndex = Index;
  RefreshAll();
}

std::optional<TSize> TSkinDocument::WorkAreaSize() const {
  if (!FRootObject) return std::nullopt;
  return TSize{ZoomedLength(FRootObject->Width(), FZoom), ZoomedLength(FRootObject->Height(), FZoom)};
}

TTreeModel TSkinDocument::BuildTree() const {
  if (!FSource) return {};
  return ::BuildTree(*FSource, FSelected, FSelectedImage);
}

// [Images] -------------------------------------------------------------------------------------

std::unique_ptr<TvxBitmap> TSkinDocument::TakeImageOut(TvxBitmap* Image, std::unique_ptr<TvxBitmap> Replacement) {
  TvxBitmapList& Images = FSource->Images();
  const Integer Index = Images.IndexOf(Image);
  if (Index < 0) return nullptr;
  std::unique_ptr<TvxBitmap> Taken = Images.Delete(Index);
  if (Replacement) {
    Replacement->SetName(Taken->Name());
    Images.Insert(Index, std::move(Replacement));
  }
  for (Integer I = 0; I < FSource->ObjectCount(); ++I) RebindLinks(*FSource->Objects(I), Images);
  return Taken;
}

TvxBitmap* TSkinDocument::AddImage(std::unique_ptr<TvxBitmap> Image) {
  if (!FSource || !Image) return nullptr;
  const TEditorPlace Before = BeginStep();
  TvxBitmap* Added = Image.get();
  FSource->Images().Add(std::move(Image));
  SelectImage(Added);
  RefreshAll();
  Record("Add Image", Before);
  return Added;
}

// Done here rather than by the source's ReplaceImage, which does nothing in a skin without
// objects and would then drop the new picture.
TvxBitmap* TSkinDocument::ReplaceSelectedImage(std::unique_ptr<TvxBitmap> Image) {
  if (!FSource || !FSelectedImage || !Image) return nullptr;
  const TEditorPlace Before = BeginStep();
  TvxBitmap* Added = Image.get();
  if (!TakeImageOut(FSelectedImage, std::move(Image))) return nullptr;
  SelectImage(Added);
  RefreshAll();
  Record("Replace Image", Before);
  return Added;
}

void TSkinDocument::DeleteSelectedImage() {
  if (!FSource || !FSelectedImage) return;
  const TEditorPlace Before = BeginStep();
  TakeImageOut(FSelectedImage, nullptr);
  FSelectedImage = nullptr;
  FRootObject = nullptr;
  RefreshAll();
  Record("Delete Image", Before);
}

void TSkinDocument::AfterBatchChange(const std::vector<std::unique_ptr<TvxBitmap>>& Removed) {
  if (!FSource) return;
  FDragging = false;
  FDragBefore.reset();
  FNudgeBefore.reset();
  FPropertyBefore.reset();
  for (const std::unique_ptr<TvxBitmap>& Image : Removed)
    if (Image.get() == FSelectedImage) FSelectedImage = nullptr;
  FHistory.Reset(*FSource);
  FHistory.MarkUnsaved();
  FDrifted = false;
  if (OnHistoryChange) OnHistoryChange();
}

// [Work area] ----------------------------------------------------------------------------------

TWorkAreaCursor TSkinDocument::WorkAreaMouseDown(TPoint Pixel, bool LeftButton) {
  const TPoint P = SkinPointFromWorkArea(Pixel, FZoom);
  if (!LeftButton || !FSelected) return TWorkAreaCursor::wcDefault;
  if (const std::optional<Integer> Handle = HandleAtPoint(FSelected->BoundsRect(), P)) {
    FLastPoint = P;
    FDragging = true;
    FDragHandle = *Handle;
    FDragBefore = BeginStep();
    return HandleCursor(*Handle);
  }
  if (FRootObject)
    if (TDvSkinObject* Hit = FRootObject->ObjectAtPoint(P)) SelectObject(Hit);
  return TWorkAreaCursor::wcDefault;
}

TWorkAreaMove TSkinDocument::WorkAreaMouseMove(TPoint Pixel, TWorkAreaButtons Buttons) {
  const TPoint P = SkinPointFromWorkArea(Pixel, FZoom);
  TWorkAreaMove Result;
  if (Buttons == TWorkAreaButtons::wbNone) {
    const std::optional<Integer> Handle = FSelected ? HandleAtPoint(FSelected->BoundsRect(), P) : std::nullopt;
    Result.Cursor = Handle ? HandleCursor(*Handle) : TWorkAreaCursor::wcDefault;
    return Result;
  }
  if (Buttons != TWorkAreaButtons::wbLeftOnly || !FDragging || !FSelected || P == FLastPoint) return Result;
  const TRect R = DraggedBounds(FSelected->BoundsRect(), FDragHandle, P.X - FLastPoint.X, P.Y - FLastPoint.Y);
  FSelected->SetBounds(R);
  FLastPoint = P;
  if (TDvSkinObject* Owner = FSelected->Parent()) Owner->Realign();
  if (FRootObject) FRootObject->Realign();
  Result.Dragged = true;
  return Result;
}

void TSkinDocument::WorkAreaMouseUp() {
  FDragging = false;
  if (!FDragBefore) return;
  const TEditorPlace Before = *FDragBefore;
  FDragBefore.reset();
  // Handle 0 moves the object; the corners size it.
  Record(FDragHandle == 0 ? "Move" : "Size", Before);
}

bool TSkinDocument::NudgeSelection(Integer DX, Integer DY) {
  if (!FSelected) return false;
  if (!FNudgeBefore) FNudgeBefore = BeginStep();
  FSelected->SetBounds(Bounds(FSelected->Left() + DX, FSelected->Top() + DY, FSelected->Width(), FSelected->Height()));
  if (TDvSkinObject* Owner = FSelected->Parent()) Owner->Realign();
  if (FRootObject) FRootObject->Realign();
  RefreshAll();
  return true;
}

void TSkinDocument::EndNudge() {
  if (!FNudgeBefore) return;
  const TEditorPlace Before = *FNudgeBefore;
  FNudgeBefore.reset();
  Record("Move", Before);
}

TWorkAreaPaint TSkinDocument::PrepareWorkAreaPaint() {
  TWorkAreaPaint Paint;
  if (!FRootObject) return Paint;
  Paint.Fill = false;
  const Integer W = FRootObject->Width(), H = FRootObject->Height();
  if (W * int64_t(H) == 0) {
    Paint.Empty = true;
    return Paint;
  }
  Paint.BitmapSize = {W, H};
  FRootObject->SetState(TDvObjectState::osNormal);
  FDrifted = FDrifted || FRootObject->Left() != 0 || FRootObject->Top() != 0;
  FRootObject->SetBounds(Rect(0, 0, W, H));
  if (FSelected) {
    Paint.Selection = true;
    Paint.SelectionRect = FSelected->BoundsRect();
    for (Integer I = 0; I < HandleCount; ++I) Paint.Handles[I] = HandleRect(I);
  }
  Paint.TargetSize = {ZoomedLength(W, FZoom), ZoomedLength(H, FZoom)};
  return Paint;
}

// [Inspector] ----------------------------------------------------------------------------------

void TSkinDocument::BeforePropertyChange() { FPropertyBefore = BeginStep(); }

void TSkinDocument::AfterPropertyChange(const std::string& Property) {
  const TEditorPlace Before = FPropertyBefore.value_or(Place());
  FPropertyBefore.reset();
  if (FSelected && FSource) RebindLinks(*FSelected, FSource->Images());
  RefreshAll();
  Record("Change " + Property, Before);
}

// [History] ------------------------------------------------------------------------------------

TEditorPlace TSkinDocument::Place() const {
  TEditorPlace Result;
  Result.Page = FPage;
  if (FRootObject) Result.Root = FRootObject->Name();
  Result.Selected = ObjectPath(FSelected);
  if (FSelectedImage) Result.Image = FSelectedImage->Name();
  return Result;
}

void TSkinDocument::GoTo(const TEditorPlace& Target) {
  FPage = Target.Page;
  FSelected = FindPath(*FSource, Target.Selected);
  FRootObject = FSelected             ? TopLevelObject(FSelected)
                : Target.Root.empty() ? nullptr
                                      : FSource->FindObject(Target.Root);
  FSelectedImage = Target.Image ? FSource->Images().Find(*Target.Image) : nullptr;
}

void TSkinDocument::Record(const std::string& Name, const TEditorPlace& Before) {
  if (FSource && FHistory.Record(*FSource, Name, Before, Place()) && OnHistoryChange) OnHistoryChange();
}

void TSkinDocument::FinishPendingSteps() {
  if (FDragging) WorkAreaMouseUp();
  EndNudge();
}

TEditorPlace TSkinDocument::BeginStep() {
  // Taking in is a whole look at the skin: only when something is known to have drifted.
  if (FSource && FDrifted) FHistory.Absorb(*FSource);
  FDrifted = false;
  return Place();
}

void TSkinDocument::RecordStep(const std::string& Name) { Record(Name, Place()); }

bool TSkinDocument::Undo() {
  FinishPendingSteps();
  if (!FSource || !FHistory.CanUndo()) return false;
  // The restore may free what the pointers name; they are found again by name.
  const std::optional<TEditorPlace> Target = FHistory.Undo(*FSource);
  GoTo(Target.value_or(TEditorPlace{}));
  RefreshAll();
  if (OnHistoryChange) OnHistoryChange();
  return true;
}

bool TSkinDocument::Redo() {
  FinishPendingSteps();
  if (!FSource || !FHistory.CanRedo()) return false;
  const std::optional<TEditorPlace> Target = FHistory.Redo(*FSource);
  GoTo(Target.value_or(TEditorPlace{}));
  RefreshAll();
  if (OnHistoryChange) OnHistoryChange();
  return true;
}

std::string TSkinDocument::UndoCaption() const {
  return FHistory.CanUndo() ? "&Undo " + FHistory.UndoName() : std::string("&Undo");
}

std::string TSkinDocument::RedoCaption() const {
  return FHistory.CanRedo() ? "&Redo " + FHistory.RedoName() : std::string("&Redo");
}

// [Clipboard] ----------------------------------------------------------------------------------

std::optional<std::string> TSkinDocument::Copy() {
  if (!FSource || !FSelected) return std::nullopt;
  FClipboardText = EncodeClipboardObject(*FSelected);
  return FClipboardText;
}

bool TSkinDocument::Paste(std::string_view Block) {
  if (!FSource) return false;
  const TEditorPlace Before = BeginStep();
  TDvSkinObject* Owner = FSelected ? FSelected : FRootObject;
  TDvSkinObject* Pasted = nullptr;
  try {
    Pasted = ReadClipboardObject(Block, Owner);
  } catch (const EInvalidClipboardFormat& E) {
    FPrompts.ShowMessage(E.Message());
    return false;
  }
  FClipboardText = std::string(ClipboardRecord(Block));
  Pasted->SetImageList(&FSource->Images());
  Pasted->UpdateLinks();
  if (Owner) {
    Owner->Realign();
  } else {
    Pasted->SetName(FreeObjectName(Pasted->Name(),
                                   [this](const std::string& Name) { return FSource->FindObject(Name) != nullptr; }));
    FSource->AddObject(std::unique_ptr<TDvSkinObject>(Pasted));
  }
  SelectObject(Pasted);
  Record("Paste", Before);
  return true;
}
