#include <gtest/gtest.h>

#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/graphics/font.h"
#include "stream_bytes.h"

namespace {

enum class TWidgetAlign { waNone, waLeft, waClient };
enum class TWidgetOption { woA, woB, woC };
using TWidgetOptions = TSet<TWidgetOption>;

const TEnumInfo& AlignNames() {
  static constexpr const char* Names[] = {"waNone", "waLeft", "waClient"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

const TEnumInfo& OptionNames() {
  static constexpr const char* Names[] = {"woA", "woB", "woC"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

// A persistent held by a property: its values are written as "Inner.Left" and "Inner.Right".
class TInner : public TPersistent {
 public:
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {
        IntegerProperty<&TInner::Left, &TInner::SetLeft>("Left"),
        IntegerProperty<&TInner::Right, &TInner::SetRight>("Right"),
    };
    static const TClassInfo Info{"TInner", &TPersistent::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  Integer Left() const { return FLeft; }
  void SetLeft(Integer V) { FLeft = V; }
  Integer Right() const { return FRight; }
  void SetRight(Integer V) { FRight = V; }

 private:
  Integer FLeft = 0, FRight = 0;
};

// Every kind of stored property, and a defined binary property written last.
class TWidget : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {
        EnumProperty<&TWidget::Align, &TWidget::SetAlign>("Align", AlignNames()),
        ColorProperty<&TWidget::Color, &TWidget::SetColor>("Color"),
        BooleanProperty<&TWidget::Visible, &TWidget::SetVisible>("Visible"),
        StringProperty<&TWidget::Caption, &TWidget::SetCaption>("Caption"),
        ClassProperty<&TWidget::Font>("Font"),
        ClassProperty<&TWidget::Inner>("Inner"),
        SetProperty<&TWidget::Options, &TWidget::SetOptions>("Options", OptionNames()),
        IntegerProperty<&TWidget::Count, &TWidget::SetCount>("Count", 7),
    };
    static const TDefinedProperty Defined[] = {
        DefinedBinaryProperty<&TWidget::ReadObjects, &TWidget::WriteObjects>("Objects"),
    };
    static const TClassInfo Info{"TWidget", &TComponent::StaticClassInfo(), Properties, Defined,
                                 &CreateComponent<TWidget>};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TWidgetAlign Align() const { return FAlign; }
  void SetAlign(TWidgetAlign V) { FAlign = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool V) { FVisible = V; }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V) { FCaption = V; }
  TFont* Font() const { return &FFont; }
  TInner* Inner() const { return &FInner; }
  TWidgetOptions Options() const { return FOptions; }
  void SetOptions(TWidgetOptions V) { FOptions = V; }
  Integer Count() const { return FCount; }
  void SetCount(Integer V) { FCount = V; }
  std::string ObjectsBytes = std::string("\x00\x00\x0F\x00", 4);
  int LoadedCalls = 0;

  void Loaded() override {
    TComponent::Loaded();
    ++LoadedCalls;
  }

 private:
  void ReadObjects(TStream& Data) {
    ObjectsBytes.assign(size_t(Data.Size()), '\0');
    Data.ReadBuffer(ObjectsBytes.data(), Data.Size());
  }
  void WriteObjects(TStream& Data) const { Data.WriteBuffer(ObjectsBytes.data(), int64_t(ObjectsBytes.size())); }

  TWidgetAlign FAlign = TWidgetAlign::waNone;
  TColor FColor = clWhite;
  bool FVisible = false;
  std::string FCaption;
  mutable TFont FFont;
  mutable TInner FInner;
  TWidgetOptions FOptions;
  Integer FCount = 7;
};

TWidget& Configured(TWidget& W) {
  W.SetName("W1");
  W.SetTag(5);
  W.SetAlign(TWidgetAlign::waLeft);
  W.SetColor(clNone);
  W.SetVisible(true);
  W.Inner()->SetLeft(300);
  W.Inner()->SetRight(-40000);
  W.SetOptions({TWidgetOption::woA, TWidgetOption::woC});
  return W;
}

// The stream of Configured(), field by field: Tag first, the empty Caption, the default Count and
// the default Pitch left out, Objects last.
TBytes ConfiguredBytes() {
  TBytes B;
  B.Raw("TPF0").Short("TWidget").Short("W1");
  B.Short("Tag").Byte(2).Byte(5);
  B.Short("Align").Byte(7).Short("waLeft");
  B.Short("Color").Byte(7).Short("clNone");
  B.Short("Visible").Byte(9);
  B.Short("Font.Charset").Byte(7).Short("DEFAULT_CHARSET");
  B.Short("Font.Color").Byte(7).Short("clWindowText");
  B.Short("Font.Height").Byte(2).Byte(0xF5);
  B.Short("Font.Name").Byte(6).Short("MS Sans Serif");
  B.Short("Font.Style").Byte(11).Byte(0);
  B.Short("Inner.Left").Byte(3).Int16(300);
  B.Short("Inner.Right").Byte(4).Int32(-40000);
  B.Short("Options").Byte(11).Short("woA").Short("woC").Byte(0);
  B.Short("Objects").Byte(10).Int32(4).Int32(0x000F0000);
  return B.Byte(0).Byte(0);
}

std::vector<uint8_t> Written(const TComponent& C) {
  TMemoryStream S;
  WriteComponent(S, C);
  return S.Data();
}

std::string ReadError(const TBytes& Bytes, TComponent& Into) {
  TMemoryStream S(Bytes.Data);
  try {
    ReadComponent(S, Into);
  } catch (const Exception& E) {
    return E.Message();
  }
  return "no error";
}

}  // namespace

TEST(ComponentWriter, WritesEveryKindInTableOrderWithTheSmallestCodes) {
  TWidget W;
  EXPECT_EQ(Written(Configured(W)), ConfiguredBytes().Data);
}

TEST(ComponentWriter, ValuesChooseTheirCodes) {
  TWidget W;
  W.SetColor(0x123456);        // no name: an integer, code 4
  W.SetCaption(std::string(256, 'x'));  // 256 bytes: a long string
  W.SetCount(-129);            // not the default; code 3
  W.Font()->SetPitch(TFontPitch::fpFixed);
  W.Font()->SetStyle({TFontStyle::fsUnderline, TFontStyle::fsBold});
  TBytes B;
  B.Raw("TPF0").Short("TWidget").Short("");
  B.Short("Align").Byte(7).Short("waNone");
  B.Short("Color").Byte(4).Int32(0x123456);
  B.Short("Visible").Byte(8);
  B.Short("Caption").Byte(12).Int32(256).Raw(std::string(256, 'x'));
  B.Short("Font.Charset").Byte(7).Short("DEFAULT_CHARSET");
  B.Short("Font.Color").Byte(7).Short("clWindowText");
  B.Short("Font.Height").Byte(2).Byte(0xF5);
  B.Short("Font.Name").Byte(6).Short("MS Sans Serif");
  B.Short("Font.Pitch").Byte(7).Short("fpFixed");
  B.Short("Font.Style").Byte(11).Short("fsBold").Short("fsUnderline").Byte(0);
  B.Short("Inner.Left").Byte(2).Byte(0);
  B.Short("Inner.Right").Byte(2).Byte(0);
  B.Short("Options").Byte(11).Byte(0);
  B.Short("Count").Byte(3).Int16(-129);
  B.Short("Objects").Byte(10).Int32(4).Int32(0x000F0000);
  B.Byte(0).Byte(0);
  EXPECT_EQ(Written(W), B.Data);
}

TEST(ComponentReader, ReadsBackWhatWasWrittenAndTellsLoadedOnce) {
  TWidget Source;
  Configured(Source).SetCaption("Hello");
  Source.ObjectsBytes = std::string(40, '\x7F');
  const std::vector<uint8_t> Bytes = Written(Source);
  TWidget Copy;
  TMemoryStream S(Bytes);
  ReadComponent(S, Copy);
  EXPECT_EQ(Copy.Name(), "W1");
  EXPECT_EQ(Copy.Tag(), 5);
  EXPECT_EQ(Copy.Align(), TWidgetAlign::waLeft);
  EXPECT_EQ(Copy.Color(), clNone);
  EXPECT_TRUE(Copy.Visible());
  EXPECT_EQ(Copy.Caption(), "Hello");
  EXPECT_EQ(Copy.Inner()->Right(), -40000);
  EXPECT_EQ(Copy.Options(), (TWidgetOptions{TWidgetOption::woA, TWidgetOption::woC}));
  EXPECT_EQ(Copy.ObjectsBytes, std::string(40, '\x7F'));
  EXPECT_EQ(Copy.LoadedCalls, 1);
  EXPECT_FALSE(Copy.ComponentState().Contains(TComponentStateFlag::csLoading));
  EXPECT_EQ(Written(Copy), Bytes);
}

// Streams other programs wrote (found by fuzzing): whatever they leave in an object must write
// out and read back to the same bytes.
TEST(ComponentReader, WhatAForeignStreamLeftWritesAndReadsBackUnchanged) {
  const auto Header = [] { return TBytes().Raw("TPF0").Short("TWidget").Short("W1"); };
  const struct {
    const char* What;
    TBytes Bytes;
  } Cases[] = {
      // Empty names are not written, so an empty face would come back as the one the font had.
      {"empty font name", Header().Short("Font.Name").Byte(6).Short("").Byte(0).Byte(0)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    TWidget W;
    ASSERT_EQ(ReadError(C.Bytes, W), "no error");
    const std::vector<uint8_t> Bytes = Written(W);
    TWidget Again;
    TMemoryStream S(Bytes);
    ReadComponent(S, Again);
    EXPECT_EQ(Written(Again), Bytes);
  }
}

TEST(ComponentReader, AcceptsPrefixesAnyCaseAndTheWiderValueForms) {
  TBytes B;
  B.Raw("TPF0").Byte(0xF2).Byte(2).Byte(3).Short("TAnything").Short("X");  // prefix with a child position
  B.Short("align").Byte(7).Short("WACLIENT");
  B.Short("Color").Byte(7).Short("CLBTNFACE");
  B.Short("Visible").Byte(7).Short("true");
  B.Short("Font.Charset").Byte(2).Byte(204);
  B.Short("Caption").Byte(12).Int32(2).Raw("ok");
  B.Short("Count").Byte(4).Int32(1);
  B.Byte(0).Byte(0);
  TWidget W;
  ASSERT_EQ(ReadError(B, W), "no error");
  EXPECT_EQ(W.Align(), TWidgetAlign::waClient);
  EXPECT_EQ(W.Color(), clBtnFace);
  EXPECT_TRUE(W.Visible());
  EXPECT_EQ(W.Font()->Charset(), 204);
  EXPECT_EQ(W.Caption(), "ok");
  EXPECT_EQ(W.Count(), 1);
}

TEST(ComponentReader, ReportsBadStreamsWithTheirMessages) {
  const auto Header = [] { return TBytes().Raw("TPF0").Short("TWidget").Short("W1"); };
  const struct {
    const char* What;
    TBytes Bytes;
    std::string Message;
  } Cases[] = {
      {"signature", TBytes().Raw("TPF1").Short("TWidget").Short(""), "Invalid stream format"},
      {"unknown property", Header().Short("Bogus").Byte(2).Byte(1), "Error reading W1.Bogus: Property does not exist"},
      {"path through a value", Header().Short("Color.Red").Byte(2).Byte(1),
       "Error reading W1.Color.Red: Invalid property path"},
      {"unknown path head", Header().Short("Nope.Left").Byte(2).Byte(1),
       "Error reading W1.Nope.Left: Property does not exist"},
      {"enum name", Header().Short("Align").Byte(7).Short("waTop"), "Error reading W1.Align: Invalid property value"},
      {"colour name", Header().Short("Color").Byte(7).Short("clPink"), "Error reading W1.Color: Invalid property value"},
      {"string as integer", Header().Short("Count").Byte(6).Short("7"), "Error reading W1.Count: Invalid property value"},
      {"set member", Header().Short("Options").Byte(11).Short("woZ").Byte(0),
       "Error reading W1.Options: Invalid property value"},
      {"binary for a defined property", Header().Short("Objects").Byte(6).Short("x"),
       "Error reading W1.Objects: Invalid property value"},
      {"float code", Header().Short("Count").Byte(5).Raw(std::string(10, '\0')),
       "Error reading W1.Count: Invalid property value"},
      {"truncated value", Header().Short("Inner.Right").Byte(4).Byte(1), "Stream read error"},
      {"truncated name", Header().Byte(40).Raw("Col"), "Stream read error"},
      {"no end", Header().Short("Count").Byte(2).Byte(1), "Stream read error"},
      {"binary of 2 GB", Header().Short("Objects").Byte(10).Int32(0x7FFFFFFF).Raw("abc"), "Stream read error"},
      {"invalid name", TBytes().Raw("TPF0").Short("TWidget").Short("9lives"),
       "''9lives'' is not a valid component name"},
  };
  for (const auto& C : Cases) {
    TWidget W;
    EXPECT_EQ(ReadError(C.Bytes, W), C.Message) << C.What;
  }
}

TEST(ComponentReader, KeepsWhatWasReadBeforeAnError) {
  TWidget W;
  ReadError(TBytes().Raw("TPF0").Short("TWidget").Short("A").Short("Count").Byte(2).Byte(3).Short("Bogus").Byte(2).Byte(1),
            W);
  EXPECT_EQ(W.Name(), "A");
  EXPECT_EQ(W.Count(), 3);
}

TEST(ComponentReader, ChildObjectsAreBuiltByClassNameAndNestingIsBounded) {
  RegisterClass(TWidget::StaticClassInfo());
  const auto Child = [](const std::string& Name, const TBytes& Inside) {
    return TBytes().Short("TWidget").Short(Name).Short("Count").Byte(2).Byte(9).Byte(0).Append(Inside).Byte(0);
  };
  TBytes Nested = TBytes().Raw("TPF0").Short("TWidget").Short("Root").Byte(0);
  Nested.Append(Child("A", Child("A1", {}))).Append(Child("B", {})).Byte(0);
  TWidget Root;
  ASSERT_EQ(ReadError(Nested, Root), "no error");
  ASSERT_EQ(Root.ComponentCount(), 2);
  auto* A = static_cast<TWidget*>(Root.Components(0));
  EXPECT_EQ(A->Name(), "A");
  EXPECT_EQ(A->Count(), 9);
  ASSERT_EQ(A->ComponentCount(), 1);
  EXPECT_EQ(static_cast<TWidget*>(A->Components(0))->LoadedCalls, 1);

  TBytes Deep = TBytes().Raw("TPF0").Short("TWidget").Short("").Byte(0);
  for (int I = 0; I < MaxComponentNesting + 1; ++I) Deep.Short("TWidget").Short("").Byte(0);
  TWidget Bottomless;
  EXPECT_EQ(ReadError(Deep, Bottomless), "Invalid stream format: objects nested too deeply");

  TWidget Twins;
  EXPECT_EQ(ReadError(TBytes().Raw("TPF0").Short("TWidget").Short("").Byte(0).Append(Child("A", {})).Append(Child("a", {})).Byte(0), Twins),
            "A component named a already exists");
  UnregisterClass(TWidget::StaticClassInfo());
  TWidget Unknown;
  EXPECT_EQ(ReadError(Nested, Unknown), "Class TWidget not found");
}

TEST(ComponentReader, ANameTakenElsewhereGetsANumberedSuffix) {
  SetGlobalNameCheck([](const std::string& Name) { return Name == "Main" || Name == "Main_1"; });
  TWidget W;
  EXPECT_EQ(ReadError(TBytes().Raw("TPF0").Short("TWidget").Short("Main").Byte(0).Byte(0), W), "no error");
  EXPECT_EQ(W.Name(), "Main_2");
  SetGlobalNameCheck(nullptr);
}
