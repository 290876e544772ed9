#include "skintool_skin.h"

#include <filesystem>
#include <memory>

#include "framework/core/file_save.h"
#include "framework/graphics/colors.h"
#include "skintool_images.h"
#include "skintool_style.h"
#include "vexel/skin/theme_dv3filters.h"
#include "vexel/skin/theme_dv3source.h"

namespace {

// [Loading] ------------------------------------------------------------------------------------

struct TSkinFile {
  std::unique_ptr<TDvSkinSource> Source = std::make_unique<TDvSkinSource>();
  TDvSkinFilterClass Variant = nullptr;
  bool Tagged = false;
  TDvSkinTables Tables = TDvSkinTables::stAll;
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
  Skin.Variant = FindFilterByTag(File);
  Skin.Tagged = Skin.Variant != nullptr;
  if (!Skin.Variant) Skin.Variant = FindFilterByExtension(FileName);
  if (!Skin.Variant)
    throw EReadError(
        Format("%s has neither a skin tag nor a skin extension (.uskn, .kskn, .xskn, .mskn)", FileName.c_str()));
  try {
    Skin.Tables = Skin.Source->LoadWithFilter(File, Skin.Variant);
  } catch (const Exception& E) {
    throw EReadError(Format("Cannot read skin %s: %s", FileName.c_str(), E.Message().c_str()));
  }
  return Skin;
}

const char* TablesText(TDvSkinTables Tables) {
  switch (Tables) {
    case TDvSkinTables::stAll: return "colors syscolors fonts";
    case TDvSkinTables::stNoSysColors: return "colors fonts";
    default: return "none";
  }
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
  // The stored form ends lines with CR LF; the output stream adds the platform's own.
  std::string Result = ObjectTextForm(Object);
  std::erase(Result, '\r');
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

std::unique_ptr<TDvSkinSource> LoadSkinFile(const std::string& FileName) {
  return std::move(LoadSkin(FileName).Source);
}

// [Commands] -----------------------------------------------------------------------------------

void SkinInfo(const TArguments& Args, std::ostream& Out) {
  if (IsStyleFile(Args[0])) return StyleInfo(Args[0], Out);
  const TSkinFile Skin = LoadSkin(Args[0]);
  const TDvSkinSource& S = *Skin.Source;
  Out << "variant: " << Skin.Variant()->GetExtension() << "\n";
  if (Skin.Tagged)
    Out << "tag: " << std::string(Skin.Variant()->FileTag().data(), 4) << "\n";
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
  Out << "tables: " << TablesText(Skin.Tables) << "\n";
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
    SaveFileReplacing(Path, Data);
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
  Out << "ok: " << Skin.Variant()->GetExtension() << ", images " << S.Images().Count() << ", objects "
      << S.ObjectCount() << " (" << Objects << " with children), warnings " << Warnings << "\n";
}
