// TfrmGal: the gallery window "Gallery". Pictures kept beside the program for every skin: one
// row of 150 x 130 cells, "Add Image" for more files, "Insert" (or a double click) to take the
// image of the current column. The file is read when the window opens and rewritten when it is
// freed, through TGallery. Lives for one use.
#pragma once

#include <string>

#include "editor/core/gallery_file.h"
#include "framework/ui/forms.h"

class TButton;
class TStringGrid;

class TfrmGal : public TForm {
 public:
  // FileName is the gallery file ("gallery.res" beside the program by default). A damaged file
  // is reported and gives an empty gallery.
  explicit TfrmGal(TComponent* Owner = nullptr, std::string FileName = GalleryFilePath());
  ~TfrmGal() override;

  TGallery& Gallery() { return FGallery; }
  // The image of the grid's current column, or nil when that column has none.
  TvxBitmap* Chosen() const;

  // "Add Image": a picture open dialog for several files.
  void AddImageClick();

  TStringGrid* Grid() const { return FGrid; }
  TButton* AddButton() const { return FAddButton; }
  TButton* InsertButton() const { return FInsertButton; }
  TButton* CloseButton() const { return FCloseButton; }

 private:
  void UpdateColumns();
  void DrawCell(Integer ACol, const TRect& Rect);

  std::string FFileName;
  TGallery FGallery;
  TStringGrid* FGrid = nullptr;
  TButton* FAddButton = nullptr;
  TButton* FInsertButton = nullptr;
  TButton* FCloseButton = nullptr;
};
