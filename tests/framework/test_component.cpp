#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/core/class_registry.h"
#include "framework/core/component.h"

namespace {

// Records what it is told, to check the order of frees and notifications. A component being
// freed is known to others only by its address, so labels live outside the objects.
struct TProbeLog {
  std::map<const TComponent*, std::string> Labels;
  std::vector<std::string> Lines;
};

class TProbe : public TComponent {
 public:
  TProbe(TComponent* Owner, const std::string& Label, TProbeLog* Log) : TComponent(Owner), FLog(Log) {
    Log->Labels[this] = Label;
  }
  ~TProbe() override {
    DestroyComponents();
    FLog->Lines.push_back("free " + FLog->Labels[this]);
  }

 protected:
  void Notification(TComponent* Component, TOperation Operation) override {
    TComponent::Notification(Component, Operation);
    if (Operation == TOperation::opRemove) FLog->Lines.push_back(FLog->Labels[this] + " told of " + FLog->Labels[Component]);
  }

 private:
  TProbeLog* FLog;
};

}  // namespace

TEST(Component, AnOwnerFreesWhatItOwnsLastCreatedFirst) {
  TProbeLog Log;
  auto* Owner = new TProbe(nullptr, "owner", &Log);
  new TProbe(Owner, "a", &Log);
  auto* B = new TProbe(Owner, "b", &Log);
  new TProbe(B, "b1", &Log);
  EXPECT_EQ(Owner->ComponentCount(), 2);
  EXPECT_EQ(Owner->Components(1), B);
  delete Owner;
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"owner told of b", "b told of b1", "free b1", "free b",
                                                 "owner told of a", "free a", "free owner"}));
}

TEST(Component, FreeNotificationTellsTheOtherSideOnce) {
  TProbeLog Log;
  auto* Watcher = new TProbe(nullptr, "watcher", &Log);
  auto* Watched = new TProbe(nullptr, "watched", &Log);
  Watched->FreeNotification(Watcher);
  Watched->FreeNotification(Watcher);
  delete Watched;
  delete Watcher;  // must not tell the freed one
  EXPECT_EQ(Log.Lines, (std::vector<std::string>{"free watched", "watcher told of watched", "free watcher"}));
}

TEST(Component, NamesMustBeIdentifiersAndUniquePerOwner) {
  TComponent Owner;
  auto* A = new TComponent(&Owner);
  auto* B = new TComponent(&Owner);
  A->SetName("Button_1");
  const struct {
    std::string Name;
    std::string Message;
  } Refused[] = {
      {"1abc", "''1abc'' is not a valid component name"},
      {"a b", "''a b'' is not a valid component name"},
      {"button_1", "A component named button_1 already exists"},
  };
  for (const auto& C : Refused) {
    try {
      B->SetName(C.Name);
      ADD_FAILURE() << C.Name << " was accepted";
    } catch (const EComponentError& E) {
      EXPECT_EQ(E.Message(), C.Message);
    }
  }
  EXPECT_EQ(B->Name(), "");
  A->SetName("BUTTON_1");  // renaming itself in another case is not a clash
  B->SetName("");
  TComponent Elsewhere;
  auto* C = new TComponent(&Elsewhere);
  C->SetName("Button_1");  // another owner's children may share the name
  EXPECT_EQ(Owner.FindComponent("button_1"), A);
  EXPECT_THROW(Owner.InsertComponent(C), EComponentError) << "moving it in would clash";
  EXPECT_EQ(C->Owner(), &Elsewhere);
}

TEST(ClassRegistry, FindsByNameIgnoringCaseAndReportsMissingClasses) {
  RegisterClass(TComponent::StaticClassInfo());
  EXPECT_EQ(FindClass("tcomponent"), &TComponent::StaticClassInfo());
  EXPECT_EQ(FindClass("TNothing"), nullptr);
  try {
    GetClass("TNothing");
    FAIL() << "no exception";
  } catch (const EClassNotFound& E) {
    EXPECT_EQ(E.Message(), "Class TNothing not found");
  }
  UnregisterClass(TComponent::StaticClassInfo());
  EXPECT_EQ(FindClass("TComponent"), nullptr);
}
