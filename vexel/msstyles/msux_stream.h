// The stream form of a visual-style theme: the 7-byte mark "ZQMSSTL", then one zlib stream
// (level 1) holding the style name, the ini text, and the images each as its stored record, its
// name again and its Transparent and AlphaBlend bytes. Portable.
#pragma once

#include <memory>
#include <string>

#include "framework/core/classes.h"
#include "vexel/graphics/vx_bitmaplist.h"

// The 7-byte mark that starts the stream form (no terminator).
constexpr char msuxStreamMark[7] = {'Z', 'Q', 'M', 'S', 'S', 'T', 'L'};

// What the stream form holds.
struct TmsuxStreamContent {
  std::string Name;
  std::string IniText;
  std::unique_ptr<TvxBitmapList> Images = std::make_unique<TvxBitmapList>();
};

void WriteMsuxStream(TStream& Stream, const std::string& Name, const std::string& IniText, const TvxBitmapList& Images);
// Reads 7 bytes; false when they are not the mark (nothing more is read). Otherwise the whole
// content is read into Content, or a damaged stream raises EReadError or ECompressionError and
// Content is left as it was. Counts and sizes are checked against the data actually present, so a
// lying header allocates nothing.
bool ReadMsuxStream(TStream& Stream, TmsuxStreamContent& Content);
// Reads 7 bytes and compares them with the mark.
bool HasMsuxStreamMark(TStream& Stream);
// A copy of the content exactly as a write and a read of the stream would give it, without the
// compression.
TmsuxStreamContent CopyMsuxContent(const std::string& Name, const std::string& IniText, const TvxBitmapList& Images);
