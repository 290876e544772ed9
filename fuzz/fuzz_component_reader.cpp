// Reads arbitrary bytes as a component stream into an object with every kind of stored property
// and children built by class name. Clean errors are fine; crashes, leaks, hangs and allocations
// of what the data merely claims are not. Whatever was read must write out and read back to the
// same bytes.
#include <cstdint>

#include "framework/core/class_registry.h"
#include "framework/core/component_stream.h"
#include "framework/graphics/font.h"

namespace {

enum class TFuzzAlign { faNone, faLeft, faRight };

const TEnumInfo& AlignNames() {
  static constexpr const char* Names[] = {"faNone", "faLeft", "faRight"};
  static constexpr TEnumInfo Info{Names};
  return Info;
}

class TFuzzObject : public TComponent {
 public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TPropInfo Properties[] = {
        EnumProperty<&TFuzzObject::Align, &TFuzzObject::SetAlign>("Align", AlignNames()),
        ColorProperty<&TFuzzObject::Color, &TFuzzObject::SetColor>("Color"),
        BooleanProperty<&TFuzzObject::Masked, &TFuzzObject::SetMasked>("Masked"),
        ClassProperty<&TFuzzObject::Font>("Font"),
        IntegerProperty<&TFuzzObject::Left, &TFuzzObject::SetLeft>("Left"),
        StringProperty<&TFuzzObject::Text, &TFuzzObject::SetText>("Text"),
        SetProperty<&TFuzzObject::Style, &TFuzzObject::SetStyle>("Style", FontStyleNames()),
    };
    static const TDefinedProperty Defined[] = {
        DefinedBinaryProperty<&TFuzzObject::ReadObjects, &TFuzzObject::WriteObjects>("Objects"),
    };
    static const TClassInfo Info{"TFuzzObject", &TComponent::StaticClassInfo(), Properties, Defined,
                                 &CreateComponent<TFuzzObject>};
    return Info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  TFuzzAlign Align() const { return FAlign; }
  void SetAlign(TFuzzAlign V) { FAlign = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  bool Masked() const { return FMasked; }
  void SetMasked(bool V) { FMasked = V; }
  TFont* Font() const { return &FFont; }
  Integer Left() const { return FLeft; }
  void SetLeft(Integer V) { FLeft = V; }
  const std::string& Text() const { return FText; }
  void SetText(const std::string& V) { FText = V; }
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles V) { FStyle = V; }

 private:
  void ReadObjects(TStream& Data) {
    FObjects.assign(size_t(Data.Size()), 0);
    Data.ReadBuffer(FObjects.data(), Data.Size());
  }
  void WriteObjects(TStream& Data) const { Data.WriteBuffer(FObjects.data(), int64_t(FObjects.size())); }

  TFuzzAlign FAlign = TFuzzAlign::faNone;
  TColor FColor = 0;
  bool FMasked = false;
  mutable TFont FFont;
  Integer FLeft = 0;
  std::string FText;
  TFontStyles FStyle;
  std::vector<uint8_t> FObjects;
};

const bool Registered = (RegisterClass(TFuzzObject::StaticClassInfo()), true);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzObject Object;
  TBufferStream Input(Data, int64_t(Size));
  try {
    ReadComponent(Input, Object);
  } catch (const Exception&) {
    return 0;
  }
  // Children are not written back (they live in the object list only when a stream puts them
  // there), so the round trip is checked on the object's own properties.
  TMemoryStream Written;
  WriteComponent(Written, Object);
  TFuzzObject Again;
  Written.SetPosition(0);
  ReadComponent(Written, Again);
  TMemoryStream Rewritten;
  WriteComponent(Rewritten, Again);
  if (Rewritten.Data() != Written.Data()) __builtin_trap();
  return 0;
}
