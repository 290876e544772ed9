// Skin objects: the tree of rectangles a skin is made of. Each object has a kind (its role for
// the theme), an alignment inside its parent, margins, a fill colour, fonts and, for most
// classes, links to rectangles of the skin's images. A child is owned by its parent; the
// parent's owned list, in creation order, is the child order. All objects of one tree share the
// coordinate space of the top-level object.
//
// Sections: enumerations, the base class, the sixteen subclasses, the class registry.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/graphics/font.h"
#include "vexel/graphics/vx_bitmaplist.h"

// [Enumerations] Their value names are what skin files store.
enum class TDvKind : uint8_t {
  skNone,
  skForm,
  skCaption,
  skTitle,
  skTop,
  skLeft,
  skRight,
  skBottom,
  skTopLeft,
  skTopRight,
  skBottomLeft,
  skBottomRight,
  skSysButton,
  skClient,
  skMenuBar,
  skMenuBarItem,
  skMenuBarItemText,
  skPopupMenu,
  skPopupMenuItem,
  skPopupMenuItemText,
  skItemText,
  skTranparent,
};
enum class TDvAlign : uint8_t {
  saNone,
  saLeft,
  saMostLeft,
  saTop,
  saMostTop,
  saRight,
  saMostRight,
  saBottom,
  saMostBottom,
  saClient,
  saTopLeft,
  saTopRight,
  saBottomLeft,
  saBottomRight,
  saCenter,
  saText,
};
enum class TDvTextAlign : uint8_t {
  taTopLeft,
  taTopCenter,
  taTopRight,
  taLeft,
  taCenter,
  taRight,
  taBottomLeft,
  taBottomCenter,
  taBottomRight,
};
enum class TDvTextEffect : uint8_t { teNone, teShadow };
enum class TscTileStyle : uint8_t {
  tsTile,
  tsStretch,
  tsCenter,
  tsVertCenterStretch,
  tsVertCenterTile,
  tsHorzCenterStretch,
  tsHorzCenterTile,
};
enum class TDvAction : uint8_t {
  sbaNone,
  sbaClose,
  sbaHelp,
  sbaMinimize,
  sbaMaximize,
  sbaRestore,
  sbaRollUp,
  sbaRollDown,
  sbaTray,
  sbaSysMenu,
  sbaRollPanel,
  sbaCustom,
};
enum class TDvRollKind : uint8_t { rkLeft, rkTop, rkRight, rkBottom };
enum class TDvObjectState : uint8_t {
  osNormal,
  osDesign,
  osMaximized,
  osMinimized,
  osRolledUp,
  osHot,
  osPressed,
  osFocused,
  osDisabled,
};
// Bits of the title buttons present on a window.
using TDvTitleButtons = uint16_t;

const TEnumInfo& DvKindNames();
const TEnumInfo& DvAlignNames();
const TEnumInfo& DvTextAlignNames();
const TEnumInfo& DvTextEffectNames();
const TEnumInfo& TileStyleNames();
const TEnumInfo& DvActionNames();
const TEnumInfo& DvRollKindNames();

// While set (the editor shows skins), clNone fills show as the key colour and skTranparent
// objects can be hit.
bool DesignMode();
void SetDesignMode(bool Value);

// [Base class] --------------------------------------------------------------------------------

class TDvSkinObject : public TComponent {
 public:
  explicit TDvSkinObject(TComponent* Owner = nullptr);
  ~TDvSkinObject() override;
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  // Base properties from any skin object, plus the subclass's own from one of the same class;
  // children are cloned after the existing ones. Not from other classes: "Cannot assign".
  void Assign(const TPersistent* Source) override;

  // Stored properties, in stream order.
  TDvAlign Align() const { return FAlign; }
  void SetAlign(TDvAlign Value) { FAlign = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  bool DrawIfOwner() const { return FDrawIfOwner; }
  void SetDrawIfOwner(bool Value) { FDrawIfOwner = Value; }
  TFont* Font() const { return FFont.get(); }
  TDvKind Kind() const { return FKind; }
  void SetKind(TDvKind Value) { FKind = Value; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool Value) { FMasked = Value; }
  Integer Left() const { return FLeft; }
  void SetLeft(Integer Value) { SetBounds(Bounds(Value, FTop, FWidth, FHeight)); }
  Integer Top() const { return FTop; }
  void SetTop(Integer Value) { SetBounds(Bounds(FLeft, Value, FWidth, FHeight)); }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { SetBounds(Bounds(FLeft, FTop, FWidth, Value)); }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { SetBounds(Bounds(FLeft, FTop, Value, FHeight)); }
  Integer MarginLeft() const { return FMarginLeft; }
  void SetMarginLeft(Integer Value) { FMarginLeft = Value; }
  Integer MarginRight() const { return FMarginRight; }
  void SetMarginRight(Integer Value) { FMarginRight = Value; }
  Integer MarginTop() const { return FMarginTop; }
  void SetMarginTop(Integer Value) { FMarginTop = Value; }
  Integer MarginBottom() const { return FMarginBottom; }
  void SetMarginBottom(Integer Value) { FMarginBottom = Value; }
  TDvTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TDvTextAlign Value) { FTextAlign = Value; }
  TDvTextEffect TextEffect() const { return FTextEffect; }
  void SetTextEffect(TDvTextEffect Value) { FTextEffect = Value; }
  Integer TextMarginLeft() const { return FTextMarginLeft; }
  void SetTextMarginLeft(Integer Value) { FTextMarginLeft = Value; }
  Integer TextMarginRight() const { return FTextMarginRight; }
  void SetTextMarginRight(Integer Value) { FTextMarginRight = Value; }
  bool TextMarginRightStretch() const { return FTextMarginRightStretch; }
  void SetTextMarginRightStretch(bool Value) { FTextMarginRightStretch = Value; }
  Integer TextMarginTop() const { return FTextMarginTop; }
  void SetTextMarginTop(Integer Value) { FTextMarginTop = Value; }
  TRect Margins() const { return {FMarginLeft, FMarginTop, FMarginRight, FMarginBottom}; }

  // Runtime fields, set by the theme or the editor before painting; never stored.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  TDvObjectState State() const { return FState; }
  TDvTitleButtons TitleButtons() const { return FTitleButtons; }
  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& Value) { FText = Value; }
  const TRect& PreviousBounds() const { return FPreviousBounds; }
  TvxBitmapList* ImageList() const { return FImageList; }
  void SetImageList(TvxBitmapList* List);

  // The tree: children are the owned components, in creation order.
  Integer ChildCount() const { return ComponentCount(); }
  TDvSkinObject* Child(Integer Index) const { return static_cast<TDvSkinObject*>(Components(Index)); }
  TDvSkinObject* Parent() const { return dynamic_cast<TDvSkinObject*>(Owner()); }

  // Virtual operations.
  virtual TFont& GetFont() const { return *FFont; }
  virtual void SetTitleButtons(TDvTitleButtons Buttons);
  virtual void SetState(TDvObjectState Value);
  virtual void UpdateLinks();
  virtual void ChangeHue(Integer Delta);
  virtual void ChangeBrightness(Integer Delta);
  virtual void SetCharset(TFontCharset Charset);

  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  // Nothing for the current rectangle; otherwise moves, clamps negative sizes to 0 and lays the
  // children out again.
  void SetBounds(const TRect& R);
  // Places the children by their Align inside the bounds.
  void Realign();
  void RealignAll();
  TDvSkinObject* FindByName(const std::string& Name);
  TDvSkinObject* FindByKind(TDvKind Kind);
  TDvSkinObject* FindByAction(TDvAction Action);
  // The innermost visible object at P; skTranparent objects only in design mode.
  TDvSkinObject* ObjectAtPoint(TPoint P);
  // As ObjectAtPoint, visible or not.
  TDvSkinObject* ObjectAtPointAll(TPoint P);

 protected:
  // The link re-bound to the image of its name with CheckTransparency(Margins), when the image
  // list has one.
  void RebindLink(std::unique_ptr<TvxBitmapLink>& Link, const TRect& Margins);
  void SetStateField(TDvObjectState Value) { FState = Value; }

 private:
  TDvSkinObject* HitTest(TPoint P, bool VisibleOnly);
  // The "Objects" property: a child word (count OR $F0000), then per child its class name,
  // size and binary component stream.
  void ReadObjects(TStream& Data);
  void WriteObjects(TStream& Data) const;

  TDvAlign FAlign = TDvAlign::saNone;
  TColor FColor = clWhite;
  bool FDrawIfOwner = false;
  std::unique_ptr<TFont> FFont;
  TDvKind FKind = TDvKind::skNone;
  bool FMasked = true;
  Integer FLeft = 0, FTop = 0, FHeight = 0, FWidth = 0;
  Integer FMarginLeft = 0, FMarginRight = 0, FMarginTop = 0, FMarginBottom = 0;
  TDvTextAlign FTextAlign = TDvTextAlign::taLeft;
  TDvTextEffect FTextEffect = TDvTextEffect::teNone;
  Integer FTextMarginLeft = 0, FTextMarginRight = 0;
  bool FTextMarginRightStretch = false;
  Integer FTextMarginTop = 0;

  bool FVisible = true;
  bool FActive = false;
  TDvObjectState FState = TDvObjectState::osNormal;
  TDvTitleButtons FTitleButtons = 0;
  std::wstring FText;
  TRect FPreviousBounds;
  TvxBitmapList* FImageList = nullptr;
};

// [Subclasses] Each adds its own stored properties after its parent's. Links and fonts are
// owned by the object; their setters copy the given value in.

using TLinkPtr = std::unique_ptr<TvxBitmapLink>;
using TFontPtr = std::unique_ptr<TFont>;

class TDvActiveObject : public TDvSkinObject {
 public:
  explicit TDvActiveObject(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor Value) { FActiveColor = Value; }
  TFont* ActiveFont() const { return FActiveFont.get(); }
  TFont* DisabledFont() const { return FDisabledFont.get(); }
  TFont& GetFont() const override;
  void ChangeHue(Integer Delta) override;
  void ChangeBrightness(Integer Delta) override;
  void SetCharset(TFontCharset Charset) override;

 private:
  TColor FActiveColor = clBlack;
  TFontPtr FActiveFont = std::make_unique<TFont>(), FDisabledFont = std::make_unique<TFont>();
};

class TDvBitmapObject : public TDvSkinObject {
 public:
  explicit TDvBitmapObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* Bitmap() const { return FBitmap.get(); }
  TscTileStyle BorderTileStyle() const { return FBorderTileStyle; }
  void SetBorderTileStyle(TscTileStyle Value) { FBorderTileStyle = Value; }
  bool MaskedBorder() const { return FMaskedBorder; }
  void SetMaskedBorder(bool Value) { FMaskedBorder = Value; }
  bool MaskedAngles() const { return FMaskedAngles; }
  void SetMaskedAngles(bool Value) { FMaskedAngles = Value; }
  TscTileStyle TileStyle() const { return FTileStyle; }
  void SetTileStyle(TscTileStyle Value) { FTileStyle = Value; }

 private:
  TLinkPtr FBitmap = std::make_unique<TvxBitmapLink>();
  TscTileStyle FBorderTileStyle = TscTileStyle::tsTile;
  bool FMaskedBorder = true, FMaskedAngles = true;
  TscTileStyle FTileStyle = TscTileStyle::tsTile;
};

class TDvActiveBitmap : public TDvBitmapObject {
 public:
  explicit TDvActiveBitmap(TComponent* Owner = nullptr) : TDvBitmapObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* ActiveBitmap() const { return FActiveBitmap.get(); }
  TFont* ActiveFont() const { return FActiveFont.get(); }
  TFont& GetFont() const override;
  void SetCharset(TFontCharset Charset) override;

 private:
  TLinkPtr FActiveBitmap = std::make_unique<TvxBitmapLink>();
  TFontPtr FActiveFont = std::make_unique<TFont>();
};

// Shared by the two title-button classes: Visible follows the window state and the set of
// title buttons present.
struct TDvButtonVisibility {
  static void ApplyState(TDvSkinObject& Button, TDvAction Action, TDvObjectState State);
  static void ApplyTitleButtons(TDvSkinObject& Button, TDvAction Action, TDvTitleButtons Buttons);
};

class TDvSystemButton : public TDvActiveBitmap {
 public:
  explicit TDvSystemButton(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  void SetState(TDvObjectState Value) override;
  void SetTitleButtons(TDvTitleButtons Buttons) override;
  TDvAction Action() const { return FAction; }
  void SetAction(TDvAction Value) { FAction = Value; }
  TvxBitmapLink* BitmapHot() const { return FBitmapHot.get(); }
  TvxBitmapLink* BitmapPressed() const { return FBitmapPressed.get(); }
  // 0 normal, 1 hot, 2 pressed: set by the theme while it paints one title button.
  Byte ButtonState = 0;

 private:
  TDvAction FAction = TDvAction::sbaNone;
  TLinkPtr FBitmapHot = std::make_unique<TvxBitmapLink>(), FBitmapPressed = std::make_unique<TvxBitmapLink>();
};

class TDvButtonObject : public TDvBitmapObject {
 public:
  explicit TDvButtonObject(TComponent* Owner = nullptr) : TDvBitmapObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* BitmapHot() const { return FBitmapHot.get(); }
  TvxBitmapLink* BitmapFocused() const { return FBitmapFocused.get(); }
  TvxBitmapLink* BitmapPressed() const { return FBitmapPressed.get(); }
  TvxBitmapLink* BitmapDisabled() const { return FBitmapDisabled.get(); }

 private:
  TLinkPtr FBitmapHot = std::make_unique<TvxBitmapLink>(), FBitmapFocused = std::make_unique<TvxBitmapLink>(),
           FBitmapPressed = std::make_unique<TvxBitmapLink>(), FBitmapDisabled = std::make_unique<TvxBitmapLink>();
};

class TDvTextObject : public TDvSkinObject {
 public:
  explicit TDvTextObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TFont* FontHot() const { return FFontHot.get(); }
  TFont* FontFocused() const { return FFontFocused.get(); }
  TFont* FontPressed() const { return FFontPressed.get(); }
  TFont* FontDisabled() const { return FFontDisabled.get(); }
  TFont& GetFont() const override;
  void ChangeHue(Integer Delta) override;
  void ChangeBrightness(Integer Delta) override;
  void SetCharset(TFontCharset Charset) override;

 private:
  TFontPtr FFontHot = std::make_unique<TFont>(), FFontFocused = std::make_unique<TFont>(),
           FFontPressed = std::make_unique<TFont>(), FFontDisabled = std::make_unique<TFont>();
};

class TDvLinkSkinObject : public TDvSkinObject {
 public:
  explicit TDvLinkSkinObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  const std::string& LinkControl() const { return FLinkControl; }
  void SetLinkControl(const std::string& Value) { FLinkControl = Value; }

 private:
  std::string FLinkControl;
};

class TDvActiveSkinObject : public TDvSkinObject {
 public:
  explicit TDvActiveSkinObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TColor ActiveColor() const { return FActiveColor; }
  void SetActiveColor(TColor Value) { FActiveColor = Value; }
  TFont* ActiveFont() const { return FActiveFont.get(); }
  void ChangeHue(Integer Delta) override;
  void ChangeBrightness(Integer Delta) override;

 private:
  TColor FActiveColor = clBlack;
  TFontPtr FActiveFont = std::make_unique<TFont>();
};

class TDvBitmapSkinObject : public TDvSkinObject {
 public:
  explicit TDvBitmapSkinObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* Bitmap() const { return FBitmap.get(); }
  TscTileStyle TileStyle() const { return FTileStyle; }
  void SetTileStyle(TscTileStyle Value) { FTileStyle = Value; }

 private:
  TLinkPtr FBitmap = std::make_unique<TvxBitmapLink>();
  TscTileStyle FTileStyle = TscTileStyle::tsTile;
};

class TDvFormBitmapSkinObject : public TDvBitmapSkinObject {
 public:
  explicit TDvFormBitmapSkinObject(TComponent* Owner = nullptr) : TDvBitmapSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* InactiveBitmap() const { return FInactiveBitmap.get(); }

 private:
  TLinkPtr FInactiveBitmap = std::make_unique<TvxBitmapLink>();
};

class TDvSysButtonSkinObject : public TDvBitmapSkinObject {
 public:
  explicit TDvSysButtonSkinObject(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  void SetState(TDvObjectState Value) override;
  void SetTitleButtons(TDvTitleButtons Buttons) override;
  TDvAction Action() const { return FAction; }
  void SetAction(TDvAction Value) { FAction = Value; }
  TvxBitmapLink* BitmapHover() const { return FBitmapHover.get(); }
  TvxBitmapLink* BitmapDown() const { return FBitmapDown.get(); }
  const std::string& RollPanel() const { return FRollPanel; }
  void SetRollPanel(const std::string& Value) { FRollPanel = Value; }
  Byte ButtonState = 0;

 private:
  TDvAction FAction = TDvAction::sbaNone;
  TLinkPtr FBitmapHover = std::make_unique<TvxBitmapLink>(), FBitmapDown = std::make_unique<TvxBitmapLink>();
  std::string FRollPanel;
};

class TDvColorButtonObject : public TDvSkinObject {
 public:
  explicit TDvColorButtonObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TColor HotColor() const { return FHotColor; }
  void SetHotColor(TColor Value) { FHotColor = Value; }
  TFont* HotFont() const { return FHotFont.get(); }
  TColor PressedColor() const { return FPressedColor; }
  void SetPressedColor(TColor Value) { FPressedColor = Value; }
  TFont* PressedFont() const { return FPressedFont.get(); }
  TColor FocusedColor() const { return FFocusedColor; }
  void SetFocusedColor(TColor Value) { FFocusedColor = Value; }
  TFont* FocusedFont() const { return FFocusedFont.get(); }
  TColor DisabledColor() const { return FDisabledColor; }
  void SetDisabledColor(TColor Value) { FDisabledColor = Value; }
  TFont* DisabledFont() const { return FDisabledFont.get(); }

 private:
  TColor FHotColor = clBlack, FPressedColor = clBlack, FFocusedColor = clBlack, FDisabledColor = clBlack;
  TFontPtr FHotFont = std::make_unique<TFont>(), FPressedFont = std::make_unique<TFont>(),
           FFocusedFont = std::make_unique<TFont>(), FDisabledFont = std::make_unique<TFont>();
};

class TDvBitmapBoxObject : public TDvBitmapSkinObject {
 public:
  explicit TDvBitmapBoxObject(TComponent* Owner = nullptr) : TDvBitmapSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TscTileStyle BorderTileStyle() const { return FBorderTileStyle; }
  void SetBorderTileStyle(TscTileStyle Value) { FBorderTileStyle = Value; }

 private:
  TscTileStyle FBorderTileStyle = TscTileStyle::tsTile;
};

class TDvActiveBitmapBoxObject : public TDvBitmapBoxObject {
 public:
  explicit TDvActiveBitmapBoxObject(TComponent* Owner = nullptr) : TDvBitmapBoxObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* FocusedBitmap() const { return FFocusedBitmap.get(); }

 private:
  TLinkPtr FFocusedBitmap = std::make_unique<TvxBitmapLink>();
};

class TDvButtonBitmapBoxObject : public TDvBitmapBoxObject {
 public:
  explicit TDvButtonBitmapBoxObject(TComponent* Owner = nullptr) : TDvBitmapBoxObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  void UpdateLinks() override;
  TvxBitmapLink* HotBitmap() const { return FHotBitmap.get(); }
  TvxBitmapLink* FocusedBitmap() const { return FFocusedBitmap.get(); }
  TvxBitmapLink* PressedBitmap() const { return FPressedBitmap.get(); }
  TvxBitmapLink* DisabledBitmap() const { return FDisabledBitmap.get(); }

 private:
  TLinkPtr FHotBitmap = std::make_unique<TvxBitmapLink>(), FFocusedBitmap = std::make_unique<TvxBitmapLink>(),
           FPressedBitmap = std::make_unique<TvxBitmapLink>(), FDisabledBitmap = std::make_unique<TvxBitmapLink>();
};

class TDvRollPanelObject : public TDvSkinObject {
 public:
  explicit TDvRollPanelObject(TComponent* Owner = nullptr) : TDvSkinObject(Owner) {}
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override;
  TDvRollKind RollKind() const { return FRollKind; }
  void SetRollKind(TDvRollKind Value) { FRollKind = Value; }
  Integer RollValue() const { return FRollValue; }
  void SetRollValue(Integer Value) { FRollValue = Value; }

 private:
  TDvRollKind FRollKind = TDvRollKind::rkLeft;
  Integer FRollValue = 0;
};

// [Class registry] The seventeen classes in registration order; stored objects name their
// class, so these names are part of the file format.
const std::vector<const TClassInfo*>& SkinObjectClasses();
// Exact, case-sensitive name; nil for anything else.
const TClassInfo* FindSkinObjectClass(const std::string& Name);

// A new object of Object's class, owned by NewOwner, with Object assigned to it; nil when the
// class is not a registered skin-object class.
TDvSkinObject* CloneSkinObject(const TDvSkinObject& Object, TComponent* NewOwner);

// The object's component stream in text form (CR LF line ends), as text-form files store it.
std::string ObjectTextForm(const TDvSkinObject& Object);

// One stored object record: its class name, then its component stream in binary form (size and
// bytes) or text form. The object comes back unowned, read, with the default character set
// (unless a TKeepObjectCharsets lives). An unregistered class name fails the read.
std::unique_ptr<TDvSkinObject> ReadSkinObjectRecord(TStream& Data, bool Binary);

// While one lives, object records read keep the character sets they were written with, their
// children's included: the editor's history puts objects back exactly as they were.
class TKeepObjectCharsets {
 public:
  TKeepObjectCharsets() { ++FDepth; }
  ~TKeepObjectCharsets() { --FDepth; }
  TKeepObjectCharsets(const TKeepObjectCharsets&) = delete;
  TKeepObjectCharsets& operator=(const TKeepObjectCharsets&) = delete;
  static bool Active() { return FDepth > 0; }

 private:
  static inline int FDepth = 0;
};

// The width of Text in Font, for the saText layout. The platform measures on the screen; the
// portable build estimates from the font height.
Integer MeasureTextWidth(const TFont& Font, const std::wstring& Text);
