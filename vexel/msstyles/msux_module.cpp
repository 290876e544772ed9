#include "vexel/msstyles/msux_module.h"

#include <charconv>
#include <set>

#include "framework/core/byte_order.h"
#include "framework/core/classes.h"
#include "framework/core/sysutils.h"

namespace {

struct TSection {
  uint32_t Va, Extent, RawOffset;
};

// Names are ASCII in practice; anything else keeps its characters as UTF-8.
std::string NarrowName(const uint8_t* Units, uint32_t Count) {
  std::string Result;
  for (uint32_t I = 0; I < Count; ++I) {
    uint32_t Code = U16(Units + 2 * I);
    if (Code >= 0xD800 && Code < 0xDC00 && I + 1 < Count) {
      const uint32_t Low = U16(Units + 2 * (I + 1));
      if (Low >= 0xDC00 && Low < 0xE000) {
        Code = 0x10000 + ((Code - 0xD800) << 10) + (Low - 0xDC00);
        ++I;
      }
    }
    if (Code < 0x80) {
      Result += char(Code);
    } else if (Code < 0x800) {
      Result += char(0xC0 | Code >> 6);
      Result += char(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
      Result += char(0xE0 | Code >> 12);
      Result += char(0x80 | (Code >> 6 & 0x3F));
      Result += char(0x80 | (Code & 0x3F));
    } else {
      Result += char(0xF0 | Code >> 18);
      Result += char(0x80 | (Code >> 12 & 0x3F));
      Result += char(0x80 | (Code >> 6 & 0x3F));
      Result += char(0x80 | (Code & 0x3F));
    }
  }
  return Result;
}

// "#123" names resource number 123, as the platform's look-up reads it.
std::optional<uint16_t> NumberOf(const TmsuxResId& Id) {
  if (Id.Number) return Id.Number;
  if (Id.Text.size() < 2 || Id.Text[0] != '#') return std::nullopt;
  unsigned Value = 0;
  const char* End = Id.Text.data() + Id.Text.size();
  const auto [Ptr, Error] = std::from_chars(Id.Text.data() + 1, End, Value);
  if (Error != std::errc() || Ptr != End || Value > 0xFFFF) return std::nullopt;
  return uint16_t(Value);
}

bool Matches(const TmsuxResId& Stored, const TmsuxResId& Wanted) {
  const std::optional<uint16_t> Number = NumberOf(Wanted);
  if (Number) return Stored.Number == Number;
  return !Stored.Number && SameText(Stored.Text, Wanted.Text);
}

// Every read goes through Map, which turns an RVA range into a file offset or fails.
class TResourceWalker {
 public:
  TResourceWalker(const std::vector<uint8_t>& Bytes, const std::vector<TSection>& Sections, uint32_t Root)
      : FBytes(Bytes), FSections(Sections), FRoot(Root), FEntryBudget(Bytes.size() / 8) {}

  template <class TAdd>
  void Walk(TAdd Add) {
    ForEachEntry(0, [&](const TmsuxResId& Type, uint32_t TypeTarget) {
      const uint32_t TypeDir = Subdirectory(TypeTarget);
      ForEachEntry(TypeDir, [&](const TmsuxResId& Name, uint32_t NameTarget) {
        const uint32_t LanguageDir = Subdirectory(NameTarget);
        bool First = true;
        ForEachEntry(LanguageDir, [&](const TmsuxResId&, uint32_t LanguageTarget) {
          if (LanguageTarget & 0x80000000u) throw Reason("a language entry points at a directory");
          const uint8_t* Data = At(uint64_t(FRoot) + LanguageTarget, 16);
          const uint32_t DataRva = U32(Data), Size = U32(Data + 4);
          const uint32_t Offset = Size ? uint32_t(Map(DataRva, Size)) : 0;
          if (First) Add(Type, Name, Offset, Size);
          First = false;
        });
      });
    });
  }

  struct Reason {
    explicit Reason(std::string Why) : Text(std::move(Why)) {}
    std::string Text;
  };

  uint64_t Map(uint64_t Rva, uint64_t Length) const {
    for (const TSection& Section : FSections) {
      if (Rva < Section.Va) continue;
      // An empty range may sit at the very end (a directory without entries).
      const uint64_t Into = Rva - Section.Va;
      if (Into > Section.Extent || (Into == Section.Extent && Length > 0)) continue;
      if (Length > Section.Extent - Into) break;
      const uint64_t Offset = uint64_t(Section.RawOffset) + Into;
      if (Offset + Length > FBytes.size()) throw Reason("resource data runs past the end of the file");
      return Offset;
    }
    throw Reason(Format("RVA 0x%llx (%llu bytes) lies outside every section", (unsigned long long)Rva,
                        (unsigned long long)Length));
  }

 private:
  const std::vector<uint8_t>& FBytes;
  const std::vector<TSection>& FSections;
  uint32_t FRoot;
  uint64_t FEntryBudget;
  std::set<uint32_t> FVisited;

  const uint8_t* At(uint64_t Rva, uint64_t Length) const { return FBytes.data() + Map(Rva, Length); }

  uint32_t Subdirectory(uint32_t Target) const {
    if (!(Target & 0x80000000u)) throw Reason("a type or name entry points at data instead of a directory");
    return Target & 0x7FFFFFFFu;
  }

  TmsuxResId IdOf(uint32_t Raw) const {
    if (Raw & 0x80000000u) {
      const uint64_t Rva = uint64_t(FRoot) + (Raw & 0x7FFFFFFFu);
      const uint16_t Count = U16(At(Rva, 2));
      // Every entry keeps its own copy of its names: long ones would multiply the file many times.
      if (Count > msuxMaxResourceName) throw Reason("a resource name is longer than 256 characters");
      return TmsuxResId::Named(NarrowName(At(Rva + 2, uint64_t(Count) * 2), Count));
    }
    if (Raw > 0xFFFF) throw Reason("a resource number is out of range");
    return TmsuxResId::Id(uint16_t(Raw));
  }

  // Each directory once (a loop or a shared directory would multiply the work), and never more
  // entries in all than distinct 8-byte records the file could hold.
  template <class TVisit>
  void ForEachEntry(uint32_t Directory, TVisit Visit) {
    if (!FVisited.insert(Directory).second) throw Reason("the resource directory loops");
    const uint64_t Rva = uint64_t(FRoot) + Directory;
    const uint8_t* Header = At(Rva, 16);
    const uint64_t Count = uint64_t(U16(Header + 12)) + U16(Header + 14);
    if (Count > FEntryBudget) throw Reason("the resource directory claims more entries than the file holds");
    FEntryBudget -= Count;
    const uint8_t* Entries = At(Rva + 16, Count * 8);
    for (uint64_t I = 0; I < Count; ++I) {
      const uint8_t* Entry = Entries + I * 8;
      Visit(IdOf(U32(Entry)), U32(Entry + 4));
    }
  }
};

}  // namespace

TmsuxModule::TmsuxModule(const std::string& FileName, uint64_t MaxSize) : FOrigin(FileName) {
  try {
    TFileStream Stream(FileName, TFileMode::fmOpenRead);
    const int64_t Size = Stream.Size();
    if (Size < 0 || uint64_t(Size) > MaxSize)
      Fail(Format("the file is larger than %llu bytes", (unsigned long long)MaxSize));
    FBytes.resize(size_t(Size));
    Stream.ReadBuffer(FBytes.data(), Size);
  } catch (const EmsuxModuleError&) {
    throw;
  } catch (const Exception& Error) {
    Fail(Error.Message());
  }
  Check(MaxSize);
}

TmsuxModule::TmsuxModule(std::vector<uint8_t> Bytes, const std::string& Origin, uint64_t MaxSize)
    : FBytes(std::move(Bytes)), FOrigin(Origin) {
  Check(MaxSize);
}

void TmsuxModule::Fail(const std::string& Why) const {
  throw EmsuxModuleError("Cannot load module " + FOrigin + ": " + Why);
}

void TmsuxModule::Check(uint64_t MaxSize) {
  const uint64_t Size = FBytes.size();
  if (Size > MaxSize) Fail(Format("the file is larger than %llu bytes", (unsigned long long)MaxSize));
  const uint8_t* B = FBytes.data();
  if (Size < 64 || B[0] != 'M' || B[1] != 'Z') Fail("not a module (no MZ header)");
  const uint64_t Pe = U32(B + 0x3C);
  if (Pe + 24 > Size) Fail("truncated headers");
  if (B[Pe] != 'P' || B[Pe + 1] != 'E' || B[Pe + 2] != 0 || B[Pe + 3] != 0) Fail("no PE signature");
  const uint64_t SectionCount = U16(B + Pe + 6);
  const uint64_t OptionalSize = U16(B + Pe + 20);
  const uint64_t Optional = Pe + 24;
  if (Optional + OptionalSize > Size || OptionalSize < 2) Fail("truncated headers");
  // PE32 and PE32+ differ only in where the data directories start.
  const uint16_t Magic = U16(B + Optional);
  uint64_t CountAt;
  if (Magic == 0x10B)
    CountAt = 92;
  else if (Magic == 0x20B)
    CountAt = 108;
  else
    Fail("unknown optional header");
  if (CountAt + 4 > OptionalSize) Fail("truncated headers");
  const uint64_t DirectoryCount = U32(B + Optional + CountAt);
  const uint64_t ResourceEntry = CountAt + 4 + 2 * 8;
  if (DirectoryCount < 3 || ResourceEntry + 8 > OptionalSize) Fail("no resource directory");
  const uint32_t ResourceRva = U32(B + Optional + ResourceEntry);
  if (ResourceRva == 0 || U32(B + Optional + ResourceEntry + 4) == 0) Fail("no resource directory");

  const uint64_t Table = Optional + OptionalSize;
  if (Table + SectionCount * 40 > Size) Fail("truncated section table");
  std::vector<TSection> Sections;
  for (uint64_t I = 0; I < SectionCount; ++I) {
    const uint8_t* S = B + Table + I * 40;
    const uint32_t VirtualSize = U32(S + 8), RawSize = U32(S + 16);
    // Only what the file backs can be read: a section's loaded part that is not in the file
    // would be zeros, and resources never live there.
    const uint32_t Extent = VirtualSize ? std::min(VirtualSize, RawSize) : RawSize;
    Sections.push_back({U32(S + 12), Extent, U32(S + 20)});
  }

  TResourceWalker Walker(FBytes, Sections, ResourceRva);
  try {
    Walker.Walk([&](const TmsuxResId& Type, const TmsuxResId& Name, uint32_t Offset, uint32_t Length) {
      FEntries.push_back({Type, Name, Offset, Length});
    });
  } catch (const TResourceWalker::Reason& Error) {
    FEntries.clear();
    Fail(Error.Text);
  }
}

std::optional<std::span<const uint8_t>> TmsuxModule::Find(const TmsuxResId& Type, const TmsuxResId& Name) const {
  for (const TEntry& Entry : FEntries)
    if (Matches(Entry.Type, Type) && Matches(Entry.Name, Name))
      return std::span<const uint8_t>(FBytes.data() + Entry.Offset, Entry.Size);
  return std::nullopt;
}

std::vector<std::string> TmsuxModule::Names(const TmsuxResId& Type) const {
  std::vector<std::string> Result;
  for (const TEntry& Entry : FEntries)
    if (Matches(Entry.Type, Type))
      Result.push_back(Entry.Name.Number ? "#" + std::to_string(*Entry.Name.Number) : Entry.Name.Text);
  return Result;
}
