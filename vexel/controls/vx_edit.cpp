#include "vexel/controls/vx_edit.h"

#include <windows.h>
// imm.h needs the types windows.h declares.
#include <imm.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/ui/clipboard.h"
#include "framework/ui/forms.h"
#include "vexel/controls/vx_parent_image.h"
#include "vexel/forms/vx_form_options.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/menus/vx_menus.h"
#include "vexel/theme/vx_theme.h"
#include "vexel/theme/vx_theme_links.h"
#include "vexel/theme/vx_theme_manager.h"

// [Sections] names and tables · stack · construction · text · caret and selection · positions ·
// editing · undo · clipboard · painting · messages and input · context menu

namespace {

constexpr const char* CharCaseValueNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
constexpr const char* PasswordKindValueNames[] = {"pkNone",     "pkChar",   "pkRect",
                                                  "pkRoundRect", "pkCircle", "pkTriangle"};
constexpr const char* TextAlignmentValueNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

// Theme state values of the edit.
constexpr Byte EsNormal = 0, EsHot = 1, EsFocused = 2, EsDisabled = 4, EsReadOnly = 5, EsSelection = 6;
// Theme fonts.
constexpr Integer FontNormal = 29, FontFocused = 30, FontHot = 31, FontDisabled = 32, FontSelected = 33;

bool IsHigh(wchar_t C) { return C >= 0xD800 && C <= 0xDBFF; }
bool IsLow(wchar_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

std::string ToAnsi(const std::wstring& S) {
  if (S.empty()) return {};
  // ASCII is the same in every ANSI code page; the platform's conversion is far slower.
  if (std::all_of(S.begin(), S.end(), [](wchar_t C) { return C < 0x80; })) return std::string(S.begin(), S.end());
  const int N = WideCharToMultiByte(CP_ACP, 0, S.data(), int(S.size()), nullptr, 0, nullptr, nullptr);
  std::string R(size_t(std::max(N, 0)), '\0');
  if (N > 0) WideCharToMultiByte(CP_ACP, 0, S.data(), int(S.size()), R.data(), N, nullptr, nullptr);
  return R;
}

std::wstring CaseOf(const std::wstring& S, TEditCharCase Case) {
  if (S.empty() || Case == TEditCharCase::ecNormal) return S;
  std::wstring R = S;
  if (Case == TEditCharCase::ecUpperCase)
    CharUpperBuffW(R.data(), DWORD(R.size()));
  else
    CharLowerBuffW(R.data(), DWORD(R.size()));
  return R;
}

TRect Within(const TRect& A, const TRect& B) {
  TRect R(std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right), std::min(A.Bottom, B.Bottom));
  if (R.Right < R.Left) R.Right = R.Left;
  if (R.Bottom < R.Top) R.Bottom = R.Top;
  return R;
}

// Selects a font into a DC for a scope.
class TFontSelection {
 public:
  TFontSelection(HDC DC, HFONT Font) : FDC(DC), FOld(SelectObject(DC, Font)) {}
  ~TFontSelection() { SelectObject(FDC, FOld); }
  TFontSelection(const TFontSelection&) = delete;
  TFontSelection& operator=(const TFontSelection&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// A clip to R for a scope.
class TClipTo {
 public:
  TClipTo(HDC DC, const TRect& R) : FDC(DC), FSaved(SaveDC(DC)) {
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  }
  ~TClipTo() { RestoreDC(FDC, FSaved); }
  TClipTo(const TClipTo&) = delete;
  TClipTo& operator=(const TClipTo&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// A memory DC measuring text outside painting.
HDC MeasureDC() {
  static HDC DC = CreateCompatibleDC(nullptr);
  return DC;
}

// Draws Count characters at (X, Y) with every character at the advance the DC measures, so
// that the glyphs stand exactly where CaretToX puts the caret and the selection.
void DrawRun(HDC DC, Integer X, Integer Y, const RECT& Clip, const wchar_t* Text, Integer Count) {
  std::vector<INT> Ends(static_cast<size_t>(Count)), Advances(static_cast<size_t>(Count));
  SIZE S{};
  GetTextExtentExPointW(DC, Text, Count, 0, nullptr, Ends.data(), &S);
  for (Integer I = 0; I < Count; ++I) Advances[size_t(I)] = Ends[size_t(I)] - (I > 0 ? Ends[size_t(I - 1)] : 0);
  ExtTextOutW(DC, X, Y, ETO_CLIPPED, &Clip, Text, UINT(Count), Advances.data());
}

}  // namespace

const TEnumInfo& EditCharCaseNames() {
  static const TEnumInfo Info{CharCaseValueNames};
  return Info;
}
const TEnumInfo& PasswordKindNames() {
  static const TEnumInfo Info{PasswordKindValueNames};
  return Info;
}
const TEnumInfo& TextAlignmentNames() {
  static const TEnumInfo Info{TextAlignmentValueNames};
  return Info;
}

// [Stack]

std::unique_ptr<TEditAction> TEditActionStack::Pop() {
  if (FItems.empty()) return nullptr;
  std::unique_ptr<TEditAction> Top = std::move(FItems.back());
  FItems.pop_back();
  return Top;
}

// [Construction]

const TClassInfo& TVxEdit::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      BooleanProperty<&TVxEdit::AutoSelect, &TVxEdit::SetAutoSelect>("AutoSelect", 1),
      BooleanProperty<&TVxEdit::AutoSize, &TVxEdit::SetAutoSize>("AutoSize", 1),
      EnumProperty<&TVxEdit::CharCase, &TVxEdit::SetCharCase>("CharCase", EditCharCaseNames(),
                                                              int64_t(TEditCharCase::ecNormal)),
      BooleanProperty<&TVxEdit::HideSelection, &TVxEdit::SetHideSelection>("HideSelection", 1),
      IntegerProperty<&TVxEdit::MaxLength, &TVxEdit::SetMaxLength>("MaxLength", 0),
      BooleanProperty<&TVxEdit::StoredReadOnly, &TVxEdit::SetReadOnly>("ReadOnly", 0),
      IntegerProperty<&TVxEdit::PasswordCharCode, &TVxEdit::SetPasswordCharCode>("PasswordWideChar", 0),
      EnumProperty<&TVxEdit::PasswordKind, &TVxEdit::SetPasswordKind>("PasswordKind", PasswordKindNames(),
                                                                      int64_t(TPasswordKind::pkNone)),
      EnumProperty<&TVxEdit::TextAlignment, &TVxEdit::SetTextAlignment>("TextAlignment", TextAlignmentNames(),
                                                                        int64_t(TAlignment::taLeftJustify)),
      ClassProperty<&TVxEdit::ContextMenuOptions>("ContextMenuOptions"),
      IntegerProperty<&TVxEdit::BorderWidth, &TVxEdit::SetBorderWidth>("BorderWidth", 3),
      IntegerProperty<&TVxEdit::BevelWidth, &TVxEdit::SetBevelWidth>("BevelWidth", 1),
      EnumProperty<&TVxEdit::BevelInner, &TVxEdit::SetBevelInner>("BevelInner", BevelCutNames(),
                                                                  int64_t(TVxBevelCut::kbvLowered)),
      EnumProperty<&TVxEdit::BevelOuter, &TVxEdit::SetBevelOuter>("BevelOuter", BevelCutNames(),
                                                                  int64_t(TVxBevelCut::kbvLowered)),
      StringProperty<&TVxEdit::ThemeObject, &TVxEdit::SetThemeObject>("ThemeObject"),
  };
  static const TClassInfo Info{"TVxEdit", &TVxControl::StaticClassInfo(), Properties, {}, &CreateComponent<TVxEdit>};
  return Info;
}

TVxEdit::TVxEdit(TComponent* Owner) : TVxControl(Owner), FContextMenuOptions(std::make_unique<TVxPopupMenuOptions>()) {
  SetPerformance(TVxPerformance::zqpDoubleBuffer);
  SetBevelKind(TVxBevelKind::kbkSingle);
  SetBevelWidth(1);
  SetBorderWidth(3);
  TControlStyle Style = ControlStyle();
  Style.Include(TControlStyleFlag::csCaptureMouse);
  Style.Include(TControlStyleFlag::csDoubleClicks);
  SetControlStyle(Style);
  SetTabStop(true);
  SetColor(clWindow);
  SetCursor(crDefault);
  SetBounds(Left(), Top(), 121, 21);
  Font()->OnChange = [this] {
    if (FAutoSize) AdjustSize();
    if (HasFocus() && FCaretMade) {
      HideEditCaret();
      ShowEditCaret();
    }
    Invalidate();
  };
  AdjustSize();
  // An edit made at run time follows theme changes as one read from a form file does.
  StoreFont(Font());
  FRegistered = true;
  RegisterThemeClient(this);
}

TVxEdit::~TVxEdit() {
  Font()->OnChange = nullptr;
  if (FRegistered) UnregisterThemeClient(this);
  ForgetFont(Font());
  if (FCaretMade) DestroyCaret();
}

void TVxEdit::SetCursor(TCursor Value) { TControl::SetCursor(Value == crDefault ? crIBeam : Value); }

void TVxEdit::Loaded() {
  TVxControl::Loaded();
  if (FAutoSize) {
    SetBounds(Left(), Top(), Width(), Height() + 1);
    AdjustSize();
  }
}

void TVxEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FAutoSize && !ComponentState().Contains(TComponentStateFlag::csLoading)) {
    const Integer H = CanAutoSize();
    if (H > 0) AHeight = H;
  }
  TVxControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TVxEdit::BorderChanged() { AdjustSize(); }

Integer TVxEdit::CanAutoSize() {
  TRect R;
  GetTextRect(R);
  HDC DC = MeasureDC();
  SelectTextFont(false);
  TFontSelection Font(DC, FTextFont.Handle());
  SIZE S{};
  GetTextExtentPoint32W(DC, L"Pq", 2, &S);
  return 2 * R.Top + S.cy;
}

void TVxEdit::AdjustSize() {
  if (!FAutoSize || ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  SetBounds(Left(), Top(), Width(), Height());
}

void TVxEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustSize();
}

// [Text]

// A text set from outside starts a new history: old actions would land in unrelated text.
void TVxEdit::SetWideText(const std::wstring& Value) {
  FUndoStack.Clear();
  StoreText(Value);
  SetSelLength(0);
  SetCaret(FCaret);
}

void TVxEdit::SetText(const std::string& Value) {
  if (FStoring) return TControl::SetText(Value);
  SetWideText(AnsiToWideCP(CP_ACP, Value));
}

void TVxEdit::StoreText(const std::wstring& Value) {
  if (!CanChangeText(Value)) return;
  std::wstring New = CaseOf(Value, FCharCase);
  if (New == FText) return;
  FText = std::move(New);
  FStoring = true;
  // The framework's field only: the window text of a drawn edit shows nowhere.
  TControl::SetText(ToAnsi(FText));
  FStoring = false;
  Change();
  Invalidate();
}

bool TVxEdit::CanChangeText(const std::wstring&) { return true; }

void TVxEdit::Change() {
  if (Enabled() && HandleAllocated()) SetCaret(FCaret);
  if (OnChange) OnChange(this);
}

void TVxEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  StoreText(FText);
}

void TVxEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}

void TVxEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  Invalidate();
}

void TVxEdit::SetPasswordWideChar(wchar_t Value) {
  FPasswordWideChar = Value;
  if (Value != 0) FPasswordKind = TPasswordKind::pkChar;
  SetCaret(FCaret);
  Invalidate();
}

void TVxEdit::SetPasswordKind(TPasswordKind Value) {
  FPasswordKind = Value;
  FFirstVisible = 1;
  SetCaret(FCaret);
  Invalidate();
}

void TVxEdit::SetTextAlignment(TAlignment Value) {
  FTextAlignment = Value;
  Invalidate();
}

// [Caret and selection]

Integer TVxEdit::SelStart() const {
  if (FSelLength > 0) return FSelCaret;
  if (FSelLength < 0) return FSelCaret + FSelLength;
  return FCaret;
}

std::wstring TVxEdit::SelText() const {
  const Integer Start = std::clamp<Integer>(SelStart(), 0, Integer(FText.size()));
  const Integer Length = std::min<Integer>(SelLength(), Integer(FText.size()) - Start);
  return Length > 0 ? FText.substr(size_t(Start), size_t(Length)) : std::wstring();
}

Integer TVxEdit::Snap(Integer I, bool Forward) const {
  I = std::clamp<Integer>(I, 0, Integer(FText.size()));
  if (I > 0 && I < Integer(FText.size()) && IsHigh(FText[size_t(I - 1)]) && IsLow(FText[size_t(I)]))
    return Forward ? I + 1 : I - 1;
  return I;
}

Integer TVxEdit::CharBefore(Integer I) const {
  if (I <= 0) return 0;
  --I;
  if (I > 0 && IsLow(FText[size_t(I)]) && IsHigh(FText[size_t(I - 1)])) --I;
  return I;
}

Integer TVxEdit::CharAfter(Integer I) const {
  const Integer N = Integer(FText.size());
  if (I >= N) return N;
  ++I;
  if (I < N && IsLow(FText[size_t(I)]) && IsHigh(FText[size_t(I - 1)])) ++I;
  return I;
}

void TVxEdit::SetCaret(Integer I) {
  FCaret = Snap(I, false);
  ScrollCaretIntoView();
  if (FSelLength == 0) FSelCaret = FCaret;
  if (HasFocus() && HandleAllocated() && GetFocus() == Handle()) {
    TRect R;
    GetTextRect(R);
    SetCaretPos(CaretToX(FCaret), R.Top);
  }
}

void TVxEdit::SetSelLength(Integer N) {
  const Integer Length = Integer(FText.size());
  if (N > 0) {
    N = std::min(N, Length - FSelCaret);
    N = Snap(FSelCaret + N, true) - FSelCaret;
  } else if (N < 0) {
    N = std::max(N, -FSelCaret);
    N = Snap(FSelCaret + N, false) - FSelCaret;
  }
  if (N == FSelLength) return;
  FSelLength = N;
  Invalidate();
}

void TVxEdit::SetSelStart(Integer I) {
  I = Snap(I, false);
  if (I == FSelCaret) return;
  SetSelLength(0);
  FSelCaret = I;
  SetCaret(I);
  Invalidate();
}

void TVxEdit::SelectAll() {
  SetCaret(Integer(FText.size()));
  SetSelStart(0);
  SetSelLength(Integer(FText.size()));
  Invalidate();
}

void TVxEdit::SelectWord() {
  const Integer Start = PrevWordStart(FCaret);
  SetSelLength(0);
  FSelCaret = Start;
  SetCaret(Start);
  SetSelLength(NextWordStart(Start) - Start);
  SetCaret(SelStart() + SelLength());
}

// The space is the only separator.
Integer TVxEdit::NextWordStart(Integer I) const {
  const Integer N = Integer(FText.size());
  if (I < 0) I = 0;
  if (I >= N) return N;
  bool InWord = false, SeenSpace = false;
  Integer Index = I;
  for (; Index + 1 <= N; ++Index) {
    const bool Space = FText[size_t(Index)] == L' ';
    if (!Space && SeenSpace && InWord) return Index;
    if (!Space) {
      InWord = true;
      SeenSpace = false;
    } else {
      SeenSpace = true;
    }
  }
  return N;
}

Integer TVxEdit::PrevWordStart(Integer I) const {
  I = std::min<Integer>(I, Integer(FText.size()));
  while (I > 0 && FText[size_t(I - 1)] == L' ') --I;
  while (I > 0 && FText[size_t(I - 1)] != L' ') --I;
  return std::max<Integer>(I, 0);
}

// [Positions]

bool TVxEdit::ThemeDefinesEdit() const {
  TvxTheme* T = Theme();
  return T && T->IsEditDefined(0, ThemeObject());
}

Byte TVxEdit::EditState() const {
  if (!Enabled()) return EsDisabled;
  if (FReadOnly) return EsReadOnly;
  if (MouseInControl()) return EsHot;
  if (HasFocus()) return EsFocused;
  return EsNormal;
}

void TVxEdit::SelectTextFont(bool Selected) {
  TFont& F = FTextFont;
  TvxTheme* T = ThemeDefinesEdit() ? Theme() : nullptr;
  if (T) {
    Integer Index = FontNormal;
    if (Selected)
      Index = FontSelected;
    else
      switch (EditState()) {
        case EsDisabled: Index = FontDisabled; break;
        case EsHot: Index = FontHot; break;
        case EsFocused: Index = FontFocused; break;
        default: break;
      }
    T->GetFont(F, Index, ThemeObject());
    return;
  }
  F.Assign(Font());
  if (Selected)
    F.SetColor(clHighlightText);
  else if (!Enabled())
    F.SetColor(clBtnShadow);
}

void TVxEdit::GetTextRect(TRect& R) {
  const Integer W = CachedWidth() > 0 ? CachedWidth() : Width();
  const Integer H = CachedHeight() > 0 ? CachedHeight() : Height();
  if (ThemeDefinesEdit()) {
    Theme()->GetEditClientRect(0, TRect(0, 0, W, H), R, "default");
    return;
  }
  R = GetInnerRect();
  HDC DC = MeasureDC();
  TFontSelection Sel(DC, Font()->Handle());
  SIZE S{};
  GetTextExtentPoint32W(DC, L"Pq", 2, &S);
  R.Bottom = R.Top + S.cy;
}

Integer TVxEdit::GetPasswordCharWidth() {
  Integer W = 10;
  if (FPasswordKind != TPasswordKind::pkNone) {
    HDC DC = MeasureDC();
    SelectTextFont(false);
    TFontSelection Sel(DC, FTextFont.Handle());
    SIZE S{};
    const wchar_t C = FPasswordKind == TPasswordKind::pkChar ? FPasswordWideChar : L'W';
    GetTextExtentPoint32W(DC, &C, 1, &S);
    W = S.cx;
  }
  return std::max<Integer>(W, 1);
}

Integer TVxEdit::TextWidth(Integer From, Integer Count) {
  From = std::clamp<Integer>(From, 0, Integer(FText.size()));
  Count = std::clamp<Integer>(Count, 0, Integer(FText.size()) - From);
  if (Count == 0) return 0;
  if (IsPassword()) return Count * GetPasswordCharWidth();
  HDC DC = MeasureDC();
  TFontSelection Sel(DC, FTextFont.Handle());
  RECT R{0, 0, 0, 0};
  DrawTextW(DC, FText.data() + From, Count, &R, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  return R.right - R.left;
}

Integer TVxEdit::CaretToX(Integer I) {
  TRect R;
  GetTextRect(R);
  SelectTextFont(false);
  Integer X = R.Left;
  const Integer First = FFirstVisible - 1;
  if (FTextAlignment != TAlignment::taLeftJustify && First == 0) {
    const Integer Whole = TextWidth(0, Integer(FText.size()));
    if (Whole < R.Width()) X += FTextAlignment == TAlignment::taRightJustify ? R.Width() - Whole : (R.Width() - Whole) / 2;
  }
  if (I > First) X += TextWidth(First, I - First);
  return X;
}

Integer TVxEdit::XToCaret(Integer X) {
  Integer I = FFirstVisible - 1;
  const Integer N = Integer(FText.size());
  if (N == 0) return I;
  TRect R;
  GetTextRect(R);
  const Integer Left = CaretToX(I);
  SelectTextFont(false);
  if (IsPassword()) return Snap(std::clamp<Integer>(I + (X - Left) / GetPasswordCharWidth(), 0, N), false);
  // Walk the character boundaries; the caret lands on the nearest.
  Integer Boundary = Left;
  while (I < N) {
    const Integer Next = CharAfter(I);
    const Integer W = TextWidth(I, Next - I);
    if (X < Boundary + W / 2 + (W % 2) || Boundary >= R.Right) break;
    Boundary += W;
    I = Next;
  }
  return I;
}

// Scrolls by whole characters; measures only what can show.
void TVxEdit::ScrollCaretIntoView() {
  TRect R;
  GetTextRect(R);
  const Integer Room = R.Width();
  FFirstVisible = std::max<Integer>(FFirstVisible, 1);
  if (FFirstVisible - 1 > Integer(FText.size())) FFirstVisible = Integer(FText.size()) + 1;
  if (FFirstVisible < FCaret + 1) {
    SelectTextFont(false);
    // The first character from which the caret still fits, found walking back from the caret.
    Integer First = FCaret, Width = 0;
    while (First > FFirstVisible - 1) {
      const Integer Prev = CharBefore(First);
      const Integer W = TextWidth(Prev, First - Prev);
      if (Width + W > Room) break;
      Width += W;
      First = Prev;
    }
    FFirstVisible = First + 1;
  } else {
    FFirstVisible = std::max<Integer>(FCaret, 1);
    FFirstVisible = Snap(FFirstVisible - 1, false) + 1;
  }
  Invalidate();
}

// [Editing]

void TVxEdit::InsertText(const std::wstring& S) {
  if (FReadOnly) return;
  const Integer Start = SelStart(), Length = SelLength();
  std::wstring New = FText;
  New.erase(size_t(Start), size_t(Length));
  New.insert(size_t(Start), S);
  if (FMaxLength > 0 && Integer(New.size()) > FMaxLength) {
    SetSelLength(0);
    return;
  }
  const std::wstring Deleted = SelText();
  RecordDeletion(Deleted, Start + 1);
  RecordInsertion(Integer(S.size()), Start + 1, !Deleted.empty());
  FSelLength = 0;
  FSelCaret = Start;
  StoreText(New);
  SetCaret(Start + Integer(S.size()));
  SetSelLength(0);
}

void TVxEdit::InsertChar(wchar_t Ch) { InsertText(std::wstring(1, Ch)); }

void TVxEdit::ClearSelection() {
  if (FReadOnly) return;
  const Integer Start = SelStart();
  const std::wstring Deleted = SelText();
  if (Deleted.empty()) return;
  RecordDeletion(Deleted, Start + 1);
  std::wstring New = FText;
  New.erase(size_t(Start), Deleted.size());
  FSelLength = 0;
  FSelCaret = Start;
  StoreText(New);
  SetCaret(Start);
  SetSelLength(0);
}

void TVxEdit::RecordDeletion(const std::wstring& T, Integer P) {
  if (T.empty()) return;
  TEditAction* Top = FUndoStack.Peek();
  const Integer Length = Integer(T.size());
  if (Top && Top->Kind == 0 && Top->Position - P - Length <= 1 && Top->Position >= P) {
    Top->Text = P < Top->Position ? T + Top->Text : Top->Text + T;
    Top->Position = P;
    return;
  }
  auto A = std::make_unique<TEditAction>();
  A->Kind = 0;
  A->Position = P;
  A->Text = T;
  FUndoStack.Push(std::move(A));
}

void TVxEdit::RecordInsertion(Integer N, Integer P, bool Chained) {
  if (N == 0) return;
  TEditAction* Top = FUndoStack.Peek();
  if (Top && Top->Kind == 1 && P == Top->Position + Top->Count) {
    Top->Count += N;
    return;
  }
  auto A = std::make_unique<TEditAction>();
  A->Kind = 1;
  A->Chained = Chained;
  A->Position = P;
  A->Count = N;
  FUndoStack.Push(std::move(A));
}

// [Undo]

bool TVxEdit::Undo() {
  if (FReadOnly) return false;
  bool Any = false;
  while (auto A = FUndoStack.Pop()) {
    Any = true;
    const Integer At = std::clamp<Integer>(A->Position - 1, 0, Integer(FText.size()));
    if (A->Kind == 0) {
      std::wstring T = A->Text;
      if (FMaxLength > 0) T.resize(size_t(std::clamp<Integer>(FMaxLength - Integer(FText.size()), 0, Integer(T.size()))));
      std::wstring New = FText;
      New.insert(size_t(At), T);
      FSelLength = 0;
      StoreText(New);
      FSelCaret = At + Integer(T.size());
      SetCaret(FSelCaret);
      FSelLength = -Integer(T.size());
      Invalidate();
    } else {
      std::wstring New = FText;
      New.erase(size_t(At), size_t(std::min<Integer>(A->Count, Integer(FText.size()) - At)));
      FSelLength = 0;
      StoreText(New);
      SetSelLength(0);
      FSelCaret = -1;
      SetSelStart(At);
    }
    if (!A->Chained) break;
  }
  return Any;
}

// [Clipboard]

void TVxEdit::CopyToClipboard() {
  if (IsPassword()) return;
  const std::wstring T = SelText();
  if (T.empty()) return;
  TClipboard Clip;
  Clip.SetAsWideText(T);
}

void TVxEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  TClipboard Clip;
  std::wstring T;
  if (Clip.HasFormat(cfUnicodeText))
    T = Clip.AsWideText();
  else if (Clip.HasFormat(cfText))
    T = AnsiToWideCP(CP_ACP, Clip.AsText());
  // A single line: the text ends at the first line break or NUL.
  const size_t End = T.find_first_of(std::wstring(L"\r\n\0", 3));
  if (End != std::wstring::npos) T.resize(End);
  if (!T.empty()) InsertText(T);
}

void TVxEdit::CutToClipboard() {
  if (!IsPassword()) CopyToClipboard();
  ClearSelection();
}

// [Painting]

void TVxEdit::GetSelectionRect(TRect& R) {
  TRect Text;
  GetTextRect(Text);
  R = Text;
  R.Left = CaretToX(SelStart());
  R.Right = CaretToX(SelStart() + SelLength());
  R = Within(R, Text);
}

void TVxEdit::PaintBackground(const TRect& R, TCanvas& C) {
  if (ThemeDefinesEdit()) return;
  FillRectColor(C.Handle(), R, Color());
}

void TVxEdit::PaintClient() {
  TCanvas& C = *Canvas();
  if (ThemeDefinesEdit()) {
    TvxTheme* T = Theme();
    // Rounded skin corners show the parent, not the classic frame below them.
    DrawParentImage(this, C.Handle());
    TvxStateInfo Info;
    Info.Rect = TRect(0, 0, CachedWidth(), CachedHeight());
    Info.State = ThemeFrameState();
    {
      // The theme may leave its own state in the DC; the text is measured without it.
      const int Saved = SaveDC(C.Handle());
      T->DrawEdit(0, C, "default", Info);
      if (ShowsSelection() && SelLength() > 0) {
        GetSelectionRect(Info.Rect);
        Info.State = EsSelection;
        T->DrawEdit(0, C, "default", Info);
      }
      RestoreDC(C.Handle(), Saved);
    }
    TRect R;
    GetTextRect(R);
    PaintBackground(R, C);
    if (!PaintsText()) return;
    PaintText();
    if (ShowsSelection() && SelLength() > 0) PaintSelectedText();
    return;
  }
  TRect R;
  GetTextRect(R);
  R.Bottom = std::max(R.Bottom, CachedHeight() - R.Top);
  PaintBackground(R, C);
  if (!PaintsText()) return;
  if (ShowsSelection() && SelLength() > 0) {
    TRect S;
    GetSelectionRect(S);
    FillRectColor(C.Handle(), S, clHighlight);
  }
  PaintText();
  if (ShowsSelection() && SelLength() > 0) PaintSelectedText();
}

void TVxEdit::PaintText() {
  TRect R;
  GetTextRect(R);
  HDC DC = Canvas()->Handle();
  const Integer First = FFirstVisible - 1;
  const Integer N = Integer(FText.size());
  if (IsPassword()) {
    SelectTextFont(false);
    const Integer Cell = GetPasswordCharWidth();
    Integer X = CaretToX(First);
    for (Integer I = First; I < N && X < R.Right; ++I, X += Cell) PaintPasswordChar(TRect(X, R.Top, X + Cell, R.Bottom), false);
    return;
  }
  TRect Box = R;
  Box.Left = CaretToX(First);
  TRect Sel0;
  GetSelectionRect(Sel0);
  // Only what can show is laid out: a long text costs no more than a short one.
  Integer Count = 0, Width = 0;
  while (First + Count < N && Width <= R.Width()) {
    const Integer Next = CharAfter(First + Count);
    Width += TextWidth(First + Count, Next - First - Count);
    Count = Next - First;
  }
  // Measuring re-takes the canvas font: select it only once every position is known.
  TCanvas& C = *Canvas();
  TFontSelection Sel(DC, FTextFont.Handle());
  SetTextColor(DC, COLORREF(ColorToRGB(FTextFont.Color())));
  SetBkMode(DC, TRANSPARENT);
  TClipTo Clip(DC, R);
  // The selected characters are drawn once, in the selection font, over nothing.
  if (ShowsSelection() && SelLength() > 0) ExcludeClipRect(DC, Sel0.Left, Sel0.Top, Sel0.Right, Sel0.Bottom);
  if (Count > 0) {
    RECT Area{Box.Left, Box.Top, Box.Right, Box.Bottom};
    DrawRun(DC, Box.Left, Box.Top, Area, FText.data() + First, Count);
  }
}

void TVxEdit::PaintSelectedText() {
  TRect S;
  GetSelectionRect(S);
  if (S.IsEmpty()) return;
  HDC DC = Canvas()->Handle();
  const Integer Start = std::max<Integer>(SelStart(), FFirstVisible - 1);
  const Integer End = SelStart() + SelLength();
  if (IsPassword()) {
    SelectTextFont(true);
    const Integer Cell = GetPasswordCharWidth();
    TClipTo Clip(DC, S);
    for (Integer I = Start, X = CaretToX(Start); I < End && X < S.Right; ++I, X += Cell)
      PaintPasswordChar(TRect(X, S.Top, X + Cell, S.Bottom), true);
    return;
  }
  const Integer X = CaretToX(Start);
  // The visible characters of the selection only.
  Integer Count = 0, Width = 0;
  while (Start + Count < End && X + Width <= S.Right) {
    const Integer Next = CharAfter(Start + Count);
    Width += TextWidth(Start + Count, Next - Start - Count);
    Count = Next - Start;
  }
  SelectTextFont(true);
  TCanvas& C = *Canvas();
  TFontSelection Sel(DC, FTextFont.Handle());
  SetTextColor(DC, COLORREF(ColorToRGB(FTextFont.Color())));
  SetBkMode(DC, TRANSPARENT);
  TClipTo Clip(DC, S);
  RECT Area{X, S.Top, S.Right + 1, S.Bottom};
  if (Count > 0) DrawRun(DC, X, S.Top, Area, FText.data() + Start, Count);
}

void TVxEdit::PaintPasswordChar(const TRect& R, bool Selected) {
  HDC DC = Canvas()->Handle();
  SelectTextFont(Selected);
  TCanvas& C = *Canvas();
  const COLORREF Ink = COLORREF(ColorToRGB(FTextFont.Color()));
  TClipTo Clip(DC, R);
  const TRect Inner(R.Left + 2, R.Top + 3, R.Right - 2, R.Bottom - 3);
  HBRUSH Brush = CreateSolidBrush(Ink);
  HPEN Pen = CreatePen(PS_SOLID, 1, Ink);
  const HGDIOBJ OldBrush = SelectObject(DC, Brush), OldPen = SelectObject(DC, Pen);
  const Integer W = Inner.Width();
  switch (FPasswordKind) {
    case TPasswordKind::pkChar: {
      TFontSelection Sel(DC, FTextFont.Handle());
      SetTextColor(DC, Ink);
      SetBkMode(DC, TRANSPARENT);
      RECT Area{R.Left, R.Top, R.Right, R.Bottom};
      DrawTextW(DC, &FPasswordWideChar, 1, &Area, DT_NOPREFIX | DT_SINGLELINE);
      break;
    }
    case TPasswordKind::pkRect: {
      RECT Area{Inner.Left, Inner.Top, Inner.Right, Inner.Bottom};
      FillRect(DC, &Area, Brush);
      break;
    }
    case TPasswordKind::pkRoundRect: RoundRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom, 2, 2); break;
    case TPasswordKind::pkCircle: {
      const Integer L = R.Left + (R.Width() - W) / 2, T = R.Top + (R.Height() - W) / 2;
      RoundRect(DC, L, T, L + W, T + W, W / 2 + 1, W / 2 + 1);
      break;
    }
    case TPasswordKind::pkTriangle: {
      const Integer S = W % 2 == 0 ? W + 1 : W;
      const Integer L = R.Left + (R.Width() - S) / 2, T = R.Top + (R.Height() - S) / 2;
      const POINT P[3] = {{L + S / 2, T}, {L + S - 1, T + S - 1}, {L, T + S - 1}};
      Polygon(DC, P, 3);
      break;
    }
    case TPasswordKind::pkNone: break;
  }
  SelectObject(DC, OldBrush);
  SelectObject(DC, OldPen);
  DeleteObject(Brush);
  DeleteObject(Pen);
}

// [Messages and input]

void TVxEdit::CreateParams(TCreateParams& Params) { TVxControl::CreateParams(Params); }

void TVxEdit::ShowEditCaret() {
  if (!HandleAllocated()) return;
  HDC DC = MeasureDC();
  TFontSelection Sel(DC, Font()->Handle());
  SIZE S{};
  GetTextExtentPoint32W(DC, L"Pq", 2, &S);
  CreateCaret(Handle(), nullptr, 0, S.cy);
  FCaretMade = true;
  TRect R;
  GetTextRect(R);
  SetCaretPos(CaretToX(FCaret), R.Top);
  ShowCaret(Handle());
}

void TVxEdit::HideEditCaret() {
  if (!FCaretMade) return;
  DestroyCaret();
  FCaretMade = false;
}

void TVxEdit::FocusEnter() {
  TVxControl::FocusEnter();
  SetCaret(0);
  if (FAutoSelect) SelectAll();
}

void TVxEdit::FocusExit() {
  TVxControl::FocusExit();
  Invalidate();
}

void TVxEdit::ThemeChanged(uintptr_t Code) {
  switch (Code) {
    case TMC_THEMESET: StoreFont(Font()); [[fallthrough]];
    case TMC_THEMECHANGED:
      if (ThemeDefinesEdit()) {
        Integer Index = FontNormal;
        switch (EditState()) {
          case EsDisabled: Index = FontDisabled; break;
          case EsHot: Index = FontHot; break;
          case EsFocused: Index = FontFocused; break;
          default: break;
        }
        TFont F;
        Theme()->GetFont(F, Index, ThemeObject());
        Font()->Assign(&F);
      }
      AdjustSize();
      break;
    case TMC_THEMEREMOVED:
      RestoreFont(Font());
      AdjustSize();
      break;
    case TMC_COLORSCHANGED: break;
    default: return;
  }
  Invalidate();
}

bool TVxEdit::WantsKey(uint16_t Key) const {
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    default: return TVxControl::WantsKey(Key);
  }
}

void TVxEdit::MoveKey(Integer NewCaret, bool Extend) {
  const Integer Old = FCaret;
  if (!Extend) {
    FSelLength = 0;
    SetCaret(NewCaret);
  } else {
    SetCaret(NewCaret);
    FSelCaret = FCaret;
    FSelLength += Old - FCaret;
  }
  Invalidate();
}

void TVxEdit::DeleteKey(bool Back, TShiftState Shift) {
  if (FReadOnly) return;
  if (SelLength() > 0) {
    if (!Back && Shift == TShiftState{TShiftStateFlag::ssShift})
      CutToClipboard();
    else
      ClearSelection();
    return;
  }
  std::wstring New = FText;
  if (!Back) {
    if (FCaret >= Integer(FText.size())) return;
    const Integer End = CharAfter(FCaret);
    RecordDeletion(FText.substr(size_t(FCaret), size_t(End - FCaret)), FCaret + 1);
    New.erase(size_t(FCaret), size_t(End - FCaret));
    StoreText(New);
  } else {
    if (FCaret <= 0) return;
    const Integer Start = CharBefore(FCaret);
    RecordDeletion(FText.substr(size_t(Start), size_t(FCaret - Start)), Start + 1);
    New.erase(size_t(Start), size_t(FCaret - Start));
    FCaret = Start;
    StoreText(New);
  }
  SetCaret(FCaret);
}

void TVxEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TVxControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  using S = TShiftStateFlag;
  const bool Ctrl = Shift.Contains(S::ssCtrl), Extend = Shift.Contains(S::ssShift);
  const TShiftState OnlyCtrl{S::ssCtrl}, OnlyShift{S::ssShift};
  switch (Key) {
    case VK_BACK: DeleteKey(true, Shift); break;
    case VK_DELETE: DeleteKey(false, Shift); break;
    case VK_HOME: MoveKey(0, Extend); break;
    case VK_END: MoveKey(Integer(FText.size()), Extend); break;
    case VK_LEFT: MoveKey(Ctrl ? PrevWordStart(FCaret) : CharBefore(FCaret), Extend); break;
    case VK_RIGHT: MoveKey(Ctrl ? NextWordStart(FCaret) : CharAfter(FCaret), Extend); break;
    case VK_INSERT:
      if (Shift == OnlyCtrl)
        CopyToClipboard();
      else if (Shift == OnlyShift)
        PasteFromClipboard();
      break;
    case 'C':
    case 'c':
      if (Shift == OnlyCtrl) CopyToClipboard();
      break;
    case 'V':
    case 'v':
      if (Shift == OnlyCtrl) PasteFromClipboard();
      break;
    case 'X':
    case 'x':
      if (Shift == OnlyCtrl) CutToClipboard();
      break;
    case 'Z':
    case 'z':
      if (Shift == OnlyCtrl) Undo();
      break;
    default: break;
  }
  SetCaret(FCaret);
}

void TVxEdit::KeyPress(char& Key) {
  TVxControl::KeyPress(Key);
  if (Key == 0 || uint8_t(Key) < 32 || FReadOnly) return;
  wchar_t W = 0;
  if (MultiByteToWideChar(CP_ACP, 0, &Key, 1, &W, 1) == 1) InsertChar(W);
}

bool TVxEdit::TakesWideChar(wchar_t) { return !FReadOnly; }

// A pair is inserted whole, so the text never holds half of one.
void TVxEdit::TypeWideChar(wchar_t Char) {
  const wchar_t High = std::exchange(FTypedHighSurrogate, 0);
  if (!TakesWideChar(Char)) return;
  if (Char >= 0xD800 && Char <= 0xDBFF) {
    FTypedHighSurrogate = Char;
  } else if (Char >= 0xDC00 && Char <= 0xDFFF) {
    if (High) InsertText(std::wstring{High, Char});
  } else {
    InsertChar(Char);
  }
}

void TVxEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (Shift.Contains(TShiftStateFlag::ssDouble)) return;
  FSelecting = true;
  if (CanFocus() && !Focused()) SetFocus();
  FSelLength = 0;
  SetCaret(XToCaret(X));
  SetSelLength(0);
  Invalidate();
}

void TVxEdit::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TVxControl::MouseMove(Shift, X, Y);
  if (!FSelecting) return;
  TRect R;
  GetTextRect(R);
  Integer New = XToCaret(X);
  if (X > R.Right) New = CharAfter(New);
  const Integer Old = FCaret;
  SetCaret(New);
  FSelCaret = FCaret;
  FSelLength += Old - FCaret;
  Invalidate();
}

void TVxEdit::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FSelecting = false;
  TVxControl::MouseUp(Button, Shift, X, Y);
}

void TVxEdit::DblClick() {
  FSelecting = false;
  SelectWord();
  TVxControl::DblClick();
}

void TVxEdit::Composition(TMessage& Message) {
  HIMC Context = ImmGetContext(Handle());
  if (!Context) return TVxControl::Dispatch(Message);
  const LONG Bytes = ImmGetCompositionStringW(Context, GCS_RESULTSTR, nullptr, 0);
  std::wstring Result(size_t(std::max<LONG>(Bytes, 0)) / sizeof(wchar_t), L'\0');
  if (Bytes > 0) ImmGetCompositionStringW(Context, GCS_RESULTSTR, Result.data(), DWORD(Bytes));
  ImmReleaseContext(Handle(), Context);
  for (wchar_t C : Result) InsertChar(C);
  Message.Result = 0;
}

void TVxEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_SETFOCUS:
      TVxControl::Dispatch(Message);
      ShowEditCaret();
      return;
    case WM_KILLFOCUS:
      HideEditCaret();
      TVxControl::Dispatch(Message);
      Invalidate();
      return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_UNDO: Message.Result = Undo(); return;
    case CM_WIDECHAR:
      TypeWideChar(wchar_t(Message.WParam));
      Message.Result = 1;
      return;
    case WM_CONTEXTMENU:
      if (PopupMenu() || ComponentState().Contains(TComponentStateFlag::csDesigning)) break;
      ShowContextMenu(int16_t(LOWORD(Message.LParam)), int16_t(HIWORD(Message.LParam)));
      return;
    case WM_IME_STARTCOMPOSITION:
      if (HIMC Context = ImmGetContext(Handle())) {
        LOGFONTA Log{};
        GetObjectA(Font()->Handle(), sizeof(Log), &Log);
        ImmSetCompositionFontA(Context, &Log);
        TRect R;
        GetTextRect(R);
        COMPOSITIONFORM Form{};
        Form.dwStyle = CFS_RECT;
        Form.ptCurrentPos = {CaretToX(FCaret), R.Top};
        Form.rcArea = {R.Left, R.Top, R.Right, R.Bottom};
        ImmSetCompositionWindow(Context, &Form);
        ImmReleaseContext(Handle(), Context);
      }
      break;
    case WM_IME_COMPOSITION:
      if (Message.LParam & GCS_RESULTSTR) return Composition(Message);
      break;
    case CM_ENABLEDCHANGED:
      if (HandleAllocated() && !ComponentState().Contains(TComponentStateFlag::csDesigning))
        EnableWindow(Handle(), Enabled());
      Invalidate();
      break;
    case CM_TEXTCHANGED:
      if (!FStoring) {
        FUndoStack.Clear();
        FText = AnsiToWideCP(CP_ACP, Text());
        SetSelLength(0);
      }
      break;
    default: break;
  }
  TVxControl::Dispatch(Message);
}

void TVxEdit::Notification(TComponent* Component, TOperation Operation) {
  TVxControl::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FContextMenu) FContextMenu = nullptr;
}

// [Context menu]

TVxPopupMenu* TVxEdit::CreateContextMenu(TComponent* Owner) { return new TVxPopupMenu(Owner); }

TVxItem* TVxEdit::CreateMenuItem(TComponent* Owner) { return new TVxItem(Owner); }

void TVxEdit::UpdateContextMenu() {
  if (!FContextMenu) {
    FContextMenu = CreateContextMenu(this);
    struct TEntry {
      const wchar_t* Caption;
      void (TVxEdit::*Run)();
    };
    const TEntry Entries[] = {{L"Undo", nullptr},
                              {L"-", nullptr},
                              {L"Cut", &TVxEdit::CutToClipboard},
                              {L"Copy", &TVxEdit::CopyToClipboard},
                              {L"Paste", &TVxEdit::PasteFromClipboard},
                              {L"Delete", &TVxEdit::ClearSelection},
                              {L"-", nullptr},
                              {L"Select All", &TVxEdit::SelectAll}};
    for (size_t I = 0; I < std::size(Entries); ++I) {
      TVxItem* Item = CreateMenuItem(FContextMenu);
      Item->SetCaption(Entries[I].Caption);
      if (I == 0)
        Item->OnClick = [this](TObject*) { Undo(); };
      else if (Entries[I].Run)
        Item->OnClick = [this, Run = Entries[I].Run](TObject*) { (this->*Run)(); };
      FContextMenu->Items()->Add(Item);
    }
  }
  const bool Locked = EditingLocked();
  const bool Selected = SelLength() > 0;
  bool ClipboardText = false;
  {
    TClipboard Clip;
    ClipboardText = (Clip.HasFormat(cfUnicodeText) && !Clip.AsWideText().empty()) ||
                    (Clip.HasFormat(cfText) && !Clip.AsText().empty());
  }
  TVxItem* Items = FContextMenu->Items();
  Items->Items(0)->SetEnabled(!FUndoStack.Empty() && !Locked);
  Items->Items(2)->SetEnabled(Selected && !IsPassword() && !Locked);
  Items->Items(3)->SetEnabled(Selected && !IsPassword());
  Items->Items(4)->SetEnabled(ClipboardText && !Locked);
  Items->Items(5)->SetEnabled(Selected && !Locked);
  Items->Items(7)->SetEnabled(SelText() != FText);
  FContextMenu->SetPopupMenuOptions(FContextMenuOptions.get());
}

void TVxEdit::ShowContextMenu(Integer X, Integer Y) {
  UpdateContextMenu();
  if (TForm* Form = GetParentForm()) Form->Perform(CM_CANCELMODE, 0, 0);
  FContextMenu->SetPopupComponent(this);
  FContextMenu->Popup(X, Y);
}
