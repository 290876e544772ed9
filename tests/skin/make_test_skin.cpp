// Test helper for skintool_test.sh, not a test itself.
//   make_test_skin FILE            writes a small skin (variant by FILE's extension)
//   make_test_skin --render FILE   writes the skin of the render tests
//   make_test_skin --pixel PNG X Y prints "<width>x<height> <AARRGGBB of pixel X, Y>"
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <vector>

#include "vexel/skin/theme_dv3source.h"

namespace {

void AddImage(TDvSkinSource& S, const std::string& Name, Integer W, Integer H, TvxColor Fill) {
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(W, H);
  Image->Fill(Fill);
  Image->SetName(Name);
  S.Images().Add(std::move(Image));
}

// Four images: a key pixel, partial alpha, an empty name and a name that differs from the
// first only in letter case. A form with a linked child, and a button linked to no image.
void WriteSkin(const std::string& FileName) {
  TDvSkinSource S;
  S.SetSkinName("Test Skin");
  S.SetSkinVersion("1.0");
  S.SetAuthor("Vexel tests");
  S.SetAuthorEMail("tests@vexel.invalid");
  S.SetAuthorURL("https://vexel.invalid/tests");
  AddImage(S, "Key", 4, 3, 0xFF336699);
  S.Images().Items(0)->SetPixel(0, 0, vxKeyColor);
  AddImage(S, "semi/alpha", 2, 2, 0x80FF0000);
  S.Images().Items(1)->SetPixel(1, 1, 0x40FFFFFF);
  AddImage(S, "", 1, 1, 0xFF000000);
  AddImage(S, "KEY", 1, 1, 0xFFFFFFFF);

  auto Form = std::make_unique<TDvFormBitmapSkinObject>();
  Form->SetName("Form");
  Form->SetKind(TDvKind::skForm);
  Form->Bitmap()->SetName("semi/alpha");
  Form->Bitmap()->SetRect(Rect(0, 0, 2, 2));
  auto* Client = new TDvBitmapSkinObject(Form.get());
  Client->SetName("Client");
  Client->SetKind(TDvKind::skClient);
  Client->Bitmap()->SetName("Key");
  Client->Bitmap()->SetRect(Rect(0, 0, 4, 3));
  S.AddObject(std::move(Form));
  auto Button = std::make_unique<TDvButtonObject>();
  Button->SetName("Button");
  Button->Bitmap()->SetName("Missing");
  Button->Bitmap()->SetRect(Rect(0, 0, 1, 1));
  S.AddObject(std::move(Button));

  S.Colors().SetColor(0, clBlue);
  S.SysColors().SetEntry(0, 0x00010203);
  S.Fonts().Font(0).SetStyle({TFontStyle::fsBold});
  S.SaveToFile(FileName);
}

// Objects for skintool render, over two small images: "frame" (3 x 3, each pixel its own
// colour FF<10(x+1)><10(y+1)>80) and "states" (blue, then red).
void WriteRenderSkin(const std::string& FileName) {
  TDvSkinSource S;
  auto Frame = std::make_unique<TvxBitmap>();
  Frame->SetSize(3, 3);
  for (Integer Y = 0; Y < 3; ++Y)
    for (Integer X = 0; X < 3; ++X)
      Frame->SetPixel(X, Y, 0xFF000080 | TvxColor(0x10 * (X + 1)) << 16 | TvxColor(0x10 * (Y + 1)) << 8);
  Frame->SetPixel(2, 1, vxKeyColor);
  Frame->SetName("frame");
  S.Images().Add(std::move(Frame));
  AddImage(S, "states", 2, 1, 0xFF0000FF);
  S.Images().Items(1)->SetPixel(1, 0, 0xFFFF0000);

  const auto Link = [](TvxBitmapLink* L, const char* Image, TRect R) {
    L->SetName(Image);
    L->SetRect(R);
  };
  auto Panel = std::make_unique<TDvBitmapObject>();
  Panel->SetName("Panel");
  Panel->SetBounds(Bounds(0, 0, 6, 4));
  Panel->SetMarginLeft(1), Panel->SetMarginTop(1), Panel->SetMarginRight(1), Panel->SetMarginBottom(1);
  Link(Panel->Bitmap(), "frame", Rect(0, 0, 3, 3));
  S.AddObject(std::move(Panel));
  auto Button = std::make_unique<TDvButtonObject>();
  Button->SetName("Button");
  Button->SetBounds(Bounds(0, 0, 4, 4));
  Link(Button->Bitmap(), "states", Rect(0, 0, 1, 1));
  Link(Button->BitmapHot(), "states", Rect(1, 0, 2, 1));
  S.AddObject(std::move(Button));
  auto Caption = std::make_unique<TDvActiveObject>();
  Caption->SetName("Caption");
  Caption->SetBounds(Bounds(0, 0, 30, 10));
  Caption->SetColor(0x000080);
  Caption->SetActiveColor(0x008000);
  Caption->Font()->SetColor(clRed);
  S.AddObject(std::move(Caption));
  auto Placeholder = std::make_unique<TDvLinkSkinObject>();
  Placeholder->SetName("Placeholder");
  Placeholder->SetBounds(Bounds(0, 0, 40, 12));
  Placeholder->SetLinkControl("Memo1");
  S.AddObject(std::move(Placeholder));
  auto Empty = std::make_unique<TDvSkinObject>();
  Empty->SetName("Empty");
  S.AddObject(std::move(Empty));
  S.SaveToFile(FileName);
}

int PrintPixel(const char* FileName, int X, int Y) {
  png_image Png{};
  Png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Png, FileName)) {
    std::cerr << "make_test_skin: " << Png.message << "\n";
    return 1;
  }
  Png.format = PNG_FORMAT_RGBA;
  std::vector<png_byte> Rgba(PNG_IMAGE_SIZE(Png));
  if (!png_image_finish_read(&Png, nullptr, Rgba.data(), 0, nullptr)) {
    std::cerr << "make_test_skin: " << Png.message << "\n";
    return 1;
  }
  if (X < 0 || Y < 0 || png_uint_32(X) >= Png.width || png_uint_32(Y) >= Png.height) {
    std::cerr << "make_test_skin: pixel outside the image\n";
    return 1;
  }
  const png_byte* P = &Rgba[(size_t(Y) * Png.width + size_t(X)) * 4];
  std::printf("%ux%u %02X%02X%02X%02X\n", unsigned(Png.width), unsigned(Png.height), P[3], P[0], P[1], P[2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2) {
      WriteSkin(argv[1]);
      return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--render") {
      WriteRenderSkin(argv[2]);
      return 0;
    }
    if (argc == 5 && std::string(argv[1]) == "--pixel")
      return PrintPixel(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    std::cerr << "usage: make_test_skin FILE | --render FILE | --pixel PNG X Y\n";
  } catch (const std::exception& E) {
    std::cerr << "make_test_skin: " << E.what() << "\n";
  }
  return 1;
}
