#include "framework/graphics/graphic.h"

#include "framework/core/file_save.h"

const TClassInfo& TGraphic::StaticClassInfo() {
  static const TClassInfo Info{"TGraphic", &TPersistent::StaticClassInfo(), {}};
  return Info;
}

void TGraphic::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& FileName) {
  TFileStream Stream(FileName, TFileMode::fmOpenRead);
  LoadFromStream(Stream);
}

void TGraphic::SaveToFile(const std::string& FileName) const {
  SaveFileReplacing(FileName, [this](TStream& Stream) { SaveToStream(Stream); });
}

void TGraphic::Changed() {
  FModified = true;
  if (OnChange) OnChange();
}
