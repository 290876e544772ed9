// The generated sample skin, as the build writes it: every object the skin theme looks up is
// there with its parts, every link finds its image, the four file variants hold the same skin,
// and the maximum-compression file saves back to the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/core/component_stream.h"
#include "framework/core/zstream.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

const std::string Folder = VX_SAMPLE_SKIN_DIR;
const char* const Variants[] = {"uskn", "kskn", "xskn", "mskn"};

std::string SkinFile(const std::string& Extension) { return Folder + "/PellanSlate." + Extension; }

struct TExpected {
  const char* Name;
  TDvKind Kind;
  std::vector<std::pair<const char*, const char*>> Parts;  // part name, class name
};

// The names the skin theme looks up, with the classes a designer expects for them.
const TExpected Expected[] = {
    {"Form",
     TDvKind::skForm,
     {{"TitleBar", "TDvActiveBitmap"},
      {"Title", "TDvTextObject"},
      {"CloseButton", "TDvSystemButton"},
      {"MaximizeButton", "TDvSystemButton"},
      {"RestoreButton", "TDvSystemButton"},
      {"MinimizeButton", "TDvSystemButton"},
      {"HelpButton", "TDvSystemButton"},
      {"SysMenuButton", "TDvSystemButton"},
      {"Left", "TDvActiveBitmap"},
      {"Right", "TDvActiveBitmap"},
      {"Bottom", "TDvActiveBitmap"},
      {"Client", "TDvSkinObject"}}},
    {"Button", TDvKind::skNone, {{"Face", "TDvButtonObject"}, {"Text", "TDvTextObject"}}},
    {"Checkbox",
     TDvKind::skNone,
     {{"Checked", "TDvButtonObject"},
      {"Unchecked", "TDvButtonObject"},
      {"Mixed", "TDvButtonObject"},
      {"Text", "TDvTextObject"}}},
    {"RadioButton",
     TDvKind::skNone,
     {{"Checked", "TDvButtonObject"}, {"Unchecked", "TDvButtonObject"}, {"Text", "TDvTextObject"}}},
    {"Edit", TDvKind::skNone, {{"Frame", "TDvButtonObject"}, {"Button", "TDvButtonObject"}, {"Text", "TDvTextObject"}}},
    {"ComboBox",
     TDvKind::skNone,
     {{"Frame", "TDvButtonObject"}, {"Button", "TDvButtonObject"}, {"Arrow", "TDvButtonObject"}}},
    {"ScrollBar",
     TDvKind::skNone,
     {{"TopButton", "TDvButtonObject"},
      {"BottomButton", "TDvButtonObject"},
      {"LeftButton", "TDvButtonObject"},
      {"RightButton", "TDvButtonObject"},
      {"HorzSlider", "TDvButtonObject"},
      {"VertSlider", "TDvButtonObject"},
      {"HorzFrame", "TDvButtonObject"},
      {"VertFrame", "TDvButtonObject"}}},
    {"ProgressBar",
     TDvKind::skNone,
     {{"Frame", "TDvBitmapObject"},
      {"FrameVert", "TDvBitmapObject"},
      {"Bar", "TDvBitmapObject"},
      {"BarVert", "TDvBitmapObject"}}},
    {"TrackBar",
     TDvKind::skNone,
     {{"TrackHorz", "TDvButtonObject"},
      {"TrackVert", "TDvButtonObject"},
      {"ThumbHorz", "TDvButtonObject"},
      {"ThumbVert", "TDvButtonObject"}}},
    {"Tabs",
     TDvKind::skNone,
     {{"Frame", "TDvBitmapObject"},
      {"Tab", "TDvButtonObject"},
      {"LeftButton", "TDvButtonObject"},
      {"RightButton", "TDvButtonObject"}}},
    {"Header", TDvKind::skNone, {{"Frame", "TDvBitmapObject"}, {"Section", "TDvButtonObject"}}},
    {"StatusBar",
     TDvKind::skNone,
     {{"Frame", "TDvBitmapObject"}, {"Panel", "TDvBitmapObject"}, {"Gripper", "TDvBitmapObject"}}},
    {"MenuBar",
     TDvKind::skMenuBar,
     {{"Frame", "TDvBitmapObject"}, {"Item", "TDvButtonObject"}, {"separator", "TDvSkinObject"}}},
    {"PopupMenu",
     TDvKind::skPopupMenu,
     {{"Frame", "TDvBitmapObject"}, {"Item", "TDvButtonObject"}, {"Separator", "TDvSkinObject"}}},
    {"ListBox", TDvKind::skNone, {{"Frame", "TDvBitmapObject"}, {"Item", "TDvButtonObject"}}},
    {"Grid",
     TDvKind::skNone,
     {{"Frame", "TDvBitmapObject"}, {"Fixed", "TDvBitmapObject"}, {"Cell", "TDvButtonObject"}}},
    {"GroupBox", TDvKind::skNone, {{"Frame", "TDvButtonObject"}, {"Caption", "TDvTextObject"}}},
    {"Container", TDvKind::skNone, {{"Panel", "TDvBitmapObject"}}},
    {"Panel",
     TDvKind::skNone,
     {{"Frame", "TDvBitmapObject"},
      {"Caption", "TDvBitmapObject"},
      {"ButtonRollup", "TDvButtonObject"},
      {"ButtonRollDown", "TDvButtonObject"},
      {"ButtonHide", "TDvButtonObject"}}},
    {"SpeedButton", TDvKind::skNone, {{"Face", "TDvButtonObject"}, {"Separator", "TDvBitmapObject"}}},
    {"ControlBar",
     TDvKind::skNone,
     {{"Back", "TDvBitmapObject"},
      {"Frame", "TDvBitmapObject"},
      {"Grabber", "TDvBitmapObject"},
      {"GrabberVert", "TDvBitmapObject"}}},
    {"ScrollBox", TDvKind::skNone, {{"Frame", "TDvBitmapObject"}}},
    {"Splitter", TDvKind::skNone, {{"Grip", "TDvBitmapObject"}}},
    {"Hint", TDvKind::skNone, {}},
};

std::vector<uint8_t> ObjectBytes(const TDvSkinObject& O) {
  TMemoryStream S;
  WriteComponent(S, O);
  return S.Data();
}

std::vector<uint8_t> FileBytes(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// The links an object owns, whatever its class.
std::vector<const TvxBitmapLink*> Links(const TDvSkinObject& O) {
  std::vector<const TvxBitmapLink*> L;
  if (auto* B = dynamic_cast<const TDvBitmapObject*>(&O)) L.push_back(B->Bitmap());
  if (auto* B = dynamic_cast<const TDvActiveBitmap*>(&O)) L.push_back(B->ActiveBitmap());
  if (auto* B = dynamic_cast<const TDvSystemButton*>(&O)) L.insert(L.end(), {B->BitmapHot(), B->BitmapPressed()});
  if (auto* B = dynamic_cast<const TDvButtonObject*>(&O))
    L.insert(L.end(), {B->BitmapHot(), B->BitmapFocused(), B->BitmapPressed(), B->BitmapDisabled()});
  if (auto* B = dynamic_cast<const TDvBitmapSkinObject*>(&O)) L.push_back(B->Bitmap());
  if (auto* B = dynamic_cast<const TDvFormBitmapSkinObject*>(&O)) L.push_back(B->InactiveBitmap());
  if (auto* B = dynamic_cast<const TDvSysButtonSkinObject*>(&O)) L.insert(L.end(), {B->BitmapHover(), B->BitmapDown()});
  if (auto* B = dynamic_cast<const TDvActiveBitmapBoxObject*>(&O)) L.push_back(B->FocusedBitmap());
  if (auto* B = dynamic_cast<const TDvButtonBitmapBoxObject*>(&O))
    L.insert(L.end(), {B->HotBitmap(), B->FocusedBitmap(), B->PressedBitmap(), B->DisabledBitmap()});
  return L;
}

template <typename F>
void ForEachObject(TDvSkinObject& O, F Visit) {
  Visit(O);
  for (Integer I = 0; I < O.ChildCount(); ++I) ForEachObject(*O.Child(I), Visit);
}

// The content a variant writes for Skin, before any container.
std::vector<uint8_t> ContentOf(TDvSkinSource& Skin, TDvSkinFilterClass Class) {
  const auto Filter = Class();
  Filter->SetSource(&Skin);
  TMemoryStream Out;
  Filter->WriteContent(Out);
  return Out.Data();
}

class SampleSkin : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { Skin.LoadFromFile(SkinFile(GetParam())); }
  TDvSkinSource Skin;
};

}  // namespace

TEST_P(SampleSkin, HasEveryObjectTheThemeLooksUpWithItsParts) {
  EXPECT_EQ(Skin.SkinName(), "Pellan Slate");
  ASSERT_EQ(Skin.ObjectCount(), Integer(std::size(Expected)));
  for (const TExpected& E : Expected) {
    TDvSkinObject* O = Skin.FindObject(E.Name);
    ASSERT_NE(O, nullptr) << E.Name;
    EXPECT_EQ(O->Name(), E.Name);
    EXPECT_EQ(O->Kind(), E.Kind) << E.Name;
    for (const auto& [Part, Class] : E.Parts) {
      TDvSkinObject* Found = O->FindByName(Part);
      ASSERT_NE(Found, nullptr) << E.Name << "." << Part;
      EXPECT_NE(Found, O) << E.Name << "." << Part;
      EXPECT_EQ(Found->ClassInfo().Name, std::string(Class)) << E.Name << "." << Part;
    }
  }
}

TEST_P(SampleSkin, FormHasEveryFramePieceAndTitleButton) {
  TDvSkinObject* Form = Skin.GetFormObject();
  ASSERT_NE(Form, nullptr);
  for (TDvKind Kind :
       {TDvKind::skCaption, TDvKind::skTitle, TDvKind::skTop, TDvKind::skLeft, TDvKind::skRight, TDvKind::skBottom,
        TDvKind::skTopLeft, TDvKind::skTopRight, TDvKind::skBottomLeft, TDvKind::skBottomRight, TDvKind::skClient})
    EXPECT_NE(Form->FindByKind(Kind), nullptr) << DvKindNames().Names[size_t(Kind)];
  for (TDvAction Action : {TDvAction::sbaClose, TDvAction::sbaMaximize, TDvAction::sbaRestore, TDvAction::sbaMinimize,
                           TDvAction::sbaHelp, TDvAction::sbaRollUp, TDvAction::sbaRollDown}) {
    auto* Button = dynamic_cast<TDvSystemButton*>(Form->FindByAction(Action));
    ASSERT_NE(Button, nullptr) << int(Action);
    EXPECT_TRUE(Button->ActiveBitmap()->Valid() && Button->BitmapHot()->Valid() && Button->BitmapPressed()->Valid())
        << int(Action);
  }
}

TEST_P(SampleSkin, FormLaysOutAtAnySize) {
  TDvSkinObject* Form = Skin.GetFormObject();
  Form->SetBounds(Rect(0, 0, 400, 300));
  EXPECT_EQ(Form->FindByKind(TDvKind::skClient)->BoundsRect(), Rect(6, 30, 394, 294));
  EXPECT_EQ(Form->FindByAction(TDvAction::sbaClose)->BoundsRect(), Rect(368, 5, 392, 25));
  EXPECT_EQ(Form->FindByKind(TDvKind::skBottom)->BoundsRect(), Rect(0, 294, 400, 300));
  // Rounded corners: the caption's corner pixel is the key colour, its middle is opaque.
  const TvxBitmapLink* Caption = static_cast<TDvActiveBitmap*>(Form->FindByKind(TDvKind::skCaption))->ActiveBitmap();
  EXPECT_TRUE(IsKeyPixel(Caption->Bitmap()->GetPixel(Caption->Left(), Caption->Top())));
  EXPECT_EQ(PixelAlpha(Caption->Bitmap()->GetPixel(Caption->Left() + 20, Caption->Top() + 15)), 255);
}

TEST_P(SampleSkin, EveryNamedLinkFindsItsImage) {
  Integer Named = 0;
  for (Integer I = 0; I < Skin.ObjectCount(); ++I)
    ForEachObject(*Skin.Objects(I), [&](TDvSkinObject& O) {
      // Only the system-menu button paints nothing of its own (the theme draws the icon).
      const auto* Button = dynamic_cast<const TDvSystemButton*>(&O);
      const bool SysMenu = Button && Button->Action() == TDvAction::sbaSysMenu;
      if (auto* B = dynamic_cast<TDvBitmapObject*>(&O); B && !SysMenu) {
        EXPECT_FALSE(B->Bitmap()->Name().empty()) << O.Name() << " has no image";
      }
      for (const TvxBitmapLink* L : Links(O)) {
        if (L->Name().empty()) continue;
        ++Named;
        ASSERT_TRUE(L->Valid()) << O.Name() << " -> " << L->Name();
        EXPECT_TRUE(L->Left() >= 0 && L->Top() >= 0 && L->Right() <= L->Bitmap()->Width() &&
                    L->Bottom() <= L->Bitmap()->Height())
            << O.Name() << " -> " << L->Name();
      }
    });
  EXPECT_GT(Named, 100);
}

INSTANTIATE_TEST_SUITE_P(Variants, SampleSkin, testing::ValuesIn(Variants));

TEST(SampleSkinFiles, AllVariantsHoldTheSameSkin) {
  TDvSkinSource Reference;
  Reference.LoadFromFile(SkinFile("mskn"));
  ASSERT_GT(Reference.Images().Count(), 0);
  for (const char* Variant : Variants) {
    TDvSkinSource Skin;
    Skin.LoadFromFile(SkinFile(Variant));
    ASSERT_EQ(Skin.ObjectCount(), Reference.ObjectCount()) << Variant;
    for (Integer I = 0; I < Skin.ObjectCount(); ++I)
      EXPECT_EQ(ObjectBytes(*Skin.Objects(I)), ObjectBytes(*Reference.Objects(I)))
          << Variant << " " << Skin.Objects(I)->Name();
    ASSERT_EQ(Skin.Images().Count(), Reference.Images().Count()) << Variant;
    for (Integer I = 0; I < Skin.Images().Count(); ++I) {
      const TvxBitmap &A = *Skin.Images().Items(I), &B = *Reference.Images().Items(I);
      EXPECT_EQ(A.Name(), B.Name()) << Variant;
      ASSERT_EQ(A.BoundsRect(), B.BoundsRect()) << Variant << " " << A.Name();
      EXPECT_TRUE(std::equal(A.Bits(), A.Bits() + A.Width() * A.Height(), B.Bits())) << Variant << " " << A.Name();
    }
    for (Integer I = 0; I < vxThemeColorCount; ++I)
      EXPECT_EQ(Skin.Colors().Color(I), Reference.Colors().Color(I)) << Variant;
  }
}

TEST(SampleSkinFiles, SavingTheLoadedSkinGivesTheSameBytes) {
  TDvSkinSource Skin;
  Skin.LoadFromFile(SkinFile("mskn"));
  const TDvSkinFilterClass Previous = DefaultSkinFilter();
  SetDefaultSkinFilter(&MakeSkinFilter<TDvSkinFilterMaxCompression>);
  TMemoryStream Saved;
  Skin.SaveToStream(Saved);
  SetDefaultSkinFilter(Previous);
  const std::vector<uint8_t> Original = FileBytes(SkinFile("mskn"));
  ASSERT_FALSE(Original.empty());
  EXPECT_TRUE(Original == Saved.Data()) << "sizes " << Original.size() << " and " << Saved.Data().size();
}

TEST(SampleSkinFiles, FilesMeetZlibsStreamingReaderAndWriterBothWays) {
  TDvSkinSource Skin;
  Skin.LoadFromFile(SkinFile("mskn"));
  ASSERT_GT(Skin.Images().Count(), 0);
  const struct {
    TDvSkinFilterClass Class;
    int Level;  // 0: not compressed
  } Cases[] = {{&MakeSkinFilter<TDvSkinFilterUncompressed>, 0},
               {&MakeSkinFilter<TDvSkinFilterCompressed>, 1},
               {&MakeSkinFilter<TDvSkinFilterUltraCompressed>, -1},
               {&MakeSkinFilter<TDvSkinFilterMaxCompression>, -1}};
  const TDvSkinFilterClass Previous = DefaultSkinFilter();
  for (const auto& C : Cases) {
    const std::string Name = C.Class()->GetExtension();
    const std::vector<uint8_t> Content = ContentOf(Skin, C.Class);
    const int64_t Header = C.Level ? 9 : 5;

    // Ours, read by zlib's streaming reader.
    SetDefaultSkinFilter(C.Class);
    TMemoryStream Ours;
    Skin.SaveToStream(Ours);
    SetDefaultSkinFilter(Previous);
    ASSERT_GT(Ours.Size(), Header) << Name;
    TMemoryStream OursIn(Ours.Data());
    OursIn.SetPosition(Header);
    std::vector<uint8_t> Read(Content.size());
    uint8_t Extra;
    if (C.Level) {
      TDecompressionStream Inflated(OursIn);
      Inflated.ReadBuffer(Read.data(), int64_t(Read.size()));
      EXPECT_EQ(Inflated.Read(&Extra, 1), 0) << Name;
    } else {
      OursIn.ReadBuffer(Read.data(), int64_t(Read.size()));
      EXPECT_EQ(OursIn.Read(&Extra, 1), 0) << Name;
      EXPECT_EQ(Ours.Capacity(), Ours.Size()) << "the uncompressed save grows its buffer once, to the size it needs";
    }
    EXPECT_TRUE(Read == Content) << Name;

    // zlib's streaming writer (as every file was written before), read by ours.
    TMemoryStream Theirs;
    Theirs.WriteBuffer(C.Class()->FileTag().data(), 5);
    if (C.Level) {
      Theirs.WriteBuffer("ZQLZ", 4);
      TCompressionStream Deflated(Theirs, C.Level);
      Deflated.WriteBuffer(Content.data(), int64_t(Content.size()));
      Deflated.Finish();
    } else {
      Theirs.WriteBuffer(Content.data(), int64_t(Content.size()));
    }
    Theirs.SetPosition(0);
    TDvSkinSource Back;
    Back.LoadFromStream(Theirs);
    EXPECT_TRUE(ContentOf(Back, C.Class) == Content) << Name;
  }
}
