// Measuring and painting of items: through the theme where it defines the menu kind, else the
// classic look in system colours. Also the shared resources: menu font, item metrics, arrow.
#include <windows.h>

#include <algorithm>

#include "framework/graphics/imagelist.h"
#include "vexel/graphics/vx_bitmap.h"
#include "vexel/forms/vx_hook.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/menus/vx_menus_internal.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_imagelist.h"

// [Shared resources] -----------------------------------------------------------------------------

TFont& MenuFont() {
  static TFont* Font = [] {
    auto* F = new TFont;
    NONCLIENTMETRICSA Metrics{};
    Metrics.cbSize = sizeof(Metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0)) {
      const LOGFONTA& L = Metrics.lfMenuFont;
      F->SetName(L.lfFaceName);
      F->SetHeight(L.lfHeight);
      F->SetCharset(TFontCharset(L.lfCharSet));
      TFontStyles Style;
      if (L.lfWeight >= FW_BOLD) Style.Include(TFontStyle::fsBold);
      if (L.lfItalic) Style.Include(TFontStyle::fsItalic);
      F->SetStyle(Style);
    }
    F->SetColor(clMenuText);
    return F;
  }();
  return *Font;
}

Integer MenuItemWidth() { return GetSystemMetrics(SM_CXMENUSIZE); }
Integer MenuItemHeight() { return GetSystemMetrics(SM_CYMENUSIZE); }

const TvxBitmap& SubmenuArrow() {
  static TvxBitmap* Arrow = [] {
    auto* B = new TvxBitmap;
    B->SetSize(20, 20);
    B->Fill(0xFFFFFFFF);
    DrawFrameControlColor(B->DC(), Bounds(0, 0, 20, 20), DFC_MENU, clBlack, DFCS_MENUARROW);
    B->MakeTransparent(0xFFFFFFFF);
    return B;
  }();
  return *Arrow;
}

namespace {

// [Helpers]

// 0 normal, 1 hot, 2 selected, 3 disabled: the theme font of the state from the group's first.
Integer StateFont(Integer First, Byte State) {
  switch (State) {
    case 1: return First + 2;
    case 2: return First + 1;
    case 3: return First + 3;
    default: return First;
  }
}

Byte ItemState(TVxItem& Item, TVxItemView& View) {
  if (!Item.Enabled()) return 3;
  if (View.HotItem() == &Item) return View.Tracking() ? 2 : 1;
  return 0;
}

Integer TextWidth(TCanvas& Canvas, const std::wstring& Text) {
  if (Text.empty()) return 0;
  Canvas.RequireObjects();
  return TextWidthWide(Canvas.Handle(), Text);
}

bool HasImage(const TVxItem& Item) {
  const TCustomImageList* Images = Item.GetImages();
  return Images && Item.ImageIndex() >= 0 && Item.ImageIndex() < Images->Count();
}

Byte TextFlags(const TVxItem& Item) { return vxtfSingleLine | (Item.RightToLeft() ? vxtfRightToLeft : 0); }

// Alignment 0..8: column * 3 + row. Right-to-left items swap left and right.
Byte Align(const TVxItem& Item, Byte Column, Byte Row) {
  if (Item.RightToLeft() && Column != 1) Column = Byte(2 - Column);
  return Byte(Column * 3 + Row);
}

UINT PlatformFlags(const TVxItem& Item, UINT Horizontal) {
  if (Item.RightToLeft()) {
    if (Horizontal == DT_LEFT)
      Horizontal = DT_RIGHT;
    else if (Horizontal == DT_RIGHT)
      Horizontal = DT_LEFT;
    Horizontal |= DT_RTLREADING;
  }
  return Horizontal | DT_VCENTER | DT_SINGLELINE;
}

void DrawImage(TCanvas& Canvas, const TVxItem& Item, const TRect& Box) {
  const TCustomImageList* Images = Item.GetImages();
  const Integer X = Box.Left + (Box.Width() - Images->Width()) / 2;
  const Integer Y = Box.Top + (Box.Height() - Images->Height()) / 2;
  Images->Draw(Canvas, X, Y, Item.ImageIndex(), Item.Enabled());
}

// A check mark of polylines, black strokes with a white edge below them.
void DrawClassicCheck(HDC DC, const TRect& Box, TColor Color) {
  const Integer X = (Box.Left + Box.Right) / 2 - 3, Y = (Box.Top + Box.Bottom) / 2 - 1;
  for (Integer I = 0; I < 3; ++I) {
    MoveToEx(DC, X, Y + I, nullptr);
    LineToColor(DC, X + 2, Y + 2 + I, Color);
    LineToColor(DC, X + 7, Y - 3 + I, Color);
  }
  MoveToEx(DC, X, Y + 3, nullptr);
  LineToColor(DC, X + 2, Y + 5, clWhite);
  LineToColor(DC, X + 7, Y, clWhite);
}

// Text in the canvas's font; a disabled item's text is embossed (highlight one pixel down and
// right, then the shadow colour).
void DrawClassicText(TCanvas& Canvas, const std::wstring& Text, const TRect& R, UINT Flags, TColor Color,
                     bool Embossed) {
  HDC DC = Canvas.Handle();
  auto Put = [&](TColor C, Integer Offset) {
    Canvas.Font().SetColor(C);
    Canvas.RequireObjects();
    TRect Box = R;
    Box.Left += Offset, Box.Right += Offset, Box.Top += Offset, Box.Bottom += Offset;
    DrawTextWide(DC, Text, Box, Flags);
  };
  if (Embossed) {
    Put(clBtnHighlight, 1);
    Put(clBtnShadow, 0);
  } else {
    Put(Color, 0);
  }
}

TRect ArrowBox(const TRect& R) {
  const Integer Top = R.Top + (R.Height() - SubmenuArrow().Height()) / 2;
  return {R.Right - 24, Top, R.Right - 2, Top + SubmenuArrow().Height()};
}

HICON WindowIcon(TComponent* Form) {
  HICON Icon = nullptr;
  // A skinned form stands for the window it hooks.
  if (auto* Hook = dynamic_cast<TVxHook*>(Form)) Form = Hook->HookedControl();
  if (auto* Control = dynamic_cast<TWinControl*>(Form); Control && Control->HandleAllocated()) {
    Icon = reinterpret_cast<HICON>(SendMessageA(Control->Handle(), WM_GETICON, ICON_SMALL, 0));
    if (!Icon) Icon = reinterpret_cast<HICON>(GetClassLongPtrA(Control->Handle(), GCLP_HICONSM));
  }
  if (!Icon) Icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  if (!Icon) Icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  return Icon;
}

void DrawSmallIcon(HDC DC, const TRect& R, HICON Icon) {
  const Integer S = GetSystemMetrics(SM_CXSMICON);
  DrawIconEx(DC, R.Left + (R.Width() - S) / 2, R.Top + (R.Height() - S) / 2, Icon, S, S, 0, nullptr, DI_NORMAL);
}

}  // namespace

// [Measuring] ------------------------------------------------------------------------------------

Integer TVxItem::ImageColumnWidth() const {
  const TCustomImageList* Images = GetImages();
  if (Images && Images->Width() > MenuItemHeight()) return Images->Width() + 6;
  return 22;
}

TSize TVxItem::Measure(TCanvas& Canvas, TVxItemView& View) {
  TvxTheme* Theme = View.Theme();
  Canvas.Font().Assign(&MenuFont());
  const TCustomImageList* Images = GetImages();
  Integer Height = MenuItemHeight();
  if (Images && Images->Height() + 4 > Height) Height = Images->Height() + 4;
  const std::wstring Text = StripAccelerator(FCaption);
  if (!View.Vertical()) {
    if (Theme && Theme->IsMenuDefined(0, FThemeObject)) Theme->GetFont(Canvas.Font(), 34, FThemeObject);
    Integer Width = TextWidth(Canvas, Text) + 12;
    if (HasImage(*this)) Width += ImageColumnWidth();
    if (FItemKind >= ikClose && FItemKind <= ikWindowIcon) Width = Height;
    return {Width, Height};
  }
  if (Theme && Theme->IsMenuDefined(1, FThemeObject)) Theme->GetFont(Canvas.Font(), 62, FThemeObject);
  Integer Width = TextWidth(Canvas, Text) + ImageColumnWidth() + 42;
  if (FShortCut != scNone) Width += TextWidth(Canvas, ShortCutText(FShortCut));
  return {Width, IsSeparator() ? 15 : Height};
}

// [Drawing] --------------------------------------------------------------------------------------

void TVxItem::Draw(TCanvas& Canvas, TVxItemView& View, const TRect& R) {
  TvxTheme* Theme = View.Theme();
  const Byte State = ItemState(*this, View);
  const std::string& Name = FThemeObject;
  Canvas.Font().Assign(&MenuFont());
  const std::wstring Text = FCaption;
  const bool Image = HasImage(*this);
  TvxBitmap* Glyph = Image ? ImageListToBitmap(GetImages(), FImageIndex, FEnabled) : nullptr;

  if (!View.Vertical()) {
    const bool InToolBar = FInControlBar && Theme && Theme->IsToolBarDefined(1, Name);
    const bool InMenuBar = !InToolBar && Theme && Theme->IsMenuDefined(0, Name);
    if (InToolBar || InMenuBar) {
      static const Byte ToolParts[] = {0, 12, 11, 10, 0};
      static const Byte MenuParts[] = {0, 9, 8, 7, 0};
      const Byte Kind = std::min<Byte>(FItemKind, ikWindowIcon);
      const TvxStateInfo Info{R, InToolBar ? ToolParts[Kind] : MenuParts[Kind], State};
      if (InToolBar)
        Theme->DrawToolBarItem(1, Canvas, Name, Info);
      else
        Theme->DrawMenuItem(0, Canvas, Name, Info);
      if (FItemKind == ikWindowIcon) DrawSmallIcon(Canvas.Handle(), R, WindowIcon(FMDIForm));
      if (FItemKind != ikNormal) return;
      Theme->GetFont(Canvas.Font(), StateFont(InToolBar ? 38 : 34, State), Name);
      TRect TextRect = R;
      if (Glyph) {
        const TvxGlyphInfo G{{R.Left, R.Top, R.Left + ImageColumnWidth(), R.Bottom}, Glyph, 4, 3};
        if (InToolBar)
          Theme->DrawToolBarItemGlyph(1, Canvas, Name, G, State);
        else
          Theme->DrawMenuItemGlyph(0, Canvas, Name, G, State);
        TextRect.Left += ImageColumnWidth();
      }
      const TvxTextInfo T{TextRect, Text, Align(*this, 1, 1), TextFlags(*this)};
      if (InToolBar)
        Theme->DrawToolBarItemText(1, Canvas, Name, T, State);
      else
        Theme->DrawMenuItemText(0, Canvas, Name, T, State);
      return;
    }
    // Classic menu bar: raised when hot, sunken while tracking.
    HDC DC = Canvas.Handle();
    FillRectColor(DC, R, clBtnFace);
    if (FItemKind >= ikClose && FItemKind <= ikMinimize) {
      static const UINT Buttons[] = {0, DFCS_CAPTIONCLOSE, DFCS_CAPTIONRESTORE, DFCS_CAPTIONMIN};
      RECT Box{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
      DrawFrameControl(DC, &Box, DFC_CAPTION, Buttons[FItemKind] | (State == 2 ? DFCS_PUSHED : 0));
      return;
    }
    if (FItemKind == ikWindowIcon) {
      DrawSmallIcon(DC, R, WindowIcon(FMDIForm));
      return;
    }
    if (State == 1 || State == 2) {
      RECT Box{R.Left, R.Top, R.Right, R.Bottom};
      DrawEdge(DC, &Box, State == 1 ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    }
    TRect TextRect = R;
    if (Image) {
      DrawImage(Canvas, *this, {R.Left, R.Top, R.Left + ImageColumnWidth(), R.Bottom});
      TextRect.Left += ImageColumnWidth();
    }
    DrawClassicText(Canvas, Text, TextRect, PlatformFlags(*this, DT_CENTER), clMenuText, State == 3);
    return;
  }

  // Popup items.
  const Integer Column = ImageColumnWidth();
  const TRect GlyphBox{R.Left, R.Top, R.Left + Column, R.Bottom};
  const TRect TextRect{R.Left + Column + 4, R.Top, R.Right, R.Bottom};
  const TRect ShortCutRect{R.Left, R.Top, R.Right - 22, R.Bottom};
  if (Theme && Theme->IsMenuDefined(1, Name)) {
    if (IsSeparator()) {
      Theme->DrawMenuItem(1, Canvas, Name, TvxMenuItemInfo{R, 1, 0});
      return;
    }
    Theme->DrawMenuItem(1, Canvas, Name, TvxMenuItemInfo{R, 0, State});
    Theme->GetFont(Canvas.Font(), StateFont(62, State), Name);
    if (Glyph) {
      Theme->DrawMenuItemGlyph(1, Canvas, Name, TvxMenuGlyphInfo{GlyphBox, Glyph, 4, 3}, State);
    } else if (FChecked) {
      Theme->DrawMenuItemGlyph(1, Canvas, Name, TvxMenuGlyphInfo{GlyphBox, nullptr, 4, 0}, State);
    }
    Theme->DrawMenuItemText(1, Canvas, Name, TvxTextInfo{TextRect, Text, Align(*this, 0, 1), TextFlags(*this)}, State);
    if (FShortCut != scNone)
      Theme->DrawMenuItemText(
          1, Canvas, Name,
          TvxTextInfo{ShortCutRect, ShortCutText(FShortCut), Align(*this, 2, 1), Byte(TextFlags(*this) | vxtfNoPrefix)},
          State);
    if (!FItems.empty())
      Theme->DrawMenuItemGlyph(1, Canvas, Name, TvxMenuGlyphInfo{ArrowBox(R), &SubmenuArrow(), 4, 2}, State);
    return;
  }

  HDC DC = Canvas.Handle();
  if (IsSeparator()) {
    FillRectColor(DC, R, clMenu);
    const Integer Y = R.Top + R.Height() / 2 - 1;
    FillRectXY(DC, R.Left + 1, Y, R.Right - 1, Y + 1, clBtnShadow);
    FillRectXY(DC, R.Left + 1, Y + 1, R.Right - 1, Y + 2, clBtnHighlight);
    return;
  }
  const bool Hot = State == 1 || State == 2;
  const TColor TextColor = Hot ? clHighlightText : clMenuText;
  FillRectColor(DC, R, Hot ? clHighlight : clMenu);
  if (Image)
    DrawImage(Canvas, *this, GlyphBox);
  else if (FChecked)
    DrawClassicCheck(DC, GlyphBox, State == 3 ? clBtnShadow : TextColor);
  DrawClassicText(Canvas, Text, TextRect, PlatformFlags(*this, DT_LEFT), TextColor, State == 3 && !Hot);
  if (FShortCut != scNone)
    DrawClassicText(Canvas, ShortCutText(FShortCut), ShortCutRect, PlatformFlags(*this, DT_RIGHT) | DT_NOPREFIX,
                    TextColor, State == 3 && !Hot);
  if (!FItems.empty())
    DrawFrameControlColor(DC, CenterRect(Bounds(0, 0, 16, 16), ArrowBox(R)), DFC_MENU,
                          State == 3 ? clBtnShadow : TextColor, DFCS_MENUARROW);
}

void TVxItem::DrawScrollButton(TCanvas& Canvas, TVxItemView& View, const TRect& R, bool Up, bool Hot) {
  TvxTheme* Theme = View.Theme();
  if (Theme && Theme->IsMenuDefined(1, FThemeObject)) {
    Theme->DrawMenuItem(1, Canvas, FThemeObject, TvxMenuItemInfo{R, Byte(Up ? 3 : 4), Byte(Hot ? 1 : 0)});
    return;
  }
  HDC DC = Canvas.Handle();
  FillRectColor(DC, R, Hot ? clHighlight : clMenu);
  const Integer X = (R.Left + R.Right) / 2, Y = (R.Top + R.Bottom) / 2;
  const std::vector<TPoint> Arrow = Up ? std::vector<TPoint>{{X - 3, Y + 1}, {X + 3, Y + 1}, {X, Y - 2}}
                                       : std::vector<TPoint>{{X - 3, Y - 2}, {X + 3, Y - 2}, {X, Y + 1}};
  FillPolygon(DC, Arrow, Hot ? clHighlightText : clMenuText);
}
