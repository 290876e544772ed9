// msstylegen OUT.msstyles [--images N] [--sheet FILE.bmp]: writes the sample visual-style file
// "Pellan Sample"; with --images a variant holding at least N images; with --sheet also a picture
// of every image as stored. Exit 0 on success, 1 with one line on stderr on failure.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/msstylegen/msstylegen_sheet.h"
#include "tools/msstylegen/msstylegen_style.h"

int main(int argc, char** argv) {
  std::string Output, Sheet;
  msstylegen::TSampleOptions Options;
  bool Usage = false;
  for (int I = 1; I < argc && !Usage; ++I) {
    const std::string Arg = argv[I];
    if (Arg == "--images" && I + 1 < argc) {
      try {
        Options.MinImages = std::stoi(argv[++I]);
      } catch (const std::exception&) {
        Usage = true;
      }
    } else if (Arg == "--sheet" && I + 1 < argc) {
      Sheet = argv[++I];
    } else if (Output.empty() && !Arg.empty() && Arg[0] != '-') {
      Output = Arg;
    } else {
      Usage = true;
    }
  }
  if (Usage || Output.empty()) {
    std::fprintf(stderr, "usage: msstylegen OUT.msstyles [--images N] [--sheet FILE.bmp]\n");
    return 1;
  }
  try {
    const msstylegen::TStyleContent Style = msstylegen::BuildSampleStyle(Options);
    msstylegen::SaveStyleModule(Style, Output);
    if (!Sheet.empty()) msstylegen::WriteImageSheet(Style, Sheet);
  } catch (const std::exception& E) {
    std::fprintf(stderr, "msstylegen: %s\n", E.what());
    return 1;
  }
  return 0;
}
