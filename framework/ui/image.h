// Windowless views: TPaintBox shows what its OnPaint draws on its canvas; TImage shows a picture,
// at its own size from the top left, centred, or stretched over the control.
#pragma once

#include <memory>

#include "framework/graphics/picture.h"
#include "framework/ui/controls.h"

class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* Owner = nullptr);
  ~TImage() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Owned; a change to it (or to the graphic it holds) repaints the image.
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
  // Over the whole control, whatever the picture's proportions.
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Center() const { return FCenter; }
  void SetCenter(bool Value);
  // The control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Where the picture is drawn, in the control's coordinates.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FAutoSize = false;
};
