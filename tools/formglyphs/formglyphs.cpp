// Draws the six glyphs of the skinned forms' system menu (close, minimize, maximize, restore,
// roll up, tray) as 16-colour BMP files on a magenta mask, the form the forms' resource script
// compiles in. Portable; run by hand when a glyph changes:
//   g++ -std=c++20 -o /tmp/formglyphs tools/formglyphs/formglyphs.cpp && /tmp/formglyphs vexel/forms/res
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Palette indices: 0 black (the figure), 1 magenta (the mask).
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
  bool Save(const std::string& File) const {
    const int RowBytes = ((FSize * 4 + 31) / 32) * 4;
    const uint32_t PaletteBytes = 16 * 4, Offset = 14 + 40 + PaletteBytes;
    const uint32_t FileSize = Offset + uint32_t(RowBytes * FSize);
    std::vector<uint8_t> Out;
    auto U16 = [&](uint32_t V) {
      Out.push_back(uint8_t(V));
      Out.push_back(uint8_t(V >> 8));
    };
    auto U32 = [&](uint32_t V) {
      U16(V & 0xFFFF);
      U16(V >> 16);
    };
    Out.push_back('B');
    Out.push_back('M');
    U32(FileSize);
    U32(0);
    U32(Offset);
    U32(40);
    U32(uint32_t(FSize));
    U32(uint32_t(FSize));  // bottom-up rows
    U16(1);
    U16(4);
    U32(0);
    U32(uint32_t(RowBytes * FSize));
    U32(2835);
    U32(2835);
    U32(16);
    U32(0);
    // Blue, green, red, reserved.
    const uint32_t Palette[16] = {0x000000, 0xFF00FF};
    for (uint32_t C : Palette) U32(C);
    for (int Y = FSize - 1; Y >= 0; --Y) {
      std::vector<uint8_t> Row(size_t(RowBytes), 0);
      for (int X = 0; X < FSize; ++X) {
        const uint8_t P = FPixels[size_t(Y * FSize + X)];
        Row[size_t(X / 2)] |= uint8_t(X % 2 ? P : P << 4);
      }
      Out.insert(Out.end(), Row.begin(), Row.end());
    }
    FILE* F = std::fopen(File.c_str(), "wb");
    if (!F) return false;
    const bool Ok = std::fwrite(Out.data(), 1, Out.size(), F) == Out.size();
    return std::fclose(F) == 0 && Ok;
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
  for (const auto& [Glyph, Name] : Files)
    if (!Glyph->Save(Dir + "/vx_form_" + Name + ".bmp")) {
      std::fprintf(stderr, "cannot write %s\n", Name);
      return 1;
    }
  return 0;
}
