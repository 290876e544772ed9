#include <gtest/gtest.h>

#include "framework/core/component_stream.h"
#include "vexel/skin/theme_dv3objects.h"

namespace {

TDvSkinObject* Add(TDvSkinObject& Parent, const std::string& Name, TDvAlign Align, TRect Bounds = {}) {
  auto* C = new TDvSkinObject(&Parent);
  C->SetName(Name);
  C->SetAlign(Align);
  C->SetBounds(Bounds);
  return C;
}

std::vector<std::string> PropertyNames(const TClassInfo& Class) {
  std::vector<std::string> Names;
  for (const TPropInfo* P : Class.AllProperties()) Names.push_back(P->Name);
  return Names;
}

std::vector<uint8_t> Stream(const TComponent& C) {
  TMemoryStream S;
  WriteComponent(S, C);
  return S.Data();
}

}  // namespace

TEST(SkinObjectClasses, SeventeenClassesInRegistrationOrderFoundByExactName) {
  const auto& Classes = SkinObjectClasses();
  ASSERT_EQ(Classes.size(), 17u);
  EXPECT_STREQ(Classes[0]->Name, "TDvSkinObject");
  EXPECT_STREQ(Classes[10]->Name, "TDvSysButtonSkinObject");
  EXPECT_STREQ(Classes[16]->Name, "TDvRollPanelObject");
  EXPECT_EQ(FindSkinObjectClass("TDvTextObject"), &TDvTextObject::StaticClassInfo());
  EXPECT_EQ(FindSkinObjectClass("tdvtextobject"), nullptr) << "names are compared exactly";
  for (const TClassInfo* C : Classes) {
    std::unique_ptr<TComponent> Made(C->Create(nullptr));
    EXPECT_STREQ(Made->ClassName(), C->Name);
  }
}

TEST(SkinObjectClasses, StoredPropertiesFollowTheParentsInStreamOrder) {
  const std::vector<std::string> Base = {
      "Tag", "Align", "Color", "DrawIfOwner", "Font", "Kind", "Masked", "Left", "Top", "Height", "Width",
      "MarginLeft", "MarginRight", "MarginTop", "MarginBottom", "TextAlign", "TextEffect", "TextMarginLeft",
      "TextMarginRight", "TextMarginRightStretch", "TextMarginTop"};
  EXPECT_EQ(PropertyNames(TDvSkinObject::StaticClassInfo()), Base);
  const struct {
    const TClassInfo& Class;
    std::vector<std::string> Own;
  } Cases[] = {
      {TDvSystemButton::StaticClassInfo(),
       {"Bitmap", "BorderTileStyle", "MaskedBorder", "MaskedAngles", "TileStyle", "ActiveBitmap", "ActiveFont",
        "Action", "BitmapHot", "BitmapPressed"}},
      {TDvSysButtonSkinObject::StaticClassInfo(), {"Bitmap", "TileStyle", "Action", "BitmapHover", "BitmapDown", "RollPanel"}},
      {TDvColorButtonObject::StaticClassInfo(),
       {"HotColor", "HotFont", "PressedColor", "PressedFont", "FocusedColor", "FocusedFont", "DisabledColor",
        "DisabledFont"}},
      {TDvButtonBitmapBoxObject::StaticClassInfo(),
       {"Bitmap", "TileStyle", "BorderTileStyle", "HotBitmap", "FocusedBitmap", "PressedBitmap", "DisabledBitmap"}},
  };
  for (const auto& C : Cases) {
    std::vector<std::string> Expected = Base;
    Expected.insert(Expected.end(), C.Own.begin(), C.Own.end());
    EXPECT_EQ(PropertyNames(C.Class), Expected) << C.Class.Name;
  }
}

TEST(SkinObject, ConstructorDefaults) {
  TDvSkinObject O;
  EXPECT_EQ(O.Color(), clWhite);
  EXPECT_TRUE(O.Masked());
  EXPECT_EQ(O.Font()->Name(), "Tahoma");
  EXPECT_EQ(O.Font()->Size(), 8);
  EXPECT_TRUE(O.Visible());
  TDvSystemButton Button;
  EXPECT_EQ(Button.Kind(), TDvKind::skSysButton);
  EXPECT_EQ(Button.ActiveFont()->Name(), "MS Sans Serif") << "further fonts keep the platform default";
  EXPECT_TRUE(Button.MaskedBorder());
  TDvColorButtonObject Colours;
  EXPECT_EQ(Colours.HotColor(), clBlack);
}

TEST(SkinLayout, PassesPlaceChildrenInOrderOfPrecedence) {
  TDvSkinObject Root;
  auto* Bottom = Add(Root, "Bottom", TDvAlign::saBottom, Bounds(0, 0, 5, 8));
  auto* MostTop = Add(Root, "MostTop", TDvAlign::saMostTop, Bounds(0, 0, 5, 10));
  auto* Left = Add(Root, "Left", TDvAlign::saLeft, Bounds(0, 0, 20, 5));
  auto* MostRight = Add(Root, "MostRight", TDvAlign::saMostRight, Bounds(0, 0, 7, 5));
  auto* Client = Add(Root, "Client", TDvAlign::saClient);
  auto* Center = Add(Root, "Center", TDvAlign::saCenter, Bounds(0, 0, 11, 4));
  auto* Hidden = Add(Root, "Hidden", TDvAlign::saMostTop, Bounds(0, 0, 5, 30));
  Hidden->SetVisible(false);
  Root.SetBounds(Rect(0, 0, 100, 50));
  EXPECT_EQ(MostTop->BoundsRect(), Rect(0, 0, 100, 10));
  EXPECT_EQ(MostRight->BoundsRect(), Rect(93, 10, 100, 50));
  EXPECT_EQ(Bottom->BoundsRect(), Rect(0, 42, 93, 50));
  EXPECT_EQ(Left->BoundsRect(), Rect(0, 10, 20, 42));
  EXPECT_EQ(Client->BoundsRect(), Rect(20, 10, 93, 42));
  // Centred in the rectangle left over: (73 - 11) / 2 = 31, (32 - 4) / 2 = 14.
  EXPECT_EQ(Center->BoundsRect(), Rect(51, 24, 62, 28));
  EXPECT_EQ(Hidden->BoundsRect(), Bounds(0, 0, 5, 30)) << "invisible children take no part";
}

TEST(SkinLayout, CornerAlignmentsFollowTheChangeOfBounds) {
  TDvSkinObject Root;
  Root.SetBounds(Rect(0, 0, 100, 50));
  auto* TopRight = Add(Root, "TR", TDvAlign::saTopRight, Rect(90, 2, 98, 10));
  auto* BottomRight = Add(Root, "BR", TDvAlign::saBottomRight, Rect(90, 40, 98, 48));
  auto* Grandchild = Add(*BottomRight, "G", TDvAlign::saNone, Rect(91, 41, 92, 42));
  auto* BottomLeft = Add(Root, "BL", TDvAlign::saBottomLeft, Rect(2, 40, 10, 48));
  Root.SetBounds(Rect(0, 0, 120, 60));
  EXPECT_EQ(TopRight->BoundsRect(), Rect(110, 2, 118, 10));
  EXPECT_EQ(BottomRight->BoundsRect(), Rect(110, 50, 118, 58));
  EXPECT_EQ(Grandchild->BoundsRect(), Rect(91, 41, 92, 42)) << "bottom corners move fields only";
  EXPECT_EQ(BottomLeft->BoundsRect(), Rect(2, 50, 10, 58));
}

TEST(SkinLayout, SetBoundsIgnoresTheSameRectangleAndClampsNegativeSizes) {
  TDvSkinObject Root;
  Root.SetBounds(Rect(0, 0, 40, 40));
  auto* Client = Add(Root, "C", TDvAlign::saClient);
  Root.Realign();
  Client->SetBounds(Rect(1, 1, 2, 2));  // moved by hand
  Root.SetBounds(Rect(0, 0, 40, 40));
  EXPECT_EQ(Client->BoundsRect(), Rect(1, 1, 2, 2)) << "no re-layout for the same rectangle";
  Root.SetBounds(Rect(10, 10, 5, 2));
  EXPECT_EQ(Root.Width(), 0);
  EXPECT_EQ(Root.Height(), 0);
}

TEST(SkinLayout, EdgePassesShrinkTheFreeRectangleForLaterPasses) {
  {
    TDvSkinObject Root;
    auto* First = Add(Root, "First", TDvAlign::saMostTop, Bounds(0, 0, 1, 20));
    auto* Second = Add(Root, "Second", TDvAlign::saMostTop, Bounds(0, 0, 1, 10));
    auto* Client = Add(Root, "Client", TDvAlign::saClient);
    Root.SetBounds(Rect(0, 0, 100, 100));
    EXPECT_EQ(First->BoundsRect(), Rect(0, 0, 100, 20));
    EXPECT_EQ(Second->BoundsRect(), Rect(0, 20, 100, 30));
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, 100, 100));
  }
  {
    TDvSkinObject Root;
    auto* Top = Add(Root, "Top", TDvAlign::saTop, Bounds(0, 0, 1, 15));
    auto* MostLeft = Add(Root, "MostLeft", TDvAlign::saMostLeft, Bounds(0, 0, 10, 1));
    Root.SetBounds(Rect(0, 0, 100, 100));
    EXPECT_EQ(Top->BoundsRect(), Rect(10, 0, 100, 15)) << "saMostLeft takes its width first";
    EXPECT_EQ(MostLeft->BoundsRect(), Rect(0, 0, 10, 100));
  }
  {
    // A free rectangle turned inside out leaves the client no area.
    TDvSkinObject Root;
    Add(Root, "Tall", TDvAlign::saMostTop, Bounds(0, 0, 1, 30));
    auto* Client = Add(Root, "Client", TDvAlign::saClient, Bounds(0, 0, 5, 5));
    Root.SetBounds(Rect(0, 0, 100, 20));
    EXPECT_EQ(Client->BoundsRect(), Rect(0, 30, 100, 30));
  }
}

TEST(SkinLayout, CenterUsesTheFreeRectangleAndTextFollowsItsMeasuredWidth) {
  TDvSkinObject Root;
  Add(Root, "Left", TDvAlign::saLeft, Bounds(0, 0, 30, 1));
  Add(Root, "Right", TDvAlign::saRight, Bounds(0, 0, 50, 1));
  auto* Center = Add(Root, "Center", TDvAlign::saCenter, Bounds(0, 0, 11, 6));
  auto* Caption = new TDvTextObject(&Root);
  Caption->SetAlign(TDvAlign::saText);
  Caption->SetTextMarginLeft(3);
  Caption->SetTextMarginRight(4);
  Caption->FontHot()->SetSize(20);
  Caption->SetText(L"Caption");
  Caption->SetBounds(Bounds(7, 9, 1, 12));
  Root.SetBounds(Rect(0, 0, 100, 40));
  // The free rectangle is x 30..50: (20 - 11) / 2 = 4; y 0..40: (40 - 6) / 2 = 17.
  EXPECT_EQ(Center->BoundsRect(), Bounds(34, 17, 11, 6));
  const Integer Normal = MeasureTextWidth(*Caption->Font(), L"Caption");
  EXPECT_EQ(Caption->BoundsRect(), Bounds(7, 9, Normal + 7, 12)) << "width from the text, position kept";

  Caption->SetState(TDvObjectState::osHot);
  Caption->SetText(L"Caption");
  Root.Realign();
  const Integer Hot = MeasureTextWidth(*Caption->FontHot(), L"Caption");
  ASSERT_NE(Hot, Normal);
  EXPECT_EQ(Caption->Width(), Hot + 7) << "measured in the font GetFont answers";
}

TEST(SkinLayout, CornerAlignmentsMoveOncePerChangeOfBounds) {
  TDvSkinObject Root;
  Root.SetBounds(Rect(0, 0, 100, 50));
  auto* TopLeft = Add(Root, "TL", TDvAlign::saTopLeft, Rect(2, 2, 10, 10));
  auto* TopRight = Add(Root, "TR", TDvAlign::saTopRight, Rect(90, 2, 98, 10));
  auto* BottomLeft = Add(Root, "BL", TDvAlign::saBottomLeft, Rect(2, 40, 10, 48));
  auto* BottomRight = Add(Root, "BR", TDvAlign::saBottomRight, Rect(90, 40, 98, 48));
  BottomRight->SetVisible(false);
  Root.SetBounds(Rect(0, 0, 120, 70));
  EXPECT_EQ(TopLeft->BoundsRect(), Rect(2, 2, 10, 10));
  EXPECT_EQ(TopRight->BoundsRect(), Rect(110, 2, 118, 10));
  EXPECT_EQ(BottomLeft->BoundsRect(), Rect(2, 60, 10, 68));
  EXPECT_EQ(BottomRight->BoundsRect(), Rect(110, 60, 118, 68)) << "corners move visible or not";
  Root.SetBounds(Rect(0, 0, 120, 70));
  Root.Realign();  // as every paint of a bitmap object does
  Root.RealignAll();
  EXPECT_EQ(TopRight->BoundsRect(), Rect(110, 2, 118, 10));
  EXPECT_EQ(BottomLeft->BoundsRect(), Rect(2, 60, 10, 68));
  EXPECT_EQ(BottomRight->BoundsRect(), Rect(110, 60, 118, 68));

  Root.SetBounds(Rect(5, 6, 125, 76));  // moved, same size
  EXPECT_EQ(TopLeft->BoundsRect(), Rect(7, 8, 15, 16));
  EXPECT_EQ(TopRight->BoundsRect(), Rect(115, 8, 123, 16));
  EXPECT_EQ(BottomLeft->BoundsRect(), Rect(2, 60, 10, 68)) << "bottom corners follow only the size";

  TDvSkinObject Empty;
  auto* Pinned = Add(Empty, "P", TDvAlign::saTopLeft, Rect(1, 1, 2, 2));
  Empty.SetBounds(Rect(10, 10, 50, 50));
  EXPECT_EQ(Pinned->BoundsRect(), Rect(1, 1, 2, 2)) << "top corners need a previous width";
}

TEST(SkinLayout, ACopyLaysOutWithoutMovingItsCorners) {
  TDvSkinObject Source;
  Source.SetBounds(Rect(0, 0, 100, 50));
  Add(Source, "BR", TDvAlign::saBottomRight, Rect(90, 40, 98, 48));
  std::unique_ptr<TDvSkinObject> Copy(CloneSkinObject(Source, nullptr));
  Copy->Realign();
  EXPECT_EQ(Copy->Child(0)->BoundsRect(), Rect(90, 40, 98, 48));
  Copy->SetBounds(Rect(0, 0, 110, 50));
  EXPECT_EQ(Copy->Child(0)->BoundsRect(), Rect(100, 40, 108, 48));
}

TEST(SkinHitTest, LaterChildrenWinAndTransparentKindsOnlyInDesignMode) {
  TDvSkinObject Root;
  Root.SetBounds(Rect(0, 0, 50, 50));
  auto* A = Add(Root, "A", TDvAlign::saNone, Rect(0, 0, 30, 30));
  auto* B = Add(Root, "B", TDvAlign::saNone, Rect(10, 10, 40, 40));
  EXPECT_EQ(Root.ObjectAtPoint({15, 15}), B);
  EXPECT_EQ(Root.ObjectAtPoint({5, 5}), A);
  EXPECT_EQ(Root.ObjectAtPoint({45, 45}), &Root);
  EXPECT_EQ(Root.ObjectAtPoint({60, 5}), nullptr);
  B->SetKind(TDvKind::skTranparent);
  EXPECT_EQ(Root.ObjectAtPoint({15, 15}), A);
  SetDesignMode(true);
  EXPECT_EQ(Root.ObjectAtPoint({15, 15}), B);
  SetDesignMode(false);
  A->SetVisible(false);
  EXPECT_EQ(Root.ObjectAtPoint({5, 5}), &Root);
  EXPECT_EQ(Root.ObjectAtPointAll({5, 5}), A);
}

TEST(SkinTitleButtons, VisibilityFollowsStateThenTheButtonSet) {
  const struct {
    TDvAction Action;
    TDvObjectState State;
    TDvTitleButtons Buttons;
    bool Visible;
  } Cases[] = {
      {TDvAction::sbaRestore, TDvObjectState::osNormal, 1 << 4, true},
      {TDvAction::sbaRestore, TDvObjectState::osNormal, 1 << 6, false},
      {TDvAction::sbaRestore, TDvObjectState::osMaximized, 1 << 6, true},
      {TDvAction::sbaClose, TDvObjectState::osNormal, 1 << 1, true},
      {TDvAction::sbaClose, TDvObjectState::osNormal, 0, false},
      {TDvAction::sbaTray, TDvObjectState::osNormal, 1 << 9, true},
  };
  for (const auto& C : Cases) {
    TDvSystemButton Button;
    TDvSysButtonSkinObject SkinButton;
    Button.SetAction(C.Action);
    SkinButton.SetAction(C.Action);
    Button.SetState(C.State);
    SkinButton.SetState(C.State);
    Button.SetTitleButtons(C.Buttons);
    SkinButton.SetTitleButtons(C.Buttons);
    EXPECT_EQ(Button.Visible(), C.Visible) << int(C.Action) << " " << int(C.State);
    EXPECT_EQ(SkinButton.Visible(), C.Visible) << int(C.Action) << " " << int(C.State);
  }
  TDvSystemButton Maximize;
  Maximize.SetAction(TDvAction::sbaMaximize);
  Maximize.SetState(TDvObjectState::osMinimized);
  EXPECT_FALSE(Maximize.Visible());
  Maximize.SetState(TDvObjectState::osNormal);
  EXPECT_TRUE(Maximize.Visible());
}

TEST(SkinCopy, CloneKeepsChildOrderAndStoredPropertiesButNotRuntimeFields) {
  TDvBitmapObject Source;
  Source.SetName("button");
  Source.SetBounds(Rect(0, 0, 80, 24));
  Source.SetMarginLeft(4);
  Source.Bitmap()->SetName("img");
  Source.SetTileStyle(TscTileStyle::tsStretch);
  Add(Source, "face", TDvAlign::saClient);
  auto* Text = new TDvTextObject(&Source);
  Text->SetName("text");
  Text->FontHot()->SetColor(clRed);
  Source.SetState(TDvObjectState::osHot);
  Source.SetText(L"runtime");
  std::unique_ptr<TDvSkinObject> Copy(CloneSkinObject(Source, nullptr));
  ASSERT_TRUE(Copy);
  EXPECT_EQ(Stream(*Copy), Stream(Source)) << "every stored property, the children's included";
  EXPECT_EQ(Copy->Child(1)->ClassName(), std::string("TDvTextObject"));
  EXPECT_EQ(Copy->State(), TDvObjectState::osNormal);
  EXPECT_EQ(Copy->Text(), L"");
  try {
    Copy->Assign(&Source);
    FAIL() << "no exception";
  } catch (const EComponentError& E) {
    EXPECT_EQ(E.Message(), "A component named face already exists") << "children are cloned again";
  }
  TvxBitmap NotAnObject;
  EXPECT_THROW(Copy->Assign(&NotAnObject), EConvertError);
}

TEST(SkinCopy, AnObjectAssignedToItselfStaysAsItWas) {
  TDvTextObject Source;
  Source.SetName("button");
  Source.SetColor(0x123456);
  Source.FontHot()->SetColor(clRed);
  new TDvSkinObject(&Source);  // unnamed children: no name clash stops a second copy
  new TDvTextObject(&Source);
  const auto Before = Stream(Source);
  Source.Assign(&Source);
  EXPECT_EQ(Source.ChildCount(), 2);
  EXPECT_EQ(Stream(Source), Before);
}

TEST(SkinCopy, BetweenClassesOnlyTheBasePropertiesCross) {
  TDvSystemButton Button;
  Button.SetAction(TDvAction::sbaClose);
  Button.SetColor(0x123456);
  TDvBitmapSkinObject Other;
  Other.Assign(&Button);
  EXPECT_EQ(Other.Color(), 0x123456);
  TDvSysButtonSkinObject Target;
  Target.Assign(&Button);
  EXPECT_EQ(Target.Action(), TDvAction::sbaNone) << "a different subclass keeps its own values";
}

TEST(SkinObjectsProperty, ChildrenStreamAsBinaryRecordsAndReadBack) {
  TDvSkinObject Root;
  Root.SetName("Form");
  Add(Root, "Title", TDvAlign::saMostTop, Bounds(0, 0, 10, 20));
  auto* Buttons = new TDvSysButtonSkinObject(&Root);
  Buttons->SetName("Close");
  Buttons->SetAction(TDvAction::sbaClose);
  Add(*Buttons, "Glyph", TDvAlign::saCenter, Bounds(0, 0, 3, 3));
  const auto Bytes = Stream(Root);
  TDvSkinObject Back;
  TMemoryStream S(Bytes);
  ReadComponent(S, Back);
  ASSERT_EQ(Back.ChildCount(), 2);
  auto* Close = dynamic_cast<TDvSysButtonSkinObject*>(Back.Child(1));
  ASSERT_TRUE(Close);
  EXPECT_EQ(Close->Action(), TDvAction::sbaClose);
  ASSERT_EQ(Close->ChildCount(), 1);
  EXPECT_EQ(Close->Child(0)->Name(), "Glyph");
  EXPECT_EQ(Stream(Back), Bytes);

  TDvSkinObject Leaf;
  const auto LeafBytes = Stream(Leaf);
  const std::vector<uint8_t> EmptyObjects = {7, 'O', 'b', 'j', 'e', 'c', 't', 's', 10, 4, 0, 0, 0, 0, 0, 0x0F, 0, 0, 0};
  EXPECT_TRUE(std::search(LeafBytes.begin(), LeafBytes.end(), EmptyObjects.begin(), EmptyObjects.end()) !=
              LeafBytes.end())
      << "an object without children writes the word $F0000";
}

TEST(SkinLinks, UpdateLinksBindsByNameAndChecksTransparencyWithMargins) {
  TvxBitmapList Images;
  auto Image = std::make_unique<TvxBitmap>();
  Image->SetSize(30, 30);
  Image->Fill(0xFF000000);
  Image->SetPixel(1, 1, vxKeyColor);
  Image->SetName("Frame");
  Images.Add(std::move(Image));
  TDvBitmapObject WithMargins;
  WithMargins.SetMarginLeft(10), WithMargins.SetMarginTop(10), WithMargins.SetMarginRight(10),
      WithMargins.SetMarginBottom(10);
  WithMargins.Bitmap()->SetName("FRAME");
  WithMargins.Bitmap()->SetRect(Rect(0, 0, 30, 30));
  TDvBitmapSkinObject NoMargins;
  NoMargins.Bitmap()->SetName("frame");
  NoMargins.Bitmap()->SetRect(Rect(0, 0, 30, 30));
  for (TDvSkinObject* O : {static_cast<TDvSkinObject*>(&WithMargins), static_cast<TDvSkinObject*>(&NoMargins)}) {
    O->SetImageList(&Images);
    O->UpdateLinks();
  }
  EXPECT_TRUE(WithMargins.Bitmap()->Valid());
  EXPECT_TRUE(WithMargins.Bitmap()->CornersTransparent());
  EXPECT_FALSE(WithMargins.Bitmap()->ClientTransparent());
  EXPECT_TRUE(NoMargins.Bitmap()->ClientTransparent());
  EXPECT_FALSE(NoMargins.Bitmap()->CornersTransparent());
  TDvBitmapObject Unknown;
  Unknown.Bitmap()->SetName("nothing");
  Unknown.SetImageList(&Images);
  Unknown.UpdateLinks();
  EXPECT_FALSE(Unknown.Bitmap()->Valid());
}

TEST(SkinColours, ShiftsSkipNoneAndResolveSystemColours) {
  TDvActiveObject O;
  O.SetColor(clNone);
  O.Font()->SetColor(clBtnFace);
  O.SetActiveColor(0x0000FF);
  O.ChangeHue(85);
  EXPECT_EQ(O.Color(), clNone);
  EXPECT_GE(O.Font()->Color(), 0) << "a system colour becomes plain RGB";
  EXPECT_EQ(O.ActiveColor(), 0x00FF00);
  TDvActiveSkinObject Always;
  Always.SetActiveColor(clNone);
  Always.ChangeBrightness(0);
  EXPECT_NE(Always.ActiveColor(), clNone) << "this class shifts its active colour whatever it holds";
}
