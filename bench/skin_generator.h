// A large, deterministic skin for the load/save benchmarks: 200 images of 256 x 256 with alpha and
// key pixels, 60 object trees of 51 objects each. Shared by bench_skin and bench_skin_memory.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/core/classes.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"

namespace skinbench {

constexpr int ImageCount = 200;
constexpr int ImageSide = 256;
constexpr int TreeCount = 60;
constexpr int GroupsPerTree = 5;
constexpr int ItemsPerGroup = 9;
constexpr int64_t DecodedImageBytes = int64_t(ImageCount) * ImageSide * ImageSide * 4;

struct TVariant {
  const char* Name;
  TDvSkinFilterClass Class;
  int Level;  // zlib level of the variant; 0 for none
};

inline const std::array<TVariant, 4>& Variants() {
  static const std::array<TVariant, 4> List = {{
      {"uskn", &MakeSkinFilter<TDvSkinFilterUncompressed>, 0},
      {"kskn", &MakeSkinFilter<TDvSkinFilterCompressed>, 1},
      {"xskn", &MakeSkinFilter<TDvSkinFilterUltraCompressed>, Z_DEFAULT_COMPRESSION},
      {"mskn", &MakeSkinFilter<TDvSkinFilterMaxCompression>, Z_DEFAULT_COMPRESSION},
  }};
  return List;
}

inline std::string ImageName(int I) {
  char Buffer[16];
  std::snprintf(Buffer, sizeof Buffer, "img%03d", I);
  return Buffer;
}

inline uint8_t Clamp8(int V) { return uint8_t(V < 0 ? 0 : V > 255 ? 255 : V); }

// Gradients with a little noise in the low bits (compressible, but not trivially), one of four
// alpha patterns, and key-colour holes in every third image. Green never drops below 16, so no
// pixel falls near the key or magenta and loading keeps the pixels as generated.
inline void FillImage(TvxBitmap& B, int Index, std::mt19937& Rng) {
  B.SetSize(ImageSide, ImageSide);
  const int BaseR = int(Rng() % 256), BaseG = int(Rng() % 200) + 16, BaseB = int(Rng() % 256);
  const int Noise = int(Rng() % 4);  // amplitude 0..3
  const int AlphaPattern = Index % 4;
  for (int Y = 0; Y < ImageSide; ++Y) {
    TvxColor* Row = B.Scanline(Y);
    for (int X = 0; X < ImageSide; ++X) {
      const uint32_t N = Rng();
      auto Jitter = [&](int Shift) { return int((N >> Shift) % uint32_t(2 * Noise + 1)) - Noise; };
      const uint8_t R = Clamp8(BaseR + (X - 128) / 2 + Jitter(0));
      const uint8_t G = std::max<uint8_t>(16, Clamp8(BaseG + (Y - 128) / 4 + Jitter(8)));
      const uint8_t Bl = Clamp8(BaseB + (X + Y - 256) / 4 + Jitter(16));
      uint32_t A = 255;
      if (AlphaPattern == 1) A = uint32_t(Y);  // vertical fade
      if (AlphaPattern == 2)
        A = (X < 16 || Y < 16 || X >= 240 || Y >= 240) ? uint32_t(X + Y) % 256 : 255;                    // soft border
      if (AlphaPattern == 3) A = ((X / 32 + Y / 32) % 2) ? 255 : uint32_t(Clamp8(64 + Jitter(24) * 8));  // patches
      Row[X] = (A << 24) | (uint32_t(R) << 16) | (uint32_t(G) << 8) | Bl;
    }
  }
  if (Index % 3 == 0) {
    // Key holes: a few rectangles, as in shaped window corners.
    for (int K = 0; K < 4; ++K) {
      const int X0 = int(Rng() % 224), Y0 = int(Rng() % 224), W = 8 + int(Rng() % 24), H = 8 + int(Rng() % 24);
      for (int Y = Y0; Y < Y0 + H; ++Y)
        for (int X = X0; X < X0 + W; ++X) B.Scanline(Y)[X] = vxKeyColor;
    }
  }
  B.SetName(ImageName(Index));
  B.SetTransparent(Index % 3 == 0);
  B.CheckAlpha();
}

inline TRect RandomRect(std::mt19937& Rng) {
  const Integer L = Integer(Rng() % 192), T = Integer(Rng() % 192);
  return Rect(L, T, L + 8 + Integer(Rng() % 56), T + 8 + Integer(Rng() % 56));
}

inline void Link(TvxBitmapLink& L, std::mt19937& Rng) {
  L.SetName(ImageName(int(Rng() % ImageCount)));
  L.SetRect(RandomRect(Rng));
}

inline void Common(TDvSkinObject& O, int& Serial, std::mt19937& Rng) {
  O.SetName("Obj" + std::to_string(Serial++));
  O.SetAlign(TDvAlign(Rng() % 16));
  O.SetColor(TColor(Rng() & 0x00FFFFFF));
  O.SetBounds(Bounds(Integer(Rng() % 400), Integer(Rng() % 300), 10 + Integer(Rng() % 200), 10 + Integer(Rng() % 80)));
  O.SetMarginLeft(Integer(Rng() % 8));
  O.SetMarginTop(Integer(Rng() % 8));
  O.SetMarginRight(Integer(Rng() % 8));
  O.SetMarginBottom(Integer(Rng() % 8));
}

// Each tree: a form, five groups, nine items per group (bitmaps, texts, title buttons; every
// third bitmap has a bitmap child of its own).
inline void BuildTree(TDvSkinSource& S, int TreeIndex, std::mt19937& Rng) {
  int Serial = 0;
  auto Form = std::make_unique<TDvSkinObject>();
  Common(*Form, Serial, Rng);
  Form->SetName("Form" + std::to_string(TreeIndex));
  Form->SetKind(TDvKind::skForm);
  TDvSkinObject* Top = Form.get();
  S.AddObject(std::move(Form));
  int Items = 0;
  for (int G = 0; G < GroupsPerTree; ++G) {
    auto* Group = new TDvSkinObject(Top);
    Common(*Group, Serial, Rng);
    Group->SetKind(TDvKind(2 + G));
    for (int I = 0; I < ItemsPerGroup; ++I, ++Items) {
      switch (Items % 4) {
        case 0:
        case 1: {
          TDvSkinObject* Parent = Group;
          // Every third bitmap sits inside the previous bitmap: deeper trees.
          if (Items % 3 == 0 && Group->ChildCount() > 0) Parent = Group->Child(Group->ChildCount() - 1);
          auto* B = new TDvBitmapSkinObject(Parent);
          Common(*B, Serial, Rng);
          B->SetTileStyle(TscTileStyle(Rng() % 7));
          Link(*B->Bitmap(), Rng);
          break;
        }
        case 2: {
          auto* T = new TDvTextObject(Group);
          Common(*T, Serial, Rng);
          T->SetKind(TDvKind::skItemText);
          T->SetTextAlign(TDvTextAlign(Rng() % 9));
          T->FontHot()->SetColor(TColor(Rng() & 0x00FFFFFF));
          T->FontPressed()->SetStyle({TFontStyle::fsBold});
          break;
        }
        default: {
          auto* Button = new TDvSysButtonSkinObject(Group);
          Common(*Button, Serial, Rng);
          Button->SetAction(TDvAction(1 + Rng() % 10));
          Link(*Button->Bitmap(), Rng);
          Link(*Button->BitmapHover(), Rng);
          Link(*Button->BitmapDown(), Rng);
          break;
        }
      }
    }
  }
  Top->SetImageList(&S.Images());
  Top->UpdateLinks();
}

inline std::unique_ptr<TDvSkinSource> GenerateSkin() {
  std::mt19937 Rng(20260101);
  auto S = std::make_unique<TDvSkinSource>();
  S->SetSkinName("Benchmark skin");
  for (int I = 0; I < ImageCount; ++I) {
    auto B = std::make_unique<TvxBitmap>();
    FillImage(*B, I, Rng);
    S->Images().Add(std::move(B));
  }
  for (int T = 0; T < TreeCount; ++T) BuildTree(*S, T, Rng);
  return S;
}

inline int64_t CountObjects(const TDvSkinObject& O) {
  int64_t N = 1;
  for (Integer I = 0; I < O.ChildCount(); ++I) N += CountObjects(*O.Child(I));
  return N;
}

inline int64_t CountObjects(const TDvSkinSource& S) {
  int64_t N = 0;
  for (Integer I = 0; I < S.ObjectCount(); ++I) N += CountObjects(*S.Objects(I));
  return N;
}

inline std::vector<uint8_t> Save(const TDvSkinSource& S, TDvSkinFilterClass Class) {
  const TDvSkinFilterClass Previous = DefaultSkinFilter();
  SetDefaultSkinFilter(Class);
  TMemoryStream Out;
  S.SaveToStream(Out);
  SetDefaultSkinFilter(Previous);
  return Out.Data();
}

// The content a file carries: after the 5-byte tag, and for compressed variants after "ZQLZ",
// inflated.
inline std::vector<uint8_t> ContentOf(const std::vector<uint8_t>& File, int Level, int64_t Hint) {
  if (Level == 0) return {File.begin() + 5, File.end()};
  std::vector<uint8_t> Out(size_t(Hint) + (1 << 20));
  uLongf Size = uLongf(Out.size());
  if (uncompress(Out.data(), &Size, File.data() + 9, uLong(File.size() - 9)) != Z_OK)
    throw std::runtime_error("cannot inflate a saved skin");
  Out.resize(Size);
  return Out;
}

}  // namespace skinbench
