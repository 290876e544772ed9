// Peak memory of a skin load, per variant, against the decoded image bytes. Each load runs in its
// own child of a parent that never allocated the skin, so no freed heap is reused: the growth of
// the child's resident set (VmHWM after the load minus VmRSS before it, with the high-water mark
// reset just before) is what the load itself needed. Two cases: from a memory stream (the input
// bytes are resident before the load and not counted) and from a file.
// Output, one line per variant and case: "peak <variant> <memory|file> <bytes> <decoded bytes>".
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "skin_generator.h"

namespace {

using namespace skinbench;

// A field of /proc/self/status in bytes; -1 when absent.
int64_t StatusBytes(const char* Field) {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  const size_t Length = std::strlen(Field);
  while (std::getline(Status, Line))
    if (Line.compare(0, Length, Field) == 0 && Line.size() > Length && Line[Length] == ':')
      return std::atoll(Line.c_str() + Length + 1) * 1024;
  return -1;
}

// Sets VmHWM back to the current resident set; false when the kernel does not support it.
bool ResetPeak() {
  std::FILE* F = std::fopen("/proc/self/clear_refs", "w");
  if (!F) return false;
  const bool Done = std::fputs("5", F) >= 0;
  return std::fclose(F) == 0 && Done;
}

std::vector<uint8_t> ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// Runs Body in a child and waits for it; the child's exit status is returned.
template <typename TBody>
int InChild(TBody Body) {
  std::fflush(stdout);
  const pid_t Pid = fork();
  if (Pid < 0) return -1;
  if (Pid == 0) {
    int Code = 1;
    try {
      Code = Body();
    } catch (const std::exception& E) {
      std::fprintf(stderr, "bench_skin_memory: %s\n", E.what());
    }
    std::fflush(stdout);
    _exit(Code);
  }
  int Status = 0;
  waitpid(Pid, &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

int MeasureLoad(const std::string& File, const char* Variant, bool FromMemory) {
  std::unique_ptr<TMemoryStream> In;
  if (FromMemory) {
    In = std::make_unique<TMemoryStream>(ReadFile(File));
    // Resident for sure before the baseline: read every page.
    uint64_t Sum = 0;
    for (size_t I = 0; I < size_t(In->Size()); I += 4096) Sum += In->Memory()[I];
    if (Sum == 1) std::printf(" ");
  }
  auto Skin = std::make_unique<TDvSkinSource>();
  const bool Reset = ResetPeak();
  const int64_t Before = StatusBytes("VmRSS");
  const int64_t PeakBefore = StatusBytes("VmHWM");
  if (FromMemory)
    Skin->LoadFromStream(*In);
  else
    Skin->LoadFromFile(File);
  const int64_t Peak = StatusBytes("VmHWM");
  if (Skin->Images().Count() != ImageCount || Skin->ObjectCount() != TreeCount) {
    std::fprintf(stderr, "bench_skin_memory: %s loaded incompletely\n", Variant);
    return 1;
  }
  if (!Reset && PeakBefore > Before)
    std::fprintf(stderr, "bench_skin_memory: cannot reset VmHWM; %s figure may be high by %lld bytes\n", Variant,
                 static_cast<long long>(PeakBefore - Before));
  std::printf("peak %s %s %lld %lld\n", Variant, FromMemory ? "memory" : "file", static_cast<long long>(Peak - Before),
              static_cast<long long>(DecodedImageBytes));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string Dir = argc > 1 ? argv[1] : "";
  char Template[] = "/tmp/vexel-skin-memory-XXXXXX";
  const bool OwnDir = Dir.empty();
  if (OwnDir) {
    if (!mkdtemp(Template)) return 1;
    Dir = Template;
  }
  // The skin is generated and written in a child, so this process's heap stays small.
  const int Generated = InChild([&] {
    const auto Skin = GenerateSkin();
    for (const TVariant& V : Variants()) {
      const std::vector<uint8_t> Bytes = Save(*Skin, V.Class);
      std::ofstream(Dir + "/bench." + V.Name, std::ios::binary)
          .write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    }
    return 0;
  });
  int Failures = Generated != 0;
  if (!Failures)
    for (const TVariant& V : Variants())
      for (const bool FromMemory : {true, false}) {
        const std::string File = Dir + "/bench." + V.Name;
        Failures += InChild([&] { return MeasureLoad(File, V.Name, FromMemory); }) != 0;
      }
  if (OwnDir) {
    for (const TVariant& V : Variants()) std::remove((Dir + "/bench." + V.Name).c_str());
    rmdir(Dir.c_str());
  }
  return Failures ? 1 : 0;
}
