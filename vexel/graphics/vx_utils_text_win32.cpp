// Wide-text helpers of vx_utils: drawing and measuring on both platform families, rotated text,
// ellipsis and code-page conversion.
#include <windows.h>

#include <algorithm>
#include <climits>

#include "framework/core/exceptions.h"
#include "framework/graphics/gdi_handles.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/graphics/vx_winapi.h"

namespace {

// Platform calls take int lengths; anything longer is cut there.
template <typename TString>
int LengthOf(const TString& S) {
  return S.size() > size_t(INT_MAX) ? INT_MAX : int(S.size());
}

std::string ToSystemCodePage(const std::wstring& Text) {
  const int Length = LengthOf(Text);
  if (Length == 0) return {};
  const int Size = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, Text.data(), Length, nullptr, 0, nullptr, nullptr);
  if (Size <= 0) return {};
  std::string Result(size_t(Size), '\0');
  const int Written =
      WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, Text.data(), Length, Result.data(), Size, nullptr, nullptr);
  Result.resize(size_t(std::max(Written, 0)));
  return Result;
}

SIZE Extent(HDC DC, const wchar_t* Text, int Length) {
  SIZE Size{};
  GetTextExtentPoint32W(DC, Text, Length, &Size);
  return Size;
}

SIZE Extent(HDC DC, const std::wstring& Text) { return Extent(DC, Text.data(), LengthOf(Text)); }

bool StartsSurrogatePair(const std::wstring& Text, size_t I) {
  return I + 1 < Text.size() && Text[I] >= 0xD800 && Text[I] <= 0xDBFF && Text[I + 1] >= 0xDC00 &&
         Text[I + 1] <= 0xDFFF;
}

}  // namespace

Integer DrawTextWide(HDC DC, const std::wstring& Text, TRect& R, UINT Format) {
  // DT_MODIFYSTRING would write into Text's buffer, past its end when it adds an ellipsis.
  Format &= ~UINT(DT_MODIFYSTRING);
  TBkModeGuard Transparent(DC, TRANSPARENT);
  RECT Box{R.Left, R.Top, R.Right, R.Bottom};
  Integer Height;
  if (PlatformIsNT()) {
    Height = DrawTextW(DC, Text.c_str(), LengthOf(Text), &Box, Format);
  } else {
    const std::string Narrow = ToSystemCodePage(Text);
    Height = DrawTextA(DC, Narrow.c_str(), LengthOf(Narrow), &Box, Format);
  }
  R = {Box.left, Box.top, Box.right, Box.bottom};
  return Height;
}

void TextOutWide(HDC DC, const std::wstring& Text, Integer X, Integer Y) {
  TRect Box{X, Y, X + TextWidthWide(DC, Text, 0), Y + TextHeightWide(DC, Text)};
  DrawTextWide(DC, Text, Box, 0);
}

Integer TextWidthWide(HDC DC, const std::wstring& Text, UINT Format) {
  if (Format == 0) return Extent(DC, Text).cx;
  const std::string Narrow = ToSystemCodePage(Text);
  RECT Box{0, 0, 0, 0};
  DrawTextA(DC, Narrow.c_str(), LengthOf(Narrow), &Box, (Format | DT_CALCRECT) & ~UINT(DT_MODIFYSTRING));
  return Box.right;
}

Integer TextHeightWide(HDC DC, const std::wstring& Text) { return Extent(DC, Text).cy; }

Integer DrawRotatedText(HDC DC, const std::wstring& Text, const TRect& R, bool Clockwise, UINT Format) {
  const Integer W = RectWidth(R), H = RectHeight(R);
  if (W <= 0 || H <= 0) return 0;
  TvxBitmap Upright, Turned;
  try {
    Upright.SetSize(H, W);
    Turned.SetSize(W, H);
  } catch (const Exception&) {
    return 0;
  }
  Upright.Fill(vxKeyColor);
  Integer Height;
  {
    TSelectGuard Font(Upright.DC(), GetCurrentObject(DC, OBJ_FONT));
    SetTextColor(Upright.DC(), RGB(0, 0, 0));
    TRect Box = Upright.BoundsRect();
    Height = DrawTextWide(Upright.DC(), Text, Box, Format);
  }
  GdiFlush();
  Turned.Fill(vxKeyColor);
  for (Integer Y = 0; Y < W; ++Y) {
    const TvxColor* Row = Upright.Scanline(Y);
    for (Integer X = 0; X < H; ++X) {
      if (IsKeyPixel(Row[X])) continue;
      if (Clockwise)
        *Turned.PixelPtr(W - 1 - Y, X) = Row[X];
      else
        *Turned.PixelPtr(Y, H - 1 - X) = Row[X];
    }
  }
  Turned.SetTransparent(true);
  Turned.Draw(DC, R.Left, R.Top);
  return Height;
}

std::wstring EllipsisText(HDC DC, const std::wstring& Text, Integer MaxWidth) {
  static const std::wstring Dots = L"...";
  if (Extent(DC, Text).cx <= MaxWidth) return Text;
  // Probe is the kept prefix, the next character and the dots, rebuilt in place.
  std::wstring Probe;
  size_t Kept = 0;
  while (Kept < Text.size()) {
    const size_t Step = StartsSurrogatePair(Text, Kept) ? 2 : 1;
    Probe.assign(Text, 0, Kept + Step);
    Probe += Dots;
    if (Extent(DC, Probe).cx > MaxWidth) break;
    Kept += Step;
  }
  return Text.substr(0, Kept) + Dots;
}

std::wstring AnsiToWideCP(UINT CodePage, const std::string& S) {
  if (S.empty()) return {};
  const auto Convert = [&S](UINT Page) -> std::wstring {
    if (S.size() > size_t(INT_MAX)) return {};
    constexpr DWORD Flags = MB_PRECOMPOSED | MB_USEGLYPHCHARS;
    const int Size = MultiByteToWideChar(Page, Flags, S.data(), int(S.size()), nullptr, 0);
    if (Size <= 0) return {};
    std::wstring Result(size_t(Size), L'\0');
    const int Written = MultiByteToWideChar(Page, Flags, S.data(), int(S.size()), Result.data(), Size);
    Result.resize(size_t(std::max(Written, 0)));
    return Result;
  };
  std::wstring Result = Convert(CodePage);
  if (Result.empty() && CodePage != CP_ACP) Result = Convert(CP_ACP);
  if (Result.empty()) Result.assign(S.size(), L'?');
  return Result;
}
