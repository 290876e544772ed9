// The skintool commands that read skin files. Each writes its report to Out and raises an
// exception (Exception or std::exception) for a refusal; RunSkintool turns that into one line.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

class TDvSkinSource;
// The skin in FileName, its variant by tag or else by extension; refusals as the commands give.
std::unique_ptr<TDvSkinSource> LoadSkinFile(const std::string& FileName);

// info FILE: variant, metadata, images, top-level objects and the tables the file carried; a
// visual-style file is described by StyleInfo (skintool_style.h).
void SkinInfo(const TArguments& Args, std::ostream& Out);
// dump FILE: each top-level object in its component text form.
void SkinDump(const TArguments& Args, std::ostream& Out);
// tables FILE: "name:value" for every colour, system colour and font entry.
void SkinTables(const TArguments& Args, std::ostream& Out);
// convert IN OUT: the variant of OUT follows its extension.
void SkinConvert(const TArguments& Args, std::ostream& Out);
// export FILE DIR [--bmp]: every image as a PNG (or BMP) file in DIR.
void SkinExport(const TArguments& Args, std::ostream& Out);
// validate FILE: "ok: ..." when it loads, with a warning line per link to a missing image.
void SkinValidate(const TArguments& Args, std::ostream& Out);
