// The editor's history on the large generated skin of the skin-file benchmark (200 images of
// 256 x 256, 60 trees of 51 objects), opened the way the editor opens a file. Measured:
// - a small step (one colour changed through the inspector's path) recorded, undone and redone,
//   as the median time per step, beside loading the whole skin from its uncompressed saved form
//   (what an undo that restored a whole copy would cost; goal: a step within 50 ms);
// - the memory a small step and an image replacement add to the history, beside the size of the
//   skin's saved form (uncompressed and in the editor's default variant);
// - opening with the history's first state beside loading the file alone.
//
// bench_history_win32 [TREES]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "bench/silent_prompts.h"
#include "bench/skin_generator.h"
#include "editor/core/skin_document.h"

namespace {

// The first object three levels below the top of tree Index.
TDvSkinObject* DeepObject(const TDvSkinSource& Source, Integer Index) {
  TDvSkinObject* O = Source.Objects(Index % Source.ObjectCount());
  for (int Level = 0; Level < 3 && O->ChildCount() > 0; ++Level) O = O->Child(O->ChildCount() - 1);
  return O;
}

void WriteFile(const std::string& Name, const std::vector<uint8_t>& Bytes) {
  FILE* F = std::fopen(Name.c_str(), "wb");
  if (!F || std::fwrite(Bytes.data(), 1, Bytes.size(), F) != Bytes.size()) {
    std::fprintf(stderr, "cannot write %s\n", Name.c_str());
    std::exit(1);
  }
  std::fclose(F);
}

void Row(const char* What, double Ours, double Reference, const char* Unit) {
  std::printf("%-34s %11.2f %-3s %11.2f %-3s %8.3f\n", What, Ours, Unit, Reference, Unit, Ours / Reference);
}

}  // namespace

int main(int argc, char** argv) {
  const int Steps = 2 * (argc > 1 ? std::max(2, std::atoi(argv[1])) : 20);
  const std::string Folder = std::filesystem::temp_directory_path().string();
  const std::string Uncompressed = Folder + "/bench_history.uskn";
  const std::string Default = Folder + "/bench_history.kskn";
  int64_t UncompressedBytes = 0, DefaultBytes = 0;
  {
    auto Skin = skinbench::GenerateSkin();
    const auto Raw = skinbench::Save(*Skin, &MakeSkinFilter<TDvSkinFilterUncompressed>);
    const auto Packed = skinbench::Save(*Skin, &MakeSkinFilter<TDvSkinFilterCompressed>);
    WriteFile(Uncompressed, Raw);
    WriteFile(Default, Packed);
    UncompressedBytes = int64_t(Raw.size());
    DefaultBytes = int64_t(Packed.size());
  }

  TSilentPrompts Prompts;
  TSkinDocument Document(Prompts);
  std::vector<double> Open, Load;
  for (int R = 0; R < 3; ++R) {
    Open.push_back(Milliseconds([&] { Document.OpenSkinFile(Uncompressed); }));
    Load.push_back(Milliseconds([&] {
      TDvSkinSource Alone;
      Alone.LoadFromFile(Uncompressed);
    }));
  }

  // Small steps: one colour each, two in each tree. The first edit after another root is shown
  // also takes in the preview's sample texts that showing it wrote (a second look at the skin).
  std::vector<double> RecordFirst, RecordAgain, Undo, Redo;
  const int64_t Before = Document.History().MemoryBytes();
  for (int I = 0; I < Steps; ++I) {
    if (I % 2 == 0) Document.SelectObject(DeepObject(*Document.Source(), I / 2));
    (I % 2 == 0 ? RecordFirst : RecordAgain).push_back(Milliseconds([&] {
      Document.BeforePropertyChange();
      Document.Selected()->SetColor(TColor(0x010101 * (I + 1)));
      Document.AfterPropertyChange("Color");
    }));
  }
  const double SmallStepBytes = double(Document.History().MemoryBytes() - Before) / Steps;
  for (int I = 0; I < Steps; ++I) Undo.push_back(Milliseconds([&] { Document.Undo(); }));
  for (int I = 0; I < Steps; ++I) Redo.push_back(Milliseconds([&] { Document.Redo(); }));

  // Image steps: one 256 x 256 image replaced each.
  const int ImageSteps = 5;
  std::vector<double> ImageRecord, ImageUndo;
  const int64_t BeforeImages = Document.History().MemoryBytes();
  for (int I = 0; I < ImageSteps; ++I) {
    Document.SelectImage(Document.Source()->Images().Items(I));
    auto Image = std::make_unique<TvxBitmap>();
    Image->SetSize(256, 256);
    Image->Fill(0xFF000000 + uint32_t(I));
    ImageRecord.push_back(Milliseconds([&] { Document.ReplaceSelectedImage(std::move(Image)); }));
  }
  const double ImageStepBytes = double(Document.History().MemoryBytes() - BeforeImages) / ImageSteps;
  for (int I = 0; I < ImageSteps; ++I) ImageUndo.push_back(Milliseconds([&] { Document.Undo(); }));
  std::remove(Uncompressed.c_str());
  std::remove(Default.c_str());

  const double Whole = Median(Load);
  std::printf("history on the large skin: %d images, %d trees; %d small steps, %d image steps\n",
              Document.Source()->Images().Count(), Document.Source()->ObjectCount(), Steps, ImageSteps);
  std::printf("%-34s %15s %15s %8s\n", "operation", "ours", "reference", "ratio");
  Row("open (file + first state) / load", Median(Open), Whole, "ms");
  Row("small step recorded / whole load", Median(RecordAgain), Whole, "ms");
  Row("  first in a newly shown root", Median(RecordFirst), Whole, "ms");
  Row("small step undone / whole load", Median(Undo), Whole, "ms");
  Row("small step redone / whole load", Median(Redo), Whole, "ms");
  Row("image step recorded / whole load", Median(ImageRecord), Whole, "ms");
  Row("image step undone / whole load", Median(ImageUndo), Whole, "ms");
  Row("small step memory / saved .uskn", SmallStepBytes / 1024, double(UncompressedBytes) / 1024, "KiB");
  Row("small step memory / saved .kskn", SmallStepBytes / 1024, double(DefaultBytes) / 1024, "KiB");
  Row("image step memory / saved .uskn", ImageStepBytes / 1024, double(UncompressedBytes) / 1024, "KiB");
  std::printf("slowest small undo %.2f ms, redo %.2f ms (goal 50 ms)\n", *std::max_element(Undo.begin(), Undo.end()),
              *std::max_element(Redo.begin(), Redo.end()));
  return 0;
}
