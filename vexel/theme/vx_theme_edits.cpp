#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_paint.h"

// [Edits and combo boxes]

bool TvxTheme::IsEditDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsEditTransparent(Byte Kind, const std::string& Name) { return false; }

void TvxTheme::GetEditClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) {
  Client = Deflate(R, 3, 3);
}

void TvxTheme::DrawEdit(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clBlue, clRed);
}

void TvxTheme::DrawEditButton(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clGreen, clYellow);
}

// [Group boxes]

bool TvxTheme::IsGroupBoxDefined(Byte Kind, const std::string& Name) { return false; }
bool TvxTheme::IsGroupBoxTransparent(Byte Kind, const std::string& Name) { return true; }

void TvxTheme::GetGroupBoxClientRect(Byte Kind, const TRect& R, TRect& Client, const std::string& Name) { Client = R; }

// The frame starts below the top so that the caption sits across it.
void TvxTheme::DrawGroupBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxGroupBoxInfo& Info) {
  TRect Frame = Deflate(Info.Rect, 5, 5);
  Frame.Top += 4;
  FrameRectColor(Canvas.Handle(), Frame, clBlack);
}

void TvxTheme::DrawGroupBoxText(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxTextInfo& Info,
                                Byte State) {
  DrawText(Canvas, Info);
}

// [Edit frames]

bool TvxTheme::IsEditFrameDefined(Byte Kind) { return false; }
bool TvxTheme::IsEditFrameTransparent(Byte Kind) { return false; }
void TvxTheme::GetEditFrameClientRect(const TRect& R, TRect& Client) { Client = R; }

void TvxTheme::DrawEditFrame(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {
  DrawPlaceholder(Canvas, Info.Rect, clBlue, clRed);
}

// [Boxes]

bool TvxTheme::IsBoxDefined(Byte Kind) { return false; }
bool TvxTheme::IsBoxTransparent(Byte Kind) { return false; }
void TvxTheme::GetBoxClientRect(const TRect& R, TRect& Client) { Client = R; }
void TvxTheme::DrawBox(Byte Kind, TCanvas& Canvas, const std::string& Name, const TvxStateInfo& Info) {}
