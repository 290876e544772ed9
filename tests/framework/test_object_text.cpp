// Binary and text forms of component streams, with bytes and text worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/object_text.h"
#include "stream_bytes.h"

namespace {

using TByteList = std::vector<uint8_t>;

// A stream that cannot tell its size, as a decompressing reader.
class TUnsizedStream : public TBufferStream {
 public:
  using TBufferStream::TBufferStream;
  bool CanSeek() const override { return false; }
};

std::string ToText(const TByteList& Binary) {
  TBufferStream In(Binary.data(), int64_t(Binary.size()));
  TMemoryStream Out;
  ObjectBinaryToText(In, Out);
  return std::string(Out.Data().begin(), Out.Data().end());
}

TByteList ToBinary(const std::string& Text) {
  TBufferStream In(Text.data(), int64_t(Text.size()));
  TMemoryStream Out;
  ObjectTextToBinary(In, Out);
  return Out.Data();
}

TBytes Bytes(std::initializer_list<uint8_t> List) {
  TBytes B;
  for (uint8_t V : List) B.Byte(V);
  return B;
}

// The stream of "object A: T" with the single property "P" holding Value.
TByteList OneProperty(const TBytes& Value) {
  return TBytes().Raw("TPF0").Short("T").Short("A").Short("P").Append(Value).Byte(0).Byte(0).Data;
}
std::string OnePropertyText(const std::string& Value) { return "object A: T\r\n  P = " + Value + "\r\nend\r\n"; }

struct TObjectCase {
  const char* Name;
  TByteList Binary;
  std::string Text;
};
void PrintTo(const TObjectCase& C, std::ostream* Os) { *Os << C.Name; }

// Whole objects: layout of object lines, property lines, children, prefixes. One property a line.
// clang-format off
std::vector<TObjectCase> ObjectCases() {
  const TBytes NoChildren = Bytes({10, 4, 0, 0, 0, 0x00, 0x00, 0x0F, 0x00});  // "Objects": the word $F0000
  return {
      {"TagFirst",
       TBytes()
           .Raw("TPF0")
           .Short("TDvSkinObject")
           .Short("Button1")
           .Short("Tag").Byte(2).Byte(5)
           .Short("Color").Byte(7).Short("clNone")
           .Short("Left").Byte(3).Byte(0x38).Byte(0xFF)
           .Short("Width").Byte(4).Byte(0xC0).Byte(0x63).Byte(0xFF).Byte(0xFF)
           .Short("Font.Charset").Byte(7).Short("DEFAULT_CHARSET")
           .Short("Font.Color").Byte(7).Short("clWindowText")
           .Short("Font.Height").Byte(2).Byte(0xF5)
           .Short("Font.Name").Byte(6).Short("Tahoma")
           .Short("Font.Style").Byte(11).Short("fsBold").Short("fsItalic").Byte(0)
           .Short("Borders").Byte(11).Byte(0)
           .Short("Visible").Byte(9)
           .Short("Objects").Append(NoChildren)
           .Byte(0)
           .Byte(0)
           .Data,
       "object Button1: TDvSkinObject\r\n"
       "  Tag = 5\r\n"
       "  Color = clNone\r\n"
       "  Left = -200\r\n"
       "  Width = -40000\r\n"
       "  Font.Charset = DEFAULT_CHARSET\r\n"
       "  Font.Color = clWindowText\r\n"
       "  Font.Height = -11\r\n"
       "  Font.Name = 'Tahoma'\r\n"
       "  Font.Style = [fsBold, fsItalic]\r\n"
       "  Borders = []\r\n"
       "  Visible = True\r\n"
       "  Objects = {00000F00}\r\n"
       "end\r\n"},
      {"NoTagWhenZero",
       TBytes()
           .Raw("TPF0")
           .Short("TDvSkinObject")
           .Short("Panel")
           .Short("Left").Byte(2).Byte(0)
           .Short("Objects").Append(NoChildren)
           .Byte(0)
           .Byte(0)
           .Data,
       "object Panel: TDvSkinObject\r\n  Left = 0\r\n  Objects = {00000F00}\r\nend\r\n"},
      {"NoNameNoProperties", TBytes().Raw("TPF0").Short("TX").Short("").Byte(0).Byte(0).Data,
       "object TX\r\nend\r\n"},
      {"Children",
       TBytes()
           .Raw("TPF0").Short("TOuter").Short("Outer").Short("Left").Byte(2).Byte(1).Byte(0)
           .Short("TInner").Short("Inner").Short("Top").Byte(2).Byte(2).Byte(0)
           .Short("TLeaf").Short("").Byte(0).Byte(0)  // the inner object's only child
           .Byte(0)                                   // end of the inner object's children
           .Short("TLeaf").Short("Last").Byte(0).Byte(0)
           .Byte(0)
           .Data,
       "object Outer: TOuter\r\n"
       "  Left = 1\r\n"
       "  object Inner: TInner\r\n"
       "    Top = 2\r\n"
       "    object TLeaf\r\n"
       "    end\r\n"
       "  end\r\n"
       "  object Last: TLeaf\r\n"
       "  end\r\n"
       "end\r\n"},
      {"Inherited", TBytes().Raw("TPF0").Byte(0xF1).Short("TForm").Short("Base").Byte(0).Byte(0).Data,
       "inherited Base: TForm\r\nend\r\n"},
      {"Inline", TBytes().Raw("TPF0").Byte(0xF4).Short("TFrame").Short("Frame1").Byte(0).Byte(0).Data,
       "inline Frame1: TFrame\r\nend\r\n"},
      {"ChildPosition", TBytes().Raw("TPF0").Byte(0xF2).Byte(2).Byte(3).Short("TX").Short("A").Byte(0).Byte(0).Data,
       "object A: TX [3]\r\nend\r\n"},
      {"InheritedChildPosition",
       TBytes().Raw("TPF0").Byte(0xF3).Byte(3).Int16(300).Short("TX").Short("A").Byte(0).Byte(0).Data,
       "inherited A: TX [300]\r\nend\r\n"},
      {"InlineChildPosition",
       TBytes()
           .Raw("TPF0").Short("TP").Short("P").Byte(0)
           .Byte(0xF6).Byte(2).Byte(0xFF).Short("TC").Short("").Byte(0).Byte(0)
           .Byte(0)
           .Data,
       "object P: TP\r\n  inline TC [-1]\r\n  end\r\nend\r\n"},
  };
}
// clang-format on

class ObjectVectors : public testing::TestWithParam<TObjectCase> {};

TEST_P(ObjectVectors, BinaryToTextAndBack) {
  const TObjectCase& C = GetParam();
  EXPECT_EQ(ToText(C.Binary), C.Text);
  EXPECT_EQ(ToBinary(C.Text), C.Binary);
}

INSTANTIATE_TEST_SUITE_P(Objects, ObjectVectors, testing::ValuesIn(ObjectCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct TValueCase {
  const char* Name;
  TBytes Binary;  // code and payload
  std::string Text;
};
void PrintTo(const TValueCase& C, std::ostream* Os) { *Os << C.Name; }

std::string Repeat(const std::string& S, int Times) {
  std::string R;
  while (Times-- > 0) R += S;
  return R;
}

std::vector<TValueCase> ValueCases() {
  const std::string Seventy = Repeat("ABCDEFGHIJ", 7);
  const std::string X64(64, 'x');
  TBytes Forty;
  for (int I = 0; I < 40; ++I) Forty.Byte(uint8_t(I));
  return {
      {"Zero", Bytes({2, 0}), "0"},
      {"Int8Max", Bytes({2, 0x7F}), "127"},
      {"Int8Min", Bytes({2, 0x80}), "-128"},
      {"Int16Above", Bytes({3, 0x80, 0x00}), "128"},
      {"Int16Below", Bytes({3, 0x7F, 0xFF}), "-129"},
      {"Int16Negative", Bytes({3, 0x38, 0xFF}), "-200"},
      {"Int16Max", Bytes({3, 0xFF, 0x7F}), "32767"},
      {"Int16Min", Bytes({3, 0x00, 0x80}), "-32768"},
      {"Int32Above", Bytes({4, 0x00, 0x80, 0x00, 0x00}), "32768"},
      {"Int32Negative", Bytes({4, 0xC0, 0x63, 0xFF, 0xFF}), "-40000"},
      {"Int32Max", Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}), "2147483647"},
      {"Int64Above", Bytes({19, 0x00, 0x00, 0x00, 0x80, 0, 0, 0, 0}), "2147483648"},
      {"Int64Below", Bytes({19, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}), "-2147483649"},
      {"Identifier", Bytes({7}).Short("clNone"), "clNone"},
      {"Charset", Bytes({7}).Short("DEFAULT_CHARSET"), "DEFAULT_CHARSET"},
      {"DottedIdentifier", Bytes({7}).Short("Form1.Button1"), "Form1.Button1"},
      {"False", Bytes({8}), "False"},
      {"True", Bytes({9}), "True"},
      {"Nil", Bytes({13}), "nil"},
      {"Null", Bytes({0}), "Null"},
      {"EmptySet", Bytes({11, 0}), "[]"},
      {"Set", Bytes({11}).Short("fsBold").Short("fsItalic").Short("fsUnderline").Byte(0),
       "[fsBold, fsItalic, fsUnderline]"},
      {"EmptyString", Bytes({6, 0}), "''"},
      {"ApostropheAndLineBreak", Bytes({6}).Short("Don't\r\nstop"), "'Don'#39't'#13#10'stop'"},
      {"OnlyCodes", Bytes({6}).Short("\t'"), "#9#39"},
      {"HighBytesAsTheyAre", Bytes({6}).Short("caf\xE9"), "'caf\xE9'"},
      {"SixtyFourCharactersOnTheLine", Bytes({6}).Short(X64), "'" + X64 + "'"},
      {"SeventyCharacters", Bytes({6}).Short(Seventy), "\r\n    '" + Seventy.substr(0, 64) + "' +\r\n    'EFGHIJ'"},
      {"CodesCountAsOneCharacter", Bytes({6}).Short(std::string(63, 'a') + "\r\n"),
       "\r\n    '" + std::string(63, 'a') + "'#13 +\r\n    #10"},
      {"LongString", Bytes({12}).Int32(300).Raw(Repeat(X64, 4) + std::string(44, 'y')),
       "\r\n    '" + X64 + "' +\r\n    '" + X64 + "' +\r\n    '" + X64 + "' +\r\n    '" + X64 + "' +\r\n    '" +
           std::string(44, 'y') + "'"},
      {"WideString", Bytes({18}).Int32(3).Int16(0x41).Int16(0xE9).Int16(0x42F), "'A'#233#1071"},
      {"EmptyBinary", Bytes({10, 0, 0, 0, 0}), "{}"},
      {"FourBytes", Bytes({10, 4, 0, 0, 0, 0x00, 0x00, 0x0F, 0x00}), "{00000F00}"},
      {"ThirtyOneBytes", Bytes({10}).Int32(31).Raw(std::string(31, '\xAB')), "{" + Repeat("AB", 31) + "}"},
      {"ThirtyTwoBytes", Bytes({10}).Int32(32).Raw(std::string(32, '\xAB')), "{\r\n    " + Repeat("AB", 32) + "}"},
      {"FortyBytes", Bytes({10}).Int32(40).Append(Forty),
       "{\r\n    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F\r\n    2021222324252627}"},
      // 1.5 = 1.1b * 2^0; 0.1 = 0xCCCCCCCCCCCCCCCD * 2^-67 rounded up; 1e20 = 0xAD78EBC5AC620000 * 2^3
      {"Extended", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}), "1.5"},
      {"ExtendedNegativeTenth", Bytes({5, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0xBF}), "-0.1"},
      {"ExtendedWithExponent", Bytes({5, 0x00, 0x00, 0x62, 0xAC, 0xC5, 0xEB, 0x78, 0xAD, 0x41, 0x40}), "1e+20"},
      {"ExtendedWhole", Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x40}), "4.0"},
      {"Single", Bytes({15, 0x00, 0x00, 0xC0, 0x3F}), "1.5s"},
      {"SingleTenth", Bytes({15, 0xCD, 0xCC, 0xCC, 0x3D}), "0.1s"},
      {"Currency", Bytes({16, 0x98, 0x3A, 0, 0, 0, 0, 0, 0}), "1.5c"},
      {"CurrencySmallNegative", Bytes({16, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), "-0.0005c"},
      {"Date", Bytes({17, 0, 0, 0, 0, 0, 0, 0x04, 0x40}), "2.5d"},
      {"EmptyList", Bytes({1, 0}), "()"},
      {"List", Bytes({1, 6}).Short("a").Byte(2).Byte(1).Byte(7).Short("b").Byte(0), "(\r\n    'a'\r\n    1\r\n    b)"},
      {"ListOfLongString", Bytes({1, 6}).Short(Seventy).Byte(0),
       "(\r\n    '" + Seventy.substr(0, 64) + "' +\r\n    'EFGHIJ')"},
      {"EmptyCollection", Bytes({14, 0}), "<>"},
      {"Collection",
       Bytes({14})
           .Append(Bytes({}).Short("Width").Byte(2).Byte(10).Byte(0))      // item
           .Append(Bytes({2, 3}).Short("Width").Byte(2).Byte(20).Byte(0))  // item [3]
           .Byte(0),
       "<\r\n    item\r\n      Width = 10\r\n    end\r\n    item [3]\r\n      Width = 20\r\n    end>"},
  };
}

class ValueVectors : public testing::TestWithParam<TValueCase> {};

TEST_P(ValueVectors, BinaryToTextAndBack) {
  const TValueCase& C = GetParam();
  EXPECT_EQ(ToText(OneProperty(C.Binary)), OnePropertyText(C.Text));
  EXPECT_EQ(ToBinary(OnePropertyText(C.Text)), OneProperty(C.Binary));
}

INSTANTIATE_TEST_SUITE_P(Values, ValueVectors, testing::ValuesIn(ValueCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// What the text reader accepts beyond what the writer writes.
struct TReaderCase {
  const char* Name;
  std::string Text;
  TByteList Binary;
};
void PrintTo(const TReaderCase& C, std::ostream* Os) { *Os << C.Name; }

std::vector<TReaderCase> ReaderCases() {
  return {
      {"KeywordsInAnyCase", "OBJECT A: T\r\n  P = 1\r\nEnd", OneProperty(Bytes({2, 1}))},
      {"LineFeedsTabsAndBlanksAroundDots", "object A: T\n\tFont . Color = clRed\nend\n",
       TBytes().Raw("TPF0").Short("T").Short("A").Short("Font.Color").Byte(7).Short("clRed").Byte(0).Byte(0).Data},
      {"JoinedAcrossLines", OnePropertyText("'ab' +\r\n    'c''d' + #65#$42"),
       OneProperty(Bytes({6}).Short("abc'dAB"))},
      {"HexInteger", OnePropertyText("$FF"), OneProperty(Bytes({3, 0xFF, 0x00}))},
      {"NegativeHexInteger", OnePropertyText("-$10"), OneProperty(Bytes({2, 0xF0}))},
      {"HexBeyond32Bits", OnePropertyText("$FFFFFFFF"), OneProperty(Bytes({19, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}))},
      {"BinaryOverLines", OnePropertyText("{00 01\r\n  02\r\n03}"), OneProperty(Bytes({10, 4, 0, 0, 0, 0, 1, 2, 3}))},
      {"LowerCaseHex", OnePropertyText("{ab}"), OneProperty(Bytes({10, 1, 0, 0, 0, 0xAB}))},
      {"FalseAnyCase", OnePropertyText("fAlSe"), OneProperty(Bytes({8}))},
      {"TrueAnyCase", OnePropertyText("TRUE"), OneProperty(Bytes({9}))},
      {"NilAnyCase", OnePropertyText("NIL"), OneProperty(Bytes({13}))},
      {"NullAnyCase", OnePropertyText("null"), OneProperty(Bytes({0}))},
      {"ExponentWithoutPoint", OnePropertyText("15e-1"),
       OneProperty(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}))},
      {"UpperCaseSuffix", OnePropertyText("1.5S"), OneProperty(Bytes({15, 0x00, 0x00, 0xC0, 0x3F}))},
      {"SuffixAfterDigits", OnePropertyText("3c"), OneProperty(Bytes({16, 0x30, 0x75, 0, 0, 0, 0, 0, 0}))},
      // Ties go to the even neighbour: 2^24 + 1 and 2^24 + 3 lie halfway between singles 2 apart,
      // 2^64 + 1 and 2^64 + 3 halfway between extendeds 2 apart.
      {"SingleTieDown", OnePropertyText("16777217.0s"), OneProperty(Bytes({15, 0x00, 0x00, 0x80, 0x4B}))},
      {"SingleTieUp", OnePropertyText("16777219.0s"), OneProperty(Bytes({15, 0x02, 0x00, 0x80, 0x4B}))},
      {"ExtendedTieDown", OnePropertyText("18446744073709551617.0"),
       OneProperty(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F, 0x40}))},
      {"ExtendedTieUp", OnePropertyText("18446744073709551619.0"),
       OneProperty(Bytes({5, 2, 0, 0, 0, 0, 0, 0, 0x80, 0x3F, 0x40}))},
      // The smallest single is 2^-149 = 1.4013e-45: 0.4995 of it rounds to 0, 0.5067 of it to 1.
      {"SingleBelowHalfTheSmallest", OnePropertyText("7e-46s"), OneProperty(Bytes({15, 0, 0, 0, 0}))},
      {"SingleAboveHalfTheSmallest", OnePropertyText("7.1e-46s"), OneProperty(Bytes({15, 1, 0, 0, 0}))},
      {"WideCode", OnePropertyText("#300"), OneProperty(Bytes({18}).Int32(1).Int16(300))},
      {"WideByJoin", OnePropertyText("'a' + #300"), OneProperty(Bytes({18}).Int32(2).Int16('a').Int16(300))},
      {"ListOnOneLine", OnePropertyText("(a 'b')"), OneProperty(Bytes({1, 7}).Short("a").Byte(6).Short("b").Byte(0))},
      {"CollectionItemKeywordCase", OnePropertyText("<ITEM Width = 1 END>"),
       OneProperty(Bytes({14}).Short("Width").Byte(2).Byte(1).Byte(0).Byte(0))},
  };
}

class ReaderAcceptance : public testing::TestWithParam<TReaderCase> {};

TEST_P(ReaderAcceptance, TextToBinary) {
  const TReaderCase& C = GetParam();
  EXPECT_EQ(ToBinary(C.Text), C.Binary);
}

INSTANTIATE_TEST_SUITE_P(Reader, ReaderAcceptance, testing::ValuesIn(ReaderCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// [SECTION] Refusals

std::string Nested(int Depth) {
  std::string Text;
  for (int I = 0; I < Depth; ++I) Text += "object T\r\n";
  for (int I = 0; I < Depth; ++I) Text += "end\r\n";
  return Text;
}

struct TTextErrorCase {
  const char* Name;
  std::string Text;
  std::string Message;
};
void PrintTo(const TTextErrorCase& C, std::ostream* Os) { *Os << C.Name; }

std::vector<TTextErrorCase> TextErrorCases() {
  return {
      {"UnclosedString", "object A: T\r\n  P = 'abc\r\nend\r\n", "Invalid string constant on line 2"},
      {"CodeBeyondSixteenBits", OnePropertyText("#70000"), "Invalid string constant on line 2"},
      {"HashWithoutCode", OnePropertyText("#x"), "Invalid string constant on line 2"},
      {"BadHexDigit", OnePropertyText("{0G}"), "Invalid binary value on line 2"},
      {"OddHexDigits", "object A: T\r\n  P = {\r\n    012}\r\nend\r\n", "Invalid binary value on line 3"},
      {"BinaryNotClosed", "object A: T\r\n  P = {00\r\n", "Invalid binary value on line 3"},
      {"NumberAsName", "object 5: T\r\nend\r\n", "Identifier expected on line 1"},
      {"JoinWithoutString", OnePropertyText("'a' + 5"), "String expected on line 2"},
      {"PositionNotNumber", "object A: T [x]\r\nend\r\n", "Number expected on line 1"},
      {"Empty", "", "'object' expected on line 1"},
      {"NoEquals", "object A: T\r\n  P 5\r\nend\r\n", "'=' expected on line 2"},
      {"NoValue", OnePropertyText(")"), "Invalid property value on line 2"},
      {"EndMissing", "object A: T\r\n  P = 1\r\n", "Identifier expected on line 3"},
      {"PropertyAfterChild", "object A: T\r\n  object B: T\r\n  end\r\n  P = 1\r\nend\r\n", "'end' expected on line 4"},
      {"TextAfterEnd", "object A: T\r\nend\r\nx\r\n", "Data after the end of the object on line 3"},
      {"IntegerBeyond64Bits", OnePropertyText("9223372036854775808"), "Number out of range on line 2"},
      {"HexBeyond64Bits", OnePropertyText("$10000000000000000"), "Number out of range on line 2"},
      {"FloatTooLarge", OnePropertyText("1e5000"), "Number out of range on line 2"},
      {"SingleTooLarge", OnePropertyText("1e39s"), "Number out of range on line 2"},
      {"CurrencyTooLarge", OnePropertyText("922337203685477.5808c"), "Number out of range on line 2"},
      {"PositionBeyond32Bits", "object A: T [2147483648]\r\nend\r\n", "Number out of range on line 1"},
      {"NullInList", OnePropertyText("(1 Null)"), "Invalid property value on line 2"},
      {"ListNotClosed", "object A: T\r\n  P = (1\r\n", "')' expected on line 3"},
      {"SetWithoutComma", OnePropertyText("[a b]"), "',' expected on line 2"},
      // Items that the binary form could not tell apart from the collection's end or an index.
      {"EmptyItem", OnePropertyText("<item end>"), "Invalid property value on line 2"},
      {"ItemStartingWithShortPath", OnePropertyText("<item Id = 1 end>"), "Invalid property value on line 2"},
      {"NotAnItem", OnePropertyText("<thing end>"), "'item' expected on line 2"},
      {"NameTooLong", "object A: T\r\n  P = " + std::string(256, 'a') + "\r\nend\r\n", "Identifier too long on line 2"},
      {"ClassNameReadAsPrefix", "object A: " + std::string(240, 'T') + "\r\nend\r\n", "Identifier too long on line 1"},
      {"TooDeep", Nested(65), "Nesting too deep on line 65"},
  };
}

class TextErrors : public testing::TestWithParam<TTextErrorCase> {};

TEST_P(TextErrors, Refused) {
  const TTextErrorCase& C = GetParam();
  TBufferStream In(C.Text.data(), int64_t(C.Text.size()));
  TMemoryStream Out;
  try {
    ObjectTextToBinary(In, Out);
    ADD_FAILURE() << "no error";
  } catch (const EParserError& E) {
    EXPECT_EQ(E.Message(), C.Message);
  }
  EXPECT_EQ(Out.Size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Text, TextErrors, testing::ValuesIn(TextErrorCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

struct TBinaryErrorCase {
  const char* Name;
  TByteList Binary;
  std::string Message;
};
void PrintTo(const TBinaryErrorCase& C, std::ostream* Os) { *Os << C.Name; }

TByteList NestedLists(int Depth) {
  TBytes Value;
  for (int I = 0; I < Depth; ++I) Value.Byte(1);
  for (int I = 0; I < Depth; ++I) Value.Byte(0);
  return OneProperty(Value);
}

std::vector<TBinaryErrorCase> BinaryErrorCases() {
  const auto Header = [] { return TBytes().Raw("TPF0").Short("T").Short("A"); };
  return {
      {"WrongSignature", TBytes().Raw("TPF1").Short("T").Short("A").Byte(0).Byte(0).Data, "Invalid stream format"},
      {"ShorterThanSignature", TBytes().Raw("TP").Data, "Invalid stream format"},
      {"NameMissing", TBytes().Raw("TPF0").Short("T").Data, "Stream read error"},
      {"EndMissing", Header().Short("P").Byte(2).Byte(1).Data, "Stream read error"},
      {"BinaryLongerThanData", OneProperty(Bytes({10, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3})), "Stream read error"},
      {"LongStringLongerThanData", OneProperty(Bytes({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'})), "Stream read error"},
      {"WideStringLongerThanData", OneProperty(Bytes({18, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0})), "Stream read error"},
      {"NegativeLength", OneProperty(Bytes({10, 0xFF, 0xFF, 0xFF, 0xFF})), "Invalid stream format"},
      {"UnknownPrefixFlags", TBytes().Raw("TPF0").Byte(0xF8).Short("T").Short("A").Byte(0).Byte(0).Data,
       "Invalid stream format"},
      {"EmptyPrefix", TBytes().Raw("TPF0").Byte(0xF0).Short("T").Short("A").Byte(0).Byte(0).Data,
       "Invalid stream format"},
      {"InheritedAndInline", TBytes().Raw("TPF0").Byte(0xF5).Short("T").Short("A").Byte(0).Byte(0).Data,
       "Invalid stream format"},
      {"ClassNameNotIdentifier", TBytes().Raw("TPF0").Short("9T").Short("A").Byte(0).Byte(0).Data,
       "Invalid stream format"},
      {"PathNotIdentifier", Header().Short("a b").Byte(2).Byte(1).Byte(0).Byte(0).Data, "Invalid property path"},
      {"PathIsKeyword", Header().Short("End").Byte(2).Byte(1).Byte(0).Byte(0).Data, "Invalid property path"},
      {"UnknownCode", OneProperty(Bytes({20})), "Invalid property value"},
      // Forms the text cannot give back, so the bytes would not survive a round trip.
      {"WiderIntegerThanNeeded", OneProperty(Bytes({3, 5, 0})), "Invalid property value"},
      {"Int64InInt32Range", OneProperty(Bytes({19, 5, 0, 0, 0, 0, 0, 0, 0})), "Invalid property value"},
      {"ShortLongString", OneProperty(Bytes({12, 1, 0, 0, 0, 'a'})), "Invalid property value"},
      {"WideStringOfBytes", OneProperty(Bytes({18, 1, 0, 0, 0, 'a', 0})), "Invalid property value"},
      {"IdentifierTrue", OneProperty(Bytes({7}).Short("True")), "Invalid property value"},
      {"IdentifierWithBlank", OneProperty(Bytes({7}).Short("a b")), "Invalid property value"},
      {"SetMemberNotIdentifier", OneProperty(Bytes({11}).Short("1").Byte(0)), "Invalid property value"},
      {"ExtendedNaN", OneProperty(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F})), "Invalid property value"},
      {"ExtendedUnnormal", OneProperty(Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F})), "Invalid property value"},
      {"SingleInfinity", OneProperty(Bytes({15, 0, 0, 0x80, 0x7F})), "Invalid property value"},
      {"TooDeep", NestedLists(64), "Nesting too deep"},
  };
}

class BinaryErrors : public testing::TestWithParam<TBinaryErrorCase> {};

TEST_P(BinaryErrors, Refused) {
  const TBinaryErrorCase& C = GetParam();
  for (bool Sized : {true, false}) {
    TBufferStream SizedIn(C.Binary.data(), int64_t(C.Binary.size()));
    TUnsizedStream UnsizedIn(C.Binary.data(), int64_t(C.Binary.size()));
    TMemoryStream Out;
    try {
      ObjectBinaryToText(Sized ? static_cast<TStream&>(SizedIn) : UnsizedIn, Out);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& E) {
      EXPECT_EQ(E.Message(), C.Message) << (Sized ? "sized" : "unsized");
    }
    EXPECT_EQ(Out.Size(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Binary, BinaryErrors, testing::ValuesIn(BinaryErrorCases()),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(ObjectText, DepthLimitAllowsSixtyFourLevels) {
  const TByteList Deepest = ToBinary(Nested(64));
  EXPECT_EQ(ToBinary(ToText(Deepest)), Deepest);
  // The object holds the outermost list: 63 lists make 64 levels.
  EXPECT_NO_THROW(ToText(NestedLists(63)));
}

// A binary stream inside a larger one: conversion stops right after the object.
TEST(ObjectText, BinaryConversionLeavesTheRestOfTheStream) {
  TByteList Data = TBytes().Raw("TPF0").Short("T").Short("A").Byte(0).Byte(0).Raw("rest").Data;
  TBufferStream In(Data.data(), int64_t(Data.size()));
  TMemoryStream Out;
  ObjectBinaryToText(In, Out);
  EXPECT_EQ(In.Position(), int64_t(Data.size()) - 4);
}

// Streams of unknown size are read in bounded pieces; large values still arrive whole.
TEST(ObjectText, LargeBinaryFromStreamOfUnknownSize) {
  std::string Payload(100000, '\0');
  for (size_t I = 0; I < Payload.size(); ++I) Payload[I] = char(I * 7);
  const TByteList Binary = OneProperty(Bytes({10}).Int32(int32_t(Payload.size())).Raw(Payload));
  TUnsizedStream In(Binary.data(), int64_t(Binary.size()));
  TMemoryStream Text;
  ObjectBinaryToText(In, Text);
  const std::string T(Text.Data().begin(), Text.Data().end());
  // 100000 bytes: 3125 lines of 32 bytes.
  EXPECT_NE(T.find("  P = {\r\n    00070E151C232A31"), std::string::npos);
  EXPECT_EQ(ToBinary(T), Binary);
}

}  // namespace
