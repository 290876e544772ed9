#include "skintool_files.h"

#include <filesystem>

namespace {

// Removes the file once this program has created it, unless the work with it completed. Declared
// before the file's stream, so that the stream is closed first (Windows removes no open file).
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
  void Done() { FCreated = false; }

 private:
  std::string FName;
  bool FCreated = false;
};

}  // namespace

void WriteFileAtomically(const std::string& FileName, const TMemoryStream& Data) {
  TTemporaryFile Temporary(FileName + ".tmp");
  {
    TFileStream Out(Temporary.Name(), TFileMode::fmCreate);
    Temporary.Created();
    Out.WriteBuffer(Data.Memory(), static_cast<int64_t>(Data.Data().size()));
    Out.Flush();
  }
  std::error_code Error;
  std::filesystem::rename(Temporary.Name(), FileName, Error);
  if (Error)
    throw EWriteError(Format("Cannot rename \"%s\" to \"%s\": %s", Temporary.Name().c_str(), FileName.c_str(),
                             Error.message().c_str()));
  Temporary.Done();
}
