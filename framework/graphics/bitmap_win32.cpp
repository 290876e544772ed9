// TBitmap: storage, canvas, transparent drawing, the BMP reader and writer, the clipboard.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "framework/core/byte_order.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/bmp_header.h"
#include "framework/graphics/gdi_handles.h"

namespace {

[[noreturn]] void Invalid(const char* Why) { throw EInvalidGraphic(Format("Invalid bitmap file: %s", Why)); }

int BitsPerPixel(TPixelFormat Format) {
  switch (Format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf32bit: return 32;
    default: return 24;
  }
}

size_t RowBytes(Integer W, int Bits) { return ((size_t(W) * size_t(Bits) + 31) / 32) * 4; }

constexpr uint32_t BmpRgb = 0;

// Another program may hold the clipboard for a moment.
bool OpenClipboardPatiently() {
  for (int Attempt = 0; Attempt < 20; ++Attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

// [Storage] ------------------------------------------------------------------------------------

namespace {

// The sections TBitmap made, so that direct pixel writers know their row order.
std::set<HBITMAP>& BottomUpSections() {
  static std::set<HBITMAP> Sections;
  return Sections;
}

}  // namespace

bool IsBottomUpBitmapSection(HBITMAP Bitmap) { return Bitmap && BottomUpSections().count(Bitmap) != 0; }

void TBitmap::TSectionDeleter::operator()(HBITMAP Section) const {
  BottomUpSections().erase(Section);
  DeleteObject(Section);
}

const TClassInfo& TBitmap::StaticClassInfo() {
  // A bitmap held by a stored property keeps its pixels in the form file as a BMP file.
  static const TDefinedProperty Defined[] = {DefinedBinaryProperty<&TBitmap::ReadData, &TBitmap::WriteData>("Data")};
  static const TClassInfo Info{"TBitmap", &TGraphic::StaticClassInfo(), {}, Defined};
  return Info;
}

void TBitmap::ReadData(TStream& Stream) {
  if (Stream.Size() == 0)
    SetSize(0, 0);
  else
    LoadFromStream(Stream);
}

void TBitmap::WriteData(TStream& Stream) const {
  if (!Empty()) SaveToStream(Stream);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() { FreeCanvasContext(); }

TBitmap::TStorage TBitmap::CreateStorage(Integer W, Integer H, TPixelFormat Kind) {
  TStorage Storage;
  if (W <= 0 || H <= 0) return Storage;
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } Info{};
  Info.Header.biSize = sizeof(BITMAPINFOHEADER);
  Info.Header.biWidth = W;
  Info.Header.biHeight = H;
  Info.Header.biPlanes = 1;
  Info.Header.biBitCount = WORD(BitsPerPixel(Kind));
  Info.Header.biCompression = BI_RGB;
  Info.Colors[1] = {255, 255, 255, 0};
  void* Bits = nullptr;
  HBITMAP Section =
      CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&Info), DIB_RGB_COLORS, &Bits, nullptr, 0);
  Storage.Section.reset(Section);
  if (Section) BottomUpSections().insert(Section);
  if (!Section || !Bits) throw EOutOfResources(Format("Out of system resources (a %d x %d bitmap)", W, H));
  Storage.Bits = static_cast<uint8_t*>(Bits);
  return Storage;
}

void TBitmap::Adopt(TStorage&& Storage, Integer W, Integer H, TPixelFormat Kind) {
  FreeCanvasContext();
  FStorage = std::move(Storage);
  FWidth = W;
  FHeight = H;
  FPixelFormat = Kind;
}

size_t TBitmap::Stride() const { return RowBytes(FWidth, BitsPerPixel(FPixelFormat)); }

void TBitmap::FreeCanvasContext() const {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::SetSize(Integer W, Integer H) {
  W = std::max<Integer>(W, 0);
  H = std::max<Integer>(H, 0);
  if (W == FWidth && H == FHeight) return;
  if (W && H && !GraphicSizeAllowed(W, H))
    throw EInvalidGraphicOperation(Format("A %d x %d bitmap is too large", W, H));
  TStorage Fresh = CreateStorage(W, H, FPixelFormat);
  if (Fresh.Bits && FStorage.Bits) {
    GdiFlush();
    const Integer CommonW = std::min(W, FWidth), CommonH = std::min(H, FHeight);
    const int Bits = BitsPerPixel(FPixelFormat);
    if (Bits % 8 == 0) {
      const size_t NewStride = RowBytes(W, Bits);
      for (Integer Y = 0; Y < CommonH; ++Y)
        std::memcpy(Fresh.Bits + size_t(H - 1 - Y) * NewStride, FStorage.Bits + size_t(FHeight - 1 - Y) * Stride(),
                    size_t(CommonW) * size_t(Bits / 8));
    } else {
      TMemoryDC From, To;
      TSelectGuard SelectFrom(From.Get(), Handle());
      TSelectGuard SelectTo(To.Get(), Fresh.Section.get());
      BitBlt(To.Get(), 0, 0, CommonW, CommonH, From.Get(), 0, 0, SRCCOPY);
    }
  }
  Adopt(std::move(Fresh), W, H, FPixelFormat);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  if (Value != TPixelFormat::pf1bit && Value != TPixelFormat::pf24bit && Value != TPixelFormat::pf32bit)
    throw EInvalidGraphicOperation("Unsupported pixel format");
  TStorage Fresh = CreateStorage(FWidth, FHeight, Value);
  if (Fresh.Bits) {
    TMemoryDC From, To;
    TSelectGuard SelectFrom(From.Get(), Handle());
    TSelectGuard SelectTo(To.Get(), Fresh.Section.get());
    BitBlt(To.Get(), 0, 0, FWidth, FHeight, From.Get(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  Adopt(std::move(Fresh), FWidth, FHeight, Value);
  Changed();
}

TCanvas& TBitmap::Canvas() const {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return *FCanvas;
}

void* TBitmap::ScanLine(Integer Y) const {
  if (!FStorage.Bits || Y < 0 || Y >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  return FStorage.Bits + size_t(FHeight - 1 - Y) * Stride();
}

HBITMAP TBitmap::Handle() const {
  FreeCanvasContext();
  return FStorage.Section.get();
}

// [Canvas] -------------------------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
  HDC DC = CreateCompatibleDC(nullptr);
  if (!DC) throw EOutOfResources("Out of system resources (a bitmap canvas)");
  if (HBITMAP Section = FBitmap.FStorage.Section.get()) FOldBitmap = SelectObject(DC, Section);
  FDC = DC;
  SetHandle(DC);
}

void TBitmapCanvas::FreeContext() {
  if (!FDC) return;
  GdiFlush();
  SetHandle(nullptr);
  if (FOldBitmap) SelectObject(FDC, static_cast<HGDIOBJ>(FOldBitmap));
  DeleteDC(FDC);
  FDC = nullptr;
  FOldBitmap = nullptr;
}

// [Transparency and drawing] -------------------------------------------------------------------

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == TTransparentMode::tmFixed || Empty()) return FTransparentColor;
  return Canvas().Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  FTransparentColor = Value;
  FTransparentMode = TTransparentMode::tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  FTransparentMode = Value;
  Changed();
}

void TBitmap::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TBitmap*>(Source);
  if (!Other) return TGraphic::Assign(Source);
  if (Other == this) return;
  TStorage Copy = CreateStorage(Other->FWidth, Other->FHeight, Other->FPixelFormat);
  if (Copy.Bits) {
    GdiFlush();
    std::memcpy(Copy.Bits, Other->FStorage.Bits, Other->Stride() * size_t(Other->FHeight));
  }
  Adopt(std::move(Copy), Other->FWidth, Other->FHeight, Other->FPixelFormat);
  FTransparentColor = Other->FTransparentColor;
  FTransparentMode = Other->FTransparentMode;
  TGraphic::SetTransparent(Other->Transparent());
  Changed();
}

void TBitmap::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (Empty() || Rect.IsEmpty()) return;
  HDC Target = Canvas.Handle();
  HDC Source = this->Canvas().Handle();
  if (!Target || !Source) return;
  if (Transparent()) {
    TransparentBlt(Target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), Source, 0, 0, FWidth, FHeight,
                   ColorToRGB(TransparentColor()));
    return;
  }
  const int OldMode = SetStretchBltMode(Target, COLORONCOLOR);
  StretchBlt(Target, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), Source, 0, 0, FWidth, FHeight, SRCCOPY);
  SetStretchBltMode(Target, OldMode);
}

// [BMP files] ----------------------------------------------------------------------------------

// The resource holds a BMP file without its file header: put one in front.
void TBitmap::LoadFromResourceName(HMODULE Instance, const std::string& Name) {
  if (!Instance) Instance = GetModuleHandleA(nullptr);
  HRSRC Found = FindResourceA(Instance, Name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL Loaded = Found ? LoadResource(Instance, Found) : nullptr;
  const auto* Data = Loaded ? static_cast<const uint8_t*>(LockResource(Loaded)) : nullptr;
  const DWORD Size = Found ? SizeofResource(Instance, Found) : 0;
  if (!Data) throw EInvalidGraphic(Format("Bitmap resource %s not found", Name.c_str()));
  if (Size < sizeof(BITMAPINFOHEADER)) throw EInvalidGraphic(Format("Bitmap resource %s is damaged", Name.c_str()));
  const auto* Info = reinterpret_cast<const BITMAPINFOHEADER*>(Data);
  DWORD Colors = Info->biClrUsed;
  if (!Colors && Info->biBitCount <= 8) Colors = DWORD(1) << Info->biBitCount;
  BITMAPFILEHEADER Header{};
  Header.bfType = 0x4D42;
  Header.bfSize = DWORD(sizeof(Header) + Size);
  Header.bfOffBits = DWORD(sizeof(Header) + Info->biSize + Colors * 4);
  std::vector<uint8_t> Bytes(sizeof(Header) + Size);
  std::memcpy(Bytes.data(), &Header, sizeof(Header));
  std::memcpy(Bytes.data() + sizeof(Header), Data, Size);
  TMemoryStream Stream(std::move(Bytes));
  LoadFromStream(Stream);
}

void TBitmap::LoadFromStream(TStream& Stream) {
  TBmpHeader H;
  std::vector<uint8_t> Data;
  try {
    H = ReadBmpHeader(Stream);
    if (H.Width && H.Height && !GraphicSizeAllowed(H.Width, H.Height)) Invalid("the image is too large");
    if (H.Width && H.Height) Data = ReadBmpBlock(Stream, H.Stride * uint64_t(H.Height), "the pixel data is truncated");
  } catch (const EInvalidGraphic&) {
    throw;
  } catch (const EReadError& E) {
    throw EInvalidGraphic(E.Message());
  }
  const int64_t Width = H.Width, Height = H.Height;
  const uint32_t Bits = H.Bits;
  const bool TopDown = H.TopDown, Fields = H.Fields;

  const TPixelFormat Kind = Bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
  const size_t InStride = size_t(H.Stride);
  TStorage Decoded = CreateStorage(Integer(Width), Integer(Height), Kind);
  const size_t OutStride = RowBytes(Integer(Width), BitsPerPixel(Kind));
  for (int64_t Y = 0; Decoded.Bits && Y < Height; ++Y) {
    // Storage is bottom-up like the file; a top-down file is turned over.
    const uint8_t* In = Data.data() + InStride * size_t(TopDown ? Height - 1 - Y : Y);
    uint8_t* Out = Decoded.Bits + OutStride * size_t(Y);
    if (Bits == 24 || (Bits == 32 && !Fields)) {
      std::memcpy(Out, In, OutStride);
      continue;
    }
    for (int64_t X = 0; X < Width; ++X) {
      uint8_t* P = Out + X * (Bits == 32 ? 4 : 3);
      if (Bits <= 8) {
        const unsigned Index =
            Bits == 8 ? In[X] : (In[X * Bits / 8] >> (8 - Bits - (X * Bits) % 8)) & ((1u << Bits) - 1);
        const uint32_t Colour = H.Palette[Index];
        P[0] = uint8_t(Colour), P[1] = uint8_t(Colour >> 8), P[2] = uint8_t(Colour >> 16);
        continue;
      }
      const uint32_t Pixel = Bits == 16 ? U16(In + 2 * X) : U32(In + 4 * X);
      P[0] = H.Blue.Get(Pixel);
      P[1] = H.Green.Get(Pixel);
      P[2] = H.Red.Get(Pixel);
      if (Bits == 32) P[3] = H.Alpha.Get(Pixel);
    }
  }
  Adopt(std::move(Decoded), Integer(Width), Integer(Height), Kind);
  Changed();
}

void TBitmap::SaveToStream(TStream& Stream) const {
  const int Bits = BitsPerPixel(FPixelFormat);
  const uint32_t PaletteBytes = FPixelFormat == TPixelFormat::pf1bit ? 8 : 0;
  const uint32_t Offset = 14 + 40 + PaletteBytes;
  const uint32_t ImageBytes = FStorage.Bits ? uint32_t(Stride() * size_t(FHeight)) : 0;
  std::vector<uint8_t> Head = {'B', 'M'};
  PutU32(Head, Offset + ImageBytes);
  PutU32(Head, 0);
  PutU32(Head, Offset);
  PutU32(Head, 40);
  PutU32(Head, uint32_t(FWidth));
  PutU32(Head, uint32_t(FHeight));  // positive: bottom-up, as stored
  PutU16(Head, 1);
  PutU16(Head, uint16_t(Bits));
  PutU32(Head, BmpRgb);
  PutU32(Head, ImageBytes);
  PutU32(Head, 2835);  // 72 dots per inch both ways
  PutU32(Head, 2835);
  PutU32(Head, PaletteBytes ? 2 : 0);
  PutU32(Head, 0);
  if (PaletteBytes) {
    PutU32(Head, 0);
    PutU32(Head, 0x00FFFFFF);
  }
  Stream.WriteBuffer(Head.data(), int64_t(Head.size()));
  if (ImageBytes) {
    GdiFlush();
    Stream.WriteBuffer(FStorage.Bits, ImageBytes);
  }
}

// [Clipboard] ----------------------------------------------------------------------------------

void TBitmap::CopyToClipboard() const {
  if (Empty()) return;
  const size_t PaletteBytes = FPixelFormat == TPixelFormat::pf1bit ? 8 : 0;
  const size_t ImageBytes = Stride() * size_t(FHeight);
  HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + PaletteBytes + ImageBytes);
  if (!Memory) throw EOutOfResources("Out of memory for the clipboard");
  auto* Bytes = static_cast<uint8_t*>(GlobalLock(Memory));
  BITMAPINFOHEADER Header{};
  Header.biSize = sizeof Header;
  Header.biWidth = FWidth;
  Header.biHeight = FHeight;
  Header.biPlanes = 1;
  Header.biBitCount = WORD(BitsPerPixel(FPixelFormat));
  Header.biCompression = BI_RGB;
  Header.biSizeImage = DWORD(ImageBytes);
  Header.biClrUsed = PaletteBytes ? 2 : 0;
  std::memcpy(Bytes, &Header, sizeof Header);
  if (PaletteBytes) {
    const RGBQUAD Colors[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    std::memcpy(Bytes + sizeof Header, Colors, sizeof Colors);
  }
  GdiFlush();
  std::memcpy(Bytes + sizeof Header + PaletteBytes, FStorage.Bits, ImageBytes);
  GlobalUnlock(Memory);
  if (!OpenClipboardPatiently()) {
    GlobalFree(Memory);
    throw Exception("Cannot open clipboard");
  }
  EmptyClipboard();
  const bool Placed = SetClipboardData(CF_DIB, Memory) != nullptr;
  CloseClipboard();
  if (!Placed) {
    GlobalFree(Memory);
    throw Exception("Cannot place the bitmap on the clipboard");
  }
}
