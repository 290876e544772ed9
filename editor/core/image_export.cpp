#include "editor/core/image_export.h"

#include <filesystem>
#include <set>

#include "framework/core/file_save.h"
#include "framework/core/sysutils.h"
#include "framework/graphics/png_image.h"
#include "vexel/graphics/vx_bitmaplist.h"
#include "vexel/graphics/vx_bmpfile.h"

namespace {

constexpr TvxColor OpaqueMagenta = 0xFFFF00FF;

bool ReservedDeviceName(const std::string& Name) {
  // Windows opens the device whatever extension follows, so "con.png" is no file either.
  const std::string Base = LowerCase(Name.substr(0, Name.find('.')));
  static const char* const Devices[] = {"con", "prn", "aux", "nul"};
  for (const char* Device : Devices)
    if (Base == Device) return true;
  return Base.size() == 4 && (Base.starts_with("com") || Base.starts_with("lpt")) && Base[3] >= '1' && Base[3] <= '9';
}

// The image drawn with its transparency over magenta, saved opaque.
void EncodeBmpOnMagenta(const TvxBitmap& Image, TStream& Out) {
  TvxBitmap Composed;
  Composed.SetSize(Image.Width(), Image.Height());
  Composed.Fill(OpaqueMagenta);
  Image.DrawTo(Composed, 0, 0);
  Composed.SetAlpha(255);
  SaveBmpFile(Composed, Out);
}

}  // namespace

std::string WithTrailingSeparator(const std::string& Folder) {
  if (!Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/')) return Folder;
  return Folder + char(std::filesystem::path::preferred_separator);
}

std::string UnsafeFileNameReason(const std::string& Name) {
  if (Name.empty()) return "the name is empty";
  if (Name == "." || Name == "..") return "the name is a folder reference";
  for (const char C : Name) {
    if (C == '/' || C == '\\') return "the name holds a path separator";
    if (static_cast<unsigned char>(C) < 32) return "the name holds a control character";
    if (std::string_view("<>:\"|?*").find(C) != std::string_view::npos)
      return Format("the name holds the reserved character %c", C);
  }
  if (ReservedDeviceName(Name)) return "the name is reserved for a device";
  return {};
}

TImageExport ExportImages(const TvxBitmapList& Images, const std::string& Folder) {
  TImageExport Result;
  Result.Folder = WithTrailingSeparator(Folder);
  // Windows compares file names ignoring letter case: "Frame" must not overwrite "frame".
  std::set<std::string> Written;
  for (Integer I = 0; I < Images.Count(); ++I) {
    const TvxBitmap& Image = *Images.Items(I);
    const std::string& Name = Image.Name();
    if (const std::string Why = UnsafeFileNameReason(Name); !Why.empty()) {
      Result.Log.push_back("Bitmap " + Name + " not saved: " + Why);
      continue;
    }
    const std::string Path = Result.Folder + Name;
    const std::string FileName = Path + (Image.AlphaBlend() ? ".png" : ".bmp");
    if (!Written.insert(LowerCase(FileName)).second) {
      Result.Log.push_back("Bitmap " + Name + " not saved: an earlier image was saved under the same file name");
      continue;
    }
    try {
      TMemoryStream Encoded;
      if (Image.AlphaBlend())
        WritePng(Encoded, Image.Bits(), Image.Width(), Image.Height(), true);
      else
        EncodeBmpOnMagenta(Image, Encoded);
      SaveFileReplacing(FileName, Encoded);
    } catch (const Exception& E) {
      Result.Log.push_back("Bitmap " + Name + " not saved: " + E.Message());
      continue;
    }
    Result.Log.push_back("Bitmap " + Name + " saved as " + Path);
  }
  return Result;
}
