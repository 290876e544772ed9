#include "vexel/theme/vx_engine.h"

#include <algorithm>

#include "framework/core/sysutils.h"
#include "vexel/theme/vx_theme_manager.h"

#include "framework/core/class_registry.h"

const char* const SNoTheme = "No theme";

namespace {

// The "ThemeStream" markers: nothing stored, a theme in its own stream form (older forms), the
// name and the bytes.
constexpr uint8_t tsEmpty = 0, tsTheme = 1, tsData = 2;

std::string ReadLongString(TStream& Stream) {
  const int32_t Length = Stream.ReadInt32();
  const int64_t Remaining = Stream.Remaining();
  if (Length < 0 || (Remaining >= 0 && Length > Remaining)) throw EReadError("Stream read error");
  std::string S(size_t(Length), '\0');
  Stream.ReadBuffer(S.data(), Length);
  return S;
}

// Forms are read by class name.
[[maybe_unused]] const bool Registered = [] {
  RegisterClass(TVxThemeStream::StaticClassInfo());
  RegisterClass(TVxThemeList::StaticClassInfo());
  RegisterClass(TVxVexel::StaticClassInfo());
  return true;
}();

}  // namespace

// [TVxThemeStream] ------------------------------------------------------------------------------

TVxThemeStream::TVxThemeStream(TCollection* Collection)
    : TCollectionItem(Collection), FData(std::make_unique<TMemoryStream>()), FThemeStore("(empty)") {}

TVxThemeStream::~TVxThemeStream() = default;

const TClassInfo& TVxThemeStream::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      StringProperty<&TVxThemeStream::ThemeStore, &TVxThemeStream::SetThemeStore>("ThemeStore"),
      IntegerProperty<&TVxThemeStream::Tag, &TVxThemeStream::SetTag>("Tag", 0),
  };
  static const TDefinedProperty Defined[] = {
      DefinedBinaryProperty<&TVxThemeStream::ReadThemeStream, &TVxThemeStream::WriteThemeStream>("ThemeStream"),
  };
  static const TClassInfo Info{"TVxThemeStream", &TCollectionItem::StaticClassInfo(), Properties, Defined};
  return Info;
}

std::unique_ptr<TvxTheme> TVxThemeStream::CreateTheme() {
  if (FData->Size() == 0) return nullptr;
  FData->SetPosition(0);
  return LoadThemeFromStream(*FData);
}

void TVxThemeStream::StoreTheme(TvxTheme* Theme) {
  FData->Clear();
  if (Theme) SaveThemeToStream(Theme, *FData);
  // A theme that cannot be streamed stores nothing, and the item says so.
  FThemeStore = FData->Size() > 0 ? Theme->Name() : "(empty)";
  Changed();
}

void TVxThemeStream::ReadThemeStream(TStream& Stream) {
  switch (Stream.ReadByte()) {
    case tsTheme: {
      FTheme = LoadThemeFromStream(Stream);
      FData->Clear();
      // A theme that does not load leaves the item empty under its old name.
      if (FTheme) {
        SaveThemeToStream(FTheme.get(), *FData);
        FThemeStore = FTheme->Name();
      }
      break;
    }
    case tsData: {
      std::string Name = ReadLongString(Stream);
      const std::string Bytes = ReadLongString(Stream);
      FData->Clear();
      FData->WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
      FData->SetPosition(0);
      FThemeStore = std::move(Name);
      break;
    }
    default: break;
  }
}

void TVxThemeStream::WriteThemeStream(TStream& Stream) const {
  if (FData->Size() == 0) return Stream.WriteByte(tsEmpty);
  Stream.WriteByte(tsData);
  Stream.WriteInt32(int32_t(FThemeStore.size()));
  Stream.WriteBuffer(FThemeStore.data(), int64_t(FThemeStore.size()));
  Stream.WriteInt32(int32_t(FData->Size()));
  Stream.WriteBuffer(FData->Memory(), FData->Size());
}

// [TVxThemeCollection, TVxThemeList] -----------------------------------------------------------

TVxThemeCollection::TVxThemeCollection(TVxThemeList* Owner)
    : TCollection(Owner, &CreateCollectionItem<TVxThemeStream>) {}

const TClassInfo& TVxThemeCollection::StaticClassInfo() {
  static const TClassInfo Info{"TVxThemeCollection", &TCollection::StaticClassInfo(), {}};
  return Info;
}

TVxThemeList::TVxThemeList(TComponent* Owner)
    : TComponent(Owner), FThemes(std::make_unique<TVxThemeCollection>(this)) {}

TVxThemeList::~TVxThemeList() = default;

const TClassInfo& TVxThemeList::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      ClassProperty<&TVxThemeList::Themes>("Themes"),
      StringProperty<&TVxThemeList::Version, &TVxThemeList::SetVersion>("Version"),
  };
  static const TClassInfo Info{
      "TVxThemeList", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TVxThemeList>};
  return Info;
}

void TVxThemeList::Loaded() {
  TComponent::Loaded();
  for (Integer I = 0; I < FThemes->Count(); ++I) FThemes->Items(I)->FreeTheme();
}

// [TVxVexel] -----------------------------------------------------------------------------------

TVxVexel::TVxVexel(TComponent* Owner) : TComponent(Owner), FThemeBuilding(SNoTheme) { RegisterThemeClient(this); }

TVxVexel::~TVxVexel() {
  UnregisterThemeClient(this);
  if (FThemeList) FThemeList->RemoveFreeNotification(this);
}

const TClassInfo& TVxVexel::StaticClassInfo() {
  static const TPropInfo Properties[] = {
      IntegerProperty<&TVxVexel::DeltaHue, &TVxVexel::SetDeltaHue>("DeltaHue"),
      IntegerProperty<&TVxVexel::DeltaBrightness, &TVxVexel::SetDeltaBrightness>("DeltaBrightness"),
      StringProperty<&TVxVexel::ThemeFile, &TVxVexel::SetThemeFile>("ThemeFile"),
      ComponentProperty<&TVxVexel::ThemeList, &TVxVexel::SetThemeList>("ThemeList"),
      IntegerProperty<&TVxVexel::ThemeIndex, &TVxVexel::SetThemeIndex>("ThemeIndex", -1),
      StringProperty<&TVxVexel::ThemeBuilding, &TVxVexel::SetThemeBuilding>("ThemeBuilding"),
      StringProperty<&TVxVexel::Version, &TVxVexel::SetVersion>("Version"),
  };
  static const TClassInfo Info{"TVxVexel", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TVxVexel>};
  return Info;
}

bool TVxVexel::Busy() const {
  return ComponentState().Contains(TComponentStateFlag::csDesigning) ||
         ComponentState().Contains(TComponentStateFlag::csLoading);
}

void TVxVexel::Loaded() {
  TComponent::Loaded();
  if (FThemeList && FThemeIndex >= 0) SetThemeIndex(FThemeIndex);
}

void TVxVexel::Notification(TComponent* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove || !Component || Component != FThemeList) return;
  FThemeList = nullptr;
  FThemeIndex = -1;
  // A form closing takes its list with it, but the current theme stays.
  const bool Closing = ComponentState().Contains(TComponentStateFlag::csDestroying) ||
                       (Owner() && Owner()->ComponentState().Contains(TComponentStateFlag::csDestroying));
  if (!Closing) RemoveCurrentTheme();
}

void TVxVexel::ApplyShifts() {
  if (FDeltaHue != 0) SetCurrentDeltaHue(FDeltaHue);
  if (FDeltaBrightness != 0) SetCurrentDeltaBrightness(FDeltaBrightness);
}

void TVxVexel::SetDeltaHue(Integer Value) {
  if (Value == FDeltaHue) return;
  FDeltaHue = Value;
  if (FDeltaBrightness != 0)
    SetCurrentDeltas(Value, FDeltaBrightness);
  else
    SetCurrentDeltaHue(Value);
}

void TVxVexel::SetDeltaBrightness(Integer Value) {
  if (Value == FDeltaBrightness) return;
  FDeltaBrightness = Value;
  if (FDeltaHue != 0)
    SetCurrentDeltas(FDeltaHue, Value);
  else
    SetCurrentDeltaBrightness(Value);
}

void TVxVexel::SetThemeFile(const std::string& Value) {
  FThemeFile = Value;
  if (std::unique_ptr<TvxTheme> Theme = LoadThemeFromFile(Value)) {
    SetCurrentTheme(std::move(Theme));
    ApplyShifts();
    FThemeIndex = -1;
    FThemeBuilding = SNoTheme;
  } else if (FThemeIndex == -1) {
    RemoveCurrentTheme();
  }
}

void TVxVexel::SetThemeList(TVxThemeList* Value) {
  if (Value == FThemeList) return;
  if (FThemeList) FThemeList->RemoveFreeNotification(this);
  FThemeList = Value;
  if (FThemeList) FThemeList->FreeNotification(this);
  if (!Value) SetThemeIndex(-1);
}

void TVxVexel::SetThemeIndex(Integer Value) {
  FThemeIndex = Value;
  // While a form is read the list is not there yet; Loaded selects the index.
  if (ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  const Integer Count = FThemeList ? FThemeList->Themes()->Count() : 0;
  if (Count > 0 && Value >= 0) {
    FThemeIndex = std::min(Value, Count - 1);
    if (std::unique_ptr<TvxTheme> Theme = FThemeList->Themes()->Items(FThemeIndex)->CreateTheme()) {
      SetCurrentTheme(std::move(Theme));
      ApplyShifts();
      FThemeFile.clear();
      FThemeBuilding = SNoTheme;
    }
  } else if (FThemeFile.empty()) {
    RemoveCurrentTheme();
  }
}

void TVxVexel::SetThemeBuilding(const std::string& Value) {
  FThemeBuilding = Value;
  if (Value == SNoTheme) return;
  const TvxThemeClass* Found = nullptr;
  for (Integer I = 0; I < ThemeClassCount() && !Found; ++I)
    if (const TvxThemeClass* Class = ThemeClasses(I);
        Class->GetFileInfo().Builtin && SameText(Class->GetThemeName(), Value))
      Found = Class;
  if (!Found) {
    FThemeBuilding = SNoTheme;
    return;
  }
  if (std::unique_ptr<TvxTheme> Theme = Found->Create()) {
    SetCurrentTheme(std::move(Theme));
    ApplyShifts();
    FThemeFile.clear();
    FThemeIndex = -1;
  }
  FThemeBuilding = Found->GetThemeName();
}

void TVxVexel::Dispatch(TMessage& Message) {
  if (Message.Msg == TM_THEMECHANGE) return ThemeChanged(Message.WParam);
  TComponent::Dispatch(Message);
}

// The properties follow the theme someone else made current; they are set directly, as their
// setters would choose a theme again.
void TVxVexel::ThemeChanged(uintptr_t Code) {
  if (Code == TMC_THEMECHANGED || Code == TMC_THEMESET) {
    if (TvxTheme* Theme = CurrentTheme(); Theme && !Busy()) {
      const TvxThemeClass& Class = Theme->ThemeClass();
      FThemeBuilding = Class.GetFileInfo().Builtin ? Class.GetThemeName() : std::string(SNoTheme);
      if (FThemeFile.empty()) FThemeFile = Theme->FileName();
      if (FThemeList)
        for (Integer I = 0; I < FThemeList->Themes()->Count(); ++I)
          if (FThemeList->Themes()->Items(I)->ThemeStore() == Theme->Name()) {
            FThemeIndex = I;
            break;
          }
    }
  } else if (Code == TMC_THEMEREMOVED) {
    if (!Busy()) {
      FThemeFile.clear();
      FThemeBuilding = SNoTheme;
      FThemeIndex = -1;
    }
  } else {
    return;
  }
  if (OnThemeChanged) OnThemeChanged(this);
}
