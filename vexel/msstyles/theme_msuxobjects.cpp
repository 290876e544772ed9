#include "vexel/msstyles/theme_msuxobjects.h"

#include "framework/core/inifiles.h"
#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_pixel.h"
#include "vexel/msstyles/msux_parse.h"

const std::array<const char*, moSlotCount> MsuxObjectSections = {
    "Button.Pushbutton",
    "Window",
    "Window.Caption",
    "Window.FrameLeft",
    "Window.FrameRight",
    "Window.FrameBottom",
    "Window.CloseButton",
    "Window.HelpButton",
    "Window.MaxButton",
    "Window.MinButton",
    "Window.RestoreButton",
    "Window.SmallCaption",
    "Window.SmallFrameLeft",
    "Window.SmallFrameRight",
    "Window.SmallFrameBottom",
    "Window.SmallCloseButton",
    "Window.SysButton",
    "Window.Caption(Active)",
    "Window.Caption(Inactive)",
    "Window.MDIMinButton",
    "Window.MDICloseButton",
    "Window.MDIRestoreButton",
    "Spin",
    "Spin.Up",
    "Spin.Down",
    "Spin.Uphorz",
    "Spin.Downhorz",
    "Button.Pushbutton(Disabled)",
    "Button.Pushbutton(Defaulted)",
    "button.checkbox",
    "Button.checkbox(checkeddisabled)",
    "Button.checkbox(unchecked disabled)",
    "Button.checkbox(mixeddisabled)",
    "button.radiobutton",
    "Button.radiobutton(checkeddisabled)",
    "Button.radiobutton(unchecked disabled)",
    "ScrollBar.ArrowBtn",
    "ScrollBar.ThumbBtnHorz",
    "ScrollBar.ThumbBtnVert",
    "ScrollBar.LowerTrackHorz",
    "ScrollBar.LowerTrackVert",
    "ScrollBar.UpperTrackVert",
    "ScrollBar.UpperTrackHorz",
    "ScrollBar.GripperHorz",
    "ScrollBar.GripperVert",
    "Progress",
    "Progress.Bar",
    "Progress.Chunk",
    "Progress.BarVert",
    "Progress.ChunkVert",
    "TrackBar",
    "TrackBar.Thumb",
    "TrackBar.ThumbTop",
    "TrackBar.ThumbBottom",
    "TrackBar.ThumbLeft",
    "TrackBar.ThumbRight",
    "TrackBar.ThumbVert",
    "TrackBar.Track",
    "TrackBar.TrackVert",
    "TrackBar.Tics",
    "TrackBar.Tics",
    "button.groupbox",
    "edit",
    "edit.edittext(disabled)",
    "edit.edittext(readonly)",
    "combobox",
    "combobox(hot)",
    "combobox(disabled)",
    "Combobox.DropDownButton",
    "header",
    "header.headeritem",
    "status",
    "status.pane",
    "status.gripperpane",
    "status.gripper",
    "rebar",
    "rebar.band",
    "rebar.gripper",
    "rebar.grippervert",
    "rebar.chevron",
    "rebar.chevronvert",
    "toolbar",
    "toolbar.button",
    "toolbar.separator",
    "toolbar.dropdownbutton",
    "toolbar.splitbutton",
    "toolbar.splitbuttondropdown",
    "tab",
    "tab.pane",
    "tab.toptabitem",
    "tab.body",
    "explorerbar",
    "explorerbar.SpecialGroupBackground",
    "explorerbar.NormalGroupCollapse",
    "explorerbar.NormalGroupExpand",
    "explorerbar.NormalGroupHead",
    "explorerbar.headerclose",
    "listview",
};

namespace {

bool ImageIsKeyed(const TvxBitmapLink& Link) { return Link.Bitmap()->Transparent() || Link.Bitmap()->AlphaBlend(); }

// Keys the transparent colour out of a linked image that has no key yet; true when that made it
// transparent.
bool KeyImage(TvxBitmapLink* Link, TColor TransparentColor) {
  if (!Link || !Link->Valid() || Link->Bitmap()->Transparent()) return false;
  Link->Bitmap()->MakeTransparent(ColorToPixel(TransparentColor, 255));
  return Link->Bitmap()->Transparent();
}

// The "none" colour means "not set": a shift must not turn it into a colour.
TColor Shifted(TColor Color, Integer Delta, TvxColor (*Shift)(TvxColor, Integer)) {
  if (Color == clNone) return Color;
  return PixelToColor(Shift(ColorToPixel(Color, 255), Delta));
}

}  // namespace

TmsuxThemeObject::TmsuxThemeObject(const TMemIniFile& Ini, const std::string& Section, TvxBitmapList& Images,
                                   TmsuxImageSource& Source)
    : ImageFile(std::make_unique<TvxBitmapLink>()),
      ImageFile1(std::make_unique<TvxBitmapLink>()),
      ImageFile2(std::make_unique<TvxBitmapLink>()),
      ImageFile3(std::make_unique<TvxBitmapLink>()),
      GlyphImageFile(std::make_unique<TvxBitmapLink>()),
      FImages(Images),
      FSource(Source) {
  LoadFromIni(Ini, Section);
}

TmsuxThemeObject::~TmsuxThemeObject() = default;

void TmsuxThemeObject::LoadFromIni(const TMemIniFile& Ini, const std::string& Section) {
  this->Section = Section;
  for (const std::string& Key : Ini.ReadSection(Section))
    SetProperty(Trim(Key), Trim(Ini.ReadString(Section, Key, "")));

  if (ImageFile->Valid()) {
    KeyImage(ImageFile.get(), TransparentColor);
    if (ImageFile->Bitmap()->Transparent()) {
      Transparent = true;
      DrawMode = 3;
    }
    if (ImageFile->Bitmap()->AlphaBlend()) DrawMode = 3;
  }
  if (GlyphTransparent) {
    for (TvxBitmapLink* Link : {GlyphImageFile.get(), ImageFile1.get(), ImageFile2.get(), ImageFile3.get()})
      KeyImage(Link, TransparentColor);
  } else {
    for (TvxBitmapLink* Link : {ImageFile1.get(), ImageFile2.get(), ImageFile3.get()})
      if (KeyImage(Link, TransparentColor)) {
        Transparent = true;
        DrawMode = 3;
      }
  }
}

void TmsuxThemeObject::Loaded() {
  TComponent::Loaded();
  for (std::unique_ptr<TvxBitmapLink>* Link : {&ImageFile, &ImageFile1, &ImageFile2, &ImageFile3, &GlyphImageFile})
    if (auto Fresh = FImages.GetLink((*Link)->Name(), (*Link)->Rect())) *Link = std::move(Fresh);
}

void TmsuxThemeObject::LinkImage(TvxBitmapLink& Link, const std::string& Value) {
  const std::string Name = NormalizeImageName(Value);
  FSource.LoadStyleImage(Name);
  const TvxBitmap* Image = FImages.Find(Name);
  Link.SetName(Name);
  Link.SetRect(Image ? Image->BoundsRect() : TRect{});
  Loaded();
}

void TmsuxThemeObject::SetImageKey(std::unique_ptr<TvxBitmapLink>& Link, const std::string& Value) {
  LinkImage(*Link, Value);
  BgType = mbgImageFile;
  if (Link->Bitmap() && ImageIsKeyed(*Link)) {
    DrawMode = 3;
    Transparent = true;
  }
}

void TmsuxThemeObject::SetProperty(const std::string& Key, const std::string& Value) {
  const std::string K = LowerCase(Key);
  if (K == "bgtype")
    BgType = ParseBgType(Value);
  else if (K == "fillcolorhint")
    FillColorHint = ParseColor(Value);
  else if (K == "fillcolor")
    FillColor = ParseColor(Value);
  else if (K == "textcolor")
    TextColor = ParseColor(Value);
  else if (K == "bordercolor")
    BorderColor = ParseColor(Value);
  else if (K == "transparentcolor")
    TransparentColor = ParseColor(Value);
  else if (K == "transparent")
    Transparent = ParseBool(Value);
  else if (K == "bordersize")
    BorderSize = StrToInt(Value);
  else if (K == "imageselecttype")
    ImageSelectType = ParseImageSelectType(Value);
  else if (K == "imagefile")
    SetImageKey(ImageFile, Value);
  else if (K == "imagefile1")
    SetImageKey(ImageFile1, Value);
  else if (K == "imagefile2")
    SetImageKey(ImageFile2, Value);
  else if (K == "imagefile3")
    SetImageKey(ImageFile3, Value);
  else if (K == "imagecount")
    ImageCount = StrToInt(Value);
  else if (K == "imagelayout")
    ImageLayout = ParseImageLayout(Value);
  else if (K == "sizingtype")
    SizingType = ParseSizingType(Value);
  else if (K == "sizingmargins")
    SizingMargins = ParseMargins(Value);
  else if (K == "glyphtransparent")
    GlyphTransparent = ParseBool(Value);
  else if (K == "glyphtype")
    GlyphType = ParseGlyphType(Value);
  else if (K == "glyphimagefile")
    LinkImage(*GlyphImageFile, Value);
  else if (K == "contentalignment")
    ContentAlignment = ParseHAlign(Value);
  else if (K == "contentmargins")
    ContentMargins = ParseMargins(Value);
  else if (K == "captionmargins")
    CaptionMargins = ParseMargins(Value);
  else if (K == "textshadowtype")
    TextShadowType = ParseTextShadowType(Value);
  else if (K == "textshadowcolor")
    TextShadowColor = ParseColor(Value);
  else if (K == "textshadowoffset")
    TextShadowOffset = ParsePoint(Value);

  // Keys past the cap still take effect; they are only not recorded.
  for (TmsuxObjectProp& Prop : Props)
    if (Prop.Key == K) {
      Prop.Value = Value;
      return;
    }
  if (Integer(Props.size()) < msuxMaxObjectProps) Props.push_back({Value, K});
}

const TmsuxObjectProp* TmsuxThemeObject::FindProperty(const std::string& Key) const {
  const std::string K = LowerCase(Key);
  for (const TmsuxObjectProp& Prop : Props)
    if (Prop.Key == K) return &Prop;
  return nullptr;
}

void TmsuxThemeObject::ApplyHueShift(Integer Delta) {
  for (TColor* Color : {&FillColor, &BorderColor, &TextColor}) *Color = Shifted(*Color, Delta, &ShiftHue);
}

void TmsuxThemeObject::ApplyBrightnessShift(Integer Delta) {
  for (TColor* Color : {&FillColor, &BorderColor, &TextColor}) *Color = Shifted(*Color, Delta, &ShiftBrightness);
}
