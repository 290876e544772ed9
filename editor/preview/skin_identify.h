// Ctrl+Alt+click on a window that shows a skin at work: a tool tip names the skin object that
// painted the point and its image, and the last object named is kept for the caller (Pellan
// selects it after the test). Clicks without both keys go on as before.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/types.h"
#include "vexel/theme/vx_theme.h"

class TForm;
class TVxDefaultForm;

// What Theme paints at ScreenPoint of Wnd: painted again off-screen with a probe set. NonClient
// asks about the window's frame (through FormSkin when it skins Wnd), else the client area.
TvxPaintProbe IdentifyAt(TvxTheme& Theme, HWND Wnd, TPoint ScreenPoint, bool NonClient, TVxDefaultForm* FormSkin);

// A small window of plain text near the pointer, above its owner; the text is its window text.
class TIdentifyTip {
 public:
  TIdentifyTip() = default;
  ~TIdentifyTip();
  TIdentifyTip(const TIdentifyTip&) = delete;
  TIdentifyTip& operator=(const TIdentifyTip&) = delete;

  void Show(HWND Owner, const std::wstring& Text, TPoint ScreenPoint);
  void Hide();
  bool Visible() const;
  HWND Handle() const { return FHandle; }

 private:
  HWND FHandle = nullptr;
};

// Watches the thread's messages while it lives. A left click with Ctrl and Alt held on Window (its
// frame or any window inside it) is taken away from the window, with its button release, and
// answered by the tip. Any other click or key hides the tip.
class TSkinIdentifier {
 public:
  // FormSkin (may be nil) skins Window's frame.
  TSkinIdentifier(TForm& Window, TVxDefaultForm* FormSkin);
  ~TSkinIdentifier();
  TSkinIdentifier(const TSkinIdentifier&) = delete;
  TSkinIdentifier& operator=(const TSkinIdentifier&) = delete;

  // The path of the last object a click named; empty before any. A click on what the skin did not
  // paint keeps it.
  const std::vector<std::string>& LastIdentified() const { return FLast; }
  const TIdentifyTip& Tip() const { return FTip; }

  // One message as the loop takes it out of the queue; true when the message was taken away.
  bool Filter(MSG& Message);

 private:
  void Identify(const MSG& Message, bool NonClient);

  TForm& FWindow;
  TVxDefaultForm* FFormSkin;
  TIdentifyTip FTip;
  std::vector<std::string> FLast;
  bool FSwallowRelease = false;
};
