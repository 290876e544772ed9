#include "skintool_style.h"

#include <algorithm>
#include <fstream>

#include "framework/core/inifiles.h"
#include "framework/core/sysutils.h"
#include "vexel/msstyles/msux_module.h"
#include "vexel/msstyles/msux_parse.h"
#include "vexel/msstyles/theme_msuxobjects.h"

namespace {

// One item per line, whatever the file holds.
std::string Printable(std::string Text) {
  for (char& C : Text)
    if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) C = ' ';
  return Text;
}

std::string Joined(const std::vector<std::string>& Items) {
  std::string Result;
  for (const std::string& Item : Items) Result += (Result.empty() ? "" : ", ") + Printable(Item);
  return Result;
}

int32_t Int32At(std::span<const uint8_t> Data, size_t Offset) {
  return int32_t(uint32_t(Data[Offset]) | uint32_t(Data[Offset + 1]) << 8 | uint32_t(Data[Offset + 2]) << 16 |
                 uint32_t(Data[Offset + 3]) << 24);
}

// Size and depth from the bitmap's header, without decoding its pixels.
std::string ImageSummary(std::span<const uint8_t> Data) {
  if (Data.size() < 16) return "damaged (" + std::to_string(Data.size()) + " bytes)";
  const int32_t Height = Int32At(Data, 8);
  const unsigned Bits = unsigned(Data[14]) | unsigned(Data[15]) << 8;
  return std::to_string(Int32At(Data, 4)) + "x" + std::to_string(Height < 0 ? -int64_t(Height) : Height) + " " +
         std::to_string(Bits) + "-bit";
}

}  // namespace

bool IsStyleFile(const std::string& FileName) {
  const std::string Extension = ".msstyles";
  if (FileName.size() >= Extension.size() &&
      LowerCase(FileName.substr(FileName.size() - Extension.size())) == Extension)
    return true;
  std::ifstream File(FileName, std::ios::binary);
  char Mark[2] = {};
  return File.read(Mark, 2) && Mark[0] == 'M' && Mark[1] == 'Z';
}

void StyleInfo(const std::string& FileName, std::ostream& Out) {
  const TmsuxModule Module(FileName);
  const std::vector<std::string> Colors = MsuxListResource(Module, "COLORNAMES");
  const std::vector<std::string> Sizes = MsuxListResource(Module, "SIZENAMES");
  const std::vector<std::string> Files = MsuxListResource(Module, "FILERESNAMES");
  Out << "kind: visual style\n"
      << "name: " << Printable(MsuxStyleName(FileName)) << "\n"
      << "color schemes: " << Colors.size() << " (" << Joined(Colors) << ")\n"
      << "sizes: " << Sizes.size() << " (" << Joined(Sizes) << ")\n"
      << "ini texts: " << Files.size() << " (" << Joined(Files) << ")\n";
  // A style theme takes the first colour scheme at the first size.
  if (Colors.empty() || Sizes.empty() || Files.empty()) throw EReadError(FileName + " lists no ini text");
  TMemIniFile Ini;
  Ini.SetText(MsuxIniText(Module, Files[0]));
  // "TrackBar.Tics" fills two slots from one section.
  std::vector<std::string> Sections;
  for (const char* Section : MsuxObjectSections)
    if (Sections.empty() || LowerCase(Sections.back()) != LowerCase(Section)) Sections.push_back(Section);
  const auto Present = std::count_if(Sections.begin(), Sections.end(),
                                     [&Ini](const std::string& Section) { return Ini.SectionExists(Section); });
  Out << "sections: " << Present << " of " << Sections.size() << " read by the theme\n";
  for (const std::string& Section : Sections) {
    if (Ini.SectionExists(Section))
      Out << "section " << Section << ": " << Ini.ReadSection(Section).size() << " keys\n";
    else
      Out << "section " << Section << ": missing\n";
  }
  // The frame's metrics, as the theme reads them (its defaults where the text has none).
  Out << "metrics: caption " << Printable(Ini.ReadString("SysMetrics", "CaptionBarHeight", "25")) << ", border "
      << Printable(Ini.ReadString("SysMetrics", "BorderWidth", "4")) << "\n";
  const std::vector<std::string> Images = Module.Names(TmsuxResId::Id(msuxRtBitmap));
  Out << "images: " << Images.size() << "\n";
  for (size_t I = 0; I < Images.size(); ++I) {
    const auto Data = Module.Find(TmsuxResId::Id(msuxRtBitmap), TmsuxResId::Named(Images[I]));
    Out << "image " << I << ": " << (Data ? ImageSummary(*Data) : std::string("missing")) << " name=" << Printable(Images[I])
        << "\n";
  }
}
