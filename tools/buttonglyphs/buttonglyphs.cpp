// Draws the glyphs of the skinned push button's kinds (OK, Cancel, Help, Yes, No, Close, Abort,
// Retry, Ignore, All) as 32 x 16 BMP files on a magenta key: the normal image, then the disabled
// one in grey; and the list box's 12 x 12 mark of a TrueType font family, two overlapping letters
// T. The controls' resource script compiles them in. Portable; run by hand when a
// glyph changes (build target buttonglyphs):
//   build/native/tools/buttonglyphs vexel/controls/res
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "framework/core/file_save.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr int Size = 16;
constexpr TvxColor Key = 0xFFFF00FF, Grey = 0xFF808080, White = 0xFFFFFFFF;

TvxColor Rgb(uint8_t R, uint8_t G, uint8_t B) { return 0xFF000000u | (uint32_t(R) << 16) | (uint32_t(G) << 8) | B; }

// One 16 x 16 image drawn with a pen of two pixels; the disabled copy keeps the shapes in grey
// with a white edge below and right of them, as engraved.
class TGlyph {
 public:
  TGlyph() {
    FImage.SetSize(Size, Size);
    Clear();
  }
  void Clear() {
    for (int Y = 0; Y < Size; ++Y)
      for (int X = 0; X < Size; ++X) FImage.SetPixel(X, Y, Key);
  }
  void Dot(int X, int Y, TvxColor C) {
    if (X >= 0 && Y >= 0 && X < Size && Y < Size) FImage.SetPixel(X, Y, C);
  }
  void Box(int L, int T, int R, int B, TvxColor C) {
    for (int Y = T; Y < B; ++Y)
      for (int X = L; X < R; ++X) Dot(X, Y, C);
  }
  // A two-pixel line from (X0, Y0) to (X1, Y1).
  void Line(int X0, int Y0, int X1, int Y1, TvxColor C) {
    const int Steps = std::max(std::abs(X1 - X0), std::abs(Y1 - Y0));
    for (int I = 0; I <= Steps; ++I) {
      const int X = X0 + (Steps ? (X1 - X0) * I / Steps : 0), Y = Y0 + (Steps ? (Y1 - Y0) * I / Steps : 0);
      Box(X, Y, X + 2, Y + 2, C);
    }
  }
  // The pixels whose centre lies between radius Inner and Outer around (7.5, 7.5), where Keep
  // says so (an angle in degrees, 0 at the right, counting clockwise).
  void Ring(double Inner, double Outer, TvxColor C, const std::function<bool(double)>& Keep = {}) {
    for (int Y = 0; Y < Size; ++Y)
      for (int X = 0; X < Size; ++X) {
        const double DX = X - 7.5, DY = Y - 7.5, D = std::sqrt(DX * DX + DY * DY);
        double A = std::atan2(DY, DX) * 180 / 3.14159265358979;
        if (A < 0) A += 360;
        if (D >= Inner && D <= Outer && (!Keep || Keep(A))) Dot(X, Y, C);
      }
  }
  TvxColor At(int X, int Y) const { return FImage.GetPixel(X, Y); }

 private:
  TvxBitmap FImage;
};

void Save(const TGlyph& Glyph, const std::string& File) {
  TvxBitmap Strip;
  Strip.SetSize(2 * Size, Size);
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < 2 * Size; ++X) Strip.SetPixel(X, Y, Key);
  for (int Y = 0; Y < Size; ++Y)
    for (int X = 0; X < Size; ++X) {
      if (Glyph.At(X, Y) == Key) continue;
      Strip.SetPixel(X, Y, Glyph.At(X, Y));
      if (X + 1 < Size && Y + 1 < Size && Glyph.At(X + 1, Y + 1) == Key) Strip.SetPixel(Size + X + 1, Y + 1, White);
      // White parts of a figure stay white, so that a mark on a disc still shows.
      Strip.SetPixel(Size + X, Y, Glyph.At(X, Y) == White ? White : Grey);
    }
  // The key colour is read from the bottom-left pixel: it must stay free.
  Strip.SetPixel(0, Size - 1, Key);
  SaveFileReplacing(File, [&Strip](TStream& Out) { SaveBmpFile(Strip, Out); });
}

void CheckMark(TGlyph& G, int DX, TvxColor C) {
  G.Line(2 + DX, 7, 5 + DX, 10, C);
  G.Line(5 + DX, 10, 11 + DX, 3, C);
}

// Two letters T, the back one grey and the front one dark blue, on the key colour.
void SaveTrueTypeMark(const std::string& File) {
  constexpr int Side = 12;
  TvxBitmap Mark;
  Mark.SetSize(Side, Side);
  for (int Y = 0; Y < Side; ++Y)
    for (int X = 0; X < Side; ++X) Mark.SetPixel(X, Y, Key);
  const auto Letter = [&Mark](int L, int T, TvxColor C) {
    for (int X = L; X < L + 7; ++X)
      for (int Y = T; Y < T + 2; ++Y) Mark.SetPixel(X, Y, C);
    for (int Y = T; Y < T + 8; ++Y)
      for (int X = L + 2; X < L + 5; ++X) Mark.SetPixel(X, Y, C);
  };
  Letter(0, 0, Grey);
  Letter(4, 3, Rgb(0, 0, 128));
  SaveFileReplacing(File, [&Mark](TStream& Out) { SaveBmpFile(Mark, Out); });
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 2) {
    std::fprintf(stderr, "usage: buttonglyphs DIR\n");
    return 1;
  }
  const std::string Dir = Argv[1];
  const TvxColor Green = Rgb(0, 128, 0), Red = Rgb(192, 0, 0), Blue = Rgb(0, 64, 192), Teal = Rgb(0, 112, 112),
                 Yellow = Rgb(240, 200, 0);
  const std::pair<const char*, std::function<void(TGlyph&)>> Kinds[] = {
      {"ok", [&](TGlyph& G) { CheckMark(G, 1, Green); }},
      {"cancel",
       [&](TGlyph& G) {
         G.Line(3, 3, 11, 11, Red);
         G.Line(11, 3, 3, 11, Red);
       }},
      {"help",
       [&](TGlyph& G) {
         G.Box(5, 2, 11, 4, Blue);
         G.Box(4, 3, 6, 5, Blue);
         G.Box(10, 3, 12, 7, Blue);
         G.Box(7, 7, 11, 9, Blue);
         G.Box(7, 8, 9, 11, Blue);
         G.Box(7, 12, 9, 14, Blue);
       }},
      {"yes", [&](TGlyph& G) { CheckMark(G, 1, Green); }},
      {"no",
       [&](TGlyph& G) {
         G.Ring(4.6, 6.6, Red);
         G.Line(3, 11, 11, 3, Red);
       }},
      {"close",
       [&](TGlyph& G) {
         G.Box(4, 1, 12, 15, Teal);
         G.Box(6, 3, 10, 15, Key);
         G.Box(9, 8, 10, 9, Yellow);
       }},
      {"abort",
       [&](TGlyph& G) {
         G.Ring(0, 7.2, Red);
         G.Line(4, 4, 10, 10, White);
         G.Line(10, 4, 4, 10, White);
       }},
      {"retry",
       [&](TGlyph& G) {
         G.Ring(3.8, 5.8, Green, [](double A) { return A < 300 || A > 350; });
         G.Box(10, 1, 14, 3, Green);
         G.Box(12, 1, 14, 5, Green);
       }},
      {"ignore",
       [&](TGlyph& G) {
         G.Line(2, 7, 11, 7, Blue);
         G.Line(8, 4, 11, 7, Blue);
         G.Line(8, 10, 11, 7, Blue);
         G.Box(13, 3, 15, 13, Blue);
       }},
      {"all",
       [&](TGlyph& G) {
         CheckMark(G, -1, Green);
         CheckMark(G, 3, Green);
       }},
  };
  try {
    for (const auto& [Name, Draw] : Kinds) {
      TGlyph Glyph;
      Draw(Glyph);
      Save(Glyph, Dir + "/vx_btn_" + Name + ".bmp");
    }
    SaveTrueTypeMark(Dir + "/vx_list_truetype.bmp");
  } catch (const Exception& E) {
    std::fprintf(stderr, "buttonglyphs: %s\n", E.Message().c_str());
    return 1;
  }
  return 0;
}
