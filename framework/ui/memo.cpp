// TMemo and its lines.
#include "framework/ui/memo.h"

#include <windows.h>

namespace {
constexpr const char* ScrollStyleValueNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
}  // namespace

const TEnumInfo& ScrollStyleNames() {
  static const TEnumInfo Info{ScrollStyleValueNames};
  return Info;
}

// [TMemoLines]

std::string TMemoLines::Text() const {
  std::string Result;
  for (size_t I = 0; I < FItems.size(); ++I) {
    if (I) Result += "\r\n";
    Result += FItems[I];
  }
  return Result;
}

void TMemoLines::Split(const std::string& Text) {
  FItems.clear();
  if (Text.empty()) return;
  size_t Start = 0;
  for (;;) {
    const size_t End = Text.find('\n', Start);
    std::string Line = Text.substr(Start, End == std::string::npos ? std::string::npos : End - Start);
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    FItems.push_back(std::move(Line));
    if (End == std::string::npos) break;
    Start = End + 1;
  }
}

void TMemoLines::Inserted(Integer Index) { FOwner->LinesChanged(Index == Count() - 1); }
void TMemoLines::Deleted(Integer) { FOwner->LinesChanged(false); }
void TMemoLines::Cleared() { FOwner->LinesChanged(false); }

// [TMemo]

const TClassInfo& TMemo::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      EnumProperty<&TMemo::ScrollBars, &TMemo::SetScrollBars>("ScrollBars", ScrollStyleNames(),
                                                              int64_t(TScrollStyle::ssNone)),
      BooleanProperty<&TMemo::WordWrap, &TMemo::SetWordWrap>("WordWrap", 1),
  };
  static const TClassInfo Info{"TMemo", &TEdit::StaticClassInfo(), Properties, {}, &CreateComponent<TMemo>};
  return Info;
}

TMemo::TMemo(TComponent* Owner) : TEdit(Owner) { SetBounds(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& Params) {
  TEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) Params.Style |= WS_VSCROLL;
  if ((FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) && !FWordWrap)
    Params.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TMemo::LinesChanged(bool Appended) {
  if (FSyncing) return;
  FSyncing = true;
  try {
    SetText(FLines.Text());
  } catch (...) {
    FSyncing = false;
    throw;
  }
  FSyncing = false;
  // A line added at the end (a log) is scrolled into view.
  if (Appended && HandleAllocated()) {
    const auto End = GetWindowTextLengthA(Handle());
    SendMessageA(Handle(), EM_SETSEL, WPARAM(End), LPARAM(End));
    SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
  }
}

void TMemo::SetText(const std::string& Value) {
  if (!HandleAllocated()) return TEdit::SetText(Value);
  if (Value == Text()) return;
  // A multi-line edit reports no change for text set through WM_SETTEXT.
  TWinControl::SetText(Value);
  Change();
}

void TMemo::Change() {
  if (!FSyncing) FLines.Split(Text());
  TEdit::Change();
}
