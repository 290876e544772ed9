#include "tools/msstylegen/msstylegen_pe.h"

#include <algorithm>
#include <stdexcept>

namespace msstylegen {

namespace {

// The platform looks names up by binary search: string names first, sorted by their upper-cased
// UTF-16 units (ASCII here, so bytes sort the same), then numbers ascending.
struct TKey {
  bool Numbered;
  std::string Text;
  uint16_t Number;
  bool operator<(const TKey& Other) const {
    if (Numbered != Other.Numbered) return !Numbered;
    return Numbered ? Number < Other.Number : Text < Other.Text;
  }
  bool operator==(const TKey& Other) const { return !(*this < Other) && !(Other < *this); }
};

TKey KeyOf(const TPeId& Id) {
  if (Id.Number) return {true, {}, *Id.Number};
  std::string Upper;
  for (char C : Id.Text) {
    if (static_cast<unsigned char>(C) >= 0x80) throw std::invalid_argument("resource names are ASCII: " + Id.Text);
    Upper += (C >= 'a' && C <= 'z') ? char(C - 32) : C;
  }
  if (Upper.empty()) throw std::invalid_argument("a resource name is empty");
  return {false, Upper, 0};
}

struct TItem {
  TKey Type, Name;
  uint16_t Language;
  const std::vector<uint8_t>* Data;
};

void Put16(std::vector<uint8_t>& B, size_t At, uint32_t V) {
  B[At] = uint8_t(V);
  B[At + 1] = uint8_t(V >> 8);
}
void Put32(std::vector<uint8_t>& B, size_t At, uint32_t V) {
  for (int I = 0; I < 4; ++I) B[At + I] = uint8_t(V >> (8 * I));
}
void Put64(std::vector<uint8_t>& B, size_t At, uint64_t V) {
  for (int I = 0; I < 8; ++I) B[At + I] = uint8_t(V >> (8 * I));
}
size_t Align(size_t V, size_t A) { return (V + A - 1) / A * A; }

// One directory table: its place and its entries (key, and the place its entry points at).
struct TDirectory {
  size_t At = 0;
  std::vector<std::pair<TKey, size_t>> Entries;
  std::vector<bool> ToDirectory;
};

std::vector<uint8_t> BuildSection(std::vector<TItem> Items) {
  std::sort(Items.begin(), Items.end(), [](const TItem& A, const TItem& B) {
    if (!(A.Type == B.Type)) return A.Type < B.Type;
    if (!(A.Name == B.Name)) return A.Name < B.Name;
    return A.Language < B.Language;
  });
  for (size_t I = 1; I < Items.size(); ++I)
    if (Items[I].Type == Items[I - 1].Type && Items[I].Name == Items[I - 1].Name &&
        Items[I].Language == Items[I - 1].Language)
      throw std::invalid_argument("a resource is given twice: " + Items[I].Name.Text);

  // Group into type -> name -> language index ranges.
  struct TName {
    TKey Key;
    std::vector<size_t> Items;
  };
  struct TType {
    TKey Key;
    std::vector<TName> Names;
  };
  std::vector<TType> Types;
  for (size_t I = 0; I < Items.size(); ++I) {
    if (Types.empty() || !(Types.back().Key == Items[I].Type)) Types.push_back({Items[I].Type, {}});
    std::vector<TName>& Names = Types.back().Names;
    if (Names.empty() || !(Names.back().Key == Items[I].Name)) Names.push_back({Items[I].Name, {}});
    Names.back().Items.push_back(I);
  }

  // Layout: every directory, then the data entries, the name strings, and the data.
  size_t Cursor = 16 + 8 * Types.size();
  std::vector<size_t> TypeAt, LanguageAt, EntryAt(Items.size()), DataAt(Items.size());
  for (const TType& T : Types) {
    TypeAt.push_back(Cursor);
    Cursor += 16 + 8 * T.Names.size();
  }
  for (const TType& T : Types)
    for (const TName& N : T.Names) {
      LanguageAt.push_back(Cursor);
      Cursor += 16 + 8 * N.Items.size();
    }
  for (size_t I = 0; I < Items.size(); ++I) {
    EntryAt[I] = Cursor;
    Cursor += 16;
  }
  std::vector<std::pair<std::string, size_t>> Strings;
  auto StringAt = [&](const TKey& K) -> size_t {
    for (const auto& [Text, At] : Strings)
      if (Text == K.Text) return At;
    Strings.push_back({K.Text, Cursor});
    Cursor += 2 + 2 * K.Text.size();
    return Strings.back().second;
  };
  std::vector<size_t> TypeNameAt, NameNameAt;
  for (const TType& T : Types) {
    TypeNameAt.push_back(T.Key.Numbered ? 0 : StringAt(T.Key));
    for (const TName& N : T.Names) NameNameAt.push_back(N.Key.Numbered ? 0 : StringAt(N.Key));
  }
  for (size_t I = 0; I < Items.size(); ++I) {
    Cursor = Align(Cursor, 8);
    DataAt[I] = Cursor;
    Cursor += Items[I].Data->size();
  }
  std::vector<uint8_t> S(Align(Cursor, 8), 0);

  auto WriteHeader = [&](size_t At, const auto& Keys) {
    size_t Named = 0, Numbered = 0;
    for (const TKey& K : Keys) (K.Numbered ? Numbered : Named)++;
    Put16(S, At + 12, uint32_t(Named));
    Put16(S, At + 14, uint32_t(Numbered));
  };
  auto WriteEntry = [&](size_t At, const TKey& K, size_t NameAt, uint32_t Target) {
    Put32(S, At, K.Numbered ? K.Number : uint32_t(0x80000000u | NameAt));
    Put32(S, At + 4, Target);
  };
  std::vector<TKey> Keys;
  for (const TType& T : Types) Keys.push_back(T.Key);
  WriteHeader(0, Keys);
  size_t NameIndex = 0;
  for (size_t TI = 0; TI < Types.size(); ++TI) {
    const TType& T = Types[TI];
    WriteEntry(16 + 8 * TI, T.Key, TypeNameAt[TI], uint32_t(0x80000000u | TypeAt[TI]));
    Keys.clear();
    for (const TName& N : T.Names) Keys.push_back(N.Key);
    WriteHeader(TypeAt[TI], Keys);
    for (size_t NI = 0; NI < T.Names.size(); ++NI, ++NameIndex) {
      const TName& N = T.Names[NI];
      const size_t Languages = LanguageAt[NameIndex];
      WriteEntry(TypeAt[TI] + 16 + 8 * NI, N.Key, NameNameAt[NameIndex], uint32_t(0x80000000u | Languages));
      Put16(S, Languages + 14, uint32_t(N.Items.size()));
      for (size_t LI = 0; LI < N.Items.size(); ++LI) {
        const size_t Item = N.Items[LI];
        WriteEntry(Languages + 16 + 8 * LI, TKey{true, {}, Items[Item].Language}, 0, uint32_t(EntryAt[Item]));
        Put32(S, EntryAt[Item], uint32_t(PeResourceRva + DataAt[Item]));
        Put32(S, EntryAt[Item] + 4, uint32_t(Items[Item].Data->size()));
        std::copy(Items[Item].Data->begin(), Items[Item].Data->end(), S.begin() + ptrdiff_t(DataAt[Item]));
      }
    }
  }
  for (const auto& [Text, At] : Strings) {
    Put16(S, At, uint32_t(Text.size()));
    for (size_t I = 0; I < Text.size(); ++I) Put16(S, At + 2 + 2 * I, uint8_t(Text[I]));
  }
  return S;
}

}  // namespace

std::vector<uint8_t> BuildResourceModule(const std::vector<TPeResource>& Resources) {
  std::vector<TItem> Items;
  for (const TPeResource& R : Resources) Items.push_back({KeyOf(R.Type), KeyOf(R.Name), R.Language, &R.Data});
  const std::vector<uint8_t> Section = BuildSection(std::move(Items));
  if (Section.size() > 0x7FFF0000u) throw std::invalid_argument("the resources are too large for a module");

  constexpr size_t FileAlignment = 0x200, SectionAlignment = 0x1000;
  constexpr size_t Pe = 0x40, Optional = Pe + 24, OptionalSize = 240, Table = Optional + OptionalSize;
  static_assert(Table + 40 <= PeResourceFileOffset);
  const size_t RawSize = Align(Section.size(), FileAlignment);
  std::vector<uint8_t> B(PeResourceFileOffset + RawSize, 0);

  B[0] = 'M';
  B[1] = 'Z';
  Put32(B, 0x3C, Pe);
  B[Pe] = 'P';
  B[Pe + 1] = 'E';
  Put16(B, Pe + 4, 0x8664);      // AMD64
  Put16(B, Pe + 6, 1);           // one section
  Put16(B, Pe + 20, OptionalSize);
  Put16(B, Pe + 22, 0x2022);     // executable image, large-address aware, DLL

  Put16(B, Optional, 0x20B);     // PE32+
  Put32(B, Optional + 8, uint32_t(RawSize));           // initialized data
  Put64(B, Optional + 24, 0x180000000ull);             // image base
  Put32(B, Optional + 32, SectionAlignment);
  Put32(B, Optional + 36, FileAlignment);
  Put16(B, Optional + 40, 6);                          // operating system 6.0
  Put16(B, Optional + 48, 6);                          // subsystem 6.0
  Put32(B, Optional + 56, uint32_t(PeResourceRva + Align(Section.size(), SectionAlignment)));
  Put32(B, Optional + 60, PeResourceFileOffset);       // size of headers
  Put16(B, Optional + 68, 2);                          // GUI subsystem
  Put16(B, Optional + 70, 0x0100);                     // NX compatible
  Put64(B, Optional + 72, 0x100000);
  Put64(B, Optional + 80, 0x1000);
  Put64(B, Optional + 88, 0x100000);
  Put64(B, Optional + 96, 0x1000);
  Put32(B, Optional + 108, 16);                        // data directories
  Put32(B, Optional + 112 + 2 * 8, PeResourceRva);
  Put32(B, Optional + 112 + 2 * 8 + 4, uint32_t(Section.size()));

  const char Name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  std::copy(Name, Name + 8, B.begin() + Table);
  Put32(B, Table + 8, uint32_t(Section.size()));
  Put32(B, Table + 12, PeResourceRva);
  Put32(B, Table + 16, uint32_t(RawSize));
  Put32(B, Table + 20, PeResourceFileOffset);
  Put32(B, Table + 36, 0x40000040u);                   // initialized data, readable

  std::copy(Section.begin(), Section.end(), B.begin() + PeResourceFileOffset);
  return B;
}

std::optional<size_t> DataEntryOffset(const std::vector<uint8_t>& Module, const TPeId& Type, const TPeId& Name) {
  auto U16At = [&](size_t At) { return uint32_t(Module.at(At) | Module.at(At + 1) << 8); };
  auto U32At = [&](size_t At) { return U16At(At) | U16At(At + 2) << 16; };
  auto KeyAt = [&](uint32_t Raw) {
    if (!(Raw & 0x80000000u)) return TKey{true, {}, uint16_t(Raw)};
    const size_t At = PeResourceFileOffset + (Raw & 0x7FFFFFFFu);
    std::string Text;
    for (uint32_t I = 0, N = U16At(At); I < N; ++I) Text += char(U16At(At + 2 + 2 * I));
    return TKey{false, Text, 0};
  };
  // The entry of Wanted in the directory at Directory (section-relative), as its target.
  auto Lookup = [&](size_t Directory, const TKey& Wanted) -> std::optional<uint32_t> {
    const size_t At = PeResourceFileOffset + Directory;
    const uint32_t Count = U16At(At + 12) + U16At(At + 14);
    for (uint32_t I = 0; I < Count; ++I)
      if (KeyAt(U32At(At + 16 + 8 * I)) == Wanted) return U32At(At + 16 + 8 * I + 4);
    return std::nullopt;
  };
  const auto Names = Lookup(0, KeyOf(Type));
  if (!Names) return std::nullopt;
  const auto Languages = Lookup(*Names & 0x7FFFFFFFu, KeyOf(Name));
  if (!Languages) return std::nullopt;
  const size_t At = PeResourceFileOffset + (*Languages & 0x7FFFFFFFu);
  if (U16At(At + 12) + U16At(At + 14) == 0) return std::nullopt;
  return PeResourceFileOffset + U32At(At + 16 + 4);
}

}  // namespace msstylegen
