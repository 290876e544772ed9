// Writes components in the binary stream form.
#include <cstring>

#include "framework/core/collection.h"
#include "framework/core/component_stream.h"

namespace {

class TComponentWriter {
 public:
  // References are written relative to Root, the object the stream is of.
  TComponentWriter(TStream& Stream, const TComponent& Root) : FStream(Stream), FRoot(Root) {}

  void WriteObject(const TComponent& Instance, int Depth = 1) {
    if (Depth > MaxComponentNesting) throw EWriteError("Objects nested too deeply to store");
    WriteShortString(Instance.ClassName());
    WriteShortString(Instance.Name());
    WriteProperties(Instance, "");
    WriteType(TValueType::vaNull);
    // Most objects keep their children in properties of their own; a class that lists children
    // (a form its components, a panel its controls) has them written here.
    for (const TComponent* Child : Instance.ClassInfo().Children(Instance, FRoot)) WriteObject(*Child, Depth + 1);
    WriteType(TValueType::vaNull);
  }

 private:
  void WriteType(TValueType Type) { FStream.WriteByte(uint8_t(Type)); }

  void WriteShortString(const std::string& S) {
    if (S.size() > 255) throw EWriteError(Format("Name too long to store: %.40s...", S.c_str()));
    FStream.WriteByte(uint8_t(S.size()));
    FStream.WriteBuffer(S.data(), int64_t(S.size()));
  }

  void WriteInteger(int64_t Value) {
    if (Value >= -128 && Value <= 127) {
      WriteType(TValueType::vaInt8);
      FStream.WriteByte(uint8_t(int8_t(Value)));
    } else if (Value >= -32768 && Value <= 32767) {
      WriteType(TValueType::vaInt16);
      const uint16_t V = uint16_t(int16_t(Value));
      const uint8_t Bytes[2] = {uint8_t(V), uint8_t(V >> 8)};
      FStream.WriteBuffer(Bytes, 2);
    } else {
      WriteType(TValueType::vaInt32);
      FStream.WriteInt32(int32_t(Value));
    }
  }

  void WriteIdent(const std::string& Name) {
    WriteType(TValueType::vaIdent);
    WriteShortString(Name);
  }

  void WriteStringValue(const std::string& S) {
    if (S.size() < 256) {
      WriteType(TValueType::vaString);
      WriteShortString(S);
    } else {
      WriteType(TValueType::vaLString);
      FStream.WriteInt32(int32_t(S.size()));
      FStream.WriteBuffer(S.data(), int64_t(S.size()));
    }
  }

  void WriteProperties(const TPersistent& Object, const std::string& Prefix) {
    for (const TPropInfo* P : Object.ClassInfo().AllProperties()) WriteProperty(Object, *P, Prefix);
    for (const TDefinedProperty* D : Object.ClassInfo().AllDefined()) {
      if (D->WriteList) {
        WriteShortString(Prefix + D->Name);
        WriteListValues(D->WriteList(&Object));
        continue;
      }
      TMemoryStream Data;
      D->Write(&Object, Data);
      WriteShortString(Prefix + D->Name);
      WriteType(TValueType::vaBinary);
      FStream.WriteInt32(int32_t(Data.Size()));
      FStream.WriteBuffer(Data.Memory(), Data.Size());
    }
  }

  void WriteListValues(const std::vector<TListValue>& Values) {
    WriteType(TValueType::vaList);
    for (const TListValue& V : Values) {
      if (const bool* B = std::get_if<bool>(&V))
        WriteType(*B ? TValueType::vaTrue : TValueType::vaFalse);
      else if (const int64_t* I = std::get_if<int64_t>(&V))
        WriteInteger(*I);
      else
        WriteStringValue(std::get<std::string>(V));
    }
    WriteType(TValueType::vaNull);
  }

  void WriteProperty(const TPersistent& Object, const TPropInfo& P, const std::string& Prefix) {
    if (P.IsStored && !P.IsStored(&Object)) return;
    const std::string Path = Prefix + P.Name;
    if (P.Kind == TPropKind::pkClass) {
      const TPersistent* Inner = P.GetObject(&Object);
      if (auto* Collection = dynamic_cast<const TCollection*>(Inner)) {
        WriteShortString(Path);
        WriteCollection(*Collection);
      } else if (Inner) {
        WriteProperties(*Inner, Path + ".");
      }
      return;
    }
    if (P.Kind == TPropKind::pkComponent) {
      const TComponent* Target = P.GetComponent(&Object);
      const std::string Name = Target ? ReferenceName(*Target) : "";
      if (Name.empty()) return;  // nil, or nothing a reader could find it by
      WriteShortString(Path);
      WriteIdent(Name);
      return;
    }
    if (P.Kind == TPropKind::pkStrings) {
      const std::vector<std::string> Value = P.GetStrings(&Object);
      if (Value.empty()) return;
      WriteShortString(Path);
      WriteType(TValueType::vaList);
      for (const std::string& S : Value) WriteStringValue(S);
      WriteType(TValueType::vaNull);
      return;
    }
    if (P.Kind == TPropKind::pkString) {
      const std::string Value = P.GetString(&Object);
      if (Value.empty()) return;
      WriteShortString(Path);
      WriteStringValue(Value);
      return;
    }
    const int64_t Value = P.GetOrdinal(&Object);
    if (P.Default && *P.Default == Value) return;
    WriteShortString(Path);
    switch (P.Kind) {
      case TPropKind::pkBoolean: WriteType(Value ? TValueType::vaTrue : TValueType::vaFalse); break;
      case TPropKind::pkEnum:
        if (Value >= 0 && size_t(Value) < P.Enum->Names.size())
          WriteIdent(P.Enum->Names[size_t(Value)]);
        else
          WriteInteger(Value);
        break;
      case TPropKind::pkSet:
        WriteType(TValueType::vaSet);
        for (size_t I = 0; I < P.Enum->Names.size() && I < 64; ++I)
          if (uint64_t(Value) & (uint64_t(1) << I)) WriteShortString(P.Enum->Names[I]);
        FStream.WriteByte(0);
        break;
      default:
        if (const char* Ident = P.Idents ? P.Idents->ToIdent(Value) : nullptr)
          WriteIdent(Ident);
        else
          WriteInteger(Value);
        break;
    }
  }

  // Items are written without their index, except where the reader could not tell the item's
  // first byte from an index or from the end of the collection: an item with no stored
  // properties, or whose first path is 2 to 4 characters long.
  void WriteCollection(const TCollection& Collection) {
    WriteType(TValueType::vaCollection);
    for (Integer I = 0; I < Collection.Count(); ++I) {
      TMemoryStream Item;
      TComponentWriter(Item, FRoot).WriteProperties(*Collection.Items(I), "");
      const uint8_t First = Item.Size() > 0 ? Item.Memory()[0] : 0;
      if (First == 0 || (First >= TValueType::vaInt8 && First <= TValueType::vaInt32)) WriteInteger(I);
      FStream.WriteBuffer(Item.Memory(), Item.Size());
      WriteType(TValueType::vaNull);
    }
    WriteType(TValueType::vaNull);
  }

  // The root's own name, a component the root owns by its name, one owned deeper as
  // "Owner.Name"; a component outside the root by its owner's and its own name.
  std::string ReferenceName(const TComponent& Target) const {
    if (&Target == &FRoot) return Target.Name();
    std::string Path = Target.Name();
    for (const TComponent* Owner = Target.Owner(); Owner && Owner != &FRoot; Owner = Owner->Owner()) {
      if (Owner->Name().empty()) break;
      Path = Owner->Name() + "." + Path;
    }
    return Target.Name().empty() ? "" : Path;
  }

  TStream& FStream;
  const TComponent& FRoot;
};

}  // namespace

void WriteComponent(TStream& Stream, const TComponent& Instance) {
  Stream.WriteBuffer(ComponentStreamSignature, 4);
  TComponentWriter(Stream, Instance).WriteObject(Instance);
}
