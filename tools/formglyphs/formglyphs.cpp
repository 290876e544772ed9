// Draws the six glyphs of the skinned forms' system menu (close, minimize, maximize, restore,
// roll up, tray) as BMP files on a magenta mask, the form the forms' resource script compiles in.
// Portable; run by hand when a glyph changes (build target formglyphs):
//   build/native/tools/formglyphs vexel/forms/res
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/file_save.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr TvxColor Black = 0xFF000000, Magenta = 0xFFFF00FF;

// 0 is the figure (black), 1 the mask (magenta).
class TGlyph {
 public:
  explicit TGlyph(int Size) : FSize(Size), FPixels(size_t(Size * Size), 1) {}
  void Fill(int L, int T, int R, int B) {
    for (int Y = T; Y < B; ++Y)
      for (int X = L; X < R; ++X)
        if (X >= 0 && Y >= 0 && X < FSize && Y < FSize) FPixels[size_t(Y * FSize + X)] = 0;
  }
  // A frame with a thicker top edge, as a window's caption.
  void Window(int L, int T, int R, int B) {
    Fill(L, T, R, T + 2);
    Fill(L, T, L + 1, B);
    Fill(R - 1, T, R, B);
    Fill(L, B - 1, R, B);
  }
  // Through a temporary file, so a failed run leaves the previous glyph in place.
  void Save(const std::string& File) const {
    TvxBitmap Image;
    Image.SetSize(FSize, FSize);
    for (int Y = 0; Y < FSize; ++Y)
      for (int X = 0; X < FSize; ++X) Image.SetPixel(X, Y, FPixels[size_t(Y * FSize + X)] ? Magenta : Black);
    SaveFileReplacing(File, [&Image](TStream& Out) { SaveBmpFile(Image, Out); });
  }

 private:
  int FSize;
  std::vector<uint8_t> FPixels;
};

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc != 2) {
    std::fprintf(stderr, "usage: formglyphs DIR\n");
    return 1;
  }
  const std::string Dir = Argv[1];
  TGlyph Close(16), Minimize(17), Maximize(16), Restore(16), Rollup(16), Tray(16);
  for (int I = 0; I < 8; ++I) {
    Close.Fill(4 + I, 4 + I, 6 + I, 5 + I);
    Close.Fill(10 - I, 4 + I, 12 - I, 5 + I);
  }
  Minimize.Fill(4, 11, 11, 13);
  Maximize.Window(3, 3, 13, 12);
  Restore.Window(6, 2, 14, 9);
  Restore.Window(2, 6, 10, 13);
  for (int I = 0; I < 4; ++I) Rollup.Fill(7 - I, 6 + I, 9 + I, 7 + I);
  Tray.Fill(10, 10, 14, 14);
  Tray.Fill(2, 13, 14, 14);
  const std::pair<const TGlyph*, const char*> Files[] = {{&Close, "close"},       {&Minimize, "minimize"},
                                                         {&Maximize, "maximize"}, {&Restore, "restore"},
                                                         {&Rollup, "rollup"},     {&Tray, "tray"}};
  try {
    for (const auto& [Glyph, Name] : Files) Glyph->Save(Dir + "/vx_form_" + Name + ".bmp");
  } catch (const Exception& E) {
    std::fprintf(stderr, "formglyphs: %s\n", E.Message().c_str());
    return 1;
  }
  return 0;
}
