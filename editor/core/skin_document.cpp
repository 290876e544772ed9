#include "editor/core/skin_document.h"

#include "editor/core/object_clipboard.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

constexpr const char* SaveChangesQuestion = "Skin has modified. Save changes?";
constexpr const char* CloseQuestion = "Skin's was changed. Save?";

void SetTextOf(TDvSkinObject* Object, const wchar_t* Text) {
  if (Object) Object->SetText(Text);
}

// Re-binding only reaches links whose image is found; the rest would keep pointing at Image.
void UnbindLinksTo(TDvSkinObject& Object, const TvxBitmap* Image) {
  for (const TPropInfo* Info : Object.ClassInfo().AllProperties())
    if (Info->Kind == TPropKind::pkClass)
      if (auto* Link = dynamic_cast<TvxBitmapLink*>(Info->GetObject(&Object)); Link && Link->Bitmap() == Image)
        Link->SetBitmap(nullptr);
  for (Integer I = 0; I < Object.ChildCount(); ++I) UnbindLinksTo(*Object.Child(I), Image);
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
  FSource = std::move(Source);
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
  if (!FModified) return false;
  if (FFileName == NewSkinFileName) return SaveSkinAs();
  FSource->SaveToFile(FFileName);
  FModified = false;
  RefreshAll();
  return true;
}

bool TSkinDocument::SaveSkinAs() {
  if (!FSource) return false;
  const std::optional<std::string> Name = FPrompts.ChooseSaveFile("Save Skin As", "myskin");
  if (!Name) return false;
  FSource->SaveToFile(*Name);
  FFileName = *Name;
  FModified = false;
  RefreshAll();
  return true;
}

// Yes saves, and goes on only when the skin was written: a cancelled save dialog keeps it.
bool TSkinDocument::AskToSave(const char* Question) {
  switch (FPrompts.Confirm(Question)) {
    case TPromptAnswer::paYes: SaveSkin(); return !FModified;
    case TPromptAnswer::paNo: return true;
    case TPromptAnswer::paCancel: return false;
  }
  return false;
}

bool TSkinDocument::CanCloseSkin() {
  if (!FSource || !FModified) return true;
  return AskToSave(SaveChangesQuestion);
}

bool TSkinDocument::CloseQuery() {
  if (!FModified) return true;
  return AskToSave(CloseQuestion);
}

void TSkinDocument::ResetEditor() {
  FRootObject = nullptr;
  FSelected = nullptr;
  FSelectedImage = nullptr;
  FModified = false;
  FZoom = 1.0f;
  FZoomIndex = 0;
  FDragging = false;
}

void TSkinDocument::SetPreviewTexts() {
  TDvSkinObject* Root = FRootObject;
  SetTextOf(Root->FindByKind(TDvKind::skTitle), L"Pellan Title");
  SetTextOf(Root->FindByName("Item"), L"Item Text");
  SetTextOf(Root->FindByName("Text"), L"Sample");
  SetTextOf(Root->FindByName("ToolbarItem"), L"Item Text");
  SetTextOf(Root->FindByName("Caption"), L"Caption");
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

void TSkinDocument::SelectImage(TvxBitmap* Image) {
  ShowPage(TEditorPage::epImages);
  FSelectedImage = Image;
}

TRect TSkinDocument::HandleRect(Integer Index) const {
  return FSelected ? ::HandleRect(FSelected->BoundsRect(), Index) : TRect{};
}

TDvSkinObject* TSkinDocument::AddObject(const TClassInfo& Class) {
  if (!FSource || !FindSkinObjectClass(Class.Name)) return nullptr;
  PushUndoState();
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
  FModified = true;
  SelectObject(Added);
  return Added;
}

void TSkinDocument::DeleteSelected() {
  FModified = true;
  if (!FSelected) return;
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
}

void TSkinDocument::BringToFront() {
  if (!FSelected || !FSelected->Parent()) return;
  TDvSkinObject* Owner = FSelected->Parent();
  // The owned list is the child order; it can only be rebuilt by taking every child out.
  const std::vector<TComponent*> Children = Owner->ComponentList();
  for (TComponent* Child : Children) Owner->RemoveComponent(Child);
  Owner->InsertComponent(FSelected);
  for (TComponent* Child : Children)
    if (Child != FSelected) Owner->InsertComponent(Child);
  Owner->Realign();
  FModified = true;
  RefreshAll();
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
  for (Integer I = 0; I < FSource->ObjectCount(); ++I) {
    FSource->Objects(I)->UpdateLinks();
    UnbindLinksTo(*FSource->Objects(I), Taken.get());
  }
  return Taken;
}

TvxBitmap* TSkinDocument::AddImage(std::unique_ptr<TvxBitmap> Image) {
  if (!FSource) return nullptr;
  FModified = true;
  if (!Image) return nullptr;
  TvxBitmap* Added = Image.get();
  FSource->Images().Add(std::move(Image));
  SelectImage(Added);
  RefreshAll();
  return Added;
}

// Done here rather than by the source's ReplaceImage, which does nothing in a skin without
// objects and would then drop the new picture.
TvxBitmap* TSkinDocument::ReplaceSelectedImage(std::unique_ptr<TvxBitmap> Image) {
  if (!FSource || !FSelectedImage) return nullptr;
  FModified = true;
  if (!Image) return nullptr;
  TvxBitmap* Added = Image.get();
  if (!TakeImageOut(FSelectedImage, std::move(Image))) return nullptr;
  SelectImage(Added);
  RefreshAll();
  return Added;
}

void TSkinDocument::DeleteSelectedImage() {
  if (!FSource || !FSelectedImage) return;
  FModified = true;
  TakeImageOut(FSelectedImage, nullptr);
  FSelectedImage = nullptr;
  FRootObject = nullptr;
  RefreshAll();
}

// [Work area] ----------------------------------------------------------------------------------

TWorkAreaCursor TSkinDocument::WorkAreaMouseDown(TPoint Pixel, bool LeftButton) {
  const TPoint P = SkinPointFromWorkArea(Pixel, FZoom);
  if (!LeftButton || !FSelected) return TWorkAreaCursor::wcDefault;
  if (const std::optional<Integer> Handle = HandleAtPoint(FSelected->BoundsRect(), P)) {
    FLastPoint = P;
    FDragging = true;
    FDragHandle = *Handle;
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
  FModified = true;
  Result.Dragged = true;
  return Result;
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

void TSkinDocument::BeforePropertyChange() { PushUndoState(); }

void TSkinDocument::AfterPropertyChange() {
  FModified = true;
  RefreshAll();
}

// [Undo] ---------------------------------------------------------------------------------------

void TSkinDocument::PushUndoState() {
  if (!FSource) return;
  FUndoList.Push(std::make_unique<TStateClass>(*FSource, FRootObject ? FRootObject->Name() : std::string(),
                                               FSelected ? FSelected->Name() : std::string()));
}

void TSkinDocument::UndoLast() {
  const TStateClass* State = FUndoList.Newest();
  if (!State) return;
  const std::string ImageName = FSelectedImage ? FSelectedImage->Name() : std::string();
  const bool HadImage = FSelectedImage != nullptr;
  // Read first: should the snapshot not load, the skin and the snapshot stay as they were.
  std::unique_ptr<TDvSkinSource> Restored = State->Restore();
  const std::unique_ptr<TStateClass> Taken = FUndoList.Pop();
  ReplaceSource(std::move(Restored));
  const auto TopLevel = [this](const std::string& Name) { return Name.empty() ? nullptr : FSource->FindObject(Name); };
  FRootObject = TopLevel(State->RootName());
  // Only top-level objects are looked up: a selection that was deeper is not restored, and a
  // top-level namesake of it must not become a selection outside the root.
  TDvSkinObject* Selected = TopLevel(State->SelectedName());
  FSelected = Selected == FRootObject ? Selected : nullptr;
  // The old images went with the old source; the selected one is found again by its name.
  if (HadImage) FSelectedImage = FSource->Images().Find(ImageName);
  RefreshAll();
}

// [Clipboard] ----------------------------------------------------------------------------------

std::optional<std::string> TSkinDocument::Copy() {
  if (!FSource || !FSelected) return std::nullopt;
  FClipboardText = EncodeClipboardObject(*FSelected);
  return FClipboardText;
}

bool TSkinDocument::Paste(std::string_view Block) {
  if (!FSource) return false;
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
  if (Owner)
    Owner->Realign();
  else
    FSource->AddObject(std::unique_ptr<TDvSkinObject>(Pasted));
  FModified = true;
  SelectObject(Pasted);
  return true;
}
