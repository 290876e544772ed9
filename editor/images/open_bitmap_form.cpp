#include "editor/images/open_bitmap_form.h"

#include <string>

#include "editor/images/gallery_form.h"
#include "editor/images/image_views.h"
#include "framework/ui/application.h"
#include "framework/ui/common_dialogs.h"
#include "framework/ui/image.h"
#include "framework/ui/panel.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/stdctrls.h"

namespace {

constexpr const char* PictureFilter =
    "Pictures (*.png;*.bmp)|*.png;*.bmp|PNG images (*.png)|*.png|Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*";

TColor ColorOfPixel(TvxColor Pixel) {
  return TColor(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
}

TPanel* MakeSwatch(TForm* Form, Integer Left, Integer Top) {
  auto* Swatch = new TPanel(Form);
  Swatch->SetBevelOuter(TPanelBevel::bvLowered);
  Swatch->SetCaption("");
  Swatch->SetBounds(Left, Top, 25, 25);
  Swatch->SetParent(Form);
  return Swatch;
}

TLabel* MakeLabel(TForm* Form, const char* Caption, Integer Left, Integer Top) {
  auto* Label = new TLabel(Form);
  Label->SetCaption(Caption);
  Label->SetLeft(Left);
  Label->SetTop(Top);
  Label->SetParent(Form);
  return Label;
}

}  // namespace

TfrmOpenBitmap::TfrmOpenBitmap(TComponent* Owner) : TForm(Owner), FResult(std::make_unique<TBitmap>()) {
  SetCaption("Open Bitmap");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(583);
  SetClientHeight(321);

  auto MakeButton = [this](const char* Caption, Integer Left, Integer Top, Integer Width) {
    auto* Button = new TButton(this);
    Button->SetCaption(Caption);
    Button->SetBounds(Left, Top, Width, 25);
    Button->SetParent(this);
    return Button;
  };
  FLoadButton = MakeButton("Load bitmap...", 8, 8, 105);
  FLoadButton->OnClick = [this](TObject*) { LoadBitmapClick(); };
  FGalleryButton = MakeButton("From Gallery...", 119, 8, 105);
  FGalleryButton->OnClick = [this](TObject*) { FromGalleryClick(); };

  MakeLabel(this, "Source:", 8, 40);
  FSrcBox = new TScrollBox(this);
  FSrcBox->SetBounds(8, 56, 280, 200);
  FSrcBox->SetParent(this);
  FSrcImg = new TImage(this);
  FSrcImg->SetStretch(true);
  FSrcImg->SetBounds(0, 0, 0, 0);
  FSrcImg->SetCursor(crCross);
  FSrcImg->SetParent(FSrcBox);
  FSrcImg->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
    if (Button == TMouseButton::mbLeft) SrcMouseDown(X, Y);
  };
  FSrcImg->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) { SrcMouseMove(X, Y); };

  MakeLabel(this, "With Mask:", 295, 40);
  FDstBox = new TScrollBox(this);
  FDstBox->SetBounds(295, 56, 280, 200);
  FDstBox->SetParent(this);
  FDstPaint = new TPaintBox(this);
  FDstPaint->SetBounds(0, 0, 0, 0);
  FDstPaint->SetParent(FDstBox);
  FDstPaint->OnPaint = [this](TObject*) { PaintResult(); };

  MakeLabel(this, "Color:", 8, 266);
  FCurColor = MakeSwatch(this, 44, 262);
  MakeLabel(this, "Mask:", 78, 266);
  FMaskPanel = MakeSwatch(this, 110, 262);
  auto MakeEdit = [this](const char* Caption, Integer Left) {
    MakeLabel(this, Caption, Left, 266);
    auto* Edit = new TEdit(this);
    Edit->SetBounds(Left + 12, 264, 34, 21);
    Edit->SetMaxLength(3);
    Edit->SetText("0");
    Edit->SetParent(this);
    return Edit;
  };
  FEdR = MakeEdit("R", 144);
  FEdG = MakeEdit("G", 194);
  FEdB = MakeEdit("B", 244);
  FApplyButton = MakeButton("Apply", 292, 262, 60);
  FApplyButton->OnClick = [this](TObject*) { ApplyClick(); };

  FZoomOut = MakeButton("-", 8, 290, 25);
  FZoomOut->OnClick = [this](TObject*) { ZoomOutClick(); };
  FZoomIn = MakeButton("+", 36, 290, 25);
  FZoomIn->OnClick = [this](TObject*) { ZoomInClick(); };
  FScaleLabel = MakeLabel(this, "100%", 68, 296);

  FOkButton = MakeButton("Ok", 419, 290, 75);
  FOkButton->SetModalResult(mrOk);
  FOkButton->SetDefault(true);
  FCancelButton = MakeButton("Cancel", 500, 290, 75);
  FCancelButton->SetCancel(true);
  FCancelButton->OnClick = [this](TObject*) {
    FImport.HandOver();  // the working image goes
    SetModalResult(mrCancel);
  };
  ShowMask();
  UpdateScale();
}

TfrmOpenBitmap::~TfrmOpenBitmap() = default;

void TfrmOpenBitmap::LoadBitmapClick() {
  TOpenDialog Dialog;
  Dialog.SetTitle("Open Bitmap");
  Dialog.SetFilter(PictureFilter);
  Dialog.SetOptions({TOpenOption::ofHideReadOnly, TOpenOption::ofFileMustExist, TOpenOption::ofEnableSizing});
  if (!Dialog.Execute()) return;
  try {
    FImport.LoadFile(Dialog.FileName());
  } catch (const std::exception& E) {
    Application->ShowException(E);
    return;
  }
  ShowSource();
  UpdateScale();
}

void TfrmOpenBitmap::FromGalleryClick() {
  TvxBitmap Chosen;
  {
    TfrmGal Gallery(this);
    if (Gallery.ShowModal() != mrOk || !Gallery.Chosen()) return;
    // The gallery frees its images when it closes.
    Chosen.Assign(Gallery.Chosen());
  }
  FImport.TakeFromGallery(Chosen);
  ShowSource();
  UpdateScale();
}

void TfrmOpenBitmap::ApplyClick() {
  try {
    FImport.ApplyMask(FEdR->Text(), FEdG->Text(), FEdB->Text());
  } catch (const std::exception& E) {
    Application->ShowException(E);
    return;
  }
  ShowMask();
  UpdateScale();
}

void TfrmOpenBitmap::ZoomOutClick() {
  FImport.ZoomOut();
  UpdateScale();
}

void TfrmOpenBitmap::ZoomInClick() {
  FImport.ZoomIn();
  UpdateScale();
}

void TfrmOpenBitmap::ShowSource() {
  TBitmap View;
  DrawOnKeyBackdrop(FImport.Image(), View);
  FSrcImg->Picture()->SetGraphic(FImport.Image().Empty() ? nullptr : &View);
}

void TfrmOpenBitmap::ShowMask() {
  const TvxColor Mask = FImport.MaskColor();
  FMaskPanel->SetColor(ColorOfPixel(Mask));
  FEdR->SetText(std::to_string((Mask >> 16) & 0xFF));
  FEdG->SetText(std::to_string((Mask >> 8) & 0xFF));
  FEdB->SetText(std::to_string(Mask & 0xFF));
}

void TfrmOpenBitmap::UpdateScale() {
  FScaleLabel->SetCaption(FImport.ScaleText());
  const TSize Size = FImport.ViewSize();
  FSrcBox->ScrollTo(0, 0);
  FDstBox->ScrollTo(0, 0);
  FSrcImg->SetBounds(0, 0, Size.cx, Size.cy);
  FDstPaint->SetBounds(0, 0, Size.cx, Size.cy);
  FSrcBox->UpdateScrollBars();
  FDstBox->UpdateScrollBars();
  TvxBitmap Composite;
  DrawOnCheckerboard(FImport.Image(), Composite);
  FResult->Assign(&Composite);
  FSrcImg->Invalidate();
  FDstPaint->Invalidate();
}

void TfrmOpenBitmap::SrcMouseDown(Integer X, Integer Y) {
  if (!FImport.PickMaskColor({X, Y})) return;
  ShowMask();
  UpdateScale();
}

void TfrmOpenBitmap::SrcMouseMove(Integer X, Integer Y) {
  if (const auto Pixel = FImport.PixelAt({X, Y})) {
    FCurColor->SetColor(ColorOfPixel(FImport.Image().GetPixel(Pixel->X, Pixel->Y)));
  }
}

void TfrmOpenBitmap::PaintResult() {
  if (FImport.Image().Empty() || FResult->Empty()) return;
  FDstPaint->Canvas()->StretchDraw(FDstPaint->ClientRect(), *FResult);
}

std::unique_ptr<TvxBitmap> OpenBitmap() {
  TfrmOpenBitmap Form(Application);
  if (Form.ShowModal() != mrOk) return nullptr;
  return Form.Import().HandOver();
}
