#include "editor/core/skin_history.h"

#include <cstring>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "editor/core/skin_links.h"
#include "framework/core/component_stream.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/skin/theme_dv3source.h"

struct TSkinHistory::TCounter {
  int64_t Bytes = 0;
};

namespace {

using TCounterRef = std::shared_ptr<TSkinHistory::TCounter>;

// A piece keeps the history's byte count honest from its first reference to its last.
class TPiece {
 public:
  TPiece(TCounterRef Counter, int64_t Bytes) : FCounter(std::move(Counter)), FBytes(Bytes) { FCounter->Bytes += Bytes; }
  ~TPiece() { FCounter->Bytes -= FBytes; }
  TPiece(const TPiece&) = delete;
  TPiece& operator=(const TPiece&) = delete;

 private:
  TCounterRef FCounter;
  int64_t FBytes;
};

// Stream bytes: the header, or a top-level object.
struct TBytesPiece : TPiece {
  TBytesPiece(TCounterRef Counter, const std::vector<uint8_t>& Data)
      : TPiece(std::move(Counter), int64_t(Data.size())), Bytes(Data) {}
  bool Same(const std::vector<uint8_t>& Data) const { return Bytes == Data; }
  const std::vector<uint8_t> Bytes;
};

// An image as the list holds it; the pixels are kept raw so that a live image is compared with
// one memcmp and restored with one copy.
struct TImagePiece : TPiece {
  TImagePiece(TCounterRef Counter, const TvxBitmap& Image)
      : TPiece(std::move(Counter), PixelBytes(Image) + int64_t(Image.Name().size())),
        Name(Image.Name()),
        Width(Image.Empty() ? 0 : Image.Width()),
        Height(Image.Empty() ? 0 : Image.Height()),
        Transparent(Image.Transparent()),
        AlphaBlend(Image.AlphaBlend()),
        Pixels(Image.Empty() ? nullptr : Image.Bits(),
               Image.Empty() ? nullptr : Image.Bits() + size_t(PixelBytes(Image) / 4)) {}

  static int64_t PixelBytes(const TvxBitmap& Image) {
    return Image.Empty() ? 0 : int64_t(Image.Width()) * Image.Height() * int64_t(sizeof(TvxColor));
  }

  bool Same(const TvxBitmap& Image) const {
    if (Name != Image.Name() || Transparent != Image.Transparent() || AlphaBlend != Image.AlphaBlend()) return false;
    if (Image.Empty()) return Width == 0;
    return Width == Image.Width() && Height == Image.Height() &&
           std::memcmp(Pixels.data(), Image.Bits(), Pixels.size() * sizeof(TvxColor)) == 0;
  }

  std::unique_ptr<TvxBitmap> Make() const {
    auto Image = std::make_unique<TvxBitmap>();
    if (Width > 0 && Height > 0) {
      Image->SetSize(Width, Height);
      std::memcpy(Image->Bits(), Pixels.data(), Pixels.size() * sizeof(TvxColor));
    }
    Image->SetName(Name);
    Image->SetTransparent(Transparent);
    Image->SetAlphaBlend(AlphaBlend);
    return Image;
  }

  const std::string Name;
  const Integer Width, Height;
  const bool Transparent, AlphaBlend;
  const std::vector<TvxColor> Pixels;
};

using TBytesRef = std::shared_ptr<const TBytesPiece>;
using TImageRef = std::shared_ptr<const TImagePiece>;

// The metadata and the three tables, in the skin files' order.
std::vector<uint8_t> HeaderBytes(const TDvSkinSource& Source) {
  TMemoryStream Stream;
  for (const std::string& Text :
       {Source.SkinName(), Source.SkinVersion(), Source.Author(), Source.AuthorEMail(), Source.AuthorURL()})
    WriteStreamString(Stream, Text);
  Source.Colors().SaveToStream(Stream);
  Source.SysColors().SaveToStream(Stream);
  Source.Fonts().SaveToStream(Stream);
  return Stream.Data();
}

void ReadHeader(const TBytesPiece& Piece, TDvSkinSource& Source) {
  TBufferStream Stream(Piece.Bytes.data(), int64_t(Piece.Bytes.size()));
  Source.SetSkinName(ReadStreamString(Stream));
  Source.SetSkinVersion(ReadStreamString(Stream));
  Source.SetAuthor(ReadStreamString(Stream));
  Source.SetAuthorEMail(ReadStreamString(Stream));
  Source.SetAuthorURL(ReadStreamString(Stream));
  Source.Colors().LoadFromStream(Stream);
  Source.SysColors().LoadFromStream(Stream);
  Source.Fonts().LoadFromStream(Stream);
}

std::vector<uint8_t> ObjectBytes(const TDvSkinObject& Object) {
  TMemoryStream Stream;
  WriteStreamString(Stream, Object.ClassName());
  WriteComponent(Stream, Object);
  return Stream.Data();
}

// Read back exactly as written: unlike a skin file's object record, the fonts keep their
// character set.
std::unique_ptr<TDvSkinObject> MakeObject(const TBytesPiece& Piece) {
  TBufferStream Stream(Piece.Bytes.data(), int64_t(Piece.Bytes.size()));
  const std::string ClassName = ReadStreamString(Stream);
  const TClassInfo* Class = FindSkinObjectClass(ClassName);
  if (!Class) throw EReadError(Format("Unknown skin object class \"%s\"", ClassName.c_str()));
  std::unique_ptr<TDvSkinObject> Object(static_cast<TDvSkinObject*>(Class->Create(nullptr)));
  const TKeepObjectCharsets Keep;
  ReadComponent(Stream, *Object);
  return Object;
}

size_t HashOf(const std::vector<uint8_t>& Bytes) {
  return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(Bytes.data()), Bytes.size()));
}

// For each piece of To, the index of an equal piece of From it can take the place of (-1 for
// none); each piece of From serves once, its own position first.
template <typename TRef>
std::vector<Integer> MatchPieces(const std::vector<TRef>& From, const std::vector<TRef>& To) {
  std::vector<Integer> Match(To.size(), -1);
  std::vector<bool> Used(From.size(), false);
  std::unordered_multimap<const void*, Integer> ByPiece;
  for (size_t I = 0; I < From.size(); ++I) ByPiece.emplace(From[I].get(), Integer(I));
  for (size_t J = 0; J < To.size(); ++J) {
    if (J < From.size() && From[J] == To[J]) {
      Match[J] = Integer(J);
      Used[J] = true;
    }
  }
  for (size_t J = 0; J < To.size(); ++J) {
    if (Match[J] >= 0) continue;
    const auto [First, Last] = ByPiece.equal_range(To[J].get());
    for (auto It = First; It != Last; ++It)
      if (!Used[size_t(It->second)]) {
        Match[J] = It->second;
        Used[size_t(It->second)] = true;
        break;
      }
  }
  return Match;
}

}  // namespace

struct TSkinHistory::TState {
  TBytesRef Header;
  std::vector<TImageRef> Images;
  std::vector<TBytesRef> Objects;
  // The step that led here from the state before.
  std::string Name;
  TEditorPlace Before;
  TEditorPlace After;

  bool SameContent(const TState& Other) const {
    return Header == Other.Header && Images == Other.Images && Objects == Other.Objects;
  }
  int64_t ListBytes() const {
    return int64_t(sizeof(TState) + (Images.size() + Objects.size()) * sizeof(TBytesRef) + Name.size());
  }
};

TSkinHistory::TSkinHistory() : FCounter(std::make_shared<TCounter>()) {}

TSkinHistory::~TSkinHistory() = default;

void TSkinHistory::SetMemoryLimit(int64_t Bytes) {
  FMemoryLimit = Bytes;
  DropOldest();
}

int64_t TSkinHistory::MemoryBytes() const {
  int64_t Bytes = FCounter->Bytes;
  for (const auto& State : FStates)
    if (State) Bytes += State->ListBytes();  // nil while the oldest are dropped
  return Bytes;
}

// [Taking states] ------------------------------------------------------------------------------

std::unique_ptr<TSkinHistory::TState> TSkinHistory::Capture(const TDvSkinSource& Source) const {
  const TState* Current = FCurrent >= 0 ? FStates[size_t(FCurrent)].get() : nullptr;
  auto State = std::make_unique<TState>();

  std::vector<uint8_t> Header = HeaderBytes(Source);
  State->Header = Current && Current->Header->Same(Header) ? Current->Header
                                                           : std::make_shared<const TBytesPiece>(FCounter, Header);

  // An image is looked for where it was taken from last time, then at its own position.
  std::unordered_map<const TvxBitmap*, size_t> LastPlace;
  if (Current)
    for (size_t I = 0; I < FLiveImages.size() && I < Current->Images.size(); ++I) LastPlace.emplace(FLiveImages[I], I);
  const TvxBitmapList& Images = Source.Images();
  State->Images.reserve(size_t(Images.Count()));
  for (Integer I = 0; I < Images.Count(); ++I) {
    const TvxBitmap& Image = *Images.Items(I);
    TImageRef Piece;
    if (Current) {
      if (const auto It = LastPlace.find(&Image); It != LastPlace.end() && Current->Images[It->second]->Same(Image))
        Piece = Current->Images[It->second];
      else if (size_t(I) < Current->Images.size() && Current->Images[size_t(I)]->Same(Image))
        Piece = Current->Images[size_t(I)];
    }
    State->Images.push_back(Piece ? Piece : std::make_shared<const TImagePiece>(FCounter, Image));
  }

  std::unordered_multimap<size_t, size_t> ByHash;
  if (Current)
    for (size_t I = 0; I < Current->Objects.size(); ++I) ByHash.emplace(HashOf(Current->Objects[I]->Bytes), I);
  State->Objects.reserve(size_t(Source.ObjectCount()));
  for (Integer I = 0; I < Source.ObjectCount(); ++I) {
    const std::vector<uint8_t> Bytes = ObjectBytes(*Source.Objects(I));
    TBytesRef Piece;
    const auto [First, Last] = ByHash.equal_range(HashOf(Bytes));
    for (auto It = First; It != Last && !Piece; ++It)
      if (Current->Objects[It->second]->Same(Bytes)) Piece = Current->Objects[It->second];
    State->Objects.push_back(Piece ? Piece : std::make_shared<const TBytesPiece>(FCounter, Bytes));
  }
  return State;
}

void TSkinHistory::RememberLiveImages(const TDvSkinSource& Source) {
  FLiveImages.clear();
  for (Integer I = 0; I < Source.Images().Count(); ++I) FLiveImages.push_back(Source.Images().Items(I));
}

void TSkinHistory::Reset(const TDvSkinSource& Source) {
  FStates.clear();
  FCurrent = -1;
  FLiveImages.clear();
  FStates.push_back(Capture(Source));
  FCurrent = FSaved = 0;
  RememberLiveImages(Source);
}

bool TSkinHistory::Record(const TDvSkinSource& Source, const std::string& Name, const TEditorPlace& Before,
                          const TEditorPlace& After) {
  if (FCurrent < 0) {
    Reset(Source);
    return false;
  }
  std::unique_ptr<TState> State = Capture(Source);
  RememberLiveImages(Source);
  if (State->SameContent(*FStates[size_t(FCurrent)])) return false;
  State->Name = Name;
  State->Before = Before;
  State->After = After;
  FStates.resize(size_t(FCurrent) + 1);
  if (FSaved > FCurrent) FSaved = -1;  // the saved state was a redo step, now gone
  FStates.push_back(std::move(State));
  ++FCurrent;
  DropOldest();
  return true;
}

void TSkinHistory::DropOldest() {
  Integer Dropped = 0;
  while (FCurrent - Dropped > 0 && MemoryBytes() > FMemoryLimit) {
    FStates[size_t(Dropped)].reset();  // frees its pieces now, so the count follows
    ++Dropped;
  }
  if (Dropped == 0) return;
  FStates.erase(FStates.begin(), FStates.begin() + Dropped);
  FCurrent -= Dropped;
  FSaved = FSaved >= Dropped ? FSaved - Dropped : -1;
}

std::string TSkinHistory::UndoName() const { return CanUndo() ? FStates[size_t(FCurrent)]->Name : std::string(); }

std::string TSkinHistory::RedoName() const { return CanRedo() ? FStates[size_t(FCurrent) + 1]->Name : std::string(); }

// [Undo and redo] ------------------------------------------------------------------------------

void TSkinHistory::Absorb(const TDvSkinSource& Source) {
  if (FCurrent < 0) return Reset(Source);
  std::unique_ptr<TState> Live = Capture(Source);
  TState& Current = *FStates[size_t(FCurrent)];
  if (!Live->SameContent(Current)) {
    Current.Header = std::move(Live->Header);
    Current.Images = std::move(Live->Images);
    Current.Objects = std::move(Live->Objects);
  }
  RememberLiveImages(Source);
}

std::optional<TEditorPlace> TSkinHistory::Undo(TDvSkinSource& Source) {
  if (!CanUndo()) return std::nullopt;
  const TEditorPlace Place = FStates[size_t(FCurrent)]->Before;
  MoveTo(Source, FCurrent - 1);
  return Place;
}

std::optional<TEditorPlace> TSkinHistory::Redo(TDvSkinSource& Source) {
  if (!CanRedo()) return std::nullopt;
  MoveTo(Source, FCurrent + 1);
  return FStates[size_t(FCurrent)]->After;
}

void TSkinHistory::MoveTo(TDvSkinSource& Source, Integer Target) {
  Absorb(Source);
  const TState& From = *FStates[size_t(FCurrent)];
  const TState& To = *FStates[size_t(Target)];

  // Everything new is made before the source is touched: a failure leaves it as it was.
  const std::vector<Integer> ImageMatch = MatchPieces(From.Images, To.Images);
  const std::vector<Integer> ObjectMatch = MatchPieces(From.Objects, To.Objects);
  std::vector<std::unique_ptr<TvxBitmap>> NewImages(To.Images.size());
  for (size_t J = 0; J < To.Images.size(); ++J)
    if (ImageMatch[J] < 0) NewImages[J] = To.Images[J]->Make();
  std::vector<std::unique_ptr<TDvSkinObject>> NewObjects(To.Objects.size());
  for (size_t J = 0; J < To.Objects.size(); ++J)
    if (ObjectMatch[J] < 0) NewObjects[J] = MakeObject(*To.Objects[J]);

  TvxBitmapList& Images = Source.Images();
  std::vector<std::unique_ptr<TvxBitmap>> OldImages(size_t(Images.Count()));
  for (Integer I = Images.Count() - 1; I >= 0; --I) OldImages[size_t(I)] = Images.Delete(I);
  bool ImagesMoved = To.Images.size() != From.Images.size();
  for (size_t J = 0; J < To.Images.size(); ++J) {
    ImagesMoved = ImagesMoved || ImageMatch[J] != Integer(J);
    Images.Add(ImageMatch[J] >= 0 ? std::move(OldImages[size_t(ImageMatch[J])]) : std::move(NewImages[J]));
  }

  std::vector<std::unique_ptr<TDvSkinObject>> OldObjects;
  while (Source.ObjectCount() > 0) OldObjects.push_back(Source.RemoveObject(Source.Objects(0)));
  for (size_t J = 0; J < To.Objects.size(); ++J) {
    if (ObjectMatch[J] >= 0) {
      TDvSkinObject* Kept = OldObjects[size_t(ObjectMatch[J])].get();
      Source.AddObject(std::move(OldObjects[size_t(ObjectMatch[J])]));
      // Links of a kept tree may point at images that are gone or moved.
      if (ImagesMoved) RebindLinks(*Kept, Images);
    } else {
      TDvSkinObject* Made = NewObjects[J].get();
      Source.AddObject(std::move(NewObjects[J]));
      Made->SetImageList(&Images);
      Made->UpdateLinks();
    }
  }
  if (To.Header != From.Header) ReadHeader(*To.Header, Source);

  FCurrent = Target;
  RememberLiveImages(Source);
}
