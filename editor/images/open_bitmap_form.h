// TfrmOpenBitmap: the import window "Open Bitmap". Loads a picture file or takes one from the
// gallery into a working image, lets the user pick a mask colour on the stretched source view
// (or type it), and shows the result on a checkerboard. The work is TImageImport's; the window
// mirrors it. OpenBitmap runs one for a single use.
#pragma once

#include <memory>

#include "editor/core/image_import.h"
#include "framework/ui/forms.h"

class TBitmap;
class TButton;
class TEdit;
class TImage;
class TLabel;
class TPaintBox;
class TPanel;
class TScrollBox;

class TfrmOpenBitmap : public TForm {
 public:
  explicit TfrmOpenBitmap(TComponent* Owner = nullptr);
  ~TfrmOpenBitmap() override;

  TImageImport& Import() { return FImport; }

  // "Load bitmap...": the picture open dialog, then the file.
  void LoadBitmapClick();
  // "From Gallery...": the gallery, modally.
  void FromGalleryClick();
  void ApplyClick();
  void ZoomOutClick();
  void ZoomInClick();

  TButton* LoadButton() const { return FLoadButton; }
  TButton* GalleryButton() const { return FGalleryButton; }
  TImage* SrcImg() const { return FSrcImg; }
  TPanel* CurColor() const { return FCurColor; }
  TPanel* MaskPanel() const { return FMaskPanel; }
  TEdit* EdR() const { return FEdR; }
  TEdit* EdG() const { return FEdG; }
  TEdit* EdB() const { return FEdB; }
  TButton* ApplyButton() const { return FApplyButton; }
  TButton* ZoomOutButton() const { return FZoomOut; }
  TButton* ZoomInButton() const { return FZoomIn; }
  TLabel* ScaleLabel() const { return FScaleLabel; }
  TPaintBox* DstPaint() const { return FDstPaint; }
  TButton* OkButton() const { return FOkButton; }
  TButton* CancelButton() const { return FCancelButton; }

 private:
  void ShowSource();
  void ShowMask();
  void UpdateScale();
  void SrcMouseDown(Integer X, Integer Y);
  void SrcMouseMove(Integer X, Integer Y);
  void PaintResult();

  TImageImport FImport;
  std::unique_ptr<TBitmap> FResult;  // the checkerboard composite DstPaint stretches
  TButton* FLoadButton = nullptr;
  TButton* FGalleryButton = nullptr;
  TScrollBox* FSrcBox = nullptr;
  TImage* FSrcImg = nullptr;
  TScrollBox* FDstBox = nullptr;
  TPaintBox* FDstPaint = nullptr;
  TPanel* FCurColor = nullptr;
  TPanel* FMaskPanel = nullptr;
  TEdit* FEdR = nullptr;
  TEdit* FEdG = nullptr;
  TEdit* FEdB = nullptr;
  TButton* FApplyButton = nullptr;
  TButton* FZoomOut = nullptr;
  TButton* FZoomIn = nullptr;
  TLabel* FScaleLabel = nullptr;
  TButton* FOkButton = nullptr;
  TButton* FCancelButton = nullptr;
};

// Runs the import window modally: the image on OK (alpha-0 pixels transparent magenta; the
// caller owns it), else nil. The window is freed in every case.
std::unique_ptr<TvxBitmap> OpenBitmap();
