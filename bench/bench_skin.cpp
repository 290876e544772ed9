// Skin load and save of each file variant, timed beside raw zlib on the same content bytes in the
// same run: "save/<variant>/vexel" against "save/<variant>/zlib" (deflate at the variant's level;
// memcpy for uskn), "load/<variant>/vexel" against "load/<variant>/zlib" (inflate; memcpy for
// uskn). bench/run reads the JSON output and prints the ratios.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "skin_generator.h"

namespace {

using namespace skinbench;

struct TFixture {
  std::unique_ptr<TDvSkinSource> Skin = GenerateSkin();
  std::array<std::vector<uint8_t>, 4> Files, Contents;
  // What the same container would weigh with zlib's deflate at the variant's level.
  std::array<int64_t, 4> ZlibFileBytes{};
  TFixture() {
    const int64_t Hint = int64_t(Save(*Skin, Variants()[0].Class).size());
    for (size_t V = 0; V < Variants().size(); ++V) {
      Files[V] = Save(*Skin, Variants()[V].Class);
      Contents[V] = ContentOf(Files[V], Variants()[V].Level, Hint);
    }
    // kskn and xskn write the same content as uskn; only the container differs.
    if (Contents[1] != Contents[0] || Contents[2] != Contents[0])
      throw std::runtime_error("compressed content differs from uskn content");
    for (size_t V = 0; V < Variants().size(); ++V) {
      if (Variants()[V].Level == 0) {
        ZlibFileBytes[V] = int64_t(Files[V].size());
        continue;
      }
      std::vector<uint8_t> Packed(compressBound(uLong(Contents[V].size())));
      uLongf Size = uLongf(Packed.size());
      if (compress2(Packed.data(), &Size, Contents[V].data(), uLong(Contents[V].size()), Variants()[V].Level) != Z_OK)
        throw std::runtime_error("compress2 failed");
      ZlibFileBytes[V] = 9 + int64_t(Size);
    }
  }
};

TFixture& Fixture() {
  static TFixture F;
  return F;
}

void SetThroughput(benchmark::State& State, size_t V) {
  State.SetBytesProcessed(State.iterations() * int64_t(Fixture().Contents[V].size()));
}

void SaveVexel(benchmark::State& State, size_t V) {
  TFixture& F = Fixture();
  SetDefaultSkinFilter(Variants()[V].Class);
  for (auto _ : State) {
    TMemoryStream Out;
    F.Skin->SaveToStream(Out);
    benchmark::DoNotOptimize(Out.Memory());
  }
  SetThroughput(State, V);
}

void LoadVexel(benchmark::State& State, size_t V) {
  TFixture& F = Fixture();
  for (auto _ : State) {
    // Input copy and freeing of the result stay outside the timing.
    State.PauseTiming();
    auto In = std::make_unique<TMemoryStream>(F.Files[V]);
    auto Loaded = std::make_unique<TDvSkinSource>();
    State.ResumeTiming();
    Loaded->LoadFromStream(*In);
    benchmark::DoNotOptimize(Loaded.get());
    State.PauseTiming();
    if (Loaded->Images().Count() != ImageCount || Loaded->ObjectCount() != TreeCount)
      State.SkipWithError("loaded skin is incomplete");
    Loaded.reset();
    In.reset();
    State.ResumeTiming();
  }
  SetThroughput(State, V);
}

// The references write into one buffer allocated and touched before the timing: the bare cost
// of zlib (or memcpy) on the content bytes, without page faults. Ours allocates as it goes, so
// its figure includes whatever its allocations cost. zlib's one-shot calls use the same defaults
// as the skin's streams (window 15, memLevel 8).
std::vector<uint8_t>& ReferenceBuffer(size_t Size) {
  static std::vector<uint8_t> Buffer;
  if (Buffer.size() < Size) Buffer.assign(Size, 1);
  return Buffer;
}

void SaveZlib(benchmark::State& State, size_t V) {
  const std::vector<uint8_t>& Content = Fixture().Contents[V];
  const int Level = Variants()[V].Level;
  uint8_t* Out = ReferenceBuffer(compressBound(uLong(Content.size()))).data();
  for (auto _ : State) {
    if (Level == 0) {
      std::memcpy(Out, Content.data(), Content.size());
    } else {
      uLongf Size = compressBound(uLong(Content.size()));
      if (compress2(Out, &Size, Content.data(), uLong(Content.size()), Level) != Z_OK)
        State.SkipWithError("compress2 failed");
    }
    benchmark::DoNotOptimize(Out);
    benchmark::ClobberMemory();
  }
  SetThroughput(State, V);
}

void LoadZlib(benchmark::State& State, size_t V) {
  TFixture& F = Fixture();
  const std::vector<uint8_t>& File = F.Files[V];
  const size_t ContentSize = F.Contents[V].size();
  uint8_t* Out = ReferenceBuffer(ContentSize).data();
  for (auto _ : State) {
    if (Variants()[V].Level == 0) {
      std::memcpy(Out, File.data() + 5, ContentSize);
    } else {
      uLongf Size = uLongf(ContentSize);
      if (uncompress(Out, &Size, File.data() + 9, uLong(File.size() - 9)) != Z_OK || Size != ContentSize)
        State.SkipWithError("uncompress failed");
    }
    benchmark::DoNotOptimize(Out);
    benchmark::ClobberMemory();
  }
  SetThroughput(State, V);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  TFixture& F = Fixture();
  benchmark::AddCustomContext("skin_images", std::to_string(F.Skin->Images().Count()) + " x " +
                                                 std::to_string(ImageSide) + "x" + std::to_string(ImageSide));
  benchmark::AddCustomContext("skin_objects", std::to_string(CountObjects(*F.Skin)));
  benchmark::AddCustomContext("skin_decoded_image_bytes", std::to_string(DecodedImageBytes));
  for (size_t V = 0; V < Variants().size(); ++V) {
    const std::string Name = Variants()[V].Name;
    benchmark::AddCustomContext("skin_file_bytes_" + Name, std::to_string(F.Files[V].size()));
    benchmark::AddCustomContext("skin_zlib_file_bytes_" + Name, std::to_string(F.ZlibFileBytes[V]));
    benchmark::AddCustomContext("skin_content_bytes_" + Name, std::to_string(F.Contents[V].size()));
  }

  // Ours and the reference of each operation are registered together, so that both run under the
  // same machine load.
  for (size_t V = 0; V < Variants().size(); ++V) {
    const std::string Name = Variants()[V].Name;
    auto Add = [](const std::string& Label, void (*Run)(benchmark::State&, size_t), size_t Variant) {
      benchmark::RegisterBenchmark(Label.c_str(), [Run, Variant](benchmark::State& S) {
        Run(S, Variant);
      })->Unit(benchmark::kMillisecond);
    };
    Add("save/" + Name + "/vexel", SaveVexel, V);
    Add("save/" + Name + "/zlib", SaveZlib, V);
    Add("load/" + Name + "/vexel", LoadVexel, V);
    Add("load/" + Name + "/zlib", LoadZlib, V);
  }

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
