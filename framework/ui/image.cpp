// TPaintBox and TImage.
#include "framework/ui/image.h"

#include "framework/graphics/graphic.h"

// [TPaintBox]

const TClassInfo& TPaintBox::StaticClassInfo() {
  static const TClassInfo Info{"TPaintBox", &TGraphicControl::StaticClassInfo(), {}, {}, &CreateComponent<TPaintBox>};
  return Info;
}

TPaintBox::TPaintBox(TComponent* Owner) : TGraphicControl(Owner) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetBounds(0, 0, 105, 105);
}

// [TImage]

const TClassInfo& TImage::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TImage::AutoSize, &TImage::SetAutoSize>("AutoSize", 0),
      BooleanProperty<&TImage::Center, &TImage::SetCenter>("Center", 0),
      BooleanProperty<&TImage::Stretch, &TImage::SetStretch>("Stretch", 0),
  };
  static const TClassInfo Info{"TImage", &TGraphicControl::StaticClassInfo(), Properties, {}, &CreateComponent<TImage>};
  return Info;
}

TImage::TImage(TComponent* Owner) : TGraphicControl(Owner), FPicture(std::make_unique<TPicture>()) {
  ExcludeStyle(TControlStyleFlag::csSetCaption);
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  if (Value) PictureChanged();
}

void TImage::PictureChanged() {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  Invalidate();
}

TRect TImage::DestRect() const {
  const Integer W = FPicture->Width(), H = FPicture->Height();
  if (FStretch) return Rect(0, 0, Width(), Height());
  if (FCenter) return Bounds((Width() - W) / 2, (Height() - H) / 2, W, H);
  return Rect(0, 0, W, H);
}

void TImage::Paint() {
  if (const TGraphic* Graphic = FPicture->Graphic(); Graphic && !Graphic->Empty())
    Canvas()->StretchDraw(DestRect(), *Graphic);
  TGraphicControl::Paint();
}
