// Writes components in the binary stream form.
#include <cstring>

#include "framework/core/component_stream.h"

namespace {

class TComponentWriter {
 public:
  explicit TComponentWriter(TStream& Stream) : FStream(Stream) {}

  void WriteObject(const TComponent& Instance) {
    WriteShortString(Instance.ClassName());
    WriteShortString(Instance.Name());
    WriteProperties(Instance, "");
    WriteType(TValueType::vaNull);
    // Objects keep their children in properties of their own, so the object list stays empty.
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
      TMemoryStream Data;
      D->Write(&Object, Data);
      WriteShortString(Prefix + D->Name);
      WriteType(TValueType::vaBinary);
      FStream.WriteInt32(int32_t(Data.Size()));
      FStream.WriteBuffer(Data.Memory(), Data.Size());
    }
  }

  void WriteProperty(const TPersistent& Object, const TPropInfo& P, const std::string& Prefix) {
    const std::string Path = Prefix + P.Name;
    if (P.Kind == TPropKind::pkClass) {
      if (const TPersistent* Inner = P.GetObject(&Object)) WriteProperties(*Inner, Path + ".");
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
      case TPropKind::pkBoolean:
        WriteType(Value ? TValueType::vaTrue : TValueType::vaFalse);
        break;
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

  TStream& FStream;
};

}  // namespace

void WriteComponent(TStream& Stream, const TComponent& Instance) {
  Stream.WriteBuffer(ComponentStreamSignature, 4);
  TComponentWriter(Stream).WriteObject(Instance);
}
