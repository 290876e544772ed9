#include "framework/graphics/imagelist.h"

// The common controls header needs <windows.h> before it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handles.h"

namespace {

const TEnumInfo& DrawingStyleNames() {
  static constexpr const char* Names[] = {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

UINT StyleFlags(TDrawingStyle Style) {
  switch (Style) {
    case TDrawingStyle::dsFocus: return ILD_FOCUS;
    case TDrawingStyle::dsSelected: return ILD_SELECTED;
    case TDrawingStyle::dsTransparent: return ILD_TRANSPARENT;
    case TDrawingStyle::dsNormal: break;
  }
  return ILD_NORMAL;
}

// Paints Color onto DC at (X, Y) wherever Mask (white = leave alone) is black.
void PaintThroughMask(HDC DC, Integer X, Integer Y, const TBitmap& Mask, TColor Color) {
  TBrushHandle Brush(CreateSolidBrush(ColorToRGB(Color)));
  TSelectGuard SelectBrush(DC, Brush.Get());
  const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0)), OldBack = ::SetBkColor(DC, RGB(255, 255, 255));
  constexpr DWORD PaintWhereSourceBlack = 0x00B8074A;  // P xor (S and (D xor P))
  BitBlt(DC, X, Y, Mask.Width(), Mask.Height(), Mask.Canvas().Handle(), 0, 0, PaintWhereSourceBlack);
  SetTextColor(DC, OldText);
  SetBkColor(DC, OldBack);
}

}  // namespace

void TCustomImageList::TListDeleter::operator()(HIMAGELIST List) const { ImageList_Destroy(List); }

const TClassInfo& TCustomImageList::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ColorProperty<&TCustomImageList::BkColor, &TCustomImageList::SetBkColor>("BkColor", clNone),
      EnumProperty<&TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle>(
          "DrawingStyle", DrawingStyleNames(), int64_t(TDrawingStyle::dsNormal)),
      IntegerProperty<&TCustomImageList::Height, &TCustomImageList::SetHeight>("Height", 16),
      BooleanProperty<&TCustomImageList::Masked, &TCustomImageList::SetMasked>("Masked", 1),
      IntegerProperty<&TCustomImageList::Width, &TCustomImageList::SetWidth>("Width", 16),
  };
  static const TClassInfo Info{"TCustomImageList", &TComponent::StaticClassInfo(), Properties};
  return Info;
}

const TClassInfo& TImageList::StaticClassInfo() {
  static const TClassInfo Info{
      "TImageList", &TCustomImageList::StaticClassInfo(), {}, {}, [](TComponent* Owner) -> TComponent* {
        return new TImageList(Owner);
      }};
  return Info;
}

TCustomImageList::TCustomImageList(TComponent* Owner) : TComponent(Owner) { Recreate(); }

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Recreate() {
  HIMAGELIST List = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | (FMasked ? ILC_MASK : 0), 4, 4);
  if (!List) throw EOutOfResources(Format("Out of system resources (a %d x %d image list)", FWidth, FHeight));
  FHandle.reset(List);
  ImageList_SetBkColor(List, FBkColor == clNone ? CLR_NONE : ColorToRGB(FBkColor));
}

void TCustomImageList::Changed() {
  if (OnChange) OnChange();
}

void TCustomImageList::SetWidth(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == FWidth) return;
  FWidth = Value;
  Recreate();
  Changed();
}

void TCustomImageList::SetHeight(Integer Value) {
  Value = std::max<Integer>(Value, 1);
  if (Value == FHeight) return;
  FHeight = Value;
  Recreate();
  Changed();
}

void TCustomImageList::SetMasked(bool Value) {
  if (Value == FMasked) return;
  FMasked = Value;
  Recreate();
  Changed();
}

void TCustomImageList::SetDrawingStyle(TDrawingStyle Value) {
  if (Value == FDrawingStyle) return;
  FDrawingStyle = Value;
  Changed();
}

void TCustomImageList::SetBkColor(TColor Value) {
  if (Value == FBkColor) return;
  FBkColor = Value;
  ImageList_SetBkColor(FHandle.get(), FBkColor == clNone ? CLR_NONE : ColorToRGB(FBkColor));
  Changed();
}

Integer TCustomImageList::Count() const { return ImageList_GetImageCount(FHandle.get()); }

Integer TCustomImageList::Add(const TBitmap* Image, const TBitmap* Mask) {
  if (!Image || Image->Width() < FWidth || Image->Height() < FHeight)
    throw EInvalidGraphicOperation("Invalid image size");
  if (Mask && (Mask->Width() < Image->Width() || Mask->Height() < Image->Height()))
    throw EInvalidGraphicOperation("Invalid mask size");
  // Masked drawing ors the image onto the masked background: what the mask hides must be black.
  TBitmap Copy;
  Copy.Assign(Image);
  if (Mask && FMasked) {
    HDC DC = Copy.Canvas().Handle();
    const COLORREF OldText = SetTextColor(DC, RGB(0, 0, 0)), OldBack = ::SetBkColor(DC, RGB(255, 255, 255));
    constexpr DWORD ClearWhereSourceWhite = 0x00220326;  // D and not S
    BitBlt(DC, 0, 0, Copy.Width(), Copy.Height(), Mask->Canvas().Handle(), 0, 0, ClearWhereSourceWhite);
    SetTextColor(DC, OldText);
    ::SetBkColor(DC, OldBack);
  }
  const int Index = ImageList_Add(FHandle.get(), Copy.Handle(), Mask ? Mask->Handle() : nullptr);
  if (Index < 0) throw EInvalidGraphicOperation("Cannot add the image to the image list");
  Changed();
  return Index;
}

Integer TCustomImageList::AddMasked(const TBitmap& Image, TColor MaskColor) {
  if (Image.Width() < FWidth || Image.Height() < FHeight) throw EInvalidGraphicOperation("Invalid image size");
  // The platform blackens the masked pixels of the bitmap it is given: give it a copy.
  TBitmap Copy;
  Copy.Assign(&Image);
  const int Index = FMasked ? ImageList_AddMasked(FHandle.get(), Copy.Handle(), ColorToRGB(MaskColor))
                            : ImageList_Add(FHandle.get(), Copy.Handle(), nullptr);
  if (Index < 0) throw EInvalidGraphicOperation("Cannot add the image to the image list");
  Changed();
  return Index;
}

void TCustomImageList::Delete(Integer Index) {
  if (Index < 0 || Index >= Count()) throw EInvalidGraphicOperation(Format("Image index out of bounds (%d)", Index));
  ImageList_Remove(FHandle.get(), Index);
  Changed();
}

void TCustomImageList::Clear() {
  ImageList_Remove(FHandle.get(), -1);
  Changed();
}

void TCustomImageList::Draw(TCanvas& Canvas, Integer X, Integer Y, Integer Index, bool Enabled) const {
  if (Index < 0 || Index >= Count()) return;
  HDC DC = Canvas.Handle();
  if (!DC) return;
  if (Enabled) {
    ImageList_Draw(FHandle.get(), Index, DC, X, Y, StyleFlags(FDrawingStyle));
    return;
  }
  // The image's shape: drawn transparently over black and over white, a pixel that differs is
  // one the mask lets through.
  TBitmap OnBlack, OnWhite, Shape;
  for (TBitmap* B : {&OnBlack, &OnWhite}) {
    B->SetPixelFormat(TPixelFormat::pf32bit);
    B->SetSize(FWidth, FHeight);
  }
  OnWhite.Canvas().Brush().SetColor(clWhite);
  OnWhite.Canvas().FillRect({0, 0, FWidth, FHeight});
  for (TBitmap* B : {&OnBlack, &OnWhite})
    ImageList_Draw(FHandle.get(), Index, B->Canvas().Handle(), 0, 0, FMasked ? ILD_TRANSPARENT : ILD_NORMAL);
  Shape.SetPixelFormat(TPixelFormat::pf1bit);
  Shape.SetSize(FWidth, FHeight);
  for (Integer Row = 0; Row < FHeight; ++Row) {
    const auto* Black = static_cast<const uint32_t*>(OnBlack.ScanLine(Row));
    const auto* White = static_cast<const uint32_t*>(OnWhite.ScanLine(Row));
    auto* Bits = static_cast<uint8_t*>(Shape.ScanLine(Row));
    for (Integer Col = 0; Col < FWidth; ++Col)
      if ((Black[Col] ^ White[Col]) & 0xFFFFFF) Bits[Col / 8] |= uint8_t(0x80 >> (Col % 8));
  }
  PaintThroughMask(DC, X + 1, Y + 1, Shape, clBtnHighlight);
  PaintThroughMask(DC, X, Y, Shape, clBtnShadow);
}

void TCustomImageList::GetBitmap(Integer Index, TBitmap& Image) const {
  Image.SetSize(FWidth, FHeight);
  Image.Canvas().Brush().SetColor(clBlack);
  Image.Canvas().FillRect({0, 0, FWidth, FHeight});
  if (Index >= 0 && Index < Count()) ImageList_Draw(FHandle.get(), Index, Image.Canvas().Handle(), 0, 0, ILD_NORMAL);
}
