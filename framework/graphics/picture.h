// TPicture holds one graphic of whichever kind a file or stream turns out to be (BMP, PNG,
// icon) and owns it. TIcon is the icon graphic over an HICON it owns. Windows only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/platform_handles.h"
#include "framework/graphics/graphic.h"

class TBitmap;

class TIcon : public TGraphic {
 public:
  TIcon();
  ~TIcon() override;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  Integer Width() const override { return FWidth; }
  Integer Height() const override { return FHeight; }
  bool Transparent() const override { return true; }

  HICON Handle() const { return FHandle.get(); }
  // Takes ownership of Value (nil empties the icon).
  void SetHandle(HICON Value);
  // Gives up ownership; the icon is empty afterwards.
  HICON ReleaseHandle();
  // An icon resource of a loaded module, at the system's icon size.
  void LoadFromResourceName(HMODULE Instance, const std::string& Name);

  // From another icon (a copy of its handle).
  void Assign(const TPersistent* Source) override;
  void Draw(TCanvas& Canvas, const TRect& Rect) const override;
  // An .ico file: the largest of its device-independent images. PNG-compressed entries are not
  // read; damaged directories and images raise EInvalidGraphic.
  void LoadFromStream(TStream& Stream) override;
  // A one-image .ico file: 32-bit colour and its mask.
  void SaveToStream(TStream& Stream) const override;

 protected:
  // To a framework bitmap: 32 bits, the icon drawn on transparent black.
  void AssignTo(TPersistent* Dest) const override;

 private:
  struct TIconDeleter {
    void operator()(HICON Icon) const;
  };
  std::unique_ptr<HICON__, TIconDeleter> FHandle;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  // Nil while the picture is empty.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value; nil empties the picture.
  void SetGraphic(const TGraphic* Value);
  // The bitmap held; a picture holding anything else first gets an empty bitmap instead.
  TBitmap& Bitmap();
  TIcon& Icon();
  Integer Width() const;
  Integer Height() const;

  // The kind comes from the extension (".bmp", ".png", ".ico", letter case ignored); another
  // extension raises EInvalidGraphic. A failed load leaves the picture as it was.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName) const;
  // The kind comes from the first bytes: "BM", the PNG signature or an icon directory.
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;

  // From another picture or from a graphic (a copy); nil empties the picture.
  void Assign(const TPersistent* Source) override;
  std::function<void()> OnChange;

 protected:
  // To a graphic: assigns the graphic held.
  void AssignTo(TPersistent* Dest) const override;

 private:
  void Take(std::unique_ptr<TGraphic> Graphic);
  void Changed();
  std::unique_ptr<TGraphic> FGraphic;
};
