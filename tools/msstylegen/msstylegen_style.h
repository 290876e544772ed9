// The content of a visual-style file as plain data (name lists, the ini text, the images), the
// sample style "Pellan Sample" drawn by our own code, and the module that carries it. Tests edit
// the content before writing it to build damaged or unusual variants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/msstylegen/msstylegen_pe.h"
#include "vexel/graphics/vx_bitmap.h"

namespace msstylegen {

struct TIniKey {
  std::string Key, Value;
  bool Spaced = false;  // written "key = value"
};

struct TIniSection {
  std::string Name;
  std::vector<TIniKey> Keys;
};

// An RT_BITMAP resource: its name and its packed DIB.
struct TStyleImage {
  std::string Resource;
  std::vector<uint8_t> Dib;
};

struct TStyleContent {
  std::vector<std::string> ColorNames, SizeNames, FileResNames;
  // The TEXTFILE resource's name; the sample names it by the first FILERESNAMES entry.
  std::string TextFileName;
  std::vector<TIniSection> Ini;
  std::vector<TStyleImage> Images;
  // Any further resources, written as they are.
  std::vector<TPeResource> Extra;

  // The section (name compared ignoring case), or nullptr.
  TIniSection* Section(const std::string& Name);
  const TIniSection* Section(const std::string& Name) const;
  // Replaces the key's value (compared ignoring case), or appends it; adds the section if needed.
  void SetKey(const std::string& SectionName, const std::string& Key, const std::string& Value);
  // The key's value, or "" when the section or key is absent.
  std::string Key(const std::string& SectionName, const std::string& Key) const;
  TStyleImage* Image(const std::string& Resource);
};

struct TSampleOptions {
  // At least this many images: further images are named by keys no drawing reads (imagefile1..3
  // of sections without size selection, glyph images of sections without image glyphs).
  int MinImages = 0;
};

TStyleContent BuildSampleStyle(const TSampleOptions& Options = {});

// The ini text: "[Section]" and "key=value" (or "key = value") lines, each ended by CR LF.
std::string IniText(const TStyleContent& Content);
// Text as UTF-16 (each byte one unit) followed by four units of padding (CR LF and two spaces)
// that readers drop.
std::vector<uint8_t> TextFileResource(const std::string& Text);
// Zero-terminated UTF-16 strings one after another, ended by an empty one.
std::vector<uint8_t> StringListResource(const std::vector<std::string>& Strings);
// The resource name an image key's value leads to: "\" becomes "_", a "." followed by "B" or "b"
// and at least one more character becomes "_", trimmed, upper-cased.
std::string ImageResourceName(const std::string& Value);
// The image as a packed DIB, bottom-up, without compression. 32 bits keep every pixel's alpha;
// 24 bits lay partly transparent pixels over Surface and write fully transparent ones as
// Key (magenta unless told otherwise).
std::vector<uint8_t> PackedDib32(const TvxBitmap& Image);
std::vector<uint8_t> PackedDib24(const TvxBitmap& Image, TvxColor Surface, TvxColor Key = 0xFFFF00FF);
// A DIB header that claims Width x Height at Bits per pixel, followed by only PixelBytes bytes.
std::vector<uint8_t> DeclaredDib(int32_t Width, int32_t Height, uint16_t Bits, size_t PixelBytes);

// Every resource of the content (the three lists as #1, the TEXTFILE, the images, the extras).
std::vector<TPeResource> StyleResources(const TStyleContent& Content);
std::vector<uint8_t> WriteStyleModule(const TStyleContent& Content);
// Replaces FileName whole; raises std::runtime_error when it cannot be written.
void SaveStyleModule(const TStyleContent& Content, const std::string& FileName);

}  // namespace msstylegen
