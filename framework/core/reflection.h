// Property reflection: every class with stored properties declares exactly one table of them,
// in declaration order, beside its definition. The stream writer and reader, the editor's
// inspector and form files all walk these tables; nobody lists a class's properties twice.
//
// A table entry is built from the class's getter and setter:
//   IntegerProperty<&TFont::Height, &TFont::SetHeight>("Height")
// and the accessors are stored type-erased, so code that walks a table needs no templates.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

class TPersistent;
class TComponent;
class TStream;
struct TClassInfo;

enum class TPropKind {
  pkInteger,  // Integer
  pkColor,    // TColor: written as a colour name when it has one
  pkCharset,  // TFontCharset: written as a charset name when it has one
  pkEnum,     // enumeration, written by value name
  pkBoolean,
  pkSet,  // set of an enumeration, written as member names
  pkString,
  // A persistent object held by the property; its own properties are written as "Name.Inner"
  // (a collection is written as its items instead).
  pkClass,
  // A reference to another component, written as its name and resolved once the whole stream is
  // read; the holder asks the target for FreeNotification and clears the reference then.
  pkComponent,
  // A list of strings (a list box's items), written as a list; an empty list is not written.
  pkStrings,
};

// Value names of an enumeration (also of a set's members), indexed by ordinal.
struct TEnumInfo {
  std::span<const char* const> Names;
  // The ordinal of Name, letter case ignored; -1 when no value has that name.
  int IndexOf(std::string_view Name) const;
};

// Names for some values of an integer type (colours, charsets): written instead of the number.
struct TIdentMapEntry {
  int64_t Value;
  const char* Name;
};

struct TIdentMap {
  std::span<const TIdentMapEntry> Entries;
  // The first name of Value, or nil.
  const char* ToIdent(int64_t Value) const;
  // Letter case ignored.
  std::optional<int64_t> ToValue(std::string_view Name) const;
};

struct TPropInfo {
  const char* Name;
  TPropKind Kind;
  const TEnumInfo* Enum = nullptr;    // pkEnum and pkSet
  const TIdentMap* Idents = nullptr;  // pkColor and pkCharset
  std::optional<int64_t> Default;     // ordinal kinds: not written when equal
  int64_t (*GetOrdinal)(const TPersistent*) = nullptr;
  void (*SetOrdinal)(TPersistent*, int64_t) = nullptr;
  std::string (*GetString)(const TPersistent*) = nullptr;
  void (*SetString)(TPersistent*, const std::string&) = nullptr;
  std::vector<std::string> (*GetStrings)(const TPersistent*) = nullptr;  // pkStrings
  void (*SetStrings)(TPersistent*, const std::vector<std::string>&) = nullptr;
  TPersistent* (*GetObject)(const TPersistent*) = nullptr;
  TComponent* (*GetComponent)(const TPersistent*) = nullptr;  // pkComponent
  void (*SetComponent)(TPersistent*, TComponent*) = nullptr;
  // pkComponent: the class a referenced component must descend from.
  const TClassInfo& (*RefClass)() = nullptr;
  // Nil: stored by the rules of its kind. Otherwise the value is written only while this answers
  // true (a value another object supplies, such as a linked action, is not stored twice).
  bool (*IsStored)(const TPersistent*) = nullptr;

  bool IsOrdinal() const {
    return Kind != TPropKind::pkString && Kind != TPropKind::pkClass && Kind != TPropKind::pkComponent &&
           Kind != TPropKind::pkStrings;
  }
};

// One value of a list a class stores in its own form: a Boolean, an integer or a string.
using TListValue = std::variant<bool, int64_t, std::string>;

// A property the class stores in its own form, written after every table property: binary data
// (such as "Objects") through Read and Write, or a list of values through ReadList and WriteList.
// ReadList answers false for values it cannot take, which makes the stream invalid.
struct TDefinedProperty {
  const char* Name;
  void (*Read)(TPersistent*, TStream& Data) = nullptr;
  void (*Write)(const TPersistent*, TStream& Data) = nullptr;
  bool (*ReadList)(TPersistent*, const std::vector<TListValue>& Values) = nullptr;
  std::vector<TListValue> (*WriteList)(const TPersistent*) = nullptr;
};

struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
  std::span<const TPropInfo> Properties;  // this class's own, in declaration order
  std::span<const TDefinedProperty> Defined = {};
  // Virtual construction for components read from streams; nil for other classes.
  TComponent* (*Create)(TComponent* Owner) = nullptr;
  // The components written as child objects after the properties (a form's components, a
  // panel's controls); Root is the object the stream is of. Nil: none. The nearest class in the
  // chain that sets it decides.
  void (*GetChildren)(const TComponent& Instance, const TComponent& Root, std::vector<TComponent*>& Children) = nullptr;

  bool InheritsFrom(const TClassInfo& Other) const;
  // Every stored property: the root class's first, then each class's down to this one.
  std::vector<const TPropInfo*> AllProperties() const;
  std::vector<const TDefinedProperty*> AllDefined() const;
  // Letter case ignored, as stored paths are compared.
  const TPropInfo* FindProperty(std::string_view Name) const;
  const TDefinedProperty* FindDefined(std::string_view Name) const;
  std::vector<TComponent*> Children(const TComponent& Instance, const TComponent& Root) const;
};

// [Table entry builders] -----------------------------------------------------------------------

namespace reflection_detail {
template <typename T>
struct TMember;
template <typename C, typename R, typename... A>
struct TMember<R (C::*)(A...) const> {
  using Class = C;
  using Result = std::remove_cvref_t<R>;
};
template <typename C, typename R, typename... A>
struct TMember<R (C::*)(A...)> {
  using Class = C;
  using Result = std::remove_cvref_t<R>;
};
}  // namespace reflection_detail

template <auto Getter, auto Setter>
constexpr TPropInfo OrdinalProperty(const char* Name, TPropKind Kind, const TEnumInfo* Enum = nullptr,
                                    std::optional<int64_t> Default = std::nullopt, const TIdentMap* Idents = nullptr) {
  using C = typename reflection_detail::TMember<decltype(Getter)>::Class;
  using V = typename reflection_detail::TMember<decltype(Getter)>::Result;
  TPropInfo Info{};
  Info.Name = Name;
  Info.Kind = Kind;
  Info.Enum = Enum;
  Info.Idents = Idents;
  Info.Default = Default;
  Info.GetOrdinal = [](const TPersistent* O) -> int64_t {
    const V Value = (static_cast<const C*>(O)->*Getter)();
    if constexpr (requires { Value.Mask(); })
      return static_cast<int64_t>(Value.Mask());
    else
      return static_cast<int64_t>(Value);
  };
  Info.SetOrdinal = [](TPersistent* O, int64_t Value) {
    if constexpr (requires { V::FromMask(0); })
      (static_cast<C*>(O)->*Setter)(V::FromMask(static_cast<uint64_t>(Value)));
    else
      (static_cast<C*>(O)->*Setter)(static_cast<V>(Value));
  };
  return Info;
}

template <auto Getter, auto Setter>
constexpr TPropInfo IntegerProperty(const char* Name, std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkInteger, nullptr, Default);
}

template <auto Getter, auto Setter>
constexpr TPropInfo BooleanProperty(const char* Name, std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkBoolean, nullptr, Default);
}

template <auto Getter, auto Setter>
constexpr TPropInfo EnumProperty(const char* Name, const TEnumInfo& Enum,
                                 std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkEnum, &Enum, Default);
}

template <auto Getter, auto Setter>
constexpr TPropInfo SetProperty(const char* Name, const TEnumInfo& Members,
                                std::optional<int64_t> Default = std::nullopt) {
  return OrdinalProperty<Getter, Setter>(Name, TPropKind::pkSet, &Members, Default);
}

template <auto Getter, auto Setter>
constexpr TPropInfo StringProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Getter)>::Class;
  TPropInfo Info{};
  Info.Name = Name;
  Info.Kind = TPropKind::pkString;
  Info.GetString = [](const TPersistent* O) -> std::string { return (static_cast<const C*>(O)->*Getter)(); };
  Info.SetString = [](TPersistent* O, const std::string& Value) { (static_cast<C*>(O)->*Setter)(Value); };
  return Info;
}

// Getter returns the strings (any container of std::string), Setter takes a vector of them.
template <auto Getter, auto Setter>
constexpr TPropInfo StringsProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Getter)>::Class;
  TPropInfo Info{};
  Info.Name = Name;
  Info.Kind = TPropKind::pkStrings;
  Info.GetStrings = [](const TPersistent* O) -> std::vector<std::string> {
    const auto& Value = (static_cast<const C*>(O)->*Getter)();
    return {Value.begin(), Value.end()};
  };
  Info.SetStrings = [](TPersistent* O, const std::vector<std::string>& Value) { (static_cast<C*>(O)->*Setter)(Value); };
  return Info;
}

// Getter returns a pointer to a persistent object owned by the instance.
template <auto Getter>
constexpr TPropInfo ClassProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Getter)>::Class;
  TPropInfo Info{};
  Info.Name = Name;
  Info.Kind = TPropKind::pkClass;
  Info.GetObject = [](const TPersistent* O) -> TPersistent* { return (static_cast<const C*>(O)->*Getter)(); };
  return Info;
}

// Getter returns a pointer to the referenced component (a TComponent descendant with a static
// StaticClassInfo), Setter takes one.
template <auto Getter, auto Setter>
constexpr TPropInfo ComponentProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Getter)>::Class;
  using T = std::remove_cv_t<std::remove_pointer_t<typename reflection_detail::TMember<decltype(Getter)>::Result>>;
  TPropInfo Info{};
  Info.Name = Name;
  Info.Kind = TPropKind::pkComponent;
  Info.GetComponent = [](const TPersistent* O) -> TComponent* { return (static_cast<const C*>(O)->*Getter)(); };
  Info.SetComponent = [](TPersistent* O, TComponent* Value) { (static_cast<C*>(O)->*Setter)(dynamic_cast<T*>(Value)); };
  Info.RefClass = &T::StaticClassInfo;
  return Info;
}

// Info, written only while Stored answers true.
constexpr TPropInfo StoredWhen(TPropInfo Info, bool (*Stored)(const TPersistent*)) {
  Info.IsStored = Stored;
  return Info;
}

template <auto Reader, auto Writer>
constexpr TDefinedProperty DefinedBinaryProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Writer)>::Class;
  return {Name, [](TPersistent* O, TStream& Data) { (static_cast<C*>(O)->*Reader)(Data); },
          [](const TPersistent* O, TStream& Data) { (static_cast<const C*>(O)->*Writer)(Data); }};
}

template <auto Reader, auto Writer>
constexpr TDefinedProperty DefinedListProperty(const char* Name) {
  using C = typename reflection_detail::TMember<decltype(Writer)>::Class;
  TDefinedProperty Info{Name};
  Info.ReadList = [](TPersistent* O, const std::vector<TListValue>& Values) {
    return (static_cast<C*>(O)->*Reader)(Values);
  };
  Info.WriteList = [](const TPersistent* O) { return (static_cast<const C*>(O)->*Writer)(); };
  return Info;
}
