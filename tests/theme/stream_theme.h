// A streamable, file-based theme for tests: "VXT1", then the theme's name as a 32-bit length and
// its bytes; its files are "*.vxt".
#pragma once

#include <cstring>
#include <string>

#include "vexel/theme/vx_theme.h"

class TStreamTheme : public TvxTheme {
 public:
  static const TvxThemeClass& StaticThemeClass() { return MakeThemeClass<TStreamTheme>("TStreamTheme"); }
  const TvxThemeClass& ThemeClass() const override { return StaticThemeClass(); }
  static std::string GetThemeName() { return "Stream test"; }
  static TvxThemeConfig GetFileInfo() { return {false, true, true, "Test themes (*.vxt)|*.vxt", "vxt"}; }
  static bool IsValidStream(TStream& Stream) {
    char Tag[4];
    return Stream.Read(Tag, 4) == 4 && std::memcmp(Tag, "VXT1", 4) == 0;
  }
  bool SaveToStream(TStream& Stream) override {
    Stream.WriteBuffer("VXT1", 4);
    Stream.WriteInt32(int32_t(Name().size()));
    Stream.WriteBuffer(Name().data(), int64_t(Name().size()));
    return true;
  }
  bool LoadFromStream(TStream& Stream) override {
    if (!IsValidStream(Stream)) return false;
    std::string S(size_t(Stream.ReadInt32()), '\0');
    Stream.ReadBuffer(S.data(), int64_t(S.size()));
    SetName(S);
    return true;
  }
  bool LoadFromFile(const std::string& FileName) override {
    TFileStream Stream(FileName, TFileMode::fmOpenRead);
    if (!LoadFromStream(Stream)) return false;
    SetFileName(FileName);
    return true;
  }
};
