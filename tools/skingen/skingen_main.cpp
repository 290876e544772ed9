// skingen OUTDIR [--sheet FILE.bmp]: draws the "Pellan Slate" skin and writes it to
// OUTDIR/PellanSlate.uskn, .kskn, .xskn and .mskn; with --sheet also a picture of its images.
// Exit 0 on success, 1 with one line on stderr on failure.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "tools/skingen/skingen_objects.h"
#include "tools/skingen/skingen_preview.h"

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
    std::fprintf(stderr, "usage: skingen OUTDIR [--sheet FILE.bmp]\n");
    return 1;
  }
  try {
    const std::filesystem::path Folder = argv[1];
    std::filesystem::create_directories(Folder);
    TDvSkinSource Skin;
    skingen::BuildSkin(Skin);
    for (const char* Extension : {".uskn", ".kskn", ".xskn", ".mskn"})
      Skin.SaveToFile((Folder / (std::string("PellanSlate") + Extension)).string());
    if (argc == 4) {
      skingen::TSkinImages Pieces;
      const auto Atlases = Pieces.TakeAtlases();
      std::vector<TvxBitmap*> Raw;
      for (const auto& A : Atlases) Raw.push_back(A.get());
      skingen::WriteContactSheet(Pieces, Raw, argv[3]);
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "skingen: %s\n", E.what());
    return 1;
  }
  return 0;
}
