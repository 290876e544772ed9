// The document side of the main window: start and end, the commands, and bringing the views in
// line with the document after each change. The controls are built in main_form_layout.cpp.
#include "editor/main/main_form.h"

#include <windows.h>

#include <cstdlib>
#include <string_view>

#include "editor/core/editor_startup.h"
#include "editor/core/maintenance_tools.h"
#include "editor/core/skin_document.h"
#include "editor/images/bitmap_editor_form.h"
#include "editor/images/export_form.h"
#include "editor/images/images_page.h"
#include "editor/inspector/property_inspector.h"
#include "editor/main/about_form.h"
#include "editor/main/window_prompts.h"
#include "editor/main/work_area.h"
#include "editor/preview/skin_controls_window.h"
#include "editor/preview/skin_test_window.h"
#include "editor/tables/charset_box.h"
#include "framework/core/sysutils.h"
#include "framework/ui/actions.h"
#include "framework/ui/application.h"
#include "framework/ui/clipboard.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

bool IsArrowKey(uint16_t Key) { return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN; }

std::vector<std::string> ProcessArguments() {
  std::vector<std::string> Arguments;
  for (int I = 1; I < __argc; ++I) Arguments.emplace_back(__argv[I]);
  return Arguments;
}

}  // namespace

TfrmMain::TfrmMain(TComponent* Owner) : TfrmMain(Owner, ProcessArguments()) {}

TfrmMain::TfrmMain(TComponent* Owner, const std::vector<std::string>& Arguments)
    : TForm(Owner), FTreeModel(std::make_unique<TTreeModel>()) {
  CreateControls();
  OnCreate = [this, Arguments](TObject*) { FormCreate(Arguments); };
  OnCloseQuery = [this](TObject*, bool& CanClose) { CanClose = !FDocument || FDocument->CloseQuery(); };
  DoCreate();
}

TfrmMain::~TfrmMain() { FormDestroy(); }

void TfrmMain::FormCreate(const std::vector<std::string>& Arguments) {
  const TEditorCommandLine CommandLine = ParseEditorCommandLine(Arguments);
  FTempSkinFileName = TempSkinFileName(ExecutableFolder());
  FPrompts = std::make_unique<TWindowPrompts>(*FOpenDialog, *FSaveDialog);
  FClipboardFormat = TClipboard::RegisterFormat(ClipboardFormatName);
  FInspector->SetHiddenProperties({"MaskedAngles", "MaskedBorder"});
  FInspector->OnBeforeChange = [this](TObject*, bool&) { FDocument->BeforePropertyChange(); };
  FInspector->OnAfterChange = [this](TObject*) { FDocument->AfterPropertyChange(FInspector->ChangingPath()); };
  FWorkArea->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) { ObjectKeyDown(Key, Shift, true); };
  FWorkArea->OnKeyUp = [this](TObject*, uint16_t& Key, TShiftState) { WorkAreaKeyUp(Key); };
  SetDesignMode(true);
  FDocument = std::make_unique<TSkinDocument>(*FPrompts);
  FDocument->OnRefresh = [this] { ViewsRefresh(); };
  FDocument->OnHistoryChange = [this] { UpdateHistoryActions(); };
  FWorkArea->SetDocument(FDocument.get());
  HostDocumentViews();
  RegisterBitmapLinkEditor(*FInspector, *FDocument);
  NewSkin();
  ShowPage(0);
  if (CommandLine.ShowMaintenancePanel) SecretPanel->Show();
  if (!CommandLine.SkinFile) return;
  // A skin that cannot be read is reported; the new skin stays.
  try {
    Replacing([&] { FDocument->OpenSkinFile(*CommandLine.SkinFile); });
  } catch (const std::exception& E) {
    Application->ShowException(E);
  }
}

void TfrmMain::FormDestroy() {
  FDestroying = true;
  if (FWorkArea) FWorkArea->SetDocument(nullptr);
  if (FInspector) FInspector->SetInspected(nullptr);
  if (!FTempSkinFileName.empty()) RemoveTempSkinFile(FTempSkinFileName);
  if (FDocument) FDocument->ResetEditor();
}

// [Document] -----------------------------------------------------------------------------------

void TfrmMain::Replacing(const std::function<void()>& Command) {
  FInspector->SetInspected(nullptr);
  try {
    Command();
  } catch (...) {
    SyncInspector();
    throw;
  }
  SyncInspector();
}

void TfrmMain::NewSkin() {
  Replacing([this] { FDocument->NewSkin(); });
}

void TfrmMain::OpenSkin() {
  Replacing([this] { FDocument->OpenSkin(); });
}

void TfrmMain::SaveSkin() { FDocument->SaveSkin(); }

void TfrmMain::SaveSkinAs() { FDocument->SaveSkinAs(); }

void TfrmMain::RefreshAll() { FDocument->RefreshAll(); }

void TfrmMain::SyncInspector() {
  if (FDestroying || !FDocument) return;
  TDvSkinObject* Selected = FDocument->Selected();
  if (!Selected && FDocument->Page() == TEditorPage::epImages && FDocument->SelectedImage()) {
    FInspector->SetInspected(nullptr);
    SetInspectedText("");
    return;
  }
  FInspector->SetInspected(Selected ? static_cast<TPersistent*>(Selected) : FDocument->Source());
  SetInspectedText(Selected ? Selected->Name() + ": " + Selected->ClassInfo().Name + ";" : std::string());
}

void TfrmMain::ViewsRefresh() {
  if (FDestroying) return;
  SetCaption(FDocument->Caption());
  BuildTree();
  SyncInspector();
  if (TDvSkinObject* Selected = FDocument->Selected()) SetTreeHeader(" Objects Tree - " + Selected->Name());
  FScaleBox->SetItemIndex(FDocument->ZoomIndex());
  UpdateHistoryActions();
  BringPageToFront(Integer(FDocument->Page()));
  RefreshPages();
  if (FDocument->Page() == TEditorPage::epImages) ShowSelectedImage();
  if (const std::optional<TSize> Size = FDocument->WorkAreaSize()) FWorkArea->SetBounds(0, 0, Size->cx, Size->cy);
  FWorkArea->Repaint();
}

// [Tree and pages] -----------------------------------------------------------------------------

void TfrmMain::BuildTree() {
  if (FTreeUpdating) return;
  *FTreeModel = FDocument->BuildTree();
  std::vector<TTreeRow> Rows;
  Rows.reserve(FTreeModel->Nodes.size());
  for (const TObjectTreeNode& Node : FTreeModel->Nodes) Rows.push_back({Node.Level, Node.Caption});
  FillTree(Rows, FTreeModel->SelectedIndex);
  // A charset chosen but not applied with "Change" is dropped here.
  if (FCharsetPanel) FCharsetPanel->Refill();
}

void TfrmMain::TreeRowChosen(Integer Row) {
  if (FTreeUpdating || Row < 0 || Row >= Integer(FTreeModel->Nodes.size())) return;
  // The model is rebuilt by what follows.
  const TObjectTreeNode Node = FTreeModel->Nodes[size_t(Row)];
  switch (Node.Kind) {
    case TTreeNodeKind::nkSource:
      SetTreeHeader(" Theme tree - Objects");
      FDocument->SelectObject(nullptr);
      SetTreeHeader(" Objects Tree - Skin Source");
      break;
    case TTreeNodeKind::nkImagesPage:
      SetTreeHeader(" Theme tree - Images");
      ShowPage(1);
      break;
    case TTreeNodeKind::nkFontsPage:
      SetTreeHeader(" Theme tree - Fonts");
      ShowPage(2);
      break;
    case TTreeNodeKind::nkColorsPage:
      SetTreeHeader(" Theme tree - Colors");
      ShowPage(3);
      break;
    case TTreeNodeKind::nkSysColorsPage:
      SetTreeHeader(" Theme tree - SysColors");
      ShowPage(4);
      break;
    case TTreeNodeKind::nkObject: FDocument->SelectObject(Node.Object); break;
    case TTreeNodeKind::nkImage:
      FDocument->SelectImage(Node.Image);
      BringPageToFront(Integer(FDocument->Page()));
      ShowSelectedImage();
      SyncInspector();
      break;
  }
}

void TfrmMain::ShowPage(Integer Page) {
  FDocument->ShowPage(TEditorPage(Page));
  BringPageToFront(Page);
  // The work area dropped the selected image; the page must not keep showing it.
  if (Page == 1) FImagesPage->ShowImage(FDocument->SelectedImage());
  SyncInspector();
  FWorkArea->Repaint();
}

void TfrmMain::SelectionDragged() {
  if (const std::optional<TSize> Size = FDocument->WorkAreaSize();
      Size && (Size->cx != FWorkArea->Width() || Size->cy != FWorkArea->Height()))
    FWorkArea->SetBounds(0, 0, Size->cx, Size->cy);
  FInspector->RefreshValues();
}

void TfrmMain::ShowSelectedImage() {
  TvxBitmap* Image = FDocument->SelectedImage();
  FImagesPage->ShowImage(Image);
  if (Image) SetTreeHeader(" Objects Tree - " + Image->Name());
}

void TfrmMain::ExportImages() {
  if (const TDvSkinSource* Source = FDocument->Source()) ExportBitmaps(Source->Images());
}

void TfrmMain::ZoomChosen() { FDocument->SetZoomIndex(FScaleBox->ItemIndex()); }

void TfrmMain::TestEmptyForm() {
  RunTestWindow([this] { return std::make_unique<TfrmTestEmpty>(this); });
}

void TfrmMain::TestControlsForm() {
  RunTestWindow([this] { return std::make_unique<TfrmTest>(this); });
}

void TfrmMain::RunTestWindow(const std::function<std::unique_ptr<TfrmSkinTest>()>& MakeWindow) {
  if (!FDocument->Source()) return;
  // What of the work area was painted while the test ran lacks the design look, whatever happened.
  struct TRepaintAfter {
    TWorkArea* Area;
    ~TRepaintAfter() { Area->Invalidate(); }
  } Repaint{FWorkArea};
  SelectIdentified(RunSkinTest(*FDocument->Source(), FTempSkinFileName, MakeWindow));
}

void TfrmMain::SelectIdentified(const std::vector<std::string>& Path) {
  if (TDvSkinObject* Object = FDocument->FindObjectPath(Path)) FDocument->SelectObject(Object);
}

void TfrmMain::ShowAbout() {
  if (frmAbout) {
    frmAbout->ShowModal();
    return;
  }
  TfrmAbout About;
  About.ShowModal();
}

// [Maintenance strip] ---------------------------------------------------------------------------

void TfrmMain::RunMaintenance(const std::function<void()>& Tool) {
  try {
    Replacing(Tool);
  } catch (const std::exception& E) {
    Application->ShowException(E);
  }
}

void TfrmMain::ChangeFontClicked() {
  if (!FDocument->Source() || !FontDialog1->Execute()) return;
  RunMaintenance([this] { RunChangeFont(*FDocument, *FontDialog1->Font()); });
}

void TfrmMain::ChangeColorClicked() {
  RunMaintenance([this] { RunChangeColor(*FDocument, *FPrompts, Edit2->Text(), Edit3->Text()); });
}

void TfrmMain::RemoveDoubleClicked() {
  RunMaintenance([this] { RunRemoveDuplicateImages(*FDocument, *FPrompts); });
}

void TfrmMain::OptimizeClicked() {
  RunMaintenance([this] { RunOptimizeImages(*FDocument, *FPrompts, Edit4->Text(), Edit5->Text()); });
}

// [Objects, undo and the clipboard] -------------------------------------------------------------

void TfrmMain::AddObject(const TClassInfo& Class) { FDocument->AddObject(Class); }

void TfrmMain::DeleteSelected() {
  Replacing([this] { FDocument->DeleteSelected(); });
}

void TfrmMain::BringObjectToFront() { FDocument->BringToFront(); }

void TfrmMain::SendObjectToBack() { FDocument->SendToBack(); }

void TfrmMain::Undo() {
  Replacing([this] { FDocument->Undo(); });
}

void TfrmMain::Redo() {
  Replacing([this] { FDocument->Redo(); });
}

void TfrmMain::UpdateHistoryActions() {
  if (!FDocument) return;
  actnUndo->SetCaption(FDocument->UndoCaption());
  actnUndo->SetEnabled(FDocument->History().CanUndo());
  actnRedo->SetCaption(FDocument->RedoCaption());
  actnRedo->SetEnabled(FDocument->History().CanRedo());
}

void TfrmMain::ObjectKeyDown(uint16_t& Key, TShiftState Shift, bool WorkArea) {
  if (Shift.Contains(TShiftStateFlag::ssAlt)) return;
  const bool Ctrl = Shift.Contains(TShiftStateFlag::ssCtrl);
  if (Ctrl && Key == 'C') {
    CopyObject();
  } else if (Ctrl && Key == 'V') {
    PasteObject();
  } else if (!Ctrl && Key == VK_DELETE) {
    DeleteSelected();
  } else if (WorkArea && !Ctrl && IsArrowKey(Key)) {
    const Integer Step = Shift.Contains(TShiftStateFlag::ssShift) ? 10 : 1;
    const Integer DX = Key == VK_LEFT ? -Step : Key == VK_RIGHT ? Step : 0;
    const Integer DY = Key == VK_UP ? -Step : Key == VK_DOWN ? Step : 0;
    if (!FDocument->NudgeSelection(DX, DY)) return;
    FInspector->RefreshValues();
  } else {
    return;
  }
  Key = 0;
}

void TfrmMain::WorkAreaKeyUp(uint16_t& Key) {
  if (IsArrowKey(Key)) FDocument->EndNudge();
}

void TfrmMain::CopyObject() {
  const std::optional<std::string> Text = FDocument->Copy();
  if (!Text) return;
  // The block carries the terminating zero too.
  Clipboard().SetBuffer(FClipboardFormat, Text->c_str(), Text->size() + 1);
}

void TfrmMain::PasteObject() {
  if (!FDocument->Source() || !Clipboard().HasFormat(FClipboardFormat)) return;
  const std::vector<uint8_t> Block = Clipboard().GetBuffer(FClipboardFormat);
  FDocument->Paste(std::string_view(reinterpret_cast<const char*>(Block.data()), Block.size()));
}
