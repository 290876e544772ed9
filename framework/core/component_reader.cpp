// Reads the binary stream form into existing components.
#include <cstring>
#include <vector>

#include "framework/core/class_registry.h"
#include "framework/core/collection.h"
#include "framework/core/component_stream.h"
#include "framework/core/sysutils.h"

namespace {

std::function<bool(const std::string&)>& GlobalNameCheck() {
  static std::function<bool(const std::string&)> Check;
  return Check;
}

// A property error before it is wrapped with the object's name and the path.
class EPropertyError : public EReadError {
  using EReadError::EReadError;
};

class TComponentReader {
 public:
  explicit TComponentReader(TStream& Stream) : FStream(Stream) {}

  void ReadRoot(TComponent& Instance) {
    char Signature[4];
    FStream.ReadBuffer(Signature, 4);
    if (std::memcmp(Signature, ComponentStreamSignature, 4) != 0) throw EReadError("Invalid stream format");
    ReadPrefix();
    ReadShortString();  // the stored class name does not choose the class
    SetStoredName(Instance, ReadShortString());
    FRoot = &Instance;
    ReadBody(Instance, 1);
  }

  // References name components that may come later in the stream: they are set once the whole
  // stream is read. A name that finds no component of the property's class leaves it nil.
  void ResolveFixups() {
    for (const TFixup& F : FFixups)
      if (TComponent* Target = FindReference(F.Name);
          Target && Target->ClassInfo().InheritsFrom(F.Property->RefClass()))
        F.Property->SetComponent(F.Instance, Target);
    FFixups.clear();
  }

  // Loaded runs once for every object read, after the whole stream and its references.
  void NotifyLoaded() {
    for (TComponent* C : FLoaded) C->Loaded();
  }

 private:
  TValueType ReadType() { return TValueType(FStream.ReadByte()); }

  std::string ReadShortString() {
    std::string S(FStream.ReadByte(), '\0');
    FStream.ReadBuffer(S.data(), int64_t(S.size()));
    return S;
  }

  std::string ReadLongBytes() {
    const int32_t Length = FStream.ReadInt32();
    if (Length < 0) throw EReadError("Stream read error");
    const int64_t Remaining = FStream.Remaining();
    if (Remaining >= 0 && Length > Remaining) throw EReadError("Stream read error");
    std::string Bytes;
    for (int32_t Done = 0; Done < Length;) {
      const int32_t Part = std::min<int32_t>(Length - Done, 1 << 16);
      Bytes.resize(size_t(Done + Part));
      FStream.ReadBuffer(Bytes.data() + Done, Part);
      Done += Part;
    }
    return Bytes;
  }

  int64_t ReadIntegerPayload(TValueType Type) {
    uint8_t B[8] = {};
    switch (Type) {
      case TValueType::vaInt8: FStream.ReadBuffer(B, 1); return int8_t(B[0]);
      case TValueType::vaInt16: FStream.ReadBuffer(B, 2); return int16_t(B[0] | B[1] << 8);
      case TValueType::vaInt32: return FStream.ReadInt32();
      default: throw EPropertyError("Invalid property value");
    }
  }

  void ReadPrefix() {
    const uint8_t First = FStream.ReadByte();
    if ((First & 0xF0) == 0xF0) {
      if (First & 0x02) ReadIntegerPayload(ReadType());  // child position: not used here
      return;
    }
    FStream.Seek(-1, TSeekOrigin::soCurrent);
  }

  void SetStoredName(TComponent& Instance, std::string Name) {
    if (const auto& Taken = GlobalNameCheck(); Taken && !Name.empty() && Taken(Name)) {
      std::string Free;
      for (int I = 1; Taken(Free = Name + "_" + std::to_string(I)); ++I) {
      }
      Name = Free;
    }
    Instance.SetName(Name);
  }

  void ReadBody(TComponent& Instance, int Depth) {
    Instance.BeginLoading();
    FLoaded.push_back(&Instance);
    while (true) {
      const std::string Path = ReadShortString();
      if (Path.empty()) break;
      try {
        ReadProperty(Instance, Path);
      } catch (const EPropertyError& E) {
        const std::string& Name = Instance.Name();
        throw EReadError(Format("Error reading %s%s%s: %s", Name.c_str(), Name.empty() ? "" : ".", Path.c_str(),
                                E.Message().c_str()));
      }
    }
    while (true) {
      if (FStream.ReadByte() == 0) break;
      FStream.Seek(-1, TSeekOrigin::soCurrent);
      if (Depth >= MaxComponentNesting) throw EReadError("Invalid stream format: objects nested too deeply");
      ReadChild(Instance, Depth + 1);
    }
  }

  void ReadChild(TComponent& Parent, int Depth) {
    ReadPrefix();
    const TClassInfo& Class = GetClass(ReadShortString());
    if (!Class.Create) throw EReadError(Format("Class %s cannot be created from a stream", Class.Name));
    TComponent* Child = Class.Create(&Parent);
    if (Child->HasParent()) {
      if (&Parent != FRoot) FRoot->InsertComponent(Child);
      Child->SetParentComponent(&Parent);
    }
    SetStoredName(*Child, ReadShortString());
    ReadBody(*Child, Depth);
  }

  void ReadProperty(TPersistent& Instance, const std::string& Path) {
    TPersistent* Object = &Instance;
    size_t Start = 0;
    for (size_t Dot; (Dot = Path.find('.', Start)) != std::string::npos; Start = Dot + 1) {
      const TPropInfo* P = Object->ClassInfo().FindProperty(Path.substr(Start, Dot - Start));
      if (!P) throw EPropertyError("Property does not exist");
      if (P->Kind != TPropKind::pkClass || !P->GetObject(Object)) throw EPropertyError("Invalid property path");
      Object = P->GetObject(Object);
    }
    const std::string Name = Path.substr(Start);
    if (const TPropInfo* P = Object->ClassInfo().FindProperty(Name)) return ReadValue(*Object, *P);
    if (const TDefinedProperty* D = Object->ClassInfo().FindDefined(Name)) {
      if (D->ReadList) {
        if (!D->ReadList(Object, ReadListValues())) throw EPropertyError("Invalid property value");
        return;
      }
      if (ReadType() != TValueType::vaBinary) throw EPropertyError("Invalid property value");
      const std::string Bytes = ReadLongBytes();
      TBufferStream Data(Bytes.data(), int64_t(Bytes.size()));
      return D->Read(Object, Data);
    }
    throw EPropertyError("Property does not exist");
  }

  std::vector<TListValue> ReadListValues() {
    if (ReadType() != TValueType::vaList) throw EPropertyError("Invalid property value");
    std::vector<TListValue> Values;
    for (TValueType Item; (Item = ReadType()) != TValueType::vaNull;) {
      switch (Item) {
        case TValueType::vaFalse: Values.emplace_back(false); break;
        case TValueType::vaTrue: Values.emplace_back(true); break;
        case TValueType::vaString:
        case TValueType::vaLString: Values.emplace_back(ReadStringPayload(Item)); break;
        default: Values.emplace_back(ReadIntegerPayload(Item)); break;
      }
    }
    return Values;
  }

  void ReadValue(TPersistent& Object, const TPropInfo& P) {
    const TValueType Type = ReadType();
    switch (P.Kind) {
      case TPropKind::pkClass:
        if (auto* Collection = dynamic_cast<TCollection*>(P.GetObject(&Object)); Collection && Type == vaCollection)
          return ReadCollection(*Collection);
        throw EPropertyError("Invalid property value");
      case TPropKind::pkComponent:
        if (Type == TValueType::vaNil) return P.SetComponent(&Object, nullptr);
        if (Type != TValueType::vaIdent) throw EPropertyError("Invalid property value");
        FFixups.push_back({&Object, &P, ReadShortString()});
        return;
      case TPropKind::pkString: return P.SetString(&Object, ReadStringPayload(Type));
      case TPropKind::pkStrings: {
        if (Type != TValueType::vaList) throw EPropertyError("Invalid property value");
        std::vector<std::string> Items;
        for (TValueType Item; (Item = ReadType()) != TValueType::vaNull;) Items.push_back(ReadStringPayload(Item));
        return P.SetStrings(&Object, Items);
      }
      case TPropKind::pkBoolean:
      case TPropKind::pkEnum: return P.SetOrdinal(&Object, ReadEnumValue(P, Type));
      case TPropKind::pkSet: return P.SetOrdinal(&Object, ReadSetValue(P, Type));
      default: return P.SetOrdinal(&Object, ReadIntegerValue(P, Type));
    }
  }

  std::string ReadStringPayload(TValueType Type) {
    if (Type == TValueType::vaString) return ReadShortString();
    if (Type == TValueType::vaLString) return ReadLongBytes();
    throw EPropertyError("Invalid property value");
  }

  int64_t ReadIntegerValue(const TPropInfo& P, TValueType Type) {
    if (Type == TValueType::vaIdent) {
      const std::string Ident = ReadShortString();
      if (P.Idents)
        if (auto Value = P.Idents->ToValue(Ident)) return *Value;
      throw EPropertyError("Invalid property value");
    }
    return ReadIntegerPayload(Type);
  }

  int64_t ReadEnumValue(const TPropInfo& P, TValueType Type) {
    std::string Ident;
    if (Type == TValueType::vaFalse || Type == TValueType::vaTrue)
      Ident = Type == TValueType::vaTrue ? "True" : "False";
    else if (Type == TValueType::vaIdent)
      Ident = ReadShortString();
    else
      throw EPropertyError("Invalid property value");
    if (P.Kind == TPropKind::pkBoolean) {
      if (SameText(Ident, "True")) return 1;
      if (SameText(Ident, "False")) return 0;
      throw EPropertyError("Invalid property value");
    }
    const int Index = P.Enum->IndexOf(Ident);
    if (Index < 0) throw EPropertyError("Invalid property value");
    return Index;
  }

  int64_t ReadSetValue(const TPropInfo& P, TValueType Type) {
    if (Type != TValueType::vaSet) throw EPropertyError("Invalid property value");
    uint64_t Mask = 0;
    for (std::string Member; !(Member = ReadShortString()).empty();) {
      const int Index = P.Enum->IndexOf(Member);
      if (Index < 0 || Index >= 64) throw EPropertyError("Invalid property value");
      Mask |= uint64_t(1) << Index;
    }
    return int64_t(Mask);
  }

  // The collection's items are replaced by the stored ones; an index in front of an item is
  // accepted and not used.
  void ReadCollection(TCollection& Collection) {
    if (++FCollectionDepth > MaxComponentNesting) throw EReadError("Invalid stream format: objects nested too deeply");
    Collection.BeginUpdate();
    try {
      // A collection stored twice: references waiting in the items that go must not outlive them.
      std::erase_if(FFixups, [&](const TFixup& F) {
        for (auto* Item = dynamic_cast<TCollectionItem*>(F.Instance); Item && Item->Collection();
             Item = dynamic_cast<TCollectionItem*>(Item->Collection()->Owner()))
          if (Item->Collection() == &Collection) return true;
        return false;
      });
      Collection.Clear();
      for (uint8_t B; (B = FStream.ReadByte()) != 0;) {
        if (B >= TValueType::vaInt8 && B <= TValueType::vaInt32)
          ReadIntegerPayload(TValueType(B));
        else
          FStream.Seek(-1, TSeekOrigin::soCurrent);
        TCollectionItem* Item = Collection.Add();
        for (std::string Path; !(Path = ReadShortString()).empty();) ReadProperty(*Item, Path);
      }
    } catch (...) {
      Collection.EndUpdate();
      --FCollectionDepth;
      throw;
    }
    Collection.EndUpdate();
    --FCollectionDepth;
  }

  // "Name" among the root's components (or the root itself), "A.B" one level deeper.
  TComponent* FindReference(const std::string& Name) const {
    if (SameText(Name, FRoot->Name()) && !Name.empty()) return FRoot;
    TComponent* Current = FRoot;
    size_t Start = 0;
    for (size_t Dot; Current; Start = Dot + 1) {
      Dot = Name.find('.', Start);
      Current = Current->FindComponent(Name.substr(Start, Dot == std::string::npos ? Dot : Dot - Start));
      if (Dot == std::string::npos) break;
    }
    return Current;
  }

  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Property;
    std::string Name;
  };

  TStream& FStream;
  TComponent* FRoot = nullptr;
  std::vector<TComponent*> FLoaded;
  std::vector<TFixup> FFixups;
  int FCollectionDepth = 0;
};

}  // namespace

void SetGlobalNameCheck(std::function<bool(const std::string&)> IsTaken) { GlobalNameCheck() = std::move(IsTaken); }

void ReadComponent(TStream& Stream, TComponent& Instance) {
  TComponentReader Reader(Stream);
  Reader.ReadRoot(Instance);
  Reader.ResolveFixups();
  Reader.NotifyLoaded();
}
