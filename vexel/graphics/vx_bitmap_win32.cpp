// The Windows half of TvxBitmap: DIB-section storage, the registry of bitmaps by DC, drawing
// onto device contexts, GDI regions and bitmap resources.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_map>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/graphics/picture.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_bitmap_platform.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// [Registry] Every bitmap that has a DC, so that a draw onto that DC becomes a bitmap-to-bitmap
// draw. Created on first use, freed at exit; bitmaps that outlive it simply stop registering.
using TRegistry = std::unordered_map<HDC, TvxBitmap*>;
TRegistry* Registry = nullptr;
bool RegistryFinalised = false;

struct TRegistryFinaliser {
  ~TRegistryFinaliser() {
    delete Registry;
    Registry = nullptr;
    RegistryFinalised = true;
  }
} Finaliser;

TRegistry* GetRegistry() {
  if (!Registry && !RegistryFinalised) Registry = new TRegistry;
  return Registry;
}

TvxBitmap* FindRegistered(HDC DC) {
  TRegistry* R = GetRegistry();
  if (!R) return nullptr;
  const auto It = R->find(DC);
  return It == R->end() ? nullptr : It->second;
}

constexpr COLORREF KeyColorRef = RGB(0x7F, 0x00, 0x7F);

bool SourceInside(const TvxBitmap& B, const TRect& R) {
  return !R.IsEmpty() && R.Left >= 0 && R.Top >= 0 && R.Right <= B.Width() && R.Bottom <= B.Height();
}

TRect FromRECT(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }

// Where DC's logical origin lies on its surface and the part of the surface its clip region
// leaves (the whole surface without one), for the paths that write pixels themselves. Only plain
// pixel mapping qualifies, and at most a rectangular clip region: other shapes are honoured by
// GDI alone.
bool DirectTarget(HDC DC, POINT& Offset, TRect& Clip) {
  if (GetMapMode(DC) != MM_TEXT || GetGraphicsMode(DC) != GM_COMPATIBLE) return false;
  TRegionHandle Region(CreateRectRgn(0, 0, 0, 0));
  if (!Region) return false;
  switch (GetClipRgn(DC, Region.Get())) {
    case 0: Clip = {0, 0, std::numeric_limits<Integer>::max(), std::numeric_limits<Integer>::max()}; break;
    case 1: {
      RECT Box{};
      const int Kind = GetRgnBox(Region.Get(), &Box);
      if (Kind == NULLREGION)
        Clip = {};
      else if (Kind == SIMPLEREGION)
        Clip = FromRECT(Box);
      else
        return false;
      break;
    }
    default: return false;
  }
  POINT Window{}, Viewport{};
  GetWindowOrgEx(DC, &Window);
  GetViewportOrgEx(DC, &Viewport);
  Offset = {Viewport.x - Window.x, Viewport.y - Window.y};
  return true;
}

// The scaled draw into the part of Target that Clip leaves.
void ClippedScaledDraw(const TvxBitmap& Source, const TvxPixelTarget& Target, const TRect& DestRect,
                       const TRect& SrcRect, const TRect& Clip) {
  const TRect Part = Intersect(Clip, {0, 0, Target.Width, Target.Height});
  if (Part.IsEmpty()) return;
  const TvxPixelTarget Inside{Target.Row0 + Part.Top * Target.Stride + Part.Left, Target.Stride, Part.Width(),
                              Part.Height()};
  ScaledDraw(Source, Inside, DestRect.Offset(-Part.Left, -Part.Top), SrcRect);
}

}  // namespace

// [Storage] ------------------------------------------------------------------------------------

TvxSurface CreateSurface(Integer W, Integer H, TvxBitmap* Owner) {
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = W;
  Info.bmiHeader.biHeight = -H;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  TBitmapHandle Section(CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
  if (!Section || !Bits) throw Exception("Can't allocate the DIB handle");
  TMemoryDC DC;
  if (!DC.Get()) throw Exception("Can't create compatible DC");
  const HGDIOBJ Old = SelectObject(DC.Get(), Section.Get());
  if (!Old || Old == HGDI_ERROR) throw Exception("Can't select an object into DC");
  TvxSurface Surface{static_cast<TvxColor*>(Bits), Section.Release(), DC.Release()};
  RebindSurface(Surface, Owner);
  return Surface;
}

void DestroySurface(TvxSurface& Surface) {
  if (TRegistry* R = GetRegistry()) R->erase(Surface.DC);
  if (Surface.DC) DeleteDC(Surface.DC);
  if (Surface.Section) DeleteObject(Surface.Section);
  Surface = {};
}

void RebindSurface(const TvxSurface& Surface, TvxBitmap* Owner) {
  if (TRegistry* R = GetRegistry(); R && Surface.DC) (*R)[Surface.DC] = Owner;
}

// [Drawing onto a device context] --------------------------------------------------------------

void TvxBitmap::Draw(HDC DC, Integer X, Integer Y) const {
  StretchDraw(DC, Bounds(X, Y, FWidth, FHeight), BoundsRect());
}

void TvxBitmap::Draw(HDC DC, Integer X, Integer Y, const TRect& SrcRect) const {
  StretchDraw(DC, Bounds(X, Y, SrcRect.Width(), SrcRect.Height()), SrcRect);
}

void TvxBitmap::StretchDraw(HDC DC, const TRect& DestRect, const TRect& SrcRect) const {
  if (Empty() || !DC || !SourceInside(*this, SrcRect) || DestRect.IsEmpty()) return;
  POINT Offset{};
  TRect Clip;
  if (DirectTarget(DC, Offset, Clip)) {
    const TRect DeviceRect = DestRect.Offset(Offset.x, Offset.y);
    if (TvxBitmap* Target = FindRegistered(DC))
      return ClippedScaledDraw(*this, {Target->Bits(), Target->Width(), Target->Width(), Target->Height()}, DeviceRect,
                               SrcRect, Clip);
    // A 32-bit framework bitmap is written directly. Only its sections are known to be
    // bottom-up: the section's own header reports a positive height for top-down sections too.
    DIBSECTION Section{};
    const HGDIOBJ Selected = GetCurrentObject(DC, OBJ_BITMAP);
    if (IsBottomUpBitmapSection(static_cast<HBITMAP>(Selected)) &&
        GetObject(Selected, sizeof Section, &Section) == int(sizeof Section) && Section.dsBm.bmBitsPixel == 32 &&
        Section.dsBm.bmBits) {
      const Integer W = Section.dsBm.bmWidth, H = Section.dsBmih.biHeight;
      auto* Bottom = static_cast<TvxColor*>(Section.dsBm.bmBits) + ptrdiff_t(H - 1) * W;
      return ClippedScaledDraw(*this, {Bottom, -ptrdiff_t(W), W, H}, DeviceRect, SrcRect, Clip);
    }
  }

  // GDI's own stretching picks other source pixels than the engine's; it is used only where
  // nothing is scaled.
  const TvxDrawMode Mode = DrawMode();
  const bool Scaled = DestRect.Width() != SrcRect.Width() || DestRect.Height() != SrcRect.Height();
  if (Mode == TvxDrawMode::dmCopy && !Scaled) {
    BitBlt(DC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), FDC, SrcRect.Left, SrcRect.Top,
           SRCCOPY);
    return;
  }
  if (Mode == TvxDrawMode::dmKey && !Scaled && TransparentBltAvailable()) {
    TransparentBltProc()(DC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), FDC, SrcRect.Left,
                         SrcRect.Top, SrcRect.Width(), SrcRect.Height(), KeyColorRef);
    return;
  }
  // Compose in memory: fetch what lies under the visible part of DestRect (a copy covers it
  // whole), draw over it, put it back. The clip box and pieces of at most Piece x Piece pixels
  // keep a huge DestRect or target from asking for a huge buffer.
  RECT ClipBox{};
  if (GetClipBox(DC, &ClipBox) == ERROR) return;
  const TRect Area = Intersect(DestRect, FromRECT(ClipBox));
  constexpr Integer Piece = 2048;
  TvxBitmap Under;
  for (int64_t Top = Area.Top; Top < Area.Bottom; Top += Piece)
    for (int64_t Left = Area.Left; Left < Area.Right; Left += Piece) {
      const TRect Part{Integer(Left), Integer(Top), Integer(std::min<int64_t>(Left + Piece, Area.Right)),
                       Integer(std::min<int64_t>(Top + Piece, Area.Bottom))};
      Under.SetSize(Part.Width(), Part.Height());
      if (Mode != TvxDrawMode::dmCopy)
        BitBlt(Under.DC(), 0, 0, Part.Width(), Part.Height(), DC, Part.Left, Part.Top, SRCCOPY);
      StretchDrawTo(Under, DestRect.Offset(-Part.Left, -Part.Top), SrcRect);
      BitBlt(DC, Part.Left, Part.Top, Part.Width(), Part.Height(), Under.DC(), 0, 0, SRCCOPY);
    }
}

void TvxBitmap::Tile(HDC DC, const TRect& DestRect, const TRect& SrcRect) const { TileClip(DC, DestRect, SrcRect, {}); }

void TvxBitmap::TileClip(HDC DC, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect) const {
  ForEachTile(DestRect, SrcRect, ClipRect,
              [&](const TRect& Piece, const TRect& Src) { Draw(DC, Piece.Left, Piece.Top, Src); });
}

void TvxBitmap::Draw(TCanvas& Canvas, Integer X, Integer Y, const TRect& SrcRect) const {
  Draw(Canvas.Handle(), X, Y, SrcRect);
}

void TvxBitmap::StretchDraw(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect) const {
  StretchDraw(Canvas.Handle(), DestRect, SrcRect);
}

void TvxBitmap::Tile(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect) const {
  Tile(Canvas.Handle(), DestRect, SrcRect);
}

void TvxBitmap::TileClip(TCanvas& Canvas, const TRect& DestRect, const TRect& SrcRect, const TRect& ClipRect) const {
  TileClip(Canvas.Handle(), DestRect, SrcRect, ClipRect);
}

void DrawSilhouette(HDC DC, Integer X, Integer Y, TColor Color, const TvxBitmap& Glyph) {
  TvxBitmap Shadow;
  MakeSilhouette(Glyph, Color, Shadow);
  Shadow.Draw(DC, X, Y);
}

void DrawSilhouette(TCanvas& Canvas, Integer X, Integer Y, TColor Color, const TvxBitmap& Glyph) {
  DrawSilhouette(Canvas.Handle(), X, Y, Color, Glyph);
}

// [Framework graphics] -------------------------------------------------------------------------

bool TvxBitmap::AssignFromPlatform(const TPersistent* Source) {
  if (const auto* Picture = dynamic_cast<const TPicture*>(Source)) {
    if (Picture->Graphic()) return AssignFromPlatform(Picture->Graphic());
    Source = nullptr;
  } else if (!dynamic_cast<const TGraphic*>(Source)) {
    return false;
  }
  const auto* Graphic = static_cast<const TGraphic*>(Source);
  if (!Graphic || Graphic->Empty()) {
    ReleaseBuffer();
    FWidth = FHeight = 0;
    return true;
  }
  // Built aside, so that a failure leaves this bitmap as it was.
  TvxBitmap Result;
  Result.SetSize(Graphic->Width(), Graphic->Height());
  const auto* Bitmap = dynamic_cast<const TBitmap*>(Graphic);
  if (Bitmap && Bitmap->PixelFormat() == TPixelFormat::pf32bit) {
    for (Integer Y = 0; Y < Result.FHeight; ++Y)
      std::memcpy(Result.Scanline(Y), Bitmap->ScanLine(Y), size_t(Result.FWidth) * sizeof(TvxColor));
    Result.CheckAlpha();
  } else {
    if (Bitmap) {
      BitBlt(Result.FDC, 0, 0, Result.FWidth, Result.FHeight, Bitmap->Canvas().Handle(), 0, 0, SRCCOPY);
      GdiFlush();
    } else {
      if (!Empty() && FWidth == Result.FWidth && FHeight == Result.FHeight)
        std::memcpy(Result.FBits, FBits, size_t(FWidth) * size_t(FHeight) * sizeof(TvxColor));
      Result.AssignFromGraphic(*Graphic, Result.BoundsRect());
    }
    Result.SetAlpha(255);
  }
  SwapStorage(Result);
  FAlphaBlend = Result.FAlphaBlend;
  return true;
}

void TvxBitmap::AssignFromGraphic(const TGraphic& Graphic, const TRect& R) {
  if (Empty()) return;
  constexpr TColor Magenta = 0xFF00FF;  // the same in both byte orders
  TBitmap Stage;
  Stage.SetPixelFormat(TPixelFormat::pf32bit);
  Stage.SetSize(FWidth, FHeight);
  Stage.Canvas().Brush().SetColor(Magenta);
  Stage.Canvas().FillRect(BoundsRect());
  Graphic.Draw(Stage.Canvas(), R);
  for (Integer Y = 0; Y < FHeight; ++Y) {
    const auto* From = static_cast<const TvxColor*>(Stage.ScanLine(Y));
    TvxColor* To = Scanline(Y);
    for (Integer X = 0; X < FWidth; ++X)
      if ((From[X] & 0xFFFFFF) != TvxColor(Magenta)) To[X] = From[X];
  }
}

void TvxBitmap::AssignTo(TPersistent* Dest) const {
  TBitmap* Target = dynamic_cast<TBitmap*>(Dest);
  if (auto* Picture = dynamic_cast<TPicture*>(Dest)) Target = &Picture->Bitmap();
  if (!Target) return TPersistent::AssignTo(Dest);
  Target->SetPixelFormat(TPixelFormat::pf32bit);
  Target->SetSize(FWidth, FHeight);
  if (!Empty()) Draw(Target->Canvas().Handle(), 0, 0);
}

void TvxBitmap::CopyToClipboard() const {
  TBitmap Staged;
  AssignTo(&Staged);
  Staged.CopyToClipboard();
}

// [Regions] ------------------------------------------------------------------------------------

HRGN TvxBitmap::CreateRegion(Integer X, Integer Y) const {
  if (Empty()) return nullptr;
  const std::vector<TRect> Runs = RegionRects(X, Y);
  std::vector<uint8_t> Data(sizeof(RGNDATAHEADER) + Runs.size() * sizeof(RECT));
  auto* Header = reinterpret_cast<RGNDATAHEADER*>(Data.data());
  Header->dwSize = sizeof(RGNDATAHEADER);
  Header->iType = RDH_RECTANGLES;
  Header->nCount = DWORD(Runs.size());
  Header->nRgnSize = 0;
  Header->rcBound = {X, Y, X + FWidth, Y + FHeight};
  auto* Rects = reinterpret_cast<RECT*>(Data.data() + sizeof(RGNDATAHEADER));
  for (size_t I = 0; I < Runs.size(); ++I) Rects[I] = {Runs[I].Left, Runs[I].Top, Runs[I].Right, Runs[I].Bottom};
  return ExtCreateRegion(nullptr, DWORD(Data.size()), reinterpret_cast<const RGNDATA*>(Data.data()));
}

// [Resources] ----------------------------------------------------------------------------------

namespace {

class TModuleGuard {
 public:
  explicit TModuleGuard(HMODULE Module) : FModule(Module) {}
  ~TModuleGuard() {
    if (FModule) FreeLibrary(FModule);
  }
  TModuleGuard(const TModuleGuard&) = delete;
  TModuleGuard& operator=(const TModuleGuard&) = delete;
  HMODULE Get() const { return FModule; }

 private:
  HMODULE FModule;
};

// A packed DIB (header, masks or palette, pixels) as stored in a bitmap resource.
struct TPackedDib {
  const BITMAPINFOHEADER* Header = nullptr;
  const uint8_t* Pixels = nullptr;
  size_t PixelBytes = 0;
};

TPackedDib ParsePackedDib(const uint8_t* Data, size_t Size, const std::string& Name) {
  const auto Bad = [&Name] { return EReadError(Format("Bitmap resource %s is damaged", Name.c_str())); };
  if (Size < sizeof(BITMAPINFOHEADER)) throw Bad();
  TPackedDib Dib;
  Dib.Header = reinterpret_cast<const BITMAPINFOHEADER*>(Data);
  const BITMAPINFOHEADER& H = *Dib.Header;
  if (H.biSize < sizeof(BITMAPINFOHEADER) || H.biSize > Size || H.biWidth <= 0 || H.biHeight == 0 ||
      H.biHeight == LONG(0x80000000))
    throw Bad();
  size_t Offset = H.biSize;
  if (H.biCompression == BI_BITFIELDS && H.biSize == sizeof(BITMAPINFOHEADER)) Offset += 3 * sizeof(DWORD);
  if (H.biBitCount <= 8) Offset += (H.biClrUsed ? H.biClrUsed : (1u << H.biBitCount)) * sizeof(RGBQUAD);
  if (Offset > Size) throw Bad();
  Dib.Pixels = Data + Offset;
  Dib.PixelBytes = Size - Offset;
  return Dib;
}

}  // namespace

void TvxBitmap::LoadFromResource(const std::string& ModuleFile, const std::string& ResourceName) {
  TModuleGuard Module(LoadLibraryExA(ModuleFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!Module.Get()) throw Exception(Format("Cannot load module %s", ModuleFile.c_str()));
  const HRSRC Info = FindResourceA(Module.Get(), ResourceName.c_str(), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
  const HGLOBAL Handle = Info ? LoadResource(Module.Get(), Info) : nullptr;
  const auto* Data = static_cast<const uint8_t*>(Handle ? LockResource(Handle) : nullptr);
  if (!Data) throw Exception(Format("Resource %s not found", ResourceName.c_str()));
  const TPackedDib Dib = ParsePackedDib(Data, SizeofResource(Module.Get(), Info), ResourceName);
  const Integer W = Dib.Header->biWidth;
  const Integer H = Dib.Header->biHeight < 0 ? -Dib.Header->biHeight : Dib.Header->biHeight;

  TvxBitmap Loaded;
  Loaded.SetSize(W, H);
  if (Dib.Header->biBitCount == 32 &&
      (Dib.Header->biCompression == BI_RGB || Dib.Header->biCompression == BI_BITFIELDS)) {
    // 32-bit resources keep their alpha, row for row.
    if (Dib.PixelBytes < size_t(W) * size_t(H) * 4)
      throw EReadError(Format("Bitmap resource %s is damaged", ResourceName.c_str()));
    const auto* Rows = reinterpret_cast<const TvxColor*>(Dib.Pixels);
    for (Integer Y = 0; Y < H; ++Y) {
      const Integer SourceRow = Dib.Header->biHeight > 0 ? H - 1 - Y : Y;
      std::memcpy(Loaded.Scanline(Y), Rows + ptrdiff_t(SourceRow) * W, size_t(W) * 4);
    }
  } else {
    TBitmapHandle Platform(
        static_cast<HBITMAP>(LoadImageA(Module.Get(), ResourceName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (Platform) {
      TMemoryDC SourceDC(Loaded.DC());
      TSelectGuard Select(SourceDC.Get(), Platform.Get());
      BitBlt(Loaded.DC(), 0, 0, W, H, SourceDC.Get(), 0, 0, SRCCOPY);
    } else {
      StretchDIBits(Loaded.DC(), 0, 0, W, H, 0, 0, W, H, Dib.Pixels, reinterpret_cast<const BITMAPINFO*>(Dib.Header),
                    DIB_RGB_COLORS, SRCCOPY);
    }
    GdiFlush();
    Loaded.SetAlpha(255);
  }
  SwapStorage(Loaded);
  FName = ResourceName;
  CheckAlpha();
}
