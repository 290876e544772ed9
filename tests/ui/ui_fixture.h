// Shared set-up for window tests: a hidden form, a dialog handler that fails the test when an
// unexpected dialog comes up, a watchdog for message loops, message pumping with a time limit,
// and pixel capture.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/application.h"
#include "framework/ui/dialogs.h"
#include "framework/ui/forms.h"
#include "framework/ui/timer.h"

class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->ResetTerminated();
    SetDialogHandler([](const TDialogRequest& R) {
      ADD_FAILURE() << "unexpected dialog: " << R.Text;
      return mrCancel;
    });
    Form = std::make_unique<TForm>();
    Form->SetBounds(50, 50, 400, 300);
    // A message loop that never ends (Run, ShowModal) fails the test instead of hanging it.
    Watchdog.SetInterval(8000);
    Watchdog.SetOnTimer([](TObject*) {
      ADD_FAILURE() << "a message loop did not end";
      Application->Terminate();
    });
  }
  void TearDown() override {
    Watchdog.SetEnabled(false);
    Form.reset();
    SetDialogHandler(nullptr);
    Application->ResetTerminated();
  }

  // Pumps messages until Done answers true or Ms milliseconds pass; answers Done().
  static bool PumpUntil(const std::function<bool()>& Done, int Ms = 2000) {
    const auto End = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ms);
    while (!Done()) {
      if (std::chrono::steady_clock::now() > End) return false;
      Application->ProcessMessages();
      Sleep(1);
    }
    return true;
  }

  static LPARAM Point(int X, int Y) { return MAKELPARAM(X, Y); }

  std::unique_ptr<TForm> Form;
  TTimer Watchdog;
};

// A 32-bit top-down DIB selected into a memory DC; pixels read as 0x00RRGGBB.
class Capture {
 public:
  Capture(int W, int H) : FW(W), FH(H) {
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = -H;
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    FDC = CreateCompatibleDC(nullptr);
    FBitmap = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
    FOld = SelectObject(FDC, FBitmap);
  }
  ~Capture() {
    SelectObject(FDC, FOld);
    DeleteObject(FBitmap);
    DeleteDC(FDC);
  }
  HDC DC() const { return FDC; }
  uint32_t At(int X, int Y) const { return FBits[Y * FW + X] & 0xFFFFFF; }

 private:
  int FW, FH;
  HDC FDC;
  HBITMAP FBitmap;
  HGDIOBJ FOld;
  uint32_t* FBits = nullptr;
};

// 0x00BBGGRR framework colour to the DIB's 0x00RRGGBB.
inline uint32_t DibColor(TColor Color) {
  const uint32_t C = uint32_t(ColorToRGB(Color));
  return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
}

