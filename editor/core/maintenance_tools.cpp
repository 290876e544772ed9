#include "editor/core/maintenance_tools.h"

#include <charconv>
#include <cstring>
#include <functional>

#include "editor/core/editor_prompts.h"
#include "editor/core/skin_document.h"
#include "editor/core/skin_links.h"
#include "framework/core/exceptions.h"
#include "framework/core/reflection.h"
#include "framework/core/sysutils.h"
#include "framework/graphics/font.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/skin/theme_dv3objects.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

constexpr const char* DefaultColorName = "clDefault";

void ForEachObject(TDvSkinObject& Object, const std::function<void(TDvSkinObject&)>& Visit) {
  Visit(Object);
  for (Integer I = 0; I < Object.ChildCount(); ++I) ForEachObject(*Object.Child(I), Visit);
}

void ForEachObject(const TDvSkinSource& Source, const std::function<void(TDvSkinObject&)>& Visit) {
  for (Integer I = 0; I < Source.ObjectCount(); ++I) ForEachObject(*Source.Objects(I), Visit);
}

void ForEachLink(TDvSkinObject& Object, const std::function<void(TvxBitmapLink&)>& Visit) {
  for (const TPropInfo* Info : Object.ClassInfo().AllProperties())
    if (Info->Kind == TPropKind::pkClass)
      if (auto* Link = dynamic_cast<TvxBitmapLink*>(Info->GetObject(&Object))) Visit(*Link);
}

// The fonts the font tool sets, in the order the objects hold them.
std::vector<TFont*> FontsOf(TDvSkinObject& Object) {
  std::vector<TFont*> Fonts{Object.Font()};
  if (auto* Active = dynamic_cast<TDvActiveObject*>(&Object)) Fonts.push_back(Active->ActiveFont());
  if (auto* Active = dynamic_cast<TDvActiveBitmap*>(&Object)) Fonts.push_back(Active->ActiveFont());
  if (auto* Text = dynamic_cast<TDvTextObject*>(&Object))
    for (TFont* F : {Text->FontHot(), Text->FontFocused(), Text->FontPressed(), Text->FontDisabled()}) Fonts.push_back(F);
  return Fonts;
}

void ReleaseImages(std::vector<std::unique_ptr<TvxBitmap>>& Removed, TSkinDocument& Document) {
  Document.AfterBatchChange(Removed);
  Removed.clear();
}

}  // namespace

// [Texts] ----------------------------------------------------------------------------------------

std::string ColorText(TColor Color) { return Color == clDefault ? DefaultColorName : ColorToString(Color); }

TColor ParseColorText(const std::string& Text) {
  const std::string Trimmed = Trim(Text);
  if (SameText(Trimmed, DefaultColorName)) return clDefault;
  if (const std::optional<TColor> Color = StringToColor(Trimmed)) return *Color;
  throw EConvertError("'" + Text + "' is not a valid color value");
}

Integer ParseIntegerText(const std::string& Text) {
  const std::string Trimmed = Trim(Text);
  std::string_view Digits = Trimmed;
  const bool Negative = !Digits.empty() && Digits.front() == '-';
  if (!Digits.empty() && (Digits.front() == '-' || Digits.front() == '+')) Digits.remove_prefix(1);
  const bool Hex = !Digits.empty() && Digits.front() == '$';
  if (Hex) Digits.remove_prefix(1);
  uint64_t Value = 0;
  const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Value, Hex ? 16 : 10);
  const uint64_t Limit = Negative ? 0x80000000u : Hex ? 0xFFFFFFFFu : 0x7FFFFFFFu;
  if (Digits.empty() || Error != std::errc() || End != Digits.data() + Digits.size() || Value > Limit)
    throw EConvertError("'" + Text + "' is not a valid integer value");
  return Negative ? Integer(-int64_t(Value)) : Integer(uint32_t(Value));
}

// [Fonts and colours] ----------------------------------------------------------------------------

Integer ApplyFontFace(TDvSkinSource& Source, const std::string& Face) {
  Integer Changed = 0;
  ForEachObject(Source, [&](TDvSkinObject& Object) {
    for (TFont* Font : FontsOf(Object)) {
      const TColor Fixed = ColorToRGB(Font->Color());
      if (Font->Name() == Face && Font->Color() == Fixed) continue;
      Font->SetName(Face);
      Font->SetColor(Fixed);
      ++Changed;
    }
  });
  return Changed;
}

Integer ReplaceColor(TDvSkinSource& Source, const std::string& From, const std::string& To) {
  const TColor Target = ColorToRGB(ParseColorText(To));
  Integer Count = 0;
  auto Replace = [&](TColor Current, auto Set) {
    if (ColorText(Current) != From) return;
    Set(Target);
    ++Count;
  };
  auto ReplaceFont = [&](TFont* Font) { Replace(Font->Color(), [Font](TColor C) { Font->SetColor(C); }); };
  ForEachObject(Source, [&](TDvSkinObject& Object) {
    Replace(Object.Color(), [&Object](TColor C) { Object.SetColor(C); });
    if (auto* Active = dynamic_cast<TDvActiveObject*>(&Object)) {
      Replace(Active->ActiveColor(), [Active](TColor C) { Active->SetActiveColor(C); });
      ReplaceFont(Active->ActiveFont());
      ReplaceFont(&Active->GetFont());
    } else if (auto* Bitmap = dynamic_cast<TDvActiveBitmap*>(&Object)) {
      ReplaceFont(Bitmap->ActiveFont());
      ReplaceFont(&Bitmap->GetFont());
    }
  });
  return Count;
}

// [Images] ---------------------------------------------------------------------------------------

std::vector<std::unique_ptr<TvxBitmap>> RemoveDuplicateImages(TDvSkinSource& Source) {
  TvxBitmapList& Images = Source.Images();
  std::vector<std::unique_ptr<TvxBitmap>> Removed;
  for (Integer I = 0; I < Images.Count(); ++I)
    for (Integer J = I + 1; J < Images.Count();)
      if (SameText(Images.Items(I)->Name(), Images.Items(J)->Name()))
        Removed.push_back(Images.Delete(J));
      else
        ++J;
  for (Integer I = 0; I < Source.ObjectCount(); ++I) RebindLinks(*Source.Objects(I), Images);
  return Removed;
}

std::optional<std::vector<TRect>> PlaceInAtlas(const std::vector<TSize>& Sizes, Integer Width, Integer Height) {
  std::vector<TRect> Places;
  std::vector<const TRect*> Row;
  for (const TSize& Size : Sizes) {
    std::optional<TRect> Found;
    // Instead of testing every pixel at every offset, each offset blocked by an earlier place
    // skips to that place's right edge: every offset before it overlaps the place too.
    for (Integer Y = 0; !Found && Y < Height - Size.cy; ++Y) {
      Row.clear();
      for (const TRect& P : Places)
        if (!P.IsEmpty() && P.Top < Y + Size.cy && P.Bottom > Y) Row.push_back(&P);
      for (Integer X = 0; X < Width - Size.cx;) {
        Integer Skip = X;
        for (const TRect* P : Row)
          if (P->Left < X + Size.cx && P->Right > X) Skip = std::max(Skip, P->Right);
        if (Skip == X) {
          Found = Bounds(X, Y, Size.cx, Size.cy);
          break;
        }
        X = Skip;
      }
    }
    if (!Found) return std::nullopt;
    Places.push_back(*Found);
  }
  return Places;
}

TAtlasResult BuildImageAtlas(TDvSkinSource& Source, Integer Width, Integer Height) {
  if (Width <= 0 || Height <= 0 || Width > vxMaxBitmapSide || Height > vxMaxBitmapSide ||
      int64_t(Width) * Height > vxMaxBitmapPixels)
    throw Exception(Format("The image size %d x %d is out of range", Width, Height));
  TvxBitmapList& Images = Source.Images();
  std::vector<TSize> Sizes;
  for (Integer I = 0; I < Images.Count(); ++I) Sizes.push_back({Images.Items(I)->Width(), Images.Items(I)->Height()});
  const std::optional<std::vector<TRect>> Places = PlaceInAtlas(Sizes, Width, Height);
  if (!Places) return {};

  // One flag covers the whole atlas: once one image blends, the pixels of the others must carry
  // the opacity their drawing gave them (key pixels none, every other pixel full).
  bool Blend = false;
  for (Integer I = 0; I < Images.Count(); ++I) Blend = Blend || Images.Items(I)->AlphaBlend();
  auto Atlas = std::make_unique<TvxBitmap>();
  Atlas->SetSize(Width, Height);
  Atlas->Fill(vxKeyColor);
  Atlas->SetName(AtlasImageName);
  Atlas->SetAlphaBlend(Blend);
  Atlas->SetTransparent(true);
  for (Integer I = 0; I < Images.Count(); ++I) {
    const TvxBitmap& Image = *Images.Items(I);
    const TRect& Place = (*Places)[size_t(I)];
    const bool Opaque = Blend && !Image.AlphaBlend();
    for (Integer Y = 0; Y < Image.Height(); ++Y) {
      const TvxColor* From = Image.Scanline(Y);
      TvxColor* To = Atlas->PixelPtr(Place.Left, Place.Top + Y);
      if (!Opaque) {
        std::memcpy(To, From, size_t(Image.Width()) * sizeof(TvxColor));
        continue;
      }
      for (Integer X = 0; X < Image.Width(); ++X) To[X] = IsKeyPixel(From[X]) ? vxKeyColor : From[X] | 0xFF000000u;
    }
  }

  // Each link moves once, onto the place of the image it resolves to (the first of its name,
  // letter case ignored): a link already renamed must not match an old image of the atlas's name.
  TvxBitmap* AtlasImage = Atlas.get();
  ForEachObject(Source, [&](TDvSkinObject& Object) {
    ForEachLink(Object, [&](TvxBitmapLink& Link) {
      const Integer Index = Images.IndexOf(Images.Find(Link.Name()));
      if (Index < 0) return;
      const TRect& Place = (*Places)[size_t(Index)];
      Link.SetBitmap(AtlasImage);
      Link.SetName(AtlasImageName);
      Link.SetRect(Link.Rect().Offset(Place.Left, Place.Top));
    });
  });
  TAtlasResult Result;
  Result.Atlas = AtlasImage;
  while (Images.Count() > 0) Result.Removed.push_back(Images.Delete(0));
  Images.Add(std::move(Atlas));
  for (Integer I = 0; I < Source.ObjectCount(); ++I) RebindLinks(*Source.Objects(I), Images);
  return Result;
}

// [Commands] -------------------------------------------------------------------------------------

void RunChangeFont(TSkinDocument& Document, const TFont& Chosen) {
  if (!Document.Source()) return;
  if (ApplyFontFace(*Document.Source(), Chosen.Name()) > 0) Document.AfterBatchChange({});
  Document.RefreshAll();
}

void RunChangeColor(TSkinDocument& Document, TEditorPrompts& Prompts, const std::string& From, const std::string& To) {
  if (!Document.Source()) return;
  const Integer Count = ReplaceColor(*Document.Source(), From, To);
  if (Count > 0) Document.AfterBatchChange({});
  Document.RefreshAll();
  Prompts.ShowMessage(std::to_string(Count) + " color changed");
}

void RunRemoveDuplicateImages(TSkinDocument& Document, TEditorPrompts& Prompts) {
  TDvSkinSource* Source = Document.Source();
  if (!Source || Source->Images().Count() == 0) return;
  std::vector<std::unique_ptr<TvxBitmap>> Removed = RemoveDuplicateImages(*Source);
  const size_t Count = Removed.size();
  if (Count > 0) ReleaseImages(Removed, Document);
  Document.RefreshAll();
  Prompts.ShowMessage(std::to_string(Count) + " images removed.");
}

void RunOptimizeImages(TSkinDocument& Document, TEditorPrompts& Prompts, const std::string& Width,
                       const std::string& Height) {
  TDvSkinSource* Source = Document.Source();
  if (!Source || Source->Images().Count() == 0) return;
  const Integer W = ParseIntegerText(Width);
  const Integer H = ParseIntegerText(Height);
  TAtlasResult Result = BuildImageAtlas(*Source, W, H);
  if (!Result.Atlas) {
    Prompts.ShowMessage("Error optimization");
    return;
  }
  ReleaseImages(Result.Removed, Document);
  Document.SelectImage(Result.Atlas);
  Document.RefreshAll();
}
