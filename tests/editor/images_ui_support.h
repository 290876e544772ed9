// Shared by the image-window tests: a fixture answering dialogs through the seam and driving
// modal windows from a timer, real clicks on windowless views, printed pixels and screenshots.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../ui/ui_fixture.h"
#include "editor_test_support.h"
#include "framework/ui/common_dialogs.h"
#include "image_test_support.h"

namespace images_test {

inline const std::string Sep = "\\";

template <typename TF>
TF* FindForm(const char* Caption) {
  return dynamic_cast<TF*>(TWinControl::FindControl(FindWindowA(nullptr, Caption)));
}

inline void Press(TWinControl* Control) { SendMessageA(Control->Handle(), BM_CLICK, 0, 0); }

// A press and release of the left (or right) button on a windowless control, through its
// parent's window.
inline void ClickOn(TControl* Control, Integer X, Integer Y, bool Right = false) {
  HWND Window = Control->Parent()->Handle();
  const LPARAM At = MAKELPARAM(Control->Left() + X, Control->Top() + Y);
  SendMessageA(Window, Right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, Right ? MK_RBUTTON : MK_LBUTTON, At);
  SendMessageA(Window, Right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, At);
}

inline void MoveOver(TControl* Control, Integer X, Integer Y) {
  SendMessageA(Control->Parent()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(Control->Left() + X, Control->Top() + Y));
}

// The client pixels of a window (0x00RRGGBB), as it paints them.
class Printed {
 public:
  explicit Printed(TWinControl* Control) : FW(Control->ClientWidth()), FH(Control->ClientHeight()), FPixels(FW, FH) {
    Control->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(FPixels.DC()), PRF_CLIENT | PRF_ERASEBKGND);
  }
  uint32_t At(int X, int Y) const { return FPixels.At(X, Y); }

 private:
  int FW, FH;
  Capture FPixels;
};

// With PELLAN_IMAGES_SHOTS set to a folder, the window as the screen shows it, as a PNG there
// (for a person to look at; nothing is asserted on it).
inline void Screenshot(TForm* Form, const std::string& Name) {
  const char* Folder = std::getenv("PELLAN_IMAGES_SHOTS");
  if (!Folder) return;
  SetForegroundWindow(Form->Handle());
  RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int I = 0; I < 20; ++I) {
    Application->ProcessMessages();
    Sleep(10);
  }
  RECT R;
  GetWindowRect(Form->Handle(), &R);
  const int W = R.right - R.left, H = R.bottom - R.top;
  Capture Shot(W, H);
  HDC Screen = GetDC(nullptr);
  BitBlt(Shot.DC(), 0, 0, W, H, Screen, R.left, R.top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  std::vector<uint32_t> Pixels;
  for (int Y = 0; Y < H; ++Y)
    for (int X = 0; X < W; ++X) Pixels.push_back(0xFF000000 | Shot.At(X, Y));
  WriteBytes(std::string(Folder) + Sep + Name + ".png", PngBytes(W, H, Pixels, false));
}

class ImagesTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetDialogHandler([this](const TDialogRequest& R) { return Answer(R); });
  }

  TModalResult Answer(const TDialogRequest& R) {
    if (R.Kind == "OpenDialog" && !OpenAnswers.empty()) {
      auto* Dialog = static_cast<TOpenDialog*>(R.Data);
      OpenTitles.push_back(Dialog->Title());
      const std::vector<std::string> Files = OpenAnswers.front();
      OpenAnswers.erase(OpenAnswers.begin());
      if (Files.empty()) return mrCancel;
      Dialog->SetFileName(Files.front());
      Dialog->SetFiles(Files);
      return mrOk;
    }
    if (R.Kind == "MessageBox") {
      Messages.push_back(R.Text);
      return mrOk;
    }
    ADD_FAILURE() << "unexpected dialog: " << R.Kind << " " << R.Text;
    return mrCancel;
  }

  // Runs Steps, one per timer tick, while a modal window runs; a step answering false is tried
  // again on the next tick.
  void DuringModal(std::vector<std::function<bool()>> Steps) {
    FSteps = std::move(Steps);
    // Each modal run gets the watchdog's whole time: under Wine without a window manager every
    // window that hides while active waits about two seconds for the focus to move.
    Watchdog.SetEnabled(false);
    Watchdog.SetEnabled(true);
    FStep = 0;
    FTimer = std::make_unique<TTimer>();
    FTimer->SetInterval(15);
    FTimer->SetOnTimer([this](TObject*) {
      const size_t Step = FStep;
      if (Step >= FSteps.size()) return;
      // A step that opens a modal window lets the next step run inside it.
      FStep = Step + 1;
      if (!FSteps[Step]()) FStep = Step;
    });
  }
  bool AllStepsRan() const { return FStep == FSteps.size(); }

  std::vector<std::vector<std::string>> OpenAnswers;
  std::vector<std::string> OpenTitles;
  std::vector<std::string> Messages;
  TTempFolder Folder;

 private:
  std::vector<std::function<bool()>> FSteps;
  size_t FStep = 0;
  std::unique_ptr<TTimer> FTimer;
};

}  // namespace images_test
