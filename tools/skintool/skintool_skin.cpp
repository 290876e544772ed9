#include "skintool_skin.h"

#include <filesystem>
#include <memory>

#include "framework/core/component_stream.h"
#include "framework/core/object_text.h"
#include "framework/core/zstream.h"
#include "framework/graphics/colors.h"
#include "skintool_files.h"
#include "skintool_images.h"
#include "vexel/graphics/vx_utils.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

// [Loading] ------------------------------------------------------------------------------------

struct TSkinFile {
  std::unique_ptr<TDvSkinSource> Source = std::make_unique<TDvSkinSource>();
  std::unique_ptr<TDvSkinFilter> Variant;
  bool Tagged = false;
};

// The variant by the tag at the start of the file, else by its extension. Not through
// TDvSkinSource::LoadFromFile, which returns quietly for a missing file or an unknown extension
// and reads a tagged file by its extension.
TSkinFile LoadSkin(const std::string& FileName) {
  std::error_code Ignored;
  if (std::filesystem::is_directory(FileName, Ignored))
    throw EStreamError(Format("Cannot open file %s: it is a folder", FileName.c_str()));
  TSkinFile Skin;
  TFileStream File(FileName, TFileMode::fmOpenRead);
  TDvSkinFilterClass Class = FindFilterByTag(File);
  Skin.Tagged = Class != nullptr;
  if (!Class) Class = FindFilterByExtension(FileName);
  if (!Class)
    throw EReadError(
        Format("%s has neither a skin tag nor a skin extension (.uskn, .kskn, .xskn, .mskn)", FileName.c_str()));
  Skin.Variant = Class();
  Skin.Variant->SetSource(Skin.Source.get());
  try {
    Skin.Variant->LoadFromStream(File);
  } catch (const Exception& E) {
    throw EReadError(Format("Cannot read skin %s: %s", FileName.c_str(), E.Message().c_str()));
  }
  Skin.Source->ResetClientMasks();
  return Skin;
}

// The content word in front of the objects: their count and which tables follow them. The
// library reads it without keeping it, so it is read again here from the content's start.
constexpr int32_t TextImageFlag = 0xF0000;
constexpr int32_t BinaryImageFlag = 0xFFF000;
constexpr int32_t ObjectsWithAllTables = 0xFF0000;
constexpr int32_t ObjectsWithoutSysColors = 0xF0000;

int32_t ObjectWordOf(TStream& Content, bool BinaryImages) {
  for (int I = 0; I < 5; ++I) ReadStreamString(Content);
  const int32_t ImageWord = Content.ReadInt32();
  int32_t Count = ImageWord;
  bool Flags = false;
  if (BinaryImages && (ImageWord & BinaryImageFlag) == BinaryImageFlag) {
    Count = ImageWord & int32_t(0xFF000FFF);
    Flags = true;
  } else if (BinaryImages && (ImageWord & TextImageFlag) == TextImageFlag) {
    Count = ImageWord & ~TextImageFlag;
  }
  for (int32_t I = 0; I < Count; ++I) {
    TvxBitmap Skipped;
    Skipped.LoadFromStream(Content);
    if (Flags) {  // Transparent and AlphaBlend
      Content.ReadByte();
      Content.ReadByte();
    }
  }
  return Content.ReadInt32();
}

std::string TablesCarried(const std::string& FileName, const TSkinFile& Skin) {
  TFileStream File(FileName, TFileMode::fmOpenRead);
  if (Skin.Tagged) File.Seek(5, TSeekOrigin::soBeginning);
  const std::string Extension = Skin.Variant->GetExtension();
  int32_t Word;
  if (Extension == "uskn") {
    Word = ObjectWordOf(File, false);
  } else {
    char Magic[4];
    File.ReadBuffer(Magic, 4);
    TDecompressionStream Inflated(File);
    Word = ObjectWordOf(Inflated, Extension == "mskn");
  }
  if ((Word & ObjectsWithAllTables) == ObjectsWithAllTables) return "colors syscolors fonts";
  if ((Word & ObjectsWithoutSysColors) == ObjectsWithoutSysColors) return "colors fonts";
  return "none";
}

// [Output] -------------------------------------------------------------------------------------

// One item per line, whatever a stored string holds.
std::string Printable(std::string Text) {
  for (char& C : Text)
    if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) C = ' ';
  return Text;
}

const char* YesNo(bool Value) { return Value ? "yes" : "no"; }

std::string TextForm(const TDvSkinObject& Object) {
  TMemoryStream Binary, Text;
  WriteComponent(Binary, Object);
  Binary.SetPosition(0);
  ObjectBinaryToText(Binary, Text);
  // The converter ends lines with CR LF; the output stream adds the platform's own.
  std::string Result;
  for (uint8_t C : Text.Data())
    if (C != '\r') Result += char(C);
  return Result;
}

Integer TreeSize(const TDvSkinObject& Object) {
  Integer Count = 1;
  for (Integer I = 0; I < Object.ChildCount(); ++I) Count += TreeSize(*Object.Child(I));
  return Count;
}

// Links (any stored property holding a TvxBitmapLink) whose image name is set but matches no image.
void ReportMissingImages(const TDvSkinObject& Object, const std::string& Path, const TvxBitmapList& Images,
                         std::ostream& Out, Integer& Warnings) {
  for (const TPropInfo* Property : Object.ClassInfo().AllProperties()) {
    if (Property->Kind != TPropKind::pkClass || !Property->GetObject) continue;
    const auto* Link = dynamic_cast<const TvxBitmapLink*>(Property->GetObject(&Object));
    if (!Link || Link->Name().empty() || Images.Find(Link->Name())) continue;
    Out << "warning: " << Printable(Path) << "." << Property->Name << ": no image named \"" << Printable(Link->Name())
        << "\"\n";
    ++Warnings;
  }
  for (Integer I = 0; I < Object.ChildCount(); ++I) {
    const TDvSkinObject& Child = *Object.Child(I);
    ReportMissingImages(Child, Path + "." + Child.Name(), Images, Out, Warnings);
  }
}

std::string InFolder(const std::string& Folder, const std::string& Name) {
  if (!Folder.empty() && (Folder.back() == '/' || Folder.back() == '\\')) return Folder + Name;
  return Folder + "/" + Name;
}

}  // namespace

// [Commands] -----------------------------------------------------------------------------------

void SkinInfo(const TArguments& Args, std::ostream& Out) {
  const TSkinFile Skin = LoadSkin(Args[0]);
  const TDvSkinSource& S = *Skin.Source;
  Out << "variant: " << Skin.Variant->GetExtension() << "\n";
  if (Skin.Tagged)
    Out << "tag: " << std::string(Skin.Variant->FileTag().data(), 4) << "\n";
  else
    Out << "tag: none (variant by extension)\n";
  Out << "name: " << Printable(S.SkinName()) << "\n"
      << "version: " << Printable(S.SkinVersion()) << "\n"
      << "author: " << Printable(S.Author()) << "\n"
      << "email: " << Printable(S.AuthorEMail()) << "\n"
      << "url: " << Printable(S.AuthorURL()) << "\n";
  Out << "images: " << S.Images().Count() << "\n";
  for (Integer I = 0; I < S.Images().Count(); ++I) {
    const TvxBitmap& Image = *S.Images().Items(I);
    Out << "image " << I << ": " << Image.Width() << "x" << Image.Height()
        << " transparent=" << YesNo(Image.Transparent()) << " alphablend=" << YesNo(Image.AlphaBlend())
        << " name=" << Printable(Image.Name()) << "\n";
  }
  Out << "objects: " << S.ObjectCount() << "\n";
  for (Integer I = 0; I < S.ObjectCount(); ++I) {
    const TDvSkinObject& Object = *S.Objects(I);
    Out << "object " << I << ": " << Object.ClassName() << " children=" << Object.ChildCount()
        << " name=" << Printable(Object.Name()) << "\n";
  }
  Out << "tables: " << TablesCarried(Args[0], Skin) << "\n";
}

void SkinDump(const TArguments& Args, std::ostream& Out) {
  const TSkinFile Skin = LoadSkin(Args[0]);
  for (Integer I = 0; I < Skin.Source->ObjectCount(); ++I) Out << TextForm(*Skin.Source->Objects(I));
}

void SkinTables(const TArguments& Args, std::ostream& Out) {
  const TSkinFile Skin = LoadSkin(Args[0]);
  const TDvSkinSource& S = *Skin.Source;
  for (Integer I = 0; I < vxThemeColorCount; ++I)
    Out << ThemeColorName(I) << ":" << ColorToString(S.Colors().Color(I)) << "\n";
  for (Integer I = 0; I < vxThemeSysColorCount; ++I)
    Out << ThemeSysColorName(I) << ":" << ColorToString(S.SysColors().Entry(I)) << "\n";
  for (Integer I = 0; I < vxThemeFontCount; ++I)
    Out << ThemeFontName(I) << ":" << FontToText(S.Fonts().Font(I)) << "\n";
}

void SkinConvert(const TArguments& Args, std::ostream& Out) {
  const std::string& Target = Args[1];
  const TDvSkinFilterClass Class = FindFilterByExtension(Target);
  // SaveToFile would fall back to the default variant.
  if (!Class)
    throw EWriteError(Format("Unknown skin extension in %s; use .uskn, .kskn, .xskn or .mskn", Target.c_str()));
  const TSkinFile Skin = LoadSkin(Args[0]);
  Skin.Source->SaveToFile(Target);
  Out << "written: " << Target << " (" << Class()->GetExtension() << ")\n";
}

void SkinExport(const TArguments& Args, std::ostream& Out) {
  const std::string& Folder = Args[1];
  const bool Bmp = Args.size() > 2;  // the command table lets only "--bmp" through there
  std::error_code Ignored;
  if (!std::filesystem::exists(Folder, Ignored)) throw EStreamError(Format("Folder %s does not exist", Folder.c_str()));
  if (!std::filesystem::is_directory(Folder, Ignored)) throw EStreamError(Format("%s is not a folder", Folder.c_str()));
  const TSkinFile Skin = LoadSkin(Args[0]);
  const TvxBitmapList& Images = Skin.Source->Images();
  std::vector<std::string> Names;
  for (Integer I = 0; I < Images.Count(); ++I) Names.push_back(Images.Items(I)->Name());
  const std::vector<std::string> Files = ImageFileNames(Names, Bmp ? ".bmp" : ".png");
  for (Integer I = 0; I < Images.Count(); ++I) {
    const TvxBitmap& Image = *Images.Items(I);
    if (Image.Empty()) {
      Out << "image " << I << ": no pixels, not written\n";
      continue;
    }
    TMemoryStream Data;
    if (Bmp)
      EncodeBmp(Image, Data);
    else
      EncodePng(Image, Data);
    const std::string Path = InFolder(Folder, Files[size_t(I)]);
    WriteFileAtomically(Path, Data);
    Out << "image " << I << ": " << Path << "\n";
  }
}

void SkinValidate(const TArguments& Args, std::ostream& Out) {
  const TSkinFile Skin = LoadSkin(Args[0]);
  const TDvSkinSource& S = *Skin.Source;
  Integer Warnings = 0, Objects = 0;
  for (Integer I = 0; I < S.ObjectCount(); ++I) {
    ReportMissingImages(*S.Objects(I), S.Objects(I)->Name(), S.Images(), Out, Warnings);
    Objects += TreeSize(*S.Objects(I));
  }
  Out << "ok: " << Skin.Variant->GetExtension() << ", images " << S.Images().Count() << ", objects " << S.ObjectCount()
      << " (" << Objects << " with children), warnings " << Warnings << "\n";
}
