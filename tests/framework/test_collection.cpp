#include <gtest/gtest.h>

#include "framework/core/class_registry.h"
#include "framework/core/collection.h"
#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "stream_bytes.h"

namespace {

class TNote : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {
        StringProperty<&TNote::Caption, &TNote::SetCaption>("Caption"),
        IntegerProperty<&TNote::Tag, &TNote::SetTag>("Tag", 0),
    };
    static const TClassInfo Info{"TNote", &TCollectionItem::StaticClassInfo(), Properties};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  void Assign(const TPersistent* Source) override {
    if (auto* Other = dynamic_cast<const TNote*>(Source)) {
      FCaption = Other->FCaption;
      FTag = Other->FTag;
      return;
    }
    TCollectionItem::Assign(Source);
  }
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& V) {
    FCaption = V;
    Changed();
  }
  Integer Tag() const { return FTag; }
  void SetTag(Integer V) { FTag = V; }

 private:
  std::string FCaption;
  Integer FTag = 0;
};

class TNotes : public TCollection {
 public:
  explicit TNotes(TPersistent* Owner) : TCollection(Owner, &CreateCollectionItem<TNote>) {}
  TNote* Note(Integer I) const { return static_cast<TNote*>(Items(I)); }
  std::vector<TCollectionItem*> Updates;
  void Update(TCollectionItem* Item) override { Updates.push_back(Item); }
};

// Holds notes and a reference to another component of the same form.
class TBoard : public TComponent {
 public:
  explicit TBoard(TComponent* Owner) : TComponent(Owner), FNotes(this) {}
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {
        ClassProperty<&TBoard::Notes>("Notes"),
        ComponentProperty<&TBoard::Partner, &TBoard::SetPartner>("Partner"),
    };
    static const TClassInfo Info{"TBoard", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TBoard>};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TNotes* Notes() const { return &FNotes; }
  TBoard* Partner() const { return FPartner; }
  void SetPartner(TBoard* V) { FPartner = V; }
  void Loaded() override {
    TComponent::Loaded();
    PartnerWhenLoaded = FPartner;
  }
  TBoard* PartnerWhenLoaded = nullptr;

 private:
  mutable TNotes FNotes;
  TBoard* FPartner = nullptr;
};

// Writes the components it owns as its child objects, as a form does.
class TSheet : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo Info{"TSheet",
                                 &TComponent::StaticClassInfo(),
                                 {},
                                 {},
                                 &CreateComponent<TSheet>,
                                 [](const TComponent& C, const TComponent&, std::vector<TComponent*>& Children) {
                                   Children = C.ComponentList();
                                 }};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

struct TRegistered {
  TRegistered() { RegisterClass(TBoard::StaticClassInfo()); }
  ~TRegistered() { UnregisterClass(TBoard::StaticClassInfo()); }
};

std::vector<uint8_t> Written(const TComponent& C) {
  TMemoryStream S;
  WriteComponent(S, C);
  return S.Data();
}

}  // namespace

TEST(Collection, AddDeleteIndexAndOneUpdatePerBracket) {
  TNotes Notes(nullptr);
  Notes.Add();
  Notes.Add();
  EXPECT_EQ(Notes.Updates.size(), 2u);
  EXPECT_EQ(Notes.Note(1)->Index(), 1);
  EXPECT_EQ(Notes.Items(2), nullptr);
  EXPECT_EQ(Notes.Items(-1), nullptr);
  Notes.Updates.clear();
  Notes.Note(1)->SetCaption("x");
  ASSERT_EQ(Notes.Updates.size(), 1u);
  EXPECT_EQ(Notes.Updates[0], Notes.Items(1));
  Notes.Updates.clear();
  Notes.BeginUpdate();
  Notes.Add();
  Notes.Delete(0);
  Notes.Note(0)->SetCaption("y");
  EXPECT_TRUE(Notes.Updates.empty());
  Notes.EndUpdate();
  EXPECT_EQ(Notes.Updates, std::vector<TCollectionItem*>{nullptr});
  EXPECT_EQ(Notes.Count(), 2);
  EXPECT_EQ(Notes.Note(0)->Caption(), "y");
  Notes.Delete(5);  // outside: nothing
  EXPECT_EQ(Notes.Count(), 2);
}

TEST(Collection, MoveReordersAndClampsTheTarget) {
  TNotes Notes(nullptr);
  for (const char* C : {"a", "b", "c", "d"}) {
    Notes.Add();
    Notes.Note(Notes.Count() - 1)->SetCaption(C);
  }
  const auto Order = [&] {
    std::string R;
    for (Integer I = 0; I < Notes.Count(); ++I) R += Notes.Note(I)->Caption();
    return R;
  };
  Notes.Updates.clear();
  Notes.Move(0, 2);
  EXPECT_EQ(Order(), "bcad");
  EXPECT_EQ(Notes.Updates, std::vector<TCollectionItem*>{nullptr});
  Notes.Move(3, 0);
  EXPECT_EQ(Order(), "dbca");
  Notes.Move(1, 99);
  EXPECT_EQ(Order(), "dcab");
  Notes.Updates.clear();
  Notes.Move(-1, 0);
  Notes.Move(4, 0);
  Notes.Move(2, 2);
  EXPECT_EQ(Order(), "dcab");
  EXPECT_TRUE(Notes.Updates.empty()) << "nothing moved, nothing reported";
}

TEST(Collection, AssignCopiesItemsThroughTheirAssign) {
  TNotes A(nullptr), B(nullptr);
  A.Add();
  A.Note(0)->SetCaption("one");
  A.Note(0)->SetTag(4);
  B.Add();
  B.Add();
  B.Assign(&A);
  ASSERT_EQ(B.Count(), 1);
  EXPECT_EQ(B.Note(0)->Caption(), "one");
  EXPECT_EQ(B.Note(0)->Tag(), 4);
}

// Items carry no index unless their first byte could pass for one (a path of 2 to 4
// characters) or for the end of the collection (an item with nothing stored).
TEST(ComponentStream, CollectionItemsAreWrittenAsPropertyLists) {
  TBoard Board(nullptr);
  Board.Notes()->Add();
  Board.Notes()->Note(0)->SetCaption("hi");
  Board.Notes()->Add();
  Board.Notes()->Note(1)->SetTag(7);
  Board.Notes()->Add();
  TBytes B;
  B.Raw("TPF0").Short("TBoard").Short("");
  B.Short("Notes").Byte(14);
  B.Short("Caption").Byte(6).Short("hi").Byte(0);
  B.Byte(2).Byte(1).Short("Tag").Byte(2).Byte(7).Byte(0);
  B.Byte(2).Byte(2).Byte(0);
  B.Byte(0);
  B.Byte(0).Byte(0);
  EXPECT_EQ(Written(Board), B.Data);

  TBoard Copy(nullptr);
  Copy.Notes()->Add();
  TMemoryStream S(B.Data);
  ReadComponent(S, Copy);
  ASSERT_EQ(Copy.Notes()->Count(), 3);
  EXPECT_EQ(Copy.Notes()->Note(0)->Caption(), "hi");
  EXPECT_EQ(Copy.Notes()->Note(1)->Tag(), 7);
  EXPECT_EQ(Copy.Notes()->Note(2)->Caption(), "");
  EXPECT_EQ(Written(Copy), B.Data);
}

TEST(ComponentStream, FormChildrenAndForwardReferencesRoundTrip) {
  TRegistered Registered;
  TSheet Sheet(nullptr);
  Sheet.SetName("Sheet1");
  auto* First = new TBoard(&Sheet);
  First->SetName("First");
  auto* Second = new TBoard(&Sheet);
  Second->SetName("Second");
  First->SetPartner(Second);  // a reference to a component read after it
  Second->SetPartner(Second);
  Second->Notes()->Add();
  Second->Notes()->Note(0)->SetCaption("n");

  TBytes B;
  B.Raw("TPF0").Short("TSheet").Short("Sheet1").Byte(0);
  B.Short("TBoard").Short("First").Short("Notes").Byte(14).Byte(0);
  B.Short("Partner").Byte(7).Short("Second").Byte(0).Byte(0);
  B.Short("TBoard").Short("Second").Short("Notes").Byte(14).Short("Caption").Byte(6).Short("n").Byte(0).Byte(0);
  B.Short("Partner").Byte(7).Short("Second").Byte(0).Byte(0);
  B.Byte(0);
  const std::vector<uint8_t> Bytes = Written(Sheet);
  ASSERT_EQ(Bytes, B.Data);

  TSheet Copy(nullptr);
  TMemoryStream S(Bytes);
  ReadComponent(S, Copy);
  ASSERT_EQ(Copy.ComponentCount(), 2);
  auto* CopyFirst = dynamic_cast<TBoard*>(Copy.FindComponent("First"));
  auto* CopySecond = dynamic_cast<TBoard*>(Copy.FindComponent("Second"));
  ASSERT_TRUE(CopyFirst && CopySecond);
  EXPECT_EQ(CopyFirst->Partner(), CopySecond);
  EXPECT_EQ(CopyFirst->PartnerWhenLoaded, CopySecond);  // resolved before Loaded
  EXPECT_EQ(CopySecond->Partner(), CopySecond);
  EXPECT_EQ(Written(Copy), Bytes);

  // The text form says the same and converts back to the same bytes.
  TMemoryStream In(Bytes), Text, Back;
  ObjectBinaryToText(In, Text);
  Text.SetPosition(0);
  ObjectTextToBinary(Text, Back);
  EXPECT_EQ(Back.Data(), Bytes);
}

TEST(ComponentStream, ReferencesThatFindNothingOfTheirClassStayNil) {
  TRegistered Registered;
  const struct {
    const char* What;
    TBytes Value;
  } Cases[] = {
      {"unknown name", TBytes().Byte(7).Short("Nobody")},
      {"the sheet itself, not a board", TBytes().Byte(7).Short("Sheet1")},
      {"nil", TBytes().Byte(13)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    TBytes B;
    B.Raw("TPF0").Short("TSheet").Short("Sheet1").Byte(0);
    B.Short("TBoard").Short("Only").Short("Partner").Append(C.Value).Byte(0).Byte(0);
    B.Byte(0);
    TSheet Sheet(nullptr);
    TMemoryStream S(B.Data);
    ReadComponent(S, Sheet);
    auto* Only = dynamic_cast<TBoard*>(Sheet.FindComponent("Only"));
    ASSERT_NE(Only, nullptr);
    EXPECT_EQ(Only->Partner(), nullptr);
  }
}

TEST(ComponentStream, BadCollectionAndReferenceValuesAreRefused) {
  const struct {
    const char* What;
    TBytes Props;
  } Cases[] = {
      {"collection as a string", TBytes().Short("Notes").Byte(6).Short("x")},
      {"reference as an integer", TBytes().Short("Partner").Byte(2).Byte(1)},
      {"unknown property in an item", TBytes().Short("Notes").Byte(14).Short("Bogus").Byte(2).Byte(1).Byte(0).Byte(0)},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.What);
    TBytes B;
    B.Raw("TPF0").Short("TBoard").Short("B").Append(C.Props).Byte(0).Byte(0);
    TBoard Board(nullptr);
    TMemoryStream S(B.Data);
    try {
      ReadComponent(S, Board);
      ADD_FAILURE() << "no error";
    } catch (const EReadError& E) {
      EXPECT_NE(E.Message().find("Error reading B."), std::string::npos) << E.Message();
    }
  }
}
