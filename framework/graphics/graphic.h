// TGraphic: the base of every picture kind the framework reads and draws (bitmap, PNG, icon).
// A graphic owns its pixels; whoever created it owns the graphic (a TPicture owns the one it
// holds). Graphics draw themselves onto a canvas, stretched into a rectangle.
#pragma once

#include <functional>
#include <string>

#include "framework/core/classes.h"

class TCanvas;

// Picture data that cannot be read: truncated, damaged, of an unknown kind or too large.
class EInvalidGraphic : public EReadError {
  using EReadError::EReadError;
};
// An operation the graphic cannot do in its current state or kind.
class EInvalidGraphicOperation : public Exception {
  using Exception::Exception;
};

// A file can claim any size; the readers refuse images beyond these before allocating them.
constexpr Integer MaxGraphicSide = 32768;
constexpr int64_t MaxGraphicPixels = int64_t(1) << 26;

inline bool GraphicSizeAllowed(int64_t Width, int64_t Height) {
  return Width > 0 && Height > 0 && Width <= MaxGraphicSide && Height <= MaxGraphicSide &&
         Width * Height <= MaxGraphicPixels;
}

class TGraphic : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  virtual Integer Width() const = 0;
  virtual Integer Height() const = 0;
  virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
  // Whether drawing leaves some of the destination showing through.
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  // The whole graphic stretched into Rect of Canvas.
  virtual void Draw(TCanvas& Canvas, const TRect& Rect) const = 0;

  // A reader validates before it changes anything: bad data raises EInvalidGraphic (or the
  // stream's EReadError) and leaves the graphic as it was.
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) const = 0;
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;

  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // After every change of size, pixels or flags.
  std::function<void()> OnChange;

 protected:
  void Changed();

 private:
  bool FTransparent = false;
  bool FModified = false;
};
