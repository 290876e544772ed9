#include "examples/notepad/notepad_text_file.h"

#include "framework/core/classes.h"
#include "framework/core/exceptions.h"
#include "framework/core/file_save.h"

std::string LoadTextFile(const std::string& FileName) {
  TFileStream File(FileName, TFileMode::fmOpenRead);
  const int64_t Size = File.Size();
  if (Size > MaxTextFileSize)
    throw EReadError("The file " + FileName + " is too large to edit (" + std::to_string(Size) + " bytes)");
  std::string Text(size_t(Size), '\0');
  if (Size > 0 && File.Read(Text.data(), Size) != Size) throw EReadError("The file " + FileName + " could not be read");
  // The edit control would stop at the first one, and saving would write the text cut there.
  if (Text.find('\0') != std::string::npos)
    throw EReadError("The file " + FileName +
                     " contains zero bytes (a binary or UTF-16 file) and cannot be edited here");
  return Text;
}

void SaveTextFile(const std::string& FileName, const std::string& Text) {
  SaveFileReplacing(FileName, [&](TStream& Out) {
    if (!Text.empty()) Out.WriteBuffer(Text.data(), int64_t(Text.size()));
  });
}
