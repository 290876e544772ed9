#include "editor/images/images_page.h"

#include "editor/core/skin_document.h"
#include "editor/images/image_views.h"
#include "framework/ui/image.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_bitmap.h"

namespace {

constexpr Integer HeaderHeight = 18;
constexpr Integer ButtonBarHeight = 33;

}  // namespace

TImagesPage::TImagesPage(TComponent* Owner, TSkinDocument& Document, TImportFunction RunImport)
    : TPanel(Owner), FDocument(Document), FRunImport(std::move(RunImport)) {
  SetBevelOuter(TPanelBevel::bvNone);
  SetCaption("");
  SetBounds(0, 0, 400, 300);

  FHeader = new TPanel(this);
  FHeader->SetBevelOuter(TPanelBevel::bvNone);
  FHeader->SetAlignment(TAlignment::taLeftJustify);
  FHeader->SetColor(clBtnShadow);
  FHeader->SetParentFont(false);
  FHeader->Font()->SetName("Tahoma");
  FHeader->Font()->SetSize(8);
  FHeader->Font()->SetStyle({TFontStyle::fsBold});
  FHeader->Font()->SetColor(clWhite);
  FHeader->SetCaption(" Images");
  FHeader->SetBounds(0, 0, 400, HeaderHeight);
  FHeader->SetAlign(TAlign::alTop);
  FHeader->SetParent(this);

  auto* Buttons = new TPanel(this);
  Buttons->SetBevelOuter(TPanelBevel::bvNone);
  Buttons->SetCaption("");
  Buttons->SetBounds(0, 300 - ButtonBarHeight, 400, ButtonBarHeight);
  Buttons->SetAlign(TAlign::alBottom);
  Buttons->SetParent(this);
  auto MakeButton = [&](const char* Caption, Integer Left, void (TImagesPage::*Click)()) {
    auto* Button = new TButton(this);
    Button->SetCaption(Caption);
    Button->SetBounds(Left, 4, 100, 25);
    Button->OnClick = [this, Click](TObject*) { (this->*Click)(); };
    Button->SetParent(Buttons);
    return Button;
  };
  FAddButton = MakeButton("Add Image...", 4, &TImagesPage::AddClick);
  FDeleteButton = MakeButton("Delete", 108, &TImagesPage::DeleteClick);
  FReplaceButton = MakeButton("Replace Image...", 212, &TImagesPage::ReplaceClick);

  // Images larger than the page scroll.
  FScroller = new TScrollBox(this);
  FScroller->SetAlign(TAlign::alClient);
  FScroller->SetParent(this);
  FImageView = new TImage(this);
  FImageView->SetAutoSize(true);
  FImageView->SetBounds(0, 0, 0, 0);
  FImageView->SetParent(FScroller);
}

void TImagesPage::ShowImage(TvxBitmap* Image) {
  if (!Image || Image->Empty()) {
    FImageView->Picture()->SetGraphic(nullptr);
    FImageView->SetBounds(0, 0, 0, 0);
  } else {
    TBitmap View;
    DrawOnKeyBackdrop(*Image, View);
    FImageView->Picture()->SetGraphic(&View);
  }
  FScroller->ScrollTo(0, 0);
  FScroller->UpdateScrollBars();
}

void TImagesPage::AddClick() {
  if (!FDocument.Source()) return;
  TvxBitmap* Added = FDocument.AddImage(FRunImport ? FRunImport() : nullptr);
  if (Added) ShowImage(Added);
  Changed();
}

void TImagesPage::DeleteClick() {
  if (!FDocument.SelectedImage()) return;
  FDocument.DeleteSelectedImage();
  ShowImage(nullptr);
  Changed();
}

void TImagesPage::ReplaceClick() {
  if (!FDocument.Source() || !FDocument.SelectedImage()) return;
  TvxBitmap* Replaced = FDocument.ReplaceSelectedImage(FRunImport ? FRunImport() : nullptr);
  if (Replaced) ShowImage(Replaced);
  Changed();
}

void TImagesPage::Changed() {
  if (OnImagesChanged) OnImagesChanged(this);
}
