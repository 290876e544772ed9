// The skin-object base class: stored properties, the tree, layout, searches, hit testing,
// copying and the "Objects" property; the class registry and the enumeration names.
#include "vexel/skin/theme_dv3objects.h"

#include <algorithm>

#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/graphics/vx_utils.h"

namespace {
bool GDesignMode = false;

// Counts share the low bits of a word whose flag bits mark the form; more would collide.
constexpr int32_t ChildWordFlag = 0xF0000;
constexpr int32_t MaxChildren = 0xFFFF;

constexpr const char* KindNames[] = {
    "skNone", "skForm", "skCaption", "skTitle", "skTop", "skLeft", "skRight", "skBottom", "skTopLeft", "skTopRight",
    "skBottomLeft", "skBottomRight", "skSysButton", "skClient", "skMenuBar", "skMenuBarItem", "skMenuBarItemText",
    "skPopupMenu", "skPopupMenuItem", "skPopupMenuItemText", "skItemText", "skTranparent"};
constexpr const char* AlignNames[] = {
    "saNone", "saLeft", "saMostLeft", "saTop", "saMostTop", "saRight", "saMostRight", "saBottom",
    "saMostBottom", "saClient", "saTopLeft", "saTopRight", "saBottomLeft", "saBottomRight", "saCenter", "saText"};
constexpr const char* TextAlignNames[] = {"taTopLeft", "taTopCenter", "taTopRight", "taLeft",        "taCenter",
                                          "taRight",   "taBottomLeft", "taBottomCenter", "taBottomRight"};
constexpr const char* TextEffectNames[] = {"teNone", "teShadow"};
constexpr const char* TileNames[] = {"tsTile",           "tsStretch",           "tsCenter",        "tsVertCenterStretch",
                                     "tsVertCenterTile", "tsHorzCenterStretch", "tsHorzCenterTile"};
constexpr const char* ActionNames[] = {"sbaNone",     "sbaClose",  "sbaHelp",     "sbaMinimize",
                                       "sbaMaximize", "sbaRestore", "sbaRollUp",  "sbaRollDown",
                                       "sbaTray",     "sbaSysMenu", "sbaRollPanel", "sbaCustom"};
constexpr const char* RollKindNames[] = {"rkLeft", "rkTop", "rkRight", "rkBottom"};
}  // namespace

// [Enumerations] -------------------------------------------------------------------------------

const TEnumInfo& DvKindNames() {
  static constexpr TEnumInfo Info{KindNames};
  return Info;
}
const TEnumInfo& DvAlignNames() {
  static constexpr TEnumInfo Info{AlignNames};
  return Info;
}
const TEnumInfo& DvTextAlignNames() {
  static constexpr TEnumInfo Info{TextAlignNames};
  return Info;
}
const TEnumInfo& DvTextEffectNames() {
  static constexpr TEnumInfo Info{TextEffectNames};
  return Info;
}
const TEnumInfo& TileStyleNames() {
  static constexpr TEnumInfo Info{TileNames};
  return Info;
}
const TEnumInfo& DvActionNames() {
  static constexpr TEnumInfo Info{ActionNames};
  return Info;
}
const TEnumInfo& DvRollKindNames() {
  static constexpr TEnumInfo Info{RollKindNames};
  return Info;
}

bool DesignMode() { return GDesignMode; }
void SetDesignMode(bool Value) { GDesignMode = Value; }

// [Base class] ---------------------------------------------------------------------------------

const TClassInfo& TDvSkinObject::StaticClassInfo() {
  using O = TDvSkinObject;
  static const TPropInfo Properties[] = {
      EnumProperty<&O::Align, &O::SetAlign>("Align", DvAlignNames()),
      ColorProperty<&O::Color, &O::SetColor>("Color"),
      BooleanProperty<&O::DrawIfOwner, &O::SetDrawIfOwner>("DrawIfOwner"),
      ClassProperty<&O::Font>("Font"),
      EnumProperty<&O::Kind, &O::SetKind>("Kind", DvKindNames()),
      BooleanProperty<&O::Masked, &O::SetMasked>("Masked"),
      IntegerProperty<&O::Left, &O::SetLeft>("Left"),
      IntegerProperty<&O::Top, &O::SetTop>("Top"),
      IntegerProperty<&O::Height, &O::SetHeight>("Height"),
      IntegerProperty<&O::Width, &O::SetWidth>("Width"),
      IntegerProperty<&O::MarginLeft, &O::SetMarginLeft>("MarginLeft"),
      IntegerProperty<&O::MarginRight, &O::SetMarginRight>("MarginRight"),
      IntegerProperty<&O::MarginTop, &O::SetMarginTop>("MarginTop"),
      IntegerProperty<&O::MarginBottom, &O::SetMarginBottom>("MarginBottom"),
      EnumProperty<&O::TextAlign, &O::SetTextAlign>("TextAlign", DvTextAlignNames()),
      EnumProperty<&O::TextEffect, &O::SetTextEffect>("TextEffect", DvTextEffectNames()),
      IntegerProperty<&O::TextMarginLeft, &O::SetTextMarginLeft>("TextMarginLeft"),
      IntegerProperty<&O::TextMarginRight, &O::SetTextMarginRight>("TextMarginRight"),
      BooleanProperty<&O::TextMarginRightStretch, &O::SetTextMarginRightStretch>("TextMarginRightStretch"),
      IntegerProperty<&O::TextMarginTop, &O::SetTextMarginTop>("TextMarginTop"),
  };
  static const TDefinedProperty Defined[] = {DefinedBinaryProperty<&O::ReadObjects, &O::WriteObjects>("Objects")};
  static const TClassInfo Info{"TDvSkinObject", &TComponent::StaticClassInfo(), Properties, Defined,
                               &CreateComponent<TDvSkinObject>};
  return Info;
}

TDvSkinObject::TDvSkinObject(TComponent* Owner) : TComponent(Owner), FFont(std::make_unique<TFont>()) {
  FFont->SetName("Tahoma");
  FFont->SetSize(8);
}

// Children go first, while this object is still whole.
TDvSkinObject::~TDvSkinObject() { DestroyComponents(); }

void TDvSkinObject::Assign(const TPersistent* Source) {
  const auto* S = dynamic_cast<const TDvSkinObject*>(Source);
  if (!S) return TComponent::Assign(Source);
  // A copy of itself would clone each child it has just appended, without end.
  if (S == this) return;
  SetName(S->Name());
  FMasked = S->FMasked;
  FAlign = S->FAlign;
  FKind = S->FKind;
  FImageList = S->FImageList;
  FColor = S->FColor;
  FDrawIfOwner = S->FDrawIfOwner;
  FFont->Assign(S->FFont.get());
  FTextAlign = S->FTextAlign;
  FTextEffect = S->FTextEffect;
  FTextMarginLeft = S->FTextMarginLeft;
  FTextMarginRight = S->FTextMarginRight;
  FTextMarginTop = S->FTextMarginTop;
  FTextMarginRightStretch = S->FTextMarginRightStretch;
  FMarginLeft = S->FMarginLeft;
  FMarginTop = S->FMarginTop;
  FMarginRight = S->FMarginRight;
  FMarginBottom = S->FMarginBottom;
  for (Integer I = 0; I < S->ChildCount(); ++I) CloneSkinObject(*S->Child(I), this);
  FLeft = S->FLeft;
  FTop = S->FTop;
  FWidth = S->FWidth;
  FHeight = S->FHeight;
  // A copy has not been resized: corner children must not take its whole size as a change.
  FPreviousBounds = BoundsRect();
}

void TDvSkinObject::SetActive(bool Value) {
  if (FActive == Value) return;
  FActive = Value;
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->SetActive(Value);
}

void TDvSkinObject::SetImageList(TvxBitmapList* List) {
  FImageList = List;
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->SetImageList(List);
}

void TDvSkinObject::SetTitleButtons(TDvTitleButtons Buttons) {
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->SetTitleButtons(Buttons);
  FTitleButtons = Buttons;
}

void TDvSkinObject::SetState(TDvObjectState Value) {
  FState = Value;
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->SetState(Value);
}

void TDvSkinObject::UpdateLinks() {
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->UpdateLinks();
}

void TDvSkinObject::ChangeHue(Integer Delta) {
  if (FColor != clNone) FColor = ColorHueShifted(FColor, Delta);
  if (FFont->Color() != clNone) FFont->SetColor(ColorHueShifted(FFont->Color(), Delta));
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->ChangeHue(Delta);
}

void TDvSkinObject::ChangeBrightness(Integer Delta) {
  if (FColor != clNone) FColor = ColorBrightnessShifted(FColor, Delta);
  if (FFont->Color() != clNone) FFont->SetColor(ColorBrightnessShifted(FFont->Color(), Delta));
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->ChangeBrightness(Delta);
}

void TDvSkinObject::SetCharset(TFontCharset Charset) {
  GetFont().SetCharset(Charset);
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->SetCharset(Charset);
}

void TDvSkinObject::RebindLink(std::unique_ptr<TvxBitmapLink>& Link, const TRect& Margins) {
  if (!FImageList) return;
  auto Bound = FImageList->GetLink(Link->Name(), Link->Rect());
  if (!Bound) return;
  Bound->CheckTransparency(Margins);
  Link = std::move(Bound);
}

// [Bounds and layout] --------------------------------------------------------------------------

void TDvSkinObject::SetBounds(const TRect& R) {
  if (R == BoundsRect()) return;
  FPreviousBounds = BoundsRect();
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = std::max(0, R.Right - R.Left);
  FHeight = std::max(0, R.Bottom - R.Top);
  Realign();
  FPreviousBounds = BoundsRect();
}

void TDvSkinObject::Realign() {
  TRect R = BoundsRect();
  std::vector<TDvSkinObject*> Shown;
  for (Integer I = 0; I < ChildCount(); ++I)
    if (Child(I)->FVisible) Shown.push_back(Child(I));
  const auto Edges = [&](TDvAlign TopAlign, TDvAlign BottomAlign) {
    for (TDvSkinObject* C : Shown) {
      if (C->FAlign == TopAlign) {
        C->SetBounds({R.Left, R.Top, R.Right, R.Top + C->FHeight});
        R.Top += C->FHeight;
      } else if (C->FAlign == BottomAlign) {
        C->SetBounds({R.Left, R.Bottom - C->FHeight, R.Right, R.Bottom});
        R.Bottom -= C->FHeight;
      }
    }
  };
  const auto Sides = [&](TDvAlign LeftAlign, TDvAlign RightAlign) {
    for (TDvSkinObject* C : Shown) {
      if (C->FAlign == LeftAlign) {
        C->SetBounds({R.Left, R.Top, R.Left + C->FWidth, R.Bottom});
        R.Left += C->FWidth;
      } else if (C->FAlign == RightAlign) {
        C->SetBounds({R.Right - C->FWidth, R.Top, R.Right, R.Bottom});
        R.Right -= C->FWidth;
      }
    }
  };
  Edges(TDvAlign::saMostTop, TDvAlign::saMostBottom);
  Sides(TDvAlign::saMostLeft, TDvAlign::saMostRight);
  Edges(TDvAlign::saTop, TDvAlign::saBottom);
  Sides(TDvAlign::saLeft, TDvAlign::saRight);
  for (auto It = Shown.rbegin(); It != Shown.rend(); ++It)
    if (TDvSkinObject* C = *It; C->FAlign == TDvAlign::saText) {
      const Integer W = MeasureTextWidth(C->GetFont(), C->FText) + C->FTextMarginLeft + C->FTextMarginRight;
      C->SetBounds(Bounds(C->FLeft, C->FTop, W, C->FHeight));
    }
  for (auto It = Shown.rbegin(); It != Shown.rend(); ++It)
    if (TDvSkinObject* C = *It; C->FAlign == TDvAlign::saCenter)
      C->SetBounds(Bounds(R.Left + (R.Width() - C->FWidth) / 2, R.Top + (R.Height() - C->FHeight) / 2, C->FWidth,
                          C->FHeight));
  for (TDvSkinObject* C : Shown)
    if (C->FAlign == TDvAlign::saClient) C->SetBounds(R);

  const TRect& P = FPreviousBounds;
  for (Integer I = 0; I < ChildCount(); ++I) {
    TDvSkinObject* C = Child(I);
    switch (C->FAlign) {
      case TDvAlign::saTopLeft:
        if (P.Width() > 0) C->SetBounds(C->BoundsRect().Offset(FLeft - P.Left, FTop - P.Top));
        break;
      case TDvAlign::saTopRight:
        if (P.Width() > 0) C->SetBounds(C->BoundsRect().Offset((FLeft + FWidth) - P.Right, FTop - P.Top));
        break;
      case TDvAlign::saBottomLeft:
        C->FTop += FHeight - P.Height();
        break;
      case TDvAlign::saBottomRight:
        C->FLeft += FWidth - P.Width();
        C->FTop += FHeight - P.Height();
        break;
      default:
        break;
    }
  }
}

void TDvSkinObject::RealignAll() {
  Realign();
  for (Integer I = 0; I < ChildCount(); ++I) Child(I)->RealignAll();
}

// [Searches and hit testing] -------------------------------------------------------------------

TDvSkinObject* TDvSkinObject::FindByName(const std::string& Name) {
  if (SameText(this->Name(), Name)) return this;
  for (Integer I = 0; I < ChildCount(); ++I)
    if (TDvSkinObject* Found = Child(I)->FindByName(Name)) return Found;
  return nullptr;
}

TDvSkinObject* TDvSkinObject::FindByKind(TDvKind Kind) {
  if (FKind == Kind) return this;
  for (Integer I = 0; I < ChildCount(); ++I)
    if (TDvSkinObject* Found = Child(I)->FindByKind(Kind)) return Found;
  return nullptr;
}

TDvSkinObject* TDvSkinObject::FindByAction(TDvAction Action) {
  if (auto* B = dynamic_cast<TDvSystemButton*>(this); B && B->Action() == Action) return this;
  if (auto* B = dynamic_cast<TDvSysButtonSkinObject*>(this); B && B->Action() == Action) return this;
  for (Integer I = 0; I < ChildCount(); ++I)
    if (TDvSkinObject* Found = Child(I)->FindByAction(Action)) return Found;
  return nullptr;
}

TDvSkinObject* TDvSkinObject::HitTest(TPoint P, bool VisibleOnly) {
  if (VisibleOnly && !FVisible) return nullptr;
  if (!BoundsRect().Contains(P.X, P.Y)) return nullptr;
  if (FKind == TDvKind::skTranparent && !GDesignMode) return nullptr;
  TDvSkinObject* Hit = nullptr;
  for (Integer I = 0; I < ChildCount(); ++I)
    if (TDvSkinObject* Answer = Child(I)->HitTest(P, VisibleOnly)) Hit = Answer;
  return Hit ? Hit : this;
}

TDvSkinObject* TDvSkinObject::ObjectAtPoint(TPoint P) { return HitTest(P, true); }
TDvSkinObject* TDvSkinObject::ObjectAtPointAll(TPoint P) { return HitTest(P, false); }

// [The "Objects" property] ---------------------------------------------------------------------

void TDvSkinObject::WriteObjects(TStream& Data) const {
  if (ChildCount() > MaxChildren)
    throw EWriteError(Format("%s has %d children; a skin object can store at most %d", Name().c_str(), ChildCount(),
                             MaxChildren));
  Data.WriteInt32(ChildCount() | ChildWordFlag);
  for (Integer I = 0; I < ChildCount(); ++I) {
    TMemoryStream Child;
    WriteComponent(Child, *this->Child(I));
    WriteStreamString(Data, this->Child(I)->ClassName());
    WriteStreamBlock(Data, Child);
  }
}

void TDvSkinObject::ReadObjects(TStream& Data) {
  const int32_t Word = Data.ReadInt32();
  const bool Binary = (Word & ChildWordFlag) == ChildWordFlag;
  const int32_t Count = Binary ? Word & ~ChildWordFlag : Word;
  if (Count < 0) throw EReadError(Format("Invalid child count %d", Count));
  for (int32_t I = 0; I < Count; ++I) {
    std::unique_ptr<TDvSkinObject> Child = ReadSkinObjectRecord(Data, Binary);
    InsertComponent(Child.get());
    Child.release();
  }
}

std::string ObjectTextForm(const TDvSkinObject& Object) {
  TMemoryStream Binary, Text;
  WriteComponent(Binary, Object);
  Binary.SetPosition(0);
  ObjectBinaryToText(Binary, Text);
  return std::string(Text.Data().begin(), Text.Data().end());
}

std::unique_ptr<TDvSkinObject> ReadSkinObjectRecord(TStream& Data, bool Binary) {
  const std::string ClassName = ReadStreamString(Data);
  const TClassInfo* Class = FindSkinObjectClass(ClassName);
  if (!Class) throw EReadError(Format("Unknown skin object class \"%s\"", ClassName.c_str()));
  TMemoryStream Component;
  if (Binary) {
    ReadStreamBlock(Data, Component);
  } else {
    const std::string Text = ReadStreamString(Data);
    TBufferStream TextStream(Text.data(), int64_t(Text.size()));
    ObjectTextToBinary(TextStream, Component);
  }
  Component.SetPosition(0);
  std::unique_ptr<TDvSkinObject> Object(static_cast<TDvSkinObject*>(Class->Create(nullptr)));
  ReadComponent(Component, *Object);
  if (!TKeepObjectCharsets::Active()) Object->SetCharset(DEFAULT_CHARSET);
  return Object;
}

// [Copies and the registry] --------------------------------------------------------------------

TDvSkinObject* CloneSkinObject(const TDvSkinObject& Object, TComponent* NewOwner) {
  const TClassInfo* Class = FindSkinObjectClass(Object.ClassName());
  if (!Class) return nullptr;
  auto* Copy = static_cast<TDvSkinObject*>(Class->Create(NewOwner));
  try {
    Copy->Assign(&Object);
  } catch (...) {
    delete Copy;
    throw;
  }
  return Copy;
}

const std::vector<const TClassInfo*>& SkinObjectClasses() {
  static const std::vector<const TClassInfo*> Classes = {
      &TDvSkinObject::StaticClassInfo(),           &TDvActiveObject::StaticClassInfo(),
      &TDvBitmapObject::StaticClassInfo(),         &TDvActiveBitmap::StaticClassInfo(),
      &TDvSystemButton::StaticClassInfo(),         &TDvButtonObject::StaticClassInfo(),
      &TDvTextObject::StaticClassInfo(),           &TDvLinkSkinObject::StaticClassInfo(),
      &TDvBitmapSkinObject::StaticClassInfo(),     &TDvFormBitmapSkinObject::StaticClassInfo(),
      &TDvSysButtonSkinObject::StaticClassInfo(),  &TDvActiveSkinObject::StaticClassInfo(),
      &TDvColorButtonObject::StaticClassInfo(),    &TDvBitmapBoxObject::StaticClassInfo(),
      &TDvActiveBitmapBoxObject::StaticClassInfo(), &TDvButtonBitmapBoxObject::StaticClassInfo(),
      &TDvRollPanelObject::StaticClassInfo(),
  };
  return Classes;
}

const TClassInfo* FindSkinObjectClass(const std::string& Name) {
  for (const TClassInfo* Class : SkinObjectClasses())
    if (Name == Class->Name) return Class;
  return nullptr;
}
