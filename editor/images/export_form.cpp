#include "editor/images/export_form.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <vector>

#include "editor/core/image_export.h"
#include "editor/images/folder_tree.h"
#include "framework/ui/application.h"
#include "framework/ui/memo.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_bitmaplist.h"

namespace {

std::vector<std::string> LogicalDrives() {
  std::vector<std::string> Drives;
  char Buffer[512];
  const DWORD Length = GetLogicalDriveStringsA(sizeof(Buffer), Buffer);
  if (Length == 0 || Length > sizeof(Buffer)) return Drives;
  for (const char* P = Buffer; *P; P += std::strlen(P) + 1) Drives.emplace_back(P);
  return Drives;
}

// "C:\" for "c:\work\x"; empty when the path names no drive.
std::string DriveOf(const std::string& Folder) {
  if (Folder.size() < 2 || Folder[1] != ':') return {};
  return std::string(1, char(std::toupper(static_cast<unsigned char>(Folder[0])))) + ":\\";
}

std::string CurrentFolder() {
  char Buffer[MAX_PATH];
  const DWORD Length = GetCurrentDirectoryA(MAX_PATH, Buffer);
  return Length > 0 && Length < MAX_PATH ? std::string(Buffer, Length) : std::string();
}

}  // namespace

TfrmExport::TfrmExport(TComponent* Owner, const TvxBitmapList& Images) : TForm(Owner), FImages(Images) {
  SetCaption("Bitmaps Export");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(480);
  SetClientHeight(338);

  auto* FolderLabel = new TLabel(this);
  FolderLabel->SetCaption("Destination folder:");
  FolderLabel->SetBounds(8, 8, 200, 13);
  FolderLabel->SetParent(this);
  FFolder = new TEdit(this);
  FFolder->SetBounds(8, 24, 464, 21);
  FFolder->SetParent(this);

  FDrives = new TComboBox(this);
  FDrives->SetStyle(TComboBoxStyle::csDropDownList);
  FDrives->SetBounds(8, 53, 200, 21);
  FDrives->SetItems(LogicalDrives());
  FDrives->SetParent(this);
  FDrives->OnChange = [this](TObject*) { DriveChanged(); };

  FTree = new TFolderTree(this);
  FTree->SetBounds(8, 80, 200, 219);
  FTree->SetParent(this);
  FTree->OnChange = [this](TObject*, TTreeNode* Node) {
    if (FSyncing || !Node) return;
    // "C:\" keeps its separator; deeper folders read as the user would type them.
    std::string Path = FTree->PathOf(Node);
    if (Node->Parent()) Path.pop_back();
    FFolder->SetText(Path);
  };

  auto* LogLabel = new TLabel(this);
  LogLabel->SetCaption("Log:");
  LogLabel->SetBounds(216, 57, 100, 13);
  LogLabel->SetParent(this);
  FLog = new TMemo(this);
  FLog->SetBounds(216, 80, 256, 219);
  FLog->SetReadOnly(true);
  FLog->SetWordWrap(false);  // one line per image, paths unbroken
  FLog->SetScrollBars(TScrollStyle::ssBoth);
  FLog->SetParent(this);

  FExportButton = new TButton(this);
  FExportButton->SetCaption("Export");
  FExportButton->SetBounds(316, 306, 75, 25);
  FExportButton->SetDefault(true);
  FExportButton->SetParent(this);
  FExportButton->OnClick = [this](TObject*) { ExportClick(); };
  FCloseButton = new TButton(this);
  FCloseButton->SetCaption("Close");
  FCloseButton->SetBounds(397, 306, 75, 25);
  FCloseButton->SetModalResult(mrCancel);
  FCloseButton->SetCancel(true);
  FCloseButton->SetParent(this);

  ShowFolder(CurrentFolder());
}

void TfrmExport::ShowFolder(const std::string& Folder) {
  FSyncing = true;
  FFolder->SetText(Folder);
  const std::string Drive = DriveOf(Folder);
  const Integer Index = FDrives->Items().IndexOf(Drive);
  FDrives->SetItemIndex(Index);
  FTree->SetRoot(Index >= 0 ? Drive : std::string());
  FTree->OpenPath(Folder);
  FSyncing = false;
}

void TfrmExport::DriveChanged() {
  if (FSyncing || FDrives->ItemIndex() < 0) return;
  const std::string Drive = FDrives->Items()[FDrives->ItemIndex()];
  FTree->SetRoot(Drive);
  FFolder->SetText(Drive);
}

void TfrmExport::ExportClick() {
  if (FImages.Count() == 0) return;
  const TImageExport Result = ExportImages(FImages, FFolder->Text());
  FFolder->SetText(Result.Folder);
  FLog->Lines().Clear();
  for (const std::string& Line : Result.Log) FLog->Lines().Add(Line);
}

void ExportBitmaps(const TvxBitmapList& Images) {
  TfrmExport Form(Application, Images);
  Form.ShowModal();
}
