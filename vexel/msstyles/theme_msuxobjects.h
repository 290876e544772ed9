// One section of a visual style's ini text (TmsuxThemeObject) and the fixed list of sections a
// style theme builds. Objects parse their keys, link their images in the style's image list and
// draw one frame of an image strip by the section's sizing rules. Everything but Draw is portable,
// so that the reader can be tested and fuzzed natively.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/component.h"
#include "framework/core/types.h"
#include "framework/graphics/colors.h"
#include "vexel/graphics/vx_bitmaplist.h"

class TCanvas;
class TMemIniFile;

// Objects built from a style, in creation order. "TrackBar.Tics" gives two objects.
enum TmsuxObjectSlot : Integer {
  moButtonPushbutton,
  moWindow,
  moWindowCaption,
  moWindowFrameLeft,
  moWindowFrameRight,
  moWindowFrameBottom,
  moWindowCloseButton,
  moWindowHelpButton,
  moWindowMaxButton,
  moWindowMinButton,
  moWindowRestoreButton,
  moWindowSmallCaption,
  moWindowSmallFrameLeft,
  moWindowSmallFrameRight,
  moWindowSmallFrameBottom,
  moWindowSmallCloseButton,
  moWindowSysButton,
  moWindowCaptionActive,
  moWindowCaptionInactive,
  moWindowMDIMinButton,
  moWindowMDICloseButton,
  moWindowMDIRestoreButton,
  moSpin,
  moSpinUp,
  moSpinDown,
  moSpinUphorz,
  moSpinDownhorz,
  moButtonPushbuttonDisabled,
  moButtonPushbuttonDefaulted,
  moButtonCheckbox,
  moButtonCheckboxCheckeddisabled,
  moButtonCheckboxUncheckedDisabled,
  moButtonCheckboxMixeddisabled,
  moButtonRadiobutton,
  moButtonRadiobuttonCheckeddisabled,
  moButtonRadiobuttonUncheckedDisabled,
  moScrollBarArrowBtn,
  moScrollBarThumbBtnHorz,
  moScrollBarThumbBtnVert,
  moScrollBarLowerTrackHorz,
  moScrollBarLowerTrackVert,
  moScrollBarUpperTrackVert,
  moScrollBarUpperTrackHorz,
  moScrollBarGripperHorz,
  moScrollBarGripperVert,
  moProgress,
  moProgressBar,
  moProgressChunk,
  moProgressBarVert,
  moProgressChunkVert,
  moTrackBar,
  moTrackBarThumb,
  moTrackBarThumbTop,
  moTrackBarThumbBottom,
  moTrackBarThumbLeft,
  moTrackBarThumbRight,
  moTrackBarThumbVert,
  moTrackBarTrack,
  moTrackBarTrackVert,
  moTrackBarTics,
  moTrackBarTics2,
  moButtonGroupbox,
  moEdit,
  moEditEdittextDisabled,
  moEditEdittextReadonly,
  moCombobox,
  moComboboxHot,
  moComboboxDisabled,
  moComboboxDropDownButton,
  moHeader,
  moHeaderHeaderitem,
  moStatus,
  moStatusPane,
  moStatusGripperpane,
  moStatusGripper,
  moRebar,
  moRebarBand,
  moRebarGripper,
  moRebarGrippervert,
  moRebarChevron,
  moRebarChevronvert,
  moToolbar,
  moToolbarButton,
  moToolbarSeparator,
  moToolbarDropdownbutton,
  moToolbarSplitbutton,
  moToolbarSplitbuttondropdown,
  moTab,
  moTabPane,
  moTabToptabitem,
  moTabBody,
  moExplorerbar,
  moExplorerbarSpecialGroupBackground,
  moExplorerbarNormalGroupCollapse,
  moExplorerbarNormalGroupExpand,
  moExplorerbarNormalGroupHead,
  moExplorerbarHeaderclose,
  moListview,
  moSlotCount
};
constexpr Integer msuxObjectSlots = 100;  // the last two stay empty
// The section each slot is read from (looked up ignoring case).
extern const std::array<const char*, moSlotCount> MsuxObjectSections;

// Loads a style image by name into the style's image list (once per name); see
// TVxThemeMsStyles::LoadStyleImage.
class TmsuxImageSource {
 public:
  virtual ~TmsuxImageSource() = default;
  virtual void LoadStyleImage(const std::string& Name) = 0;
};

// One recorded key: the value as written (trimmed) and the key in lower case.
struct TmsuxObjectProp {
  std::string Value;
  std::string Key;
};

constexpr Integer msuxMaxObjectProps = 51;

// Enumerations (bytes).
enum : Byte { mbgNotGiven = 0, mbgBorderFill = 1, mbgImageFile = 2, mbgNone = 3 };
enum : Byte {
  mstTile = 0, mstStretch = 1, mstTileVertical = 2, mstTileHorizontal = 3, mstTrueSize = 4,
  mstBorderTileClientStretch = 5, mstBorderStretchClientTile = 6
};
enum : Byte { misNone = 0, misDpi = 1, misSize = 2 };
enum : Byte { milVertical = 0, milHorizontal = 1 };
enum : Byte { mgtNone = 0, mgtImageGlyph = 1 };
enum : Byte { mcaLeft = 0, mcaCenter = 1, mcaRight = 2 };
enum : Byte { mtsNone = 0, mtsSingle = 1, mtsContinuous = 2 };

class TmsuxThemeObject : public TComponent {
 public:
  // Defaults, references, then LoadFromIni (Ini, Section). Images and Source are not owned.
  TmsuxThemeObject(const TMemIniFile& Ini, const std::string& Section, TvxBitmapList& Images,
                   TmsuxImageSource& Source);
  ~TmsuxThemeObject() override;

  virtual void LoadFromIni(const TMemIniFile& Ini, const std::string& Section);
  // Paints frame Frame (from 1; below 1 the whole image) into Rect. Windows only
  // (theme_msuxobjects_draw_win32.cpp).
  virtual void Draw(TCanvas& Canvas, const TRect& Rect, Integer Frame, const TRect& ClipRect);
  // Relinks every bitmap link to the list's image of the same name, keeping its rectangle.
  void Loaded() override;

  // Applies the pair and records it (key in lower case). Past msuxMaxObjectProps recorded keys a
  // new key still takes effect but is not recorded; a recorded key always takes its new value.
  // A number that is not one raises EConvertError.
  void SetProperty(const std::string& Key, const std::string& Value);
  const TmsuxObjectProp* FindProperty(const std::string& Key) const;
  // Usable on a null object: false then.
  static bool HasProperties(const TmsuxThemeObject* Object) { return Object && !Object->Props.empty(); }
  void ApplyHueShift(Integer Delta);
  void ApplyBrightnessShift(Integer Delta);

  std::string Section;
  std::vector<TmsuxObjectProp> Props;  // at most msuxMaxObjectProps
  TColor FillColor = clNone;
  std::unique_ptr<TvxBitmapLink> ImageFile, ImageFile1, ImageFile2, ImageFile3;
  TRect SizingMargins;  // Left, Top, Right, Bottom
  Byte SizingType = mstStretch;
  Byte DrawMode = 0;  // 0 opaque, 3 the image's own mode
  Byte ImageLayout = milHorizontal;
  Integer ImageCount = 1;
  Byte BgType = mbgNotGiven;
  TColor BorderColor = 0;
  Integer BorderSize = 0;
  TRect ContentMargins;
  TColor TextColor = 0;
  TColor TransparentColor = 0xFF00FF;  // red 255, green 0, blue 255
  bool Transparent = false;
  Byte ImageSelectType = misNone;
  std::unique_ptr<TvxBitmapLink> GlyphImageFile;
  bool GlyphTransparent = false;
  Byte GlyphType = mgtNone;
  TRect CaptionMargins;
  Byte ContentAlignment = mcaLeft;
  Byte TextShadowType = mtsNone;
  TColor TextShadowColor = 0x282828;  // red, green and blue 40
  TPoint TextShadowOffset;
  TColor FillColorHint = 0;

 private:
  // Names Link after the normalised Value, has the source load that image and relinks.
  void LinkImage(TvxBitmapLink& Link, const std::string& Value);
  // An image key: LinkImage, then the background becomes the image and a keyed or blended image
  // makes the object transparent.
  void SetImageKey(std::unique_ptr<TvxBitmapLink>& Link, const std::string& Value);

  TvxBitmapList& FImages;
  TmsuxImageSource& FSource;
};
