// The batch tools on small skins made here: each result is saved, loaded back and checked.
#include <gtest/gtest.h>

#include <random>

#include "../graphics/solid_image.h"
#include "editor/core/maintenance_tools.h"
#include "editor/core/skin_document.h"
#include "editor_test_support.h"
#include "framework/core/exceptions.h"
#include "framework/graphics/font.h"
#include "image_test_support.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

class MaintenanceTools : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Document.NewSkin());
    Form = Source().Objects(0);
  }
  TDvSkinSource& Source() { return *Document.Source(); }
  TvxBitmapList& Images() { return Source().Images(); }
  TvxBitmap* Add(const std::string& Name, Integer W, Integer H, TvxColor Color) {
    Images().Add(SolidImage(Name, W, H, Color));
    return Images().Items(Images().Count() - 1);
  }
  // A bitmap object under Form whose link names Link with rectangle R.
  TDvBitmapObject* Linked(const std::string& Name, const std::string& Link, TRect R) {
    auto* Object = AddChild<TDvBitmapObject>(Form, Name, Rect(0, 0, 10, 10));
    Object->SetImageList(&Images());
    Object->Bitmap()->SetName(Link);
    Object->Bitmap()->SetRect(R);
    Object->UpdateLinks();
    return Object;
  }
  // The skin as a file holds it.
  std::unique_ptr<TDvSkinSource> SavedAndLoaded() {
    const std::string File = Folder.File("tools.mskn");
    Source().SaveToFile(File);
    auto Loaded = std::make_unique<TDvSkinSource>();
    Loaded->LoadFromFile(File);
    return Loaded;
  }
  std::vector<std::string> Names(const TDvSkinSource& S) {
    std::vector<std::string> Result;
    for (Integer I = 0; I < S.Images().Count(); ++I) Result.push_back(S.Images().Items(I)->Name());
    return Result;
  }
  // Some step in the history, so that the tests see the tools drop it rather than add one.
  void MakeAStep() {
    Document.SelectObject(Form);
    Document.AddObject(TDvSkinObject::StaticClassInfo());
    ASSERT_TRUE(Document.History().CanUndo());
  }
  void ExpectChangedOutsideHistory() {
    EXPECT_FALSE(Document.History().CanUndo());
    EXPECT_TRUE(Document.Modified());
  }

  TTempFolder Folder;
  TScriptedPrompts Prompts;
  TSkinDocument Document{Prompts};
  TDvSkinObject* Form = nullptr;
};

TEST(MaintenanceTexts, ColorTextFormNamesTheKnownColoursAndWritesOthersInHex) {
  const struct {
    TColor Color;
    const char* Text;
  } Cases[] = {
      {0, "clBlack"},           {clWhite, "clWhite"},     {clWindowText, "clWindowText"},
      {clNone, "clNone"},       {clDefault, "clDefault"}, {0x123456, "$00123456"},
      {clSystemColor | 0x40, "$80000040"}, {0x00ABCDEF, "$00ABCDEF"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ColorText(C.Color), C.Text);
    EXPECT_EQ(ParseColorText(C.Text), C.Color) << C.Text;
  }
  EXPECT_EQ(ParseColorText("CLWINDOWTEXT"), clWindowText);
  EXPECT_EQ(ParseColorText("cldefault"), clDefault);
  EXPECT_EQ(ParseColorText("255"), clRed);
  for (const char* Bad : {"", "black", "clBlak", "12x", "$", "$1G"})
    EXPECT_THROW(ParseColorText(Bad), EConvertError) << Bad;
}

TEST(MaintenanceTexts, IntegersParseDecimalAndHexAndRefuseTheRest) {
  const struct {
    const char* Text;
    Integer Value;
  } Cases[] = {{"400", 400}, {" 300 ", 300}, {"$10", 16}, {"-5", -5}, {"+7", 7}, {"-2147483648", INT32_MIN}};
  for (const auto& C : Cases) EXPECT_EQ(ParseIntegerText(C.Text), C.Value) << C.Text;
  for (const char* Bad : {"", "4OO", "1e3", "2147483648", "99999999999", "-", "4 00"})
    EXPECT_THROW(ParseIntegerText(Bad), EConvertError) << Bad;
}

TEST_F(MaintenanceTools, ChangeColorWithTheInitialTextsCountsNamedColoursOnly) {
  Form->SetColor(clWindowText);
  Form->Font()->SetColor(clWindowText);  // a plain object's font is not looked at
  AddChild(Form, "Black", Rect(0, 0, 5, 5))->SetColor(0);  // "clBlack" already
  auto* Active = AddChild<TDvActiveObject>(Form, "Active", Rect(0, 0, 5, 5));
  Active->SetColor(clBtnFace);
  Active->SetActiveColor(clWindowText);
  Active->ActiveFont()->SetColor(clWindowText);
  Active->Font()->SetColor(clWindowText);  // the font it draws with in the normal state
  auto* Bitmap = AddChild<TDvActiveBitmap>(Form, "ActiveBitmap", Rect(0, 0, 5, 5));
  Bitmap->SetColor(clWindowText);
  Bitmap->ActiveFont()->SetColor(clWindowText);
  Bitmap->Font()->SetColor(clRed);
  MakeAStep();

  RunChangeColor(Document, Prompts, "clWindowText", "clBlack");
  EXPECT_EQ(Prompts.Messages, std::vector<std::string>{"6 color changed"});
  ExpectChangedOutsideHistory();

  const std::unique_ptr<TDvSkinSource> Loaded = SavedAndLoaded();
  TDvSkinObject* F = Loaded->FindObject("Form");
  EXPECT_EQ(F->Color(), clBlack);
  EXPECT_EQ(F->Font()->Color(), clWindowText);
  auto* A = dynamic_cast<TDvActiveObject*>(F->FindByName("Active"));
  ASSERT_TRUE(A);
  EXPECT_EQ(A->Color(), clBtnFace);
  EXPECT_EQ(A->ActiveColor(), clBlack);
  EXPECT_EQ(A->ActiveFont()->Color(), clBlack);
  EXPECT_EQ(A->Font()->Color(), clBlack);
  auto* B = dynamic_cast<TDvActiveBitmap*>(F->FindByName("ActiveBitmap"));
  ASSERT_TRUE(B);
  EXPECT_EQ(B->Color(), clBlack);
  EXPECT_EQ(B->ActiveFont()->Color(), clBlack);
  EXPECT_EQ(B->Font()->Color(), clRed);
}

TEST_F(MaintenanceTools, ChangeColorPutsTheFixedValueAndComparesTheExactText) {
  Form->SetColor(0x00123456);
  AddChild(Form, "Lower", Rect(0, 0, 5, 5))->SetColor(0x00ABCDEF);
  // The target is reduced to what the system colour is now.
  EXPECT_EQ(ReplaceColor(Source(), "$00123456", "clBtnFace"), 1);
  EXPECT_EQ(Form->Color(), ColorToRGB(clBtnFace));
  EXPECT_GE(Form->Color(), 0);
  EXPECT_EQ(ReplaceColor(Source(), "$00abcdef", "clRed"), 0);  // the comparison keeps letter case
  RunChangeColor(Document, Prompts, "clNoSuchName", "clRed");
  EXPECT_EQ(Prompts.Messages, std::vector<std::string>{"0 color changed"});
  EXPECT_FALSE(Document.Modified());
}

TEST_F(MaintenanceTools, ChangeColorWithAnUnparsableTargetChangesNothing) {
  Form->SetColor(clWindowText);
  EXPECT_THROW(RunChangeColor(Document, Prompts, "clWindowText", "clBlak"), EConvertError);
  EXPECT_EQ(Form->Color(), clWindowText);
  EXPECT_TRUE(Prompts.Messages.empty());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(MaintenanceTools, ChangeFontSetsTheFaceOfEveryFontAndKeepsSizeAndStyle) {
  Form->Font()->SetName("Arial");
  Form->Font()->SetSize(12);
  Form->Font()->SetStyle({TFontStyle::fsBold});
  Form->Font()->SetCharset(238);
  Form->Font()->SetColor(clWindowText);
  auto* Text = AddChild<TDvTextObject>(Form, "Text", Rect(0, 0, 5, 5));
  Text->FontPressed()->SetColor(clRed);
  Text->FontDisabled()->SetSize(14);
  auto* Active = AddChild<TDvActiveObject>(Form, "Active", Rect(0, 0, 5, 5));
  auto* Bitmap = AddChild<TDvSystemButton>(Active, "Close", Rect(0, 0, 5, 5));  // an active bitmap, deeper
  Active->ActiveFont()->SetStyle({TFontStyle::fsItalic});
  Bitmap->ActiveFont()->SetName("Courier New");
  MakeAStep();
  TFont Chosen;
  Chosen.SetName("Verdana");
  Chosen.SetSize(20);

  RunChangeFont(Document, Chosen);
  ExpectChangedOutsideHistory();
  EXPECT_EQ(Form->Font()->Charset(), 238);  // files do not keep object charsets
  const std::unique_ptr<TDvSkinSource> Loaded = SavedAndLoaded();
  TDvSkinObject* F = Loaded->FindObject("Form");
  EXPECT_EQ(F->Font()->Name(), "Verdana");
  EXPECT_EQ(F->Font()->Size(), 12);
  EXPECT_EQ(F->Font()->Style(), TFontStyles({TFontStyle::fsBold}));
  EXPECT_EQ(F->Font()->Color(), ColorToRGB(clWindowText));
  EXPECT_GE(F->Font()->Color(), 0);
  auto* T = dynamic_cast<TDvTextObject*>(F->FindByName("Text"));
  ASSERT_TRUE(T);
  for (TFont* Font : {T->Font(), T->FontHot(), T->FontFocused(), T->FontPressed(), T->FontDisabled()})
    EXPECT_EQ(Font->Name(), "Verdana");
  EXPECT_EQ(T->FontPressed()->Color(), clRed);
  EXPECT_EQ(T->FontDisabled()->Size(), 14);
  auto* A = dynamic_cast<TDvActiveObject*>(F->FindByName("Active"));
  ASSERT_TRUE(A);
  EXPECT_EQ(A->ActiveFont()->Name(), "Verdana");
  EXPECT_EQ(A->ActiveFont()->Style(), TFontStyles({TFontStyle::fsItalic}));
  auto* B = dynamic_cast<TDvSystemButton*>(A->FindByName("Close"));
  ASSERT_TRUE(B);
  EXPECT_EQ(B->ActiveFont()->Name(), "Verdana");
  EXPECT_EQ(B->Font()->Name(), "Verdana");
}

TEST_F(MaintenanceTools, RemoveDoubleKeepsTheFirstOfANameAndLinksFollowIt) {
  TvxBitmap* First = Add("Button.bmp", 4, 4, 0xFF0000FF);
  Add("x", 4, 4, 0xFF00FF00);
  TvxBitmap* Second = Add("button.bmp", 4, 4, 0xFFFF0000);
  Linked("User", "button.bmp", Rect(0, 0, 2, 2));
  MakeAStep();
  Document.SelectImage(Second);

  RunRemoveDuplicateImages(Document, Prompts);
  EXPECT_EQ(Prompts.Messages, std::vector<std::string>{"1 images removed."});
  EXPECT_EQ(Document.SelectedImage(), nullptr);
  ExpectChangedOutsideHistory();
  EXPECT_EQ(dynamic_cast<TDvBitmapObject*>(Form->FindByName("User"))->Bitmap()->Bitmap(), First);

  const std::unique_ptr<TDvSkinSource> Loaded = SavedAndLoaded();
  EXPECT_EQ(Names(*Loaded), (std::vector<std::string>{"Button.bmp", "x"}));
  auto* User = dynamic_cast<TDvBitmapObject*>(Loaded->FindObject("Form")->FindByName("User"));
  ASSERT_TRUE(User && User->Bitmap()->Bitmap());
  EXPECT_EQ(User->Bitmap()->Bitmap()->GetPixel(0, 0), 0xFF0000FFu);
}

TEST_F(MaintenanceTools, RemoveDoubleLooksAtEveryLaterImageAndCountsWhatWentOnly) {
  const struct {
    std::vector<std::string> Names;
    const char* Message;
    std::vector<std::string> Kept;
  } Cases[] = {{{"a", "A", "a", "b", "B"}, "3 images removed.", {"a", "b"}},
               {{"a", "b"}, "0 images removed.", {"a", "b"}}};
  for (const auto& C : Cases) {
    Images().Clear();
    Prompts.Messages.clear();
    for (const std::string& Name : C.Names) Add(Name, 2, 2, 1);
    Document.AfterBatchChange({});
    Document.History().MarkSaved();
    TvxBitmap* Selected = Images().Items(0);
    Document.SelectImage(Selected);
    RunRemoveDuplicateImages(Document, Prompts);
    EXPECT_EQ(Prompts.Messages, std::vector<std::string>{C.Message});
    EXPECT_EQ(Names(Source()), C.Kept);
    EXPECT_EQ(Document.SelectedImage(), Selected);
    EXPECT_EQ(Document.Modified(), C.Kept.size() != C.Names.size()) << C.Message;
  }
  // Without images the image tools do nothing at all, not even check their texts.
  Document.SelectImage(nullptr);
  Images().Clear();
  Prompts.Messages.clear();
  RunRemoveDuplicateImages(Document, Prompts);
  RunOptimizeImages(Document, Prompts, "x", "y");
  EXPECT_TRUE(Prompts.Messages.empty());
}

TEST_F(MaintenanceTools, OptimizePacksEveryImageIntoOneAndMovesTheLinks) {
  Add("a.png", 100, 100, 0xFF0000FF);
  Add("b.png", 100, 100, 0xFF00FF00);
  Add("c.png", 100, 100, 0xFFFF0000);
  Linked("OnB", "b.png", Rect(10, 20, 30, 40));
  Linked("OnC", "C.PNG", Rect(0, 0, 100, 100));  // resolved ignoring case: it moves too
  Linked("Nowhere", "gone.png", Rect(1, 2, 3, 4));
  MakeAStep();

  RunOptimizeImages(Document, Prompts, "400", "300");
  EXPECT_TRUE(Prompts.Messages.empty());
  ASSERT_EQ(Images().Count(), 1);
  EXPECT_EQ(Document.SelectedImage(), Images().Items(0));
  EXPECT_EQ(Document.Page(), TEditorPage::epImages);
  ExpectChangedOutsideHistory();

  const std::unique_ptr<TDvSkinSource> Loaded = SavedAndLoaded();
  ASSERT_EQ(Names(*Loaded), std::vector<std::string>{"themeimage"});
  const TvxBitmap& Atlas = *Loaded->Images().Items(0);
  ASSERT_EQ(Atlas.Width(), 400);
  ASSERT_EQ(Atlas.Height(), 300);
  const struct {
    Integer X, Y;
    TvxColor Pixel;
  } Pixels[] = {{0, 0, 0xFF0000FF},   {99, 99, 0xFF0000FF},   {100, 0, 0xFF00FF00}, {199, 99, 0xFF00FF00},
                {200, 0, 0xFFFF0000}, {299, 99, 0xFFFF0000}, {300, 0, vxKeyColor}, {0, 100, vxKeyColor}};
  for (const auto& P : Pixels) EXPECT_EQ(Atlas.GetPixel(P.X, P.Y) & 0xFFFFFF, P.Pixel & 0xFFFFFF) << P.X << "," << P.Y;
  TDvSkinObject* F = Loaded->FindObject("Form");
  const struct {
    const char* Object;
    const char* Link;
    TRect R;
    bool Bound;
  } Links[] = {{"OnB", "themeimage", Rect(110, 20, 130, 40), true},
               {"OnC", "themeimage", Rect(200, 0, 300, 100), true},
               {"Nowhere", "gone.png", Rect(1, 2, 3, 4), false}};
  for (const auto& L : Links) {
    auto* Object = dynamic_cast<TDvBitmapObject*>(F->FindByName(L.Object));
    ASSERT_TRUE(Object) << L.Object;
    EXPECT_EQ(Object->Bitmap()->Name(), L.Link);
    EXPECT_EQ(Object->Bitmap()->Rect(), L.R) << L.Object;
    EXPECT_EQ(Object->Bitmap()->Bitmap() != nullptr, L.Bound) << L.Object;
  }
}

TEST_F(MaintenanceTools, AnImageThatDoesNotFitLeavesTheSkinAsItWas) {
  // Offsets stop one short of the edge: a side as long as the atlas's never fits.
  const struct {
    Integer W, H;
    bool Fits;
  } Cases[] = {{400, 10, false}, {10, 300, false}, {399, 10, true}, {10, 299, true}};
  for (const auto& C : Cases) {
    Document.SelectImage(nullptr);
    while (Form->ChildCount() > 0) delete Form->Child(0);
    Images().Clear();
    Prompts.Messages.clear();
    TvxBitmap* Small = Add("small", 10, 10, 1);
    Add("big", C.W, C.H, 2);
    TDvBitmapObject* User = Linked("User" + std::to_string(C.W), "small", Rect(0, 0, 5, 5));
    Document.AfterBatchChange({});
    Document.SelectImage(Small);
    Document.History().MarkSaved();
    RunOptimizeImages(Document, Prompts, "400", "300");
    if (C.Fits) {
      EXPECT_TRUE(Prompts.Messages.empty()) << C.W;
      EXPECT_EQ(Names(Source()), std::vector<std::string>{"themeimage"}) << C.W;
      continue;
    }
    EXPECT_EQ(Prompts.Messages, std::vector<std::string>{"Error optimization"}) << C.W;
    EXPECT_EQ(Names(Source()), (std::vector<std::string>{"small", "big"}));
    EXPECT_EQ(User->Bitmap()->Name(), "small");
    EXPECT_EQ(User->Bitmap()->Bitmap(), Small);
    EXPECT_EQ(User->Bitmap()->Rect(), Rect(0, 0, 5, 5));
    EXPECT_EQ(Document.SelectedImage(), Small);
    EXPECT_FALSE(Document.Modified());
  }
}

TEST_F(MaintenanceTools, OptimizeRefusesAbsurdSizesBeforeAnythingChanges) {
  TvxBitmap* Image = Add("a", 10, 10, 1);
  const struct {
    const char* W;
    const char* H;
  } Cases[] = {{"abc", "300"}, {"400", ""}, {"0", "300"}, {"400", "-300"}, {"40000", "10"}, {"8193", "8192"}};
  for (const auto& C : Cases) {
    EXPECT_ANY_THROW(RunOptimizeImages(Document, Prompts, C.W, C.H)) << C.W << " x " << C.H;
    EXPECT_EQ(Images().Count(), 1);
    EXPECT_EQ(Images().Items(0), Image);
  }
  EXPECT_THROW(RunOptimizeImages(Document, Prompts, "4OO", "300"), EConvertError);
  EXPECT_TRUE(Prompts.Messages.empty());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(MaintenanceTools, TheAtlasBlendsWhenAnImageDidAndKeepsTheLookOfTheOthers) {
  // Pixels: a partial alpha, a colour with alpha 0 (opaque where the image is not blended), a key pixel.
  const TvxColor Partial = 0x80FF0000, Unblended = 0x0000FF00, Key = 0xFF7F007F;
  const struct {
    bool FirstBlends;
    bool AtlasBlends;
    TvxColor Expected[3];  // the three pixels of the second, unblended image in the atlas
  } Cases[] = {{true, true, {0xFF0000FF, 0xFF00FF00, vxKeyColor}}, {false, false, {0x000000FF, Unblended, Key}}};
  for (const auto& C : Cases) {
    Images().Clear();
    Images().Add(MakeImage("blended", 1, 1, {Partial}));
    Images().Items(0)->SetAlphaBlend(C.FirstBlends);
    Images().Add(MakeImage("plain", 3, 1, {0x000000FF, Unblended, Key}));
    RunOptimizeImages(Document, Prompts, "10", "10");
    ASSERT_EQ(Images().Count(), 1);
    const TvxBitmap& Atlas = *Images().Items(0);
    EXPECT_EQ(Atlas.AlphaBlend(), C.AtlasBlends);
    EXPECT_EQ(Atlas.GetPixel(0, 0), Partial);
    for (Integer X = 0; X < 3; ++X) EXPECT_EQ(Atlas.GetPixel(1 + X, 0), C.Expected[X]) << C.FirstBlends << " " << X;
  }
}

TEST_F(MaintenanceTools, ALinkNamingAnOldImageOfTheAtlasNameMovesOnce) {
  Add("a", 10, 10, 1);
  Add("themeimage", 10, 10, 2);
  TDvBitmapObject* OnA = Linked("OnA", "a", Rect(0, 0, 5, 5));
  TDvBitmapObject* OnOld = Linked("OnOld", "themeimage", Rect(1, 1, 5, 5));
  RunOptimizeImages(Document, Prompts, "100", "100");
  ASSERT_EQ(Images().Count(), 1);
  EXPECT_EQ(OnA->Bitmap()->Rect(), Rect(0, 0, 5, 5));
  EXPECT_EQ(OnOld->Bitmap()->Rect(), Rect(11, 1, 15, 5));
  EXPECT_EQ(OnA->Bitmap()->Bitmap(), Images().Items(0));
}

// The placement a scan of every pixel at every offset finds.
std::optional<std::vector<TRect>> LiteralPlacement(const std::vector<TSize>& Sizes, Integer W, Integer H) {
  std::vector<bool> Taken(size_t(W) * H);
  std::vector<TRect> Places;
  for (const TSize& S : Sizes) {
    std::optional<TRect> Found;
    for (Integer Y = 0; !Found && Y < H - S.cy; ++Y)
      for (Integer X = 0; !Found && X < W - S.cx; ++X) {
        bool Free = true;
        for (Integer J = 0; Free && J < S.cy; ++J)
          for (Integer I = 0; Free && I < S.cx; ++I) Free = !Taken[size_t(Y + J) * W + X + I];
        if (Free) Found = Bounds(X, Y, S.cx, S.cy);
      }
    if (!Found) return std::nullopt;
    for (Integer J = Found->Top; J < Found->Bottom; ++J)
      for (Integer I = Found->Left; I < Found->Right; ++I) Taken[size_t(J) * W + I] = true;
    Places.push_back(*Found);
  }
  return Places;
}

TEST(AtlasPlacement, EqualsTheScanOfEveryOffset) {
  std::mt19937 Random(7);
  for (int Trial = 0; Trial < 300; ++Trial) {
    const Integer W = 8 + Integer(Random() % 40), H = 8 + Integer(Random() % 30);
    std::vector<TSize> Sizes(1 + Random() % 12);
    for (TSize& S : Sizes) S = {Integer(Random() % 16), Integer(Random() % 12)};
    EXPECT_EQ(PlaceInAtlas(Sizes, W, H), LiteralPlacement(Sizes, W, H)) << "trial " << Trial;
  }
}

TEST(AtlasPlacement, TakesMoreThanTwoHundredAndOneImages) {
  const std::vector<TSize> Sizes(202, TSize{1, 1});
  const std::optional<std::vector<TRect>> Places = PlaceInAtlas(Sizes, 400, 300);
  ASSERT_TRUE(Places);
  EXPECT_EQ(Places->back(), Bounds(201, 0, 1, 1));
  EXPECT_EQ(PlaceInAtlas({{100, 100}, {100, 100}, {100, 100}}, 400, 300),
            (std::vector<TRect>{Bounds(0, 0, 100, 100), Bounds(100, 0, 100, 100), Bounds(200, 0, 100, 100)}));
}

}  // namespace
