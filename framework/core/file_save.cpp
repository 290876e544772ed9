#include "framework/core/file_save.h"

#include <filesystem>

#include "framework/core/exceptions.h"

namespace {

// Removes the temporary once this program created it, unless it was renamed. Declared before the
// file's stream, so the stream closes first (Windows removes no open file).
class TTemporaryFile {
 public:
  explicit TTemporaryFile(std::string Name) : FName(std::move(Name)) {}
  ~TTemporaryFile() {
    if (!FCreated) return;
    std::error_code Ignored;
    std::filesystem::remove(FName, Ignored);
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  const std::string& Name() const { return FName; }
  void Created() { FCreated = true; }
  void Renamed() { FCreated = false; }

 private:
  std::string FName;
  bool FCreated = false;
};

}  // namespace

void SaveFileReplacing(const std::string& FileName, const std::function<void(TStream&)>& Write) {
  TTemporaryFile Temporary(FileName + ".saving");
  {
    // Whatever stands under the temporary's name (a folder, say) is not ours to remove.
    TFileStream File(Temporary.Name(), TFileMode::fmCreate);
    Temporary.Created();
    Write(File);
    File.Flush();
  }
  std::error_code Error;
  std::filesystem::rename(Temporary.Name(), FileName, Error);
  if (Error) throw EWriteError(Format("Cannot create file %s: %s", FileName.c_str(), Error.message().c_str()));
  Temporary.Renamed();
}

void SaveFileReplacing(const std::string& FileName, const TMemoryStream& Data) {
  SaveFileReplacing(FileName, [&Data](TStream& File) { File.WriteBuffer(Data.Memory(), int64_t(Data.Data().size())); });
}
