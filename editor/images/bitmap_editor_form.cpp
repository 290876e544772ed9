#include "editor/images/bitmap_editor_form.h"

#include <memory>

#include "editor/core/skin_document.h"
#include "editor/images/image_views.h"
#include "editor/inspector/property_inspector.h"
#include "framework/ui/image.h"
#include "framework/ui/scrollbox.h"
#include "framework/ui/stdctrls.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/skin/theme_dv3objects.h"

TfrmBitmapEditor::TfrmBitmapEditor(TComponent* Owner, TSkinDocument& Document) : TForm(Owner), FModel(Document) {
  SetCaption("Bitmap Property");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poScreenCenter);
  SetClientWidth(527);
  SetClientHeight(329);

  auto MakeLabel = [this](const char* Caption, Integer Left, Integer Top) {
    auto* Label = new TLabel(this);
    Label->SetCaption(Caption);
    Label->SetLeft(Left);
    Label->SetTop(Top);
    Label->SetParent(this);
    return Label;
  };
  MakeLabel("Bitmaps:", 8, 8);
  FBmpList = new TListBox(this);
  FBmpList->SetBounds(8, 24, 140, 222);
  FBmpList->SetParent(this);
  FBmpList->OnClick = [this](TObject*) {
    if (FFilling) return;
    FModel.SelectImage(FBmpList->ItemIndex());
    UpdateView();
  };

  MakeLabel("Zoom:", 8, 257);
  FZoom = new TComboBox(this);
  FZoom->SetStyle(TComboBoxStyle::csDropDownList);
  FZoom->SetBounds(48, 253, 100, 21);
  FZoom->SetItems({"100", "200", "400", "800"});
  FZoom->SetItemIndex(0);
  FZoom->SetParent(this);
  FZoom->OnChange = [this](TObject*) {
    if (FFilling) return;
    FModel.SetZoomIndex(FZoom->ItemIndex());
    UpdateView();
  };

  FAllBitmap = new TCheckBox(this);
  FAllBitmap->SetCaption("All bitmap");
  FAllBitmap->SetBounds(8, 282, 140, 17);
  FAllBitmap->SetParent(this);
  FAllBitmap->OnClick = [this](TObject*) {
    if (FFilling) return;
    FModel.SetAllBitmap(FAllBitmap->Checked());
    UpdateView();
  };

  FViewBox = new TScrollBox(this);
  FViewBox->SetBounds(156, 8, 363, 262);
  FViewBox->SetParent(this);
  FBmpView = new TPaintBox(this);
  FBmpView->SetBounds(0, 0, 10, 10);
  FBmpView->SetCursor(crCross);
  FBmpView->SetParent(FViewBox);
  FBmpView->OnPaint = [this](TObject*) { PaintView(); };
  FBmpView->OnMouseMove = [this](TObject*, TShiftState, Integer X, Integer Y) {
    FPosLabel->SetCaption(FModel.PositionText({X, Y}));
  };
  FBmpView->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
    if (Button == TMouseButton::mbMiddle) return;
    const auto Which = Button == TMouseButton::mbLeft ? TLinkMouseButton::lbLeft : TLinkMouseButton::lbRight;
    if (!FModel.MouseDown({X, Y}, Which)) return;
    ShowCorners();
    FBmpView->Invalidate();
  };

  FPosLabel = MakeLabel("Position: (0:0)", 156, 278);
  FSizeLabel = MakeLabel("Size: (1:1)", 300, 278);
  FEdRect = new TEdit(this);
  FEdRect->SetReadOnly(true);
  FEdRect->SetBounds(156, 298, 180, 21);
  FEdRect->SetParent(this);

  FApplyButton = new TButton(this);
  FApplyButton->SetCaption("Apply");
  FApplyButton->SetBounds(363, 296, 75, 25);
  FApplyButton->SetDefault(true);
  FApplyButton->SetParent(this);
  FApplyButton->OnClick = [this](TObject*) { ApplyClick(); };
  FCancelButton = new TButton(this);
  FCancelButton->SetCaption("Cancel");
  FCancelButton->SetBounds(444, 296, 75, 25);
  FCancelButton->SetCancel(true);
  FCancelButton->SetParent(this);
  FCancelButton->OnClick = [this](TObject*) { Hide(); };
  ShowCorners();
}

bool TfrmBitmapEditor::Edit(TDvSkinObject* Object, TvxBitmapLink* Link) {
  if (!FModel.Open(Object, Link)) return false;
  FFilling = true;
  FBmpList->SetItems(FModel.ImageNames());
  FBmpList->SetItemIndex(FModel.ImageIndex());
  FAllBitmap->SetChecked(FModel.AllBitmap());
  FZoom->SetItemIndex(FModel.ZoomIndex());
  FFilling = false;
  ShowCorners();
  UpdateView();
  Show();
  return true;
}

void TfrmBitmapEditor::ApplyClick() {
  if (FModel.Apply() && OnApply) OnApply(this);
  Hide();
}

void TfrmBitmapEditor::UpdateView() {
  const TSize Size = FModel.ViewSize();
  FViewBox->ScrollTo(0, 0);
  FBmpView->SetBounds(0, 0, Size.cx, Size.cy);
  FViewBox->UpdateScrollBars();
  FBmpView->Invalidate();
}

void TfrmBitmapEditor::ShowCorners() {
  FEdRect->SetText(FModel.RectText());
  FSizeLabel->SetCaption(FModel.SizeText());
}

void TfrmBitmapEditor::PaintView() {
  const TvxBitmap* Image = FModel.Image();
  if (!Image || Image->Empty()) return;
  TBitmap View;
  DrawOnKeyBackdrop(*Image, View);
  for (const TGuideLine& Line : FModel.GuideLines()) XorDottedLine(View, Line.From, Line.To, Line.Color);
  FBmpView->Canvas()->StretchDraw(Rect(0, 0, Image->Width() * FModel.Zoom(), Image->Height() * FModel.Zoom()), View);
}

void RegisterBitmapLinkEditor(TPropertyInspector& Inspector, TSkinDocument& Document) {
  // The inspector copies its editors: the window is shared by every copy.
  auto Window = std::make_shared<TfrmBitmapEditor*>(nullptr);
  TPropertyInspector* Owner = &Inspector;
  TSkinDocument* Doc = &Document;
  Inspector.RegisterClassEditor(TvxBitmapLink::StaticClassInfo(), "(Bitmap)", [Window, Owner, Doc](TPersistent* Value) {
    auto* Object = dynamic_cast<TDvSkinObject*>(Owner->Inspected());
    auto* Link = dynamic_cast<TvxBitmapLink*>(Value);
    if (!Object || !Link) return false;
    if (!*Window) *Window = new TfrmBitmapEditor(Owner, *Doc);
    return (*Window)->Edit(Object, Link);
  });
}
