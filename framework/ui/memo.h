// TMemo: a multi-line edit (a log, a notes field). Lines holds its text one entry a line and
// stays in step with the window: changing the lines changes the text, typing changes the lines.
#pragma once

#include <string>

#include "framework/ui/stdctrls.h"

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleNames();

class TMemo;

class TMemoLines : public TControlItems {
 public:
  explicit TMemoLines(TMemo* Owner) : FOwner(Owner) {}
  // The lines joined by CR LF (no line break after the last one).
  std::string Text() const;

 protected:
  void Inserted(Integer Index) override;
  void Deleted(Integer Index) override;
  void Cleared() override;

 private:
  friend class TMemo;
  // Takes the lines of Text (CR LF or LF between them) without telling the memo.
  void Split(const std::string& Text);
  TMemo* FOwner;
};

class TMemo : public TEdit {
 public:
  explicit TMemo(TComponent* Owner = nullptr);
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TMemoLines& Lines() { return FLines; }
  void SetText(const std::string& Value) override;
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  // Long lines wrap at the right edge (and there is no horizontal scrolling).
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Change() override;

 private:
  friend class TMemoLines;
  void LinesChanged(bool Appended);
  TMemoLines FLines{this};
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWordWrap = true;
  bool FSyncing = false;
};
