// The effect registry and the animation record.
#include "vexel/graphics/vx_effect.h"

#include <algorithm>
#include <cassert>

#include "framework/core/sysutils.h"
#include "vexel/graphics/vx_effect_internal.h"

const char* const SEffectExists = "Effect procedute %s already exists in list";
const char* const SRandomEffect = "[ RANDOM ] - Random selection";
const char* const SBitmapEffect = "[ BITMAP ] - Bitmap Animation";

namespace {

const char* const KindPrefixes[] = {"[ FADE ] - ", "[ SLIDE ] - ", "[ MANUAL ] - "};

// The display name without its kind prefix: everything after the first "-" and the space after it.
std::string_view BareName(std::string_view DisplayName) {
  const size_t Dash = DisplayName.find('-');
  if (Dash == std::string_view::npos) return DisplayName;
  size_t Start = Dash + 1;
  if (Start < DisplayName.size() && DisplayName[Start] == ' ') ++Start;
  return DisplayName.substr(Start);
}

TvxProcItem* FindIn(const TvxProcList& List, std::string_view Name) {
  for (Integer I = 0; I < List.Count(); ++I)
    if (SameText(List.Items(I)->DisplayName, Name)) return List.Items(I);
  for (Integer I = 0; I < List.Count(); ++I)
    if (SameText(BareName(List.Items(I)->DisplayName), Name)) return List.Items(I);
  return nullptr;
}

bool IsNullProc(const TvxEffectProc& Proc) {
  return std::visit([](auto P) { return P == nullptr; }, Proc);
}

struct TRegistry {
  TvxProcList List;
  std::vector<std::string> Names;
  TRegistry() {
    RegisterBuiltinEffects(List);
    Names = {SRandomEffect, SBitmapEffect};
    for (Integer I = 0; I < List.Count(); ++I) Names.push_back(List.Items(I)->DisplayName);
  }
};

// Filled on first use: a static initialiser in a static library may never run.
TRegistry& Registry() {
  static TRegistry Instance;
  return Instance;
}

}  // namespace

// [Registry] ------------------------------------------------------------------------------------

void AddEffect(TvxProcList& List, const std::string& Name, Byte Kind, TvxEffectProc Proc) {
  assert(Kind == Proc.index());
  bool Exists = FindIn(List, Name) != nullptr;
  for (Integer I = 0; !Exists && I < List.Count(); ++I) Exists = !IsNullProc(Proc) && List.Items(I)->Proc == Proc;
  if (Exists) throw EProcItemError(Format(SEffectExists, Name.c_str()));
  auto Item = std::make_unique<TvxProcItem>();
  Item->Kind = Byte(Proc.index());  // the procedure decides how it is called
  Item->Proc = Proc;
  Item->DisplayName = std::string(KindPrefixes[std::min<size_t>(Kind, 2)]) + Name;
  List.Add(std::move(Item));
}

TvxProcList& EffectList() { return Registry().List; }

const std::vector<std::string>& EffectNames() { return Registry().Names; }

void RegisterEffect(const std::string& Name, Byte Kind, TvxEffectProc Proc) {
  AddEffect(EffectList(), Name, Kind, Proc);
}

TvxProcItem* FindEffect(const std::string& Name) { return FindIn(EffectList(), Name); }

// [TvxAnimationRec] -----------------------------------------------------------------------------

const TEnumInfo& RotationNames() {
  static const char* const Names[] = {"krNone", "krRotate90", "krRotate180", "krRotate270"};
  static const TEnumInfo Info{Names};
  return Info;
}

TvxAnimationRec::TvxAnimationRec(TComponent* Owner)
    : TComponent(Owner), FBitmap(CreateAnimationBitmap()), FEffect(SRandomEffect) {}

TvxAnimationRec::~TvxAnimationRec() = default;

const TClassInfo& TvxAnimationRec::StaticClassInfo() {
  using R = TvxAnimationRec;
  static const TPropInfo Properties[] = {
      ClassProperty<&R::BitmapObject>("Bitmap"),
      StringProperty<&R::Effect, &R::SetEffect>("Effect"),
      BooleanProperty<&R::Enabled, &R::SetEnabled>("Enabled", false),
      IntegerProperty<&R::Resolution, &R::SetResolution>("Resolution", 1),
      EnumProperty<&R::Rotation, &R::SetRotation>("Rotation", RotationNames(), 0),
      IntegerProperty<&R::TileCount, &R::SetTileCount>("TileCount", 1),
      IntegerProperty<&R::Time, &R::SetTime>("Time", 400),
  };
  static const TClassInfo Info{
      "TvxAnimationRec", &TComponent::StaticClassInfo(), Properties, {}, &CreateComponent<TvxAnimationRec>};
  return Info;
}

void TvxAnimationRec::Assign(const TPersistent* Source) {
  const auto* Other = dynamic_cast<const TvxAnimationRec*>(Source);
  if (!Other) return TComponent::Assign(Source);
  if (FBitmap && Other->FBitmap) FBitmap->Assign(Other->FBitmap.get());
  FEffect = Other->FEffect;
  FEnabled = Other->FEnabled;
  FResolution = Other->FResolution;
  FRotation = Other->FRotation;
  FTileCount = Other->FTileCount;
  FTime = Other->FTime;
}

void TvxAnimationRec::SetResolution(Integer Value) { FResolution = std::clamp(Value, 1, 10); }

void TvxAnimationRec::SetTileCount(Integer Value) { FTileCount = std::clamp(Value, 1, 20); }

void TvxAnimationRec::SetTime(Integer Value) { FTime = std::clamp(Value, 50, 9000); }
