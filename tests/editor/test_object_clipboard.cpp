#include <gtest/gtest.h>

#include <cstring>

#include "editor/core/object_clipboard.h"
#include "editor_test_support.h"
#include "vexel/graphics/vx_utils.h"

namespace {

int32_t Int32At(const std::string& S, size_t At) {
  uint8_t B[4];
  std::memcpy(B, S.data() + At, 4);
  return int32_t(uint32_t(B[0]) | uint32_t(B[1]) << 8 | uint32_t(B[2]) << 16 | uint32_t(B[3]) << 24);
}

// An object record as the payload carries it, from any class name and text.
std::string Record(const std::string& ClassName, const std::string& Text) {
  TMemoryStream S;
  WriteStreamString(S, ClassName);
  WriteStreamString(S, Text);
  return std::string(S.Data().begin(), S.Data().end());
}

std::string Wrapped(const std::string& Body) { return std::to_string(Body.size()) + "@" + Body; }

class ObjectClipboard : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = AddTopLevel(Source, "Form", TDvKind::skForm, Rect(0, 0, 100, 80));
    Caption = AddChild<TDvBitmapObject>(Form, "Caption", Rect(0, 0, 100, 20));
    Caption->SetColor(0x00123456);
    AddChild(Caption, "Title", Rect(4, 2, 60, 18))->SetKind(TDvKind::skTitle);
  }
  TDvSkinSource Source;
  TDvSkinObject* Form = nullptr;
  TDvBitmapObject* Caption = nullptr;
};

TEST_F(ObjectClipboard, PayloadIsLengthAtAndATextFormObjectRecord) {
  const std::string Text = EncodeClipboardObject(*Caption);
  const size_t At = Text.find('@');
  ASSERT_NE(At, std::string::npos);
  const std::string Body = Text.substr(At + 1);
  EXPECT_EQ(Text.substr(0, At), std::to_string(Body.size()));
  // 32-bit LE length and class name, 32-bit LE length and the object's text.
  ASSERT_EQ(Int32At(Body, 0), 15);
  EXPECT_EQ(Body.substr(4, 15), "TDvBitmapObject");
  const int32_t TextLength = Int32At(Body, 19);
  ASSERT_EQ(size_t(TextLength), Body.size() - 23);
  const std::string ObjectText = Body.substr(23);
  EXPECT_EQ(ObjectText.rfind("object CopyOfCaption: TDvBitmapObject\r\n", 0), 0u) << ObjectText;
  // The original keeps its name; copying does not touch the skin.
  EXPECT_EQ(Caption->Name(), "Caption");
  EXPECT_EQ(Form->ChildCount(), 1);
}

TEST_F(ObjectClipboard, ReadsBackUnderAnOwnerWithChildren) {
  // The block as the clipboard holds it: the terminating zero, and a little more that a
  // clipboard allocation may round up to.
  std::string Block = EncodeClipboardObject(*Caption);
  Block += std::string("\0\0\0", 3);
  TDvSkinObject* Pasted = ReadClipboardObject(Block, Form);
  ASSERT_NE(Pasted, nullptr);
  EXPECT_EQ(Pasted->Parent(), Form);
  EXPECT_EQ(Pasted->Name(), "CopyOfCaption");
  EXPECT_STREQ(Pasted->ClassName(), "TDvBitmapObject");
  EXPECT_EQ(Pasted->Color(), 0x00123456);
  EXPECT_EQ(Pasted->BoundsRect(), Rect(0, 0, 100, 20));
  ASSERT_EQ(Pasted->ChildCount(), 1);
  EXPECT_EQ(Pasted->Child(0)->Name(), "Title");
  EXPECT_EQ(Pasted->Child(0)->Kind(), TDvKind::skTitle);
}

TEST_F(ObjectClipboard, UnownedReadLeavesTheObjectToTheCaller) {
  std::unique_ptr<TDvSkinObject> Pasted(ReadClipboardObject(EncodeClipboardObject(*Caption), nullptr));
  ASSERT_TRUE(Pasted);
  EXPECT_EQ(Pasted->Owner(), nullptr);
  EXPECT_EQ(Pasted->ChildCount(), 1);
}

TEST_F(ObjectClipboard, EveryMalformedBlockIsAnInvalidFormatAndChangesNothing) {
  const std::string Good = EncodeClipboardObject(*Caption);
  const std::string Body = Good.substr(Good.find('@') + 1);
  const std::string GoodText = Body.substr(23);
  struct Case {
    const char* What;
    std::string Block;
  };
  const Case Cases[] = {
      {"empty", ""},
      {"no at sign", "12345"},
      {"length 0", "0@" + Body},
      {"negative length", "-5@" + Body},
      {"no length", "@" + Body},
      {"length not a number", "1x@" + Body},
      {"blank in the length", " " + std::to_string(Body.size()) + "@" + Body},
      {"length larger than the block", std::to_string(Body.size() + 1) + "@" + Body},
      {"length far beyond any size", "99999999999999999999999999@" + Body},
      {"record cut short", std::to_string(Body.size() - 1) + "@" + Body},
      {"unknown class", Wrapped(Record("TNoSuchObject", GoodText))},
      {"class from another registry", Wrapped(Record("TComponent", GoodText))},
      {"broken text", Wrapped(Record("TDvBitmapObject", "object X: TDvBitmapObject\r\n  Left = \r\n"))},
      {"text of nothing", Wrapped(Record("TDvBitmapObject", ""))},
      {"text length beyond the record", Wrapped(Body.substr(0, 19) + std::string("\xff\xff\xff\x7f", 4))},
  };
  for (const Case& C : Cases) {
    try {
      std::unique_ptr<TDvSkinObject> Stray(ReadClipboardObject(C.Block, Form));
      ADD_FAILURE() << C.What << ": read an object";
      Stray.release();  // owned by Form
    } catch (const EInvalidClipboardFormat& E) {
      EXPECT_EQ(E.Message(), "Invalid clipboard format") << C.What;
    }
    EXPECT_EQ(Form->ChildCount(), 1) << C.What;
  }
}

TEST_F(ObjectClipboard, ASecondPasteUnderTheSameOwnerTakesTheNextFreeName) {
  const std::string Block = EncodeClipboardObject(*Caption);
  EXPECT_EQ(ReadClipboardObject(Block, Form)->Name(), "CopyOfCaption");
  EXPECT_EQ(ReadClipboardObject(Block, Form)->Name(), "CopyOfCaption2");
  // A number a user gave a sibling by hand is skipped.
  AddChild(Form, "CopyOfCaption3", Rect(0, 0, 1, 1));
  EXPECT_EQ(ReadClipboardObject(Block, Form)->Name(), "CopyOfCaption4");
  EXPECT_EQ(Form->ChildCount(), 5);
}

TEST_F(ObjectClipboard, RecordInsideTheBlockIsExactlyNBytes) {
  const std::string Block = "3@abcdef";
  EXPECT_EQ(ClipboardRecord(Block), "abc");
  EXPECT_EQ(ClipboardRecord(std::string("4@a\0c\0", 6)), std::string("a\0c\0", 4));
}

}  // namespace
