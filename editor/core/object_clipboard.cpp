#include "editor/core/object_clipboard.h"

#include "vexel/graphics/vx_utils.h"
#include "vexel/skin/theme_dv3objects.h"

std::string FreeObjectName(const std::string& Name, const std::function<bool(const std::string&)>& Taken) {
  if (!Taken(Name)) return Name;
  for (Integer Number = 2;; ++Number)
    if (std::string Candidate = Name + std::to_string(Number); !Taken(Candidate)) return Candidate;
}

std::string EncodeClipboardObject(const TDvSkinObject& Object) {
  std::unique_ptr<TDvSkinObject> Clone(CloneSkinObject(Object, nullptr));
  if (!Clone) throw Exception(Format("Cannot copy an object of class %s", Object.ClassName()));
  Clone->SetName("CopyOf" + Object.Name());
  TMemoryStream Record;
  WriteStreamString(Record, Clone->ClassName());
  WriteStreamString(Record, ObjectTextForm(*Clone));
  const std::string Body(Record.Data().begin(), Record.Data().end());
  return std::to_string(Body.size()) + "@" + Body;
}

std::string_view ClipboardRecord(std::string_view Block) {
  const size_t At = Block.find('@');
  if (At == std::string_view::npos || At == 0) throw EInvalidClipboardFormat();
  const size_t Available = Block.size() - At - 1;
  size_t Length = 0;
  for (size_t I = 0; I < At; ++I) {
    const char C = Block[I];
    if (C < '0' || C > '9') throw EInvalidClipboardFormat();
    Length = Length * 10 + size_t(C - '0');
    // Checked as it grows, so a long run of digits cannot overflow.
    if (Length > Available) throw EInvalidClipboardFormat();
  }
  if (Length == 0) throw EInvalidClipboardFormat();
  return Block.substr(At + 1, Length);
}

TDvSkinObject* ReadClipboardObject(std::string_view Block, TComponent* Owner) {
  const std::string_view Record = ClipboardRecord(Block);
  std::unique_ptr<TDvSkinObject> Object;
  try {
    TBufferStream Data(Record.data(), int64_t(Record.size()));
    Object = ReadSkinObjectRecord(Data, false);
    if (Owner) {
      // Pasting the same copy again: the next free number, as a user expects.
      Object->SetName(FreeObjectName(
          Object->Name(), [Owner](const std::string& Name) { return Owner->FindComponent(Name) != nullptr; }));
      Owner->InsertComponent(Object.get());
    }
  } catch (const Exception&) {
    throw EInvalidClipboardFormat();
  }
  return Object.release();
}
