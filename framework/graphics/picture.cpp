// TIcon and TPicture.
#include "framework/graphics/picture.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/core/byte_order.h"
#include "framework/core/sysutils.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/gdi_handles.h"
#include "framework/graphics/png_image.h"

namespace {

[[noreturn]] void InvalidIcon(const char* Why) { throw EInvalidGraphic(Format("Invalid icon file: %s", Why)); }

size_t RowBytes(int64_t W, int Bits) { return size_t((W * Bits + 31) / 32) * 4; }

// An icon file holds a few small images; anything near this is not one.
constexpr size_t MaxIconFileBytes = 16 << 20;

// The rest of the stream, read in pieces so that memory follows the data.
std::vector<uint8_t> ReadRest(TStream& Stream, size_t Limit) {
  std::vector<uint8_t> Data;
  for (;;) {
    const size_t At = Data.size();
    if (At >= Limit) InvalidIcon("the file is too large");
    Data.resize(At + std::min<size_t>(64 << 10, Limit - At));
    const int64_t Got = Stream.Read(Data.data() + At, int64_t(Data.size() - At));
    Data.resize(At + size_t(std::max<int64_t>(Got, 0)));
    if (Got <= 0) return Data;
  }
}

// Bytes an icon's device-independent image needs (header, palette, colour rows, mask rows), or
// 0 when the header is not one Windows reads.
size_t DibIconBytes(const uint8_t* Image, size_t Size, Integer& W, Integer& H, int& Bits) {
  if (Size < 40) return 0;
  const uint32_t HeaderSize = U32(Image);
  const int32_t Width = int32_t(U32(Image + 4)), DoubleHeight = int32_t(U32(Image + 8));
  Bits = U16(Image + 14);
  const uint32_t Compression = U32(Image + 16), Colors = U32(Image + 32);
  if (HeaderSize < 40 || HeaderSize > Size || Width <= 0 || DoubleHeight <= 1 || Width > 1024 || DoubleHeight > 2048)
    return 0;
  if ((Bits != 1 && Bits != 4 && Bits != 8 && Bits != 24 && Bits != 32) || Compression != BI_RGB) return 0;
  if (Bits <= 8 && Colors > (1u << Bits)) return 0;
  W = Width;
  H = DoubleHeight / 2;
  const size_t Palette = Bits <= 8 ? size_t(Colors ? Colors : 1u << Bits) * 4 : 0;
  return HeaderSize + Palette + RowBytes(W, Bits) * size_t(H) + RowBytes(W, 1) * size_t(H);
}

TSize IconSize(HICON Icon) {
  ICONINFO Info{};
  if (!Icon || !GetIconInfo(Icon, &Info)) return {0, 0};
  TBitmapHandle Color(Info.hbmColor), Mask(Info.hbmMask);
  BITMAP B{};
  if (Color && GetObject(Color.Get(), sizeof B, &B)) return {B.bmWidth, B.bmHeight};
  // A monochrome icon keeps its image under its mask in one bitmap twice as high.
  if (Mask && GetObject(Mask.Get(), sizeof B, &B)) return {B.bmWidth, B.bmHeight / 2};
  return {0, 0};
}

// [Graphic kinds] by extension and by signature.
std::unique_ptr<TGraphic> GraphicForExtension(const std::string& FileName) {
  const size_t Dot = FileName.find_last_of('.');
  const size_t Slash = FileName.find_last_of("/\\");
  const std::string Ext =
      Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash) ? "" : LowerCase(FileName.substr(Dot));
  if (Ext == ".bmp") return std::make_unique<TBitmap>();
  if (Ext == ".png") return std::make_unique<TPngImage>();
  if (Ext == ".ico") return std::make_unique<TIcon>();
  throw EInvalidGraphic(Format("Unknown picture file extension (%s)", Ext.empty() ? "none" : Ext.c_str()));
}

std::unique_ptr<TGraphic> GraphicForSignature(const uint8_t* Head, size_t Size) {
  static const uint8_t Png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (Size >= 2 && Head[0] == 'B' && Head[1] == 'M') return std::make_unique<TBitmap>();
  if (Size >= 8 && std::memcmp(Head, Png, 8) == 0) return std::make_unique<TPngImage>();
  if (Size >= 4 && Head[0] == 0 && Head[1] == 0 && Head[2] == 1 && Head[3] == 0) return std::make_unique<TIcon>();
  throw EInvalidGraphic("Unknown picture format");
}

std::unique_ptr<TGraphic> GraphicLike(const TGraphic& Graphic) {
  if (dynamic_cast<const TBitmap*>(&Graphic)) return std::make_unique<TBitmap>();
  if (dynamic_cast<const TPngImage*>(&Graphic)) return std::make_unique<TPngImage>();
  if (dynamic_cast<const TIcon*>(&Graphic)) return std::make_unique<TIcon>();
  throw EInvalidGraphicOperation(Format("A picture cannot hold a %s", Graphic.ClassName()));
}

}  // namespace

// [TIcon] --------------------------------------------------------------------------------------

void TIcon::TIconDeleter::operator()(HICON Icon) const { DestroyIcon(Icon); }

const TClassInfo& TIcon::StaticClassInfo() {
  static const TClassInfo Info{"TIcon", &TGraphic::StaticClassInfo(), {}};
  return Info;
}

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::SetHandle(HICON Value) {
  FHandle.reset(Value);
  const TSize Size = IconSize(Value);
  FWidth = Size.cx;
  FHeight = Size.cy;
  Changed();
}

HICON TIcon::ReleaseHandle() {
  HICON Icon = FHandle.release();
  FWidth = FHeight = 0;
  Changed();
  return Icon;
}

void TIcon::LoadFromResourceName(HMODULE Instance, const std::string& Name) {
  HICON Icon = static_cast<HICON>(LoadImageA(Instance, Name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  if (!Icon) throw EInvalidGraphic(Format("Icon resource %s not found", Name.c_str()));
  SetHandle(Icon);
}

void TIcon::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TIcon*>(Source);
  if (!Other) return TGraphic::Assign(Source);
  if (Other == this) return;
  HICON Copy = Other->FHandle ? CopyIcon(Other->FHandle.get()) : nullptr;
  if (Other->FHandle && !Copy) throw EOutOfResources("Out of system resources (copying an icon)");
  SetHandle(Copy);
}

void TIcon::AssignTo(TPersistent* Dest) const {
  auto* Bitmap = dynamic_cast<TBitmap*>(Dest);
  if (!Bitmap) return TGraphic::AssignTo(Dest);
  TBitmap Result;
  Result.SetPixelFormat(TPixelFormat::pf32bit);
  Result.SetSize(FWidth, FHeight);
  if (!Empty()) Draw(Result.Canvas(), {0, 0, FWidth, FHeight});
  Bitmap->Assign(&Result);
}

void TIcon::Draw(TCanvas& Canvas, const TRect& Rect) const {
  if (!FHandle || Rect.IsEmpty()) return;
  DrawIconEx(Canvas.Handle(), Rect.Left, Rect.Top, FHandle.get(), Rect.Width(), Rect.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& Stream) {
  const std::vector<uint8_t> Data = ReadRest(Stream, MaxIconFileBytes);
  if (Data.size() < 6 || U16(&Data[0]) != 0 || U16(&Data[2]) != 1) InvalidIcon("no icon directory");
  const size_t Count = U16(&Data[4]);
  if (Count == 0 || 6 + 16 * Count > Data.size()) InvalidIcon("the directory is truncated");
  const uint8_t* Best = nullptr;
  size_t BestBytes = 0;
  int64_t BestScore = -1;
  Integer BestW = 0, BestH = 0;
  for (size_t I = 0; I < Count; ++I) {
    const uint8_t* Entry = &Data[6 + 16 * I];
    const size_t Bytes = U32(Entry + 8), Offset = U32(Entry + 12);
    if (Offset > Data.size() || Bytes > Data.size() - Offset) continue;
    Integer W = 0, H = 0;
    int Bits = 0;
    const size_t Need = DibIconBytes(&Data[Offset], Bytes, W, H, Bits);
    if (!Need || Need > Bytes) continue;
    const int64_t Score = int64_t(W) * H * 64 + Bits;
    if (Score > BestScore) {
      BestScore = Score;
      Best = &Data[Offset];
      BestBytes = Bytes;
      BestW = W;
      BestH = H;
    }
  }
  if (!Best) InvalidIcon("no readable image");
  HICON Icon = CreateIconFromResourceEx(const_cast<PBYTE>(Best), DWORD(BestBytes), TRUE, 0x00030000, BestW, BestH,
                                        LR_DEFAULTCOLOR);
  if (!Icon) InvalidIcon("the image cannot be read");
  SetHandle(Icon);
}

void TIcon::SaveToStream(TStream& Stream) const {
  ICONINFO Info{};
  if (!FHandle || !GetIconInfo(FHandle.get(), &Info)) throw EInvalidGraphicOperation("Cannot save an empty icon");
  TBitmapHandle Color(Info.hbmColor), Mask(Info.hbmMask);
  if (!Color) throw EInvalidGraphicOperation("Cannot save a monochrome icon");
  const Integer W = FWidth, H = FHeight;
  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } Layout{};
  Layout.Header.biSize = sizeof(BITMAPINFOHEADER);
  Layout.Header.biWidth = W;
  Layout.Header.biHeight = H;
  Layout.Header.biPlanes = 1;
  Layout.Header.biBitCount = 32;
  Layout.Header.biCompression = BI_RGB;
  std::vector<uint8_t> Pixels(RowBytes(W, 32) * size_t(H)), Masks(RowBytes(W, 1) * size_t(H));
  TWindowDC Screen(nullptr);
  GetDIBits(Screen.Get(), Color.Get(), 0, UINT(H), Pixels.data(), reinterpret_cast<BITMAPINFO*>(&Layout),
            DIB_RGB_COLORS);
  Layout.Header = {};
  Layout.Header.biSize = sizeof(BITMAPINFOHEADER);
  Layout.Header.biWidth = W;
  Layout.Header.biHeight = H;
  Layout.Header.biPlanes = 1;
  Layout.Header.biBitCount = 1;
  Layout.Header.biCompression = BI_RGB;
  GetDIBits(Screen.Get(), Mask.Get(), 0, UINT(H), Masks.data(), reinterpret_cast<BITMAPINFO*>(&Layout), DIB_RGB_COLORS);

  const uint32_t ImageBytes = uint32_t(40 + Pixels.size() + Masks.size());
  std::vector<uint8_t> Out;
  PutU16(Out, 0);
  PutU16(Out, 1);
  PutU16(Out, 1);
  Out.push_back(uint8_t(W >= 256 ? 0 : W));
  Out.push_back(uint8_t(H >= 256 ? 0 : H));
  Out.push_back(0);
  Out.push_back(0);
  PutU16(Out, 1);
  PutU16(Out, 32);
  PutU32(Out, ImageBytes);
  PutU32(Out, 6 + 16);
  PutU32(Out, 40);
  PutU32(Out, uint32_t(W));
  PutU32(Out, uint32_t(H * 2));
  PutU16(Out, 1);
  PutU16(Out, 32);
  for (int I = 0; I < 6; ++I) PutU32(Out, 0);
  Out.insert(Out.end(), Pixels.begin(), Pixels.end());
  Out.insert(Out.end(), Masks.begin(), Masks.end());
  Stream.WriteBuffer(Out.data(), int64_t(Out.size()));
}

// [TPicture] -----------------------------------------------------------------------------------

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo Info{"TPicture", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Take(std::unique_ptr<TGraphic> Graphic) {
  FGraphic = std::move(Graphic);
  if (FGraphic) FGraphic->OnChange = [this] { Changed(); };
  Changed();
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

void TPicture::SetGraphic(const TGraphic* Value) {
  if (!Value) return Take(nullptr);
  if (Value == FGraphic.get()) return;
  std::unique_ptr<TGraphic> Copy = GraphicLike(*Value);
  Copy->Assign(Value);
  Take(std::move(Copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*FGraphic);
}

TIcon& TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Take(std::make_unique<TIcon>());
  return static_cast<TIcon&>(*FGraphic);
}

Integer TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
Integer TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const std::string& FileName) {
  std::unique_ptr<TGraphic> Loaded = GraphicForExtension(FileName);
  Loaded->LoadFromFile(FileName);
  Take(std::move(Loaded));
}

void TPicture::SaveToFile(const std::string& FileName) const {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::LoadFromStream(TStream& Stream) {
  uint8_t Head[8] = {};
  std::unique_ptr<TGraphic> Loaded;
  if (Stream.CanSeek()) {
    const int64_t Start = Stream.Position();
    const int64_t Got = Stream.Read(Head, sizeof Head);
    Stream.SetPosition(Start);
    Loaded = GraphicForSignature(Head, size_t(std::max<int64_t>(Got, 0)));
    Loaded->LoadFromStream(Stream);
  } else {
    // Bytes that were read cannot be given back: the signature is read from a copy.
    TMemoryStream Copy;
    uint8_t Piece[64 << 10];
    for (int64_t Got; (Got = Stream.Read(Piece, sizeof Piece)) > 0;) Copy.WriteBuffer(Piece, Got);
    Loaded = GraphicForSignature(Copy.Memory(), size_t(Copy.Size()));
    Copy.SetPosition(0);
    Loaded->LoadFromStream(Copy);
  }
  Take(std::move(Loaded));
}

void TPicture::SaveToStream(TStream& Stream) const {
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

void TPicture::Assign(const TPersistent* Source) {
  if (!Source) return Take(nullptr);
  if (const auto* Other = dynamic_cast<const TPicture*>(Source)) {
    if (Other != this) SetGraphic(Other->FGraphic.get());
    return;
  }
  if (const auto* Graphic = dynamic_cast<const TGraphic*>(Source)) return SetGraphic(Graphic);
  TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) const {
  if (auto* Graphic = dynamic_cast<TGraphic*>(Dest)) {
    if (FGraphic) return Graphic->Assign(FGraphic.get());
  }
  TPersistent::AssignTo(Dest);
}
