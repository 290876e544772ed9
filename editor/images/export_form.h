// TfrmExport: the export window "Bitmaps Export". Writes every image of the skin into a folder
// (TImageExport does the work) and logs one line per image. The folder is typed, or chosen in
// the drive box and the folder tree bound to it (folder_tree.h). Lives for one use.
#pragma once

#include <string>

#include "framework/ui/forms.h"

class TButton;
class TComboBox;
class TEdit;
class TFolderTree;
class TMemo;
class TvxBitmapList;

class TfrmExport : public TForm {
 public:
  TfrmExport(TComponent* Owner, const TvxBitmapList& Images);

  // Writes the images into the folder of the edit, if there are any.
  void ExportClick();

  TEdit* EdFolder() const { return FFolder; }
  TComboBox* DriveBox() const { return FDrives; }
  TFolderTree* FolderTree() const { return FTree; }
  TMemo* Log() const { return FLog; }
  TButton* ExportButton() const { return FExportButton; }
  TButton* CloseButton() const { return FCloseButton; }

  // Shows Folder in the edit, its drive in the box and its node in the tree.
  void ShowFolder(const std::string& Folder);

 private:
  void DriveChanged();

  const TvxBitmapList& FImages;
  TEdit* FFolder = nullptr;
  TComboBox* FDrives = nullptr;
  TFolderTree* FTree = nullptr;
  TMemo* FLog = nullptr;
  TButton* FExportButton = nullptr;
  TButton* FCloseButton = nullptr;
  bool FSyncing = false;  // the tree moves because the edit or the box did
};

// actnExport: runs the export window modally over Images.
void ExportBitmaps(const TvxBitmapList& Images);
