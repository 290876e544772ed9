// TImagesPage: the editor's images page (PanelImages). A header "Images", the selected image
// shown unscaled at the top left on the key colour, and the buttons "Add Image...", "Delete" and
// "Replace Image...". A view over TSkinDocument: the commands are the document's, and the
// picture for Add and Replace comes from RunImport (the import window, OpenBitmap). The main
// window owns the page and calls ShowImage when its selection changes.
#pragma once

#include <functional>
#include <memory>

#include "framework/ui/panel.h"

class TSkinDocument;
class TvxBitmap;
class TButton;
class TImage;
class TScrollBox;

class TImagesPage : public TPanel {
 public:
  // Answers the picture to add, or nil when the user cancelled.
  using TImportFunction = std::function<std::unique_ptr<TvxBitmap>()>;

  TImagesPage(TComponent* Owner, TSkinDocument& Document, TImportFunction RunImport);

  // SelectImage's view part: Image on the key colour, or nothing.
  void ShowImage(TvxBitmap* Image);

  TPanel* Header() const { return FHeader; }
  TImage* ImageView() const { return FImageView; }
  TButton* AddButton() const { return FAddButton; }
  TButton* DeleteButton() const { return FDeleteButton; }
  TButton* ReplaceButton() const { return FReplaceButton; }

  // Runs after a button changed the document (the main window refreshes its tree).
  TNotifyEvent OnImagesChanged;

 private:
  void AddClick();
  void DeleteClick();
  void ReplaceClick();
  void Changed();

  TSkinDocument& FDocument;
  TImportFunction FRunImport;
  TPanel* FHeader = nullptr;
  TScrollBox* FScroller = nullptr;
  TImage* FImageView = nullptr;
  TButton* FAddButton = nullptr;
  TButton* FDeleteButton = nullptr;
  TButton* FReplaceButton = nullptr;
};
