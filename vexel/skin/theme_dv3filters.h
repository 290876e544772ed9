// Skin filters: the four container variants of skin files. A filter is made for one read or
// write of a TDvSkinSource and freed afterwards; the registry picks the variant by file
// extension, by the tag at the start of a stream, or falls back to DefaultSkinFilter.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "framework/core/classes.h"

class TDvSkinSource;
class TDvSkinFilter;

// Which tables a skin's content carried after its objects.
enum class TDvSkinTables { stAll, stNoSysColors, stNone };

// A filter class: makes a new filter of its variant.
using TDvSkinFilterClass = std::unique_ptr<TDvSkinFilter> (*)();

class TDvSkinFilter {
 public:
  virtual ~TDvSkinFilter() = default;
  void SetSource(TDvSkinSource* Source) { FSource = Source; }
  TDvSkinSource* Source() const { return FSource; }
  // Four letters and a zero byte.
  const std::array<char, 5>& FileTag() const { return FFileTag; }
  virtual std::string GetExtension() const { return ""; }
  virtual std::string GetDescription() const { return ""; }

  // The content: metadata, images, objects and tables. Nothing without a source. Reading
  // clears the source first; data that ends early or says more than it holds raises an
  // error (the source is then partly filled).
  virtual void ReadContent(TStream& Stream);
  virtual void WriteContent(TStream& Stream) const;
  // The container: optional tag, then the content (compressed variants: "ZQLZ" and zlib).
  void LoadFromStream(TStream& Stream);
  void SaveToStream(TStream& Stream) const;
  // After a read: the tables the content carried (none: derived from the objects).
  TDvSkinTables TablesRead() const { return FTablesRead; }

 protected:
  explicit TDvSkinFilter(const char* Tag);
  // 0 for none, else the zlib level (-1 is zlib's default).
  virtual bool Compressed() const { return false; }
  virtual int CompressionLevel() const { return 0; }
  // Objects as binary component streams and images with their two flag bytes ("mskn").
  virtual bool BinaryObjects() const { return false; }

 private:
  void ReadImages(TStream& Stream);
  void ReadObjectRecord(TStream& Stream, bool Binary);
  void WriteObjectsAndTables(TStream& Stream) const;
  TDvSkinSource* FSource = nullptr;
  std::array<char, 5> FFileTag;
  TDvSkinTables FTablesRead = TDvSkinTables::stAll;
};

class TDvSkinFilterUncompressed : public TDvSkinFilter {
 public:
  TDvSkinFilterUncompressed() : TDvSkinFilter("_UCT") {}
  std::string GetExtension() const override { return "uskn"; }
  std::string GetDescription() const override { return "Uncompressed Skin"; }
};

class TDvSkinFilterCompressed : public TDvSkinFilter {
 public:
  TDvSkinFilterCompressed() : TDvSkinFilter("_DCT") {}
  std::string GetExtension() const override { return "kskn"; }
  std::string GetDescription() const override { return "Compressed Skin"; }

 protected:
  bool Compressed() const override { return true; }
  int CompressionLevel() const override { return 1; }
};

class TDvSkinFilterUltraCompressed : public TDvSkinFilter {
 public:
  TDvSkinFilterUltraCompressed() : TDvSkinFilter("_TCT") {}
  std::string GetExtension() const override { return "xskn"; }
  std::string GetDescription() const override { return "Ultra Compressed Skin"; }

 protected:
  explicit TDvSkinFilterUltraCompressed(const char* Tag) : TDvSkinFilter(Tag) {}
  bool Compressed() const override { return true; }
  int CompressionLevel() const override { return -1; }
};

class TDvSkinFilterMaxCompression : public TDvSkinFilterUltraCompressed {
 public:
  TDvSkinFilterMaxCompression() : TDvSkinFilterUltraCompressed("_MCT") {}
  std::string GetExtension() const override { return "mskn"; }
  std::string GetDescription() const override { return "Maximum Compressed"; }

 protected:
  bool BinaryObjects() const override { return true; }
};

template <typename TFilter>
std::unique_ptr<TDvSkinFilter> MakeSkinFilter() {
  return std::make_unique<TFilter>();
}

// The four variants in registry order.
const std::array<TDvSkinFilterClass, 4>& SkinFilters();
TDvSkinFilterClass DefaultSkinFilter();
void SetDefaultSkinFilter(TDvSkinFilterClass Class);
// By the extension after the last "." of the name (letter case ignored); nil when none fits.
TDvSkinFilterClass FindFilterByExtension(const std::string& FileName);
// By the first five bytes; the position is always restored.
TDvSkinFilterClass FindFilterByTag(TStream& Stream);
// "Uncompressed Skin (*.uskn)|*.uskn|..." for file dialogs.
std::string GetSkinFilterString();

// Most children per object and top-level objects per file; most images in "mskn".
constexpr int32_t MaxSkinObjectCount = 0xFFFF;
constexpr int32_t MaxBinaryImageCount = 0xFFF;
// Most bytes the content of a compressed file may inflate to: a few bytes cannot claim gigabytes.
constexpr int64_t MaxSkinContentSize = int64_t(256) << 20;
