// The windows on which a skin is seen at work. Each carries a theme engine (VX) that loads the
// skin from a file, as a program that ships the skin would, and a form-skinning component
// (ThemeForm1) that frames the window with it. Pellan's "Test" shows TfrmTestEmpty modally;
// skintool preview shows the same window on any skin file. Ctrl+Alt+click on either names the skin
// object under the pointer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/preview/skin_identify.h"
#include "framework/core/exceptions.h"
#include "framework/ui/forms.h"

class TDvSkinSource;
class TVxForm;
class TVxVexel;

class ESkinTestError : public Exception {
  using Exception::Exception;
};

class TfrmSkinTest : public TForm {
 public:
  explicit TfrmSkinTest(TComponent* Owner);

  // Makes the skin in FileName, which holds Skin, the current theme through VX and captions the
  // window "<skin name> - test". A skin without objects gives no theme, and the window keeps the
  // platform's look; a skin with objects that gives none (the file changed or is damaged) raises
  // ESkinTestError.
  void LoadSkin(const std::string& FileName, const TDvSkinSource& Skin);

  TVxVexel* VX = nullptr;
  TVxForm* ThemeForm1 = nullptr;

  // Answers Ctrl+Alt+clicks while the window lives; remembers the last object it named.
  const TSkinIdentifier& Identifier() const { return *FIdentifier; }

 private:
  std::unique_ptr<TSkinIdentifier> FIdentifier;
};

// "Empty Form": nothing but the skinned frame around 440 x 240 client pixels.
class TfrmTestEmpty : public TfrmSkinTest {
 public:
  explicit TfrmTestEmpty(TComponent* Owner);
};

// Turns the skin objects' design mode off for its lifetime and puts back what it was.
class TDesignModeOff {
 public:
  TDesignModeOff();
  ~TDesignModeOff();
  TDesignModeOff(const TDesignModeOff&) = delete;
  TDesignModeOff& operator=(const TDesignModeOff&) = delete;

 private:
  bool FSaved;
};

// One test of an edited skin: Source goes to TempFileName (nothing else happens when that
// fails), then the window MakeWindow makes loads it back and runs modally with design mode off.
// Whatever fails after that, the window is freed before design mode comes back and the error
// goes on to the caller. Answers the path of the last object identified in the window (empty for
// none), for the caller to select.
std::vector<std::string> RunSkinTest(const TDvSkinSource& Source, const std::string& TempFileName,
                                     const std::function<std::unique_ptr<TfrmSkinTest>()>& MakeWindow);
