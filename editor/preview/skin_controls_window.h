// "Controls": every skinned control of the library on one skinned window, in the states a
// designer wants to judge side by side (normal, checked, mixed, disabled, latched). skintool
// preview --controls shows it on any skin file.
#pragma once

#include "editor/preview/skin_test_window.h"

class TfrmTestControls : public TfrmSkinTest {
 public:
  explicit TfrmTestControls(TComponent* Owner);
};
