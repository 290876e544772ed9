// The skinned edit on real windows: typing, caret and selection keys, the mouse, undo with its
// merge rules, the clipboard, limits, passwords, surrogate pairs, scrolling and painting.
#include <windows.h>
// After windows.h, which it needs.
#include <imm.h>

#include <string>
#include <vector>

#include "../menus/menu_probe.h"
#include "controls_fixture.h"
#include "framework/ui/clipboard.h"
#include "vexel/controls/vx_edit.h"
#include "vexel/controls/vx_edit_buttons.h"
#include "vexel/forms/vx_message.h"
#include "vexel/graphics/vx_effect.h"
#include "vexel/graphics/vx_utils_win32.h"
#include "vexel/menus/vx_menubar.h"
#include "vexel/theme/vx_engine.h"

namespace {

// Holds modifier keys down in the thread's keyboard state for a scope.
class THeldKeys {
 public:
  THeldKeys(bool Ctrl, bool Shift) {
    GetKeyboardState(FSaved);
    BYTE State[256];
    GetKeyboardState(State);
    State[VK_CONTROL] = Ctrl ? 0x80 : 0;
    State[VK_SHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(State);
  }
  ~THeldKeys() { SetKeyboardState(FSaved); }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE FSaved[256];
};

class EditTest : public ShownFormTest {
 public:
  void SetUp() override {
    ShownFormTest::SetUp();
    E = Add<TVxEdit>(Shown, Bounds(10, 10, 150, 21));
    E->SetFocus();
    Settle();
  }
  void Key(WPARAM K, bool Ctrl = false, bool Shift = false) {
    THeldKeys Held(Ctrl, Shift);
    SendMessageA(E->Handle(), WM_KEYDOWN, K, 0);
    SendMessageA(E->Handle(), WM_KEYUP, K, 0);
  }
  void Type(const std::string& S) {
    for (char C : S) SendMessageA(E->Handle(), WM_CHAR, WPARAM(uint8_t(C)), 0);
  }
  // Text, caret at the end, nothing selected.
  void Start(const std::wstring& S) {
    E->SetWideText(S);
    E->SetSelLength(0);
    E->SetCaret(Integer(S.size()));
  }
  static void PutOnClipboard(const std::wstring& S) {
    TClipboard Clip;
    Clip.SetAsWideText(S);
  }
  static std::wstring ClipboardText() {
    TClipboard Clip;
    return Clip.HasFormat(cfUnicodeText) ? Clip.AsWideText() : std::wstring();
  }
  TVxEdit* E = nullptr;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndReplacesTheSelection) {
  Type("hello");
  EXPECT_EQ(E->WideText(), L"hello");
  EXPECT_EQ(E->Text(), "hello");
  EXPECT_EQ(E->Caret(), 5);
  Key(VK_HOME);
  Type("> ");
  EXPECT_EQ(E->WideText(), L"> hello");
  E->SelectAll();
  Type("x");
  EXPECT_EQ(E->WideText(), L"x");
  E->SetReadOnly(true);
  Type("y");
  Key(VK_BACK);
  EXPECT_EQ(E->WideText(), L"x") << "read-only";
}

// Start "ab  cd efg", caret at Caret; after the key: caret, SelStart, SelLength.
TEST_F(EditTest, CaretKeysMoveAndExtendTheSelection) {
  struct TCase {
    const char* Name;
    Integer Caret;
    WPARAM Key;
    bool Ctrl, Shift;
    Integer NewCaret, SelStart, SelLength;
  };
  const TCase Cases[] = {
      {"Home", 5, VK_HOME, false, false, 0, 0, 0},
      {"End", 2, VK_END, false, false, 10, 10, 0},
      {"Left", 5, VK_LEFT, false, false, 4, 4, 0},
      {"Right", 5, VK_RIGHT, false, false, 6, 6, 0},
      {"Shift+Left", 5, VK_LEFT, false, true, 4, 4, 1},
      {"Shift+Right", 5, VK_RIGHT, false, true, 6, 5, 1},
      {"Shift+Home", 5, VK_HOME, false, true, 0, 0, 5},
      {"Shift+End", 5, VK_END, false, true, 10, 5, 5},
      {"Ctrl+Right from 0", 0, VK_RIGHT, true, false, 4, 4, 0},
      {"Ctrl+Right from 4", 4, VK_RIGHT, true, false, 7, 7, 0},
      {"Ctrl+Right from 7", 7, VK_RIGHT, true, false, 10, 10, 0},
      {"Ctrl+Left from 10", 10, VK_LEFT, true, false, 7, 7, 0},
      {"Ctrl+Left from 4", 4, VK_LEFT, true, false, 0, 0, 0},
      {"Ctrl+Shift+Right", 0, VK_RIGHT, true, true, 4, 0, 4},
  };
  for (const TCase& C : Cases) {
    Start(L"ab  cd efg");
    E->SetCaret(C.Caret);
    Key(C.Key, C.Ctrl, C.Shift);
    EXPECT_EQ(E->Caret(), C.NewCaret) << C.Name;
    EXPECT_EQ(E->SelStart(), C.SelStart) << C.Name;
    EXPECT_EQ(E->SelLength(), C.SelLength) << C.Name;
  }
  // "ab  cd": two letters, two spaces, two letters.
  Start(L"ab  cd");
  E->SetCaret(0);
  Key(VK_RIGHT, true);
  EXPECT_EQ(E->Caret(), 4);
  Key(VK_RIGHT, true);
  EXPECT_EQ(E->Caret(), 6);
  // A plain move drops the selection.
  Key(VK_LEFT, false, true);
  Key(VK_LEFT);
  EXPECT_EQ(E->SelLength(), 0);
}

TEST_F(EditTest, DoubleClickSelectsTheWordAndDragSelects) {
  Start(L"one two three");
  const Integer X = E->CaretToX(5);  // inside "two"
  SendMessageA(E->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(X, 8));
  SendMessageA(E->Handle(), WM_LBUTTONUP, 0, Point(X, 8));
  EXPECT_EQ(E->Caret(), 5);
  SendMessageA(E->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(X, 8));
  SendMessageA(E->Handle(), WM_LBUTTONUP, 0, Point(X, 8));
  EXPECT_EQ(E->SelText(), L"two ");
  // A drag from the start of "one" to the end of "two".
  SendMessageA(E->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(E->CaretToX(0), 8));
  SendMessageA(E->Handle(), WM_MOUSEMOVE, MK_LBUTTON, Point(E->CaretToX(7), 8));
  SendMessageA(E->Handle(), WM_LBUTTONUP, 0, Point(E->CaretToX(7), 8));
  EXPECT_EQ(E->SelText(), L"one two");
}

TEST_F(EditTest, UndoFollowsTheMergeRules) {
  struct TCase {
    const char* Name;
    std::wstring Text;
    std::function<void(EditTest&)> Act;
    std::wstring After, Undone, SelectedAfterUndo;
  };
  const TCase Cases[] = {
      {"three typed characters undo at once", L"", [](EditTest& T) { T.Type("abc"); }, L"abc", L"", L""},
      {"three backspaces come back as one selected block", L"abcdef",
       [](EditTest& T) {
         for (int I = 0; I < 3; ++I) T.Key(VK_BACK);
       },
       L"abc", L"abcdef", L"def"},
      {"three deletes forward come back as one block", L"abcdef",
       [](EditTest& T) {
         T.E->SetCaret(1);
         for (int I = 0; I < 3; ++I) T.Key(VK_DELETE);
       },
       L"aef", L"abcdef", L"bcd"},
      {"replacing a selection undoes in one step", L"abcd",
       [](EditTest& T) {
         T.E->SetCaret(1);
         T.Key(VK_RIGHT, false, true);
         T.Key(VK_RIGHT, false, true);
         T.Type("x");
       },
       L"axd", L"abcd", L"bc"},
  };
  for (const TCase& C : Cases) {
    Start(C.Text);
    while (const_cast<TEditActionStack&>(E->UndoStack()).Pop()) {
    }
    C.Act(*this);
    EXPECT_EQ(E->WideText(), C.After) << C.Name;
    Key('Z', true);
    EXPECT_EQ(E->WideText(), C.Undone) << C.Name;
    EXPECT_EQ(E->SelText(), C.SelectedAfterUndo) << C.Name;
    EXPECT_TRUE(E->UndoStack().Empty()) << C.Name;
  }
}

TEST_F(EditTest, MaxLengthDropsTypedAndPastedTextWhole) {
  E->SetMaxLength(3);
  Start(L"abc");
  while (const_cast<TEditActionStack&>(E->UndoStack()).Pop()) {
  }
  Type("d");
  EXPECT_EQ(E->WideText(), L"abc");
  EXPECT_TRUE(E->UndoStack().Empty()) << "nothing recorded";
  Start(L"a");
  PutOnClipboard(L"xyz");
  Key('V', true);
  EXPECT_EQ(E->WideText(), L"a") << "pasted text over the limit is dropped whole";
  PutOnClipboard(L"xy");
  Key('V', true);
  EXPECT_EQ(E->WideText(), L"axy");
}

TEST_F(EditTest, ClipboardCarriesUnicodeText) {
  Start(L"h\u00e9llo \u4e16\u754c");
  E->SetCaret(6);
  Key(VK_END, false, true);
  Key('C', true);
  EXPECT_EQ(ClipboardText(), L"\u4e16\u754c");
  Key('X', true);
  EXPECT_EQ(E->WideText(), L"h\u00e9llo ");
  Key(VK_HOME);
  Key('V', true);
  EXPECT_EQ(E->WideText(), L"\u4e16\u754ch\u00e9llo ");
  // Ctrl with Shift is not Ctrl+C.
  PutOnClipboard(L"kept");
  E->SelectAll();
  Key('C', true, true);
  EXPECT_EQ(ClipboardText(), L"kept");
  // The platform's clipboard messages.
  SendMessageA(E->Handle(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), E->WideText());
}

// The platform's context-menu message opens the skinned menu: Undo, -, Cut, Copy, Paste, Delete,
// -, Select All, each enabled by the edit's state; its items act on the edit.
TEST_F(EditTest, ContextMenuFollowsTheEditsStateAndActsOnIt) {
  TProbe Probe;
  const auto Open = [&](std::function<void()> InsideTheLoop) {
    // Keys posted while the menu plays its show animation would not reach the menu's loop.
    Probe.Wait([] { return Innermost() != nullptr && !AnyAnimating(); });
    Probe.Post(std::move(InsideTheLoop));
    POINT At{20, 20};
    ClientToScreen(E->Handle(), &At);
    SendMessageA(E->Handle(), WM_CONTEXTMENU, WPARAM(E->Handle()), MAKELPARAM(At.x, At.y));
    Application->ProcessMessages();
    EXPECT_TRUE(Probe.Empty());
  };
  const auto Key = [](WPARAM K) { PostMessageA(Shown->Handle(), WM_KEYDOWN, K, 0); };
  struct TCase {
    const char* Name;
    bool Typed, ReadOnly, Password, WholeText;
    const wchar_t* Clipboard;
    bool Undo, Cut, Copy, Paste, Delete, SelectAll;
  } Cases[] = {
      {"typed, part selected", true, false, false, false, L"clip", true, true, true, true, true, true},
      {"read-only", true, true, false, false, L"clip", false, false, true, false, false, true},
      {"password", false, false, true, false, L"clip", false, false, false, true, true, true},
      {"all selected, clipboard empty", false, false, false, true, L"", false, true, true, false, true, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    E->SetReadOnly(false);
    E->SetPasswordKind(C.Password ? TPasswordKind::pkCircle : TPasswordKind::pkNone);
    Start(L"Hello");
    if (C.Typed) Type("!");
    if (C.WholeText) {
      E->SelectAll();
    } else {
      E->SetSelStart(1);
      E->SetSelLength(3);
    }
    E->SetReadOnly(C.ReadOnly);
    PutOnClipboard(C.Clipboard);
    Open([&] {
      ASSERT_NE(E->ContextMenu(), nullptr);
      TVxItem* Items = E->ContextMenu()->Items();
      ASSERT_EQ(Items->Count(), 8);
      EXPECT_EQ(Items->Items(0)->Enabled(), C.Undo);
      EXPECT_EQ(Items->Items(2)->Enabled(), C.Cut);
      EXPECT_EQ(Items->Items(3)->Enabled(), C.Copy);
      EXPECT_EQ(Items->Items(4)->Enabled(), C.Paste);
      EXPECT_EQ(Items->Items(5)->Enabled(), C.Delete);
      EXPECT_EQ(Items->Items(7)->Enabled(), C.SelectAll);
      Key(VK_ESCAPE);
    });
  }
  E->SetReadOnly(false);
  E->SetPasswordKind(TPasswordKind::pkNone);
  Start(L"Hello");
  Open([&] {
    Key(VK_UP);  // from the bottom: Select All
    Key(VK_RETURN);
  });
  EXPECT_EQ(E->SelText(), L"Hello");
}

TEST_F(EditTest, PasswordEditNeverRevealsItsText) {
  E->SetPasswordKind(TPasswordKind::pkCircle);
  Start(L"secret");
  PutOnClipboard(L"before");
  E->SelectAll();
  Key('C', true);
  Key(VK_INSERT, true);
  Key('X', true);
  EXPECT_EQ(ClipboardText(), L"before");
  EXPECT_EQ(E->WideText(), L"") << "cut still deletes";
  Start(L"secret");
  E->SelectAll();
  Key(VK_DELETE, false, true);
  EXPECT_EQ(E->WideText(), L"");
  EXPECT_EQ(ClipboardText(), L"before");
}

// The glyphs of the characters are never drawn: a password edit of "WWWW" paints the same as
// one of "iiii" of the same length.
TEST_F(EditTest, PasswordGlyphsHideTheCharacters) {
  auto* Other = Add<TVxEdit>(Shown, Bounds(10, 40, 150, 21));
  for (TPasswordKind Kind : {TPasswordKind::pkRect, TPasswordKind::pkCircle, TPasswordKind::pkTriangle}) {
    E->SetPasswordKind(Kind);
    Other->SetPasswordKind(Kind);
    Start(L"WWWW");
    Other->SetWideText(L"iiii");
    Shown->SetFocus();
    Settle();
    Capture A(150, 21), B(150, 21);
    PrintClient(E, A);
    PrintClient(Other, B);
    int Differences = 0, Ink = 0;
    for (Integer Y = 0; Y < 21; ++Y)
      for (Integer X = 0; X < 150; ++X) {
        Differences += A.At(X, Y) != B.At(X, Y);
        Ink += A.At(X, Y) == PixelOf(clWindowText);
      }
    EXPECT_EQ(Differences, 0) << int(Kind);
    EXPECT_GT(Ink, 4 * 4) << "four glyphs drawn";
  }
}

TEST_F(EditTest, CharCaseAppliesAtOnceAndToLaterTyping) {
  Start(L"Mixed");
  E->SetCharCase(TEditCharCase::ecUpperCase);
  EXPECT_EQ(E->WideText(), L"MIXED");
  Type("ab");
  EXPECT_EQ(E->WideText(), L"MIXEDAB");
  E->SetCharCase(TEditCharCase::ecLowerCase);
  EXPECT_EQ(E->WideText(), L"mixedab");
}

TEST_F(EditTest, SurrogatePairIsOneCharacter) {
  const std::wstring Pair = L"\U0001F600";  // two UTF-16 units
  Start(L"a" + Pair + L"b");
  E->SetCaret(1);
  Key(VK_RIGHT);
  EXPECT_EQ(E->Caret(), 3);
  Key(VK_LEFT);
  EXPECT_EQ(E->Caret(), 1);
  Key(VK_RIGHT, false, true);
  EXPECT_EQ(E->SelText(), Pair);
  E->SetSelLength(0);
  E->SetCaret(2);
  EXPECT_NE(E->Caret(), 2) << "never between the halves";
  E->SetCaret(3);
  Key(VK_BACK);
  EXPECT_EQ(E->WideText(), L"ab");
  Start(L"a" + Pair + L"b");
  E->SetCaret(1);
  Key(VK_DELETE);
  EXPECT_EQ(E->WideText(), L"ab");
  Key('Z', true);
  EXPECT_EQ(E->WideText(), L"a" + Pair + L"b");
  // A selection set from code does not end inside the pair.
  E->SetSelStart(0);
  E->SetSelLength(2);
  EXPECT_EQ(E->SelText(), L"a" + Pair);
}

TEST_F(EditTest, NulsAndLoneSurrogatesAreHarmless) {
  const std::wstring Odd(L"a\0b\xD800" L"c\xDC00", 6);
  E->SetWideText(Odd);
  EXPECT_EQ(E->WideText(), Odd);
  E->SetCaret(100);
  EXPECT_EQ(E->Caret(), 6);
  for (int I = 0; I < 7; ++I) Key(VK_LEFT);
  EXPECT_EQ(E->Caret(), 0);
  Key(VK_END, false, true);
  Settle();
  Start(L"x");
  PutOnClipboard(std::wstring(L"p\xD800q", 3));
  Key('V', true);
  EXPECT_EQ(E->WideText(), std::wstring(L"xp\xD800q", 4));
  // A pasted text ends at its first line break: the edit holds one line.
  PutOnClipboard(L"one\r\ntwo");
  Start(L"");
  Key('V', true);
  EXPECT_EQ(E->WideText(), L"one");
  Settle();
}

TEST_F(EditTest, LongTextScrollsToTheCaret) {
  Start(std::wstring(300, L'm'));
  Settle();
  TRect R;
  E->GetTextRect(R);
  EXPECT_GT(E->FirstVisible(), 1);
  const Integer X = E->CaretToX(E->Caret());
  EXPECT_GE(X, R.Left);
  EXPECT_LE(X, R.Right);
  POINT P;
  ASSERT_TRUE(GetCaretPos(&P));
  EXPECT_EQ(P.x, X);
  EXPECT_EQ(P.y, R.Top);
  Key(VK_HOME);
  EXPECT_EQ(E->FirstVisible(), 1);
  EXPECT_EQ(E->CaretToX(0), R.Left);
  ASSERT_TRUE(GetCaretPos(&P));
  EXPECT_EQ(P.x, R.Left);
}

// The selection fills from the x of its start to the x of its end, measured on the text.
TEST_F(EditTest, SelectionIsDrawnWhereTheTextMeasures) {
  Start(L"abcdefgh");
  E->SetCaret(2);
  Key(VK_RIGHT, false, true);
  Key(VK_RIGHT, false, true);
  Settle();
  TRect S;
  E->GetSelectionRect(S);
  HDC DC = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, E->Font()->Handle());
  SIZE Two{}, Four{};
  GetTextExtentPoint32W(DC, L"ab", 2, &Two);
  GetTextExtentPoint32W(DC, L"abcd", 4, &Four);
  SelectObject(DC, Old);
  DeleteDC(DC);
  TRect R;
  E->GetTextRect(R);
  EXPECT_EQ(S.Left, R.Left + Two.cx);
  EXPECT_EQ(S.Right, R.Left + Four.cx);
  Capture Shot(150, 21);
  PrintClient(E, Shot);
  int Highlight = 0;
  for (Integer X = S.Left; X < S.Right; ++X) Highlight += Shot.At(X, S.Top) == PixelOf(clHighlight);
  EXPECT_GT(Highlight, 0);
  EXPECT_NE(Shot.At(S.Left - 1, S.Top), PixelOf(clHighlight));
  EXPECT_NE(Shot.At(S.Right, S.Top), PixelOf(clHighlight));
}

TEST_F(EditTest, ThroughTheSkinTheFrameIsTheThemesEdit) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  TvxTheme* Theme = CurrentTheme();
  ASSERT_NE(Theme, nullptr);
  ASSERT_TRUE(Theme->IsEditDefined(0, "default"));
  Start(L"");
  Shown->SetFocus();
  Settle();
  Capture Shot(150, 21), Reference(150, 21);
  PrintClient(E, Shot);
  FillRectColor(Reference.DC(), Rect(0, 0, 150, E->Height()), Shown->Color());
  TCanvas Canvas(Reference.DC());
  TvxStateInfo Info;
  Info.Rect = Rect(0, 0, 150, E->Height());
  Info.State = 0;
  Theme->DrawEdit(0, Canvas, "default", Info);
  int Differences = 0;
  for (Integer Y = 0; Y < E->Height(); ++Y)
    for (Integer X = 0; X < 150; ++X) {
      Differences += Shot.At(X, Y) != Reference.At(X, Y);
    }
  EXPECT_EQ(Differences, 0);
}

// A skin that styles edits lends them its font for the edit's state while it is current; taking
// the skin away gives the edit its own font back.
TEST_F(EditTest, TheSkinsFontIsBorrowedWhileTheSkinIsCurrent) {
  E->Font()->SetName("Courier New");
  E->Font()->SetHeight(-19);
  const Integer OwnHeight = E->Height();
  {
    TVxVexel Engine;
    Engine.SetThemeFile(SampleSkin);
    TvxTheme* Theme = CurrentTheme();
    ASSERT_NE(Theme, nullptr);
    ASSERT_TRUE(Theme->IsEditDefined(0, "default"));
    TFont Expected;
    Theme->GetFont(Expected, 30, "default");  // the focused edit's font
    EXPECT_EQ(E->Font()->Name(), Expected.Name());
    EXPECT_EQ(E->Font()->Height(), Expected.Height());
    EXPECT_EQ(E->Font()->Color(), Expected.Color());
    EXPECT_LT(E->Height(), OwnHeight) << "auto size follows the smaller font";
  }
  RemoveCurrentTheme();
  EXPECT_EQ(E->Font()->Name(), "Courier New");
  EXPECT_EQ(E->Font()->Height(), -19);
  EXPECT_EQ(E->Height(), OwnHeight);
}

// An input method's result string arrives whole, characters outside the code page included.
TEST_F(EditTest, AnInputMethodsResultIsInserted) {
  Start(L"ab");
  E->SetCaret(1);
  HIMC Context = ImmGetContext(E->Handle());
  ASSERT_NE(Context, nullptr);
  std::wstring Composed = L"\u65e5\u672c";
  ImmSetCompositionStringW(Context, SCS_SETSTR, Composed.data(), DWORD(Composed.size() * sizeof(wchar_t)), nullptr, 0);
  ImmNotifyIME(Context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  ImmReleaseContext(E->Handle(), Context);
  Settle();
  EXPECT_EQ(E->WideText(), L"a\u65e5\u672cb");
}

// Typed characters come from the queue in UTF-16: one the code page cannot carry is inserted
// whole, a surrogate pair as one character, half a pair not at all; the rest still pass KeyPress.
TEST_F(EditTest, TypedCharactersOutsideTheCodePageArriveWhole) {
  Start(L"");
  std::string Pressed;
  E->OnKeyPress = [&](TObject*, char& K) { Pressed += K; };
  const auto Post = [](TWinControl* To, std::initializer_list<wchar_t> Chars) {
    for (wchar_t C : Chars) PostMessageW(To->Handle(), WM_CHAR, C, 0);
    Application->ProcessMessages();
  };
  Post(E, {L'a', L'\u00e9', L'\u65e5', 0xD83D, 0xDE00, 0xDE00, 0xD83D, L'b'});
  EXPECT_EQ(E->WideText(), L"a\u00e9\u65e5\U0001F600b");
  EXPECT_EQ(Pressed.front(), 'a');
  EXPECT_EQ(Pressed.back(), 'b');
  E->SetReadOnly(true);
  Post(E, {L'\u65e5'});
  EXPECT_EQ(E->WideText(), L"a\u00e9\u65e5\U0001F600b") << "read-only";
  auto* Spin = Add<TVxSpinEdit>(Shown, Bounds(10, 40, 120, 21));
  Spin->SetFocus();
  Post(Spin, {L'\u0663', L'7'});  // an Arabic-Indic three is no digit of the spin edit's
  EXPECT_EQ(Spin->Text(), "7") << "the whole text was selected on entry";
}

// Message boxes ask their settings for an edit: with the edits linked, a skinned one.
TEST_F(EditTest, MessageBoxesGetTheSkinnedEdit) {
  TVxMessage Settings;
  TComponent Box;
  EXPECT_NE(dynamic_cast<TVxEdit*>(Settings.CreateEdit(&Box)), nullptr);
  EXPECT_EQ(Box.ComponentCount(), 1);
}

TEST_F(EditTest, FormFileRoundTrip) {
  E->SetMaxLength(12);
  E->SetPasswordKind(TPasswordKind::pkTriangle);
  E->SetCharCase(TEditCharCase::ecUpperCase);
  E->SetReadOnly(true);
  E->SetText("KEEP");
  RoundTrip<TVxEdit>(*E, {"MaxLength = 12", "PasswordKind = pkTriangle", "CharCase = ecUpperCase", "ReadOnly = True"},
                     [](TVxEdit& Read) {
                       EXPECT_EQ(Read.MaxLength(), 12);
                       EXPECT_EQ(Read.PasswordKind(), TPasswordKind::pkTriangle);
                       EXPECT_EQ(Read.CharCase(), TEditCharCase::ecUpperCase);
                       EXPECT_TRUE(Read.ReadOnly());
                       EXPECT_EQ(Read.WideText(), L"KEEP");
                     });
}

}  // namespace

namespace {

// Under the skin's font the glyphs stand where they measure: a selected word between spaces has
// no ink of its neighbours at either edge of the selection.
TEST_F(EditTest, ThroughTheSkinTheSelectionMeetsTheGlyphs) {
  TVxVexel Engine;
  Engine.SetThemeFile(SampleSkin);
  ASSERT_NE(CurrentTheme(), nullptr);
  Start(L"Skinned edit hello world");
  E->SetSelStart(8);
  E->SetSelLength(4);
  Settle();
  TRect S;
  E->GetSelectionRect(S);
  ASSERT_GT(S.Width(), 8);
  Capture Shot(150, 21);
  PrintClient(E, Shot);
  auto Dark = [&](Integer X) {
    int N = 0;
    for (Integer Y = S.Top; Y < S.Bottom; ++Y) {
      const uint32_t P = Shot.At(X, Y);
      N += ((P >> 16 & 0xFF) + (P >> 8 & 0xFF) + (P & 0xFF)) < 3 * 100;
    }
    return N;
  };
  for (Integer X : {S.Left - 2, S.Left - 1, S.Right, S.Right + 1}) EXPECT_EQ(Dark(X), 0) << "column " << X;
  int Inside = 0;
  for (Integer X = S.Left; X < S.Right; ++X) Inside += Dark(X);
  EXPECT_EQ(Inside, 0) << "the selected word is drawn once, in the selection font";
}

}  // namespace
