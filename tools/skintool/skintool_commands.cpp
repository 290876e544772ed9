#include "skintool_commands.h"

#include <algorithm>
#include <new>
#include <sstream>

#include "framework/core/file_save.h"
#include "framework/core/object_text.h"
#include "skintool_preview.h"
#include "skintool_render.h"
#include "skintool_sheet.h"
#include "skintool_skin.h"

namespace {

struct TCommand {
  const char* Name;
  const char* Arguments;
  size_t ArgumentCount;
  // Allowed once after the arguments, when not nil.
  const char* Option;
  void (*Run)(const TArguments& Args, std::ostream& Out);
  // Named options follow the arguments; the command checks them itself.
  bool TakesOptions = false;

  bool Matches(const TArguments& Args) const {
    if (Args.empty() || Args[0] != Name) return false;
    const size_t Count = Args.size() - 1;
    if (TakesOptions) return Count >= ArgumentCount;
    return Count == ArgumentCount || (Option && Count == ArgumentCount + 1 && Args.back() == Option);
  }
};

// stream2text IN OUT: a binary component stream ("TPF0") to its text form.
void StreamToText(const TArguments& Args, std::ostream&) {
  TMemoryStream Text;
  {
    TFileStream In(Args[0], TFileMode::fmOpenRead);
    ObjectBinaryToText(In, Text);
    // Bytes after the object would be lost without a word.
    if (In.Remaining() != 0) throw EReadError("Data after the end of the object");
  }
  SaveFileReplacing(Args[1], Text);
}

// text2stream IN OUT: the text form of one object to its binary component stream.
void TextToStream(const TArguments& Args, std::ostream&) {
  TMemoryStream Binary;
  {
    TFileStream In(Args[0], TFileMode::fmOpenRead);
    ObjectTextToBinary(In, Binary);
  }
  SaveFileReplacing(Args[1], Binary);
}

const TCommand Commands[] = {
    {"stream2text", "IN OUT", 2, nullptr, StreamToText},
    {"text2stream", "IN OUT", 2, nullptr, TextToStream},
    {"info", "FILE", 1, nullptr, SkinInfo},
    {"dump", "FILE", 1, nullptr, SkinDump},
    {"tables", "FILE", 1, nullptr, SkinTables},
    {"convert", "IN OUT", 2, nullptr, SkinConvert},
    {"export", "FILE DIR [--bmp]", 2, "--bmp", SkinExport},
    {"validate", "FILE", 1, nullptr, SkinValidate},
    {"sheet", "FILE|--theme flat|officexp OUT.png", 2, nullptr, SkinSheet, true},
    {"render", "FILE OUT.png --object NAME [--size WxH] [--state STATE] [--active 0|1] [--text TEXT] [--design]", 2,
     nullptr, SkinRender, true},
    {"preview", "FILE|--theme flat|officexp [--controls] [--screenshot OUT.png]", 1, nullptr, SkinPreview, true},
};

std::string UsageLine() {
  std::string Line = "usage: skintool COMMAND ARGUMENTS, COMMAND one of:";
  for (const TCommand& C : Commands) Line += std::string(" ") + C.Name + " " + C.Arguments + ";";
  Line.back() = '.';
  return Line;
}

// The refusal must stay one line whatever a file name holds.
std::string OneLine(std::string Message) {
  std::replace_if(
      Message.begin(), Message.end(), [](char C) { return C == '\r' || C == '\n'; }, ' ');
  return Message;
}

}  // namespace

int RunSkintool(const std::vector<std::string>& Args, std::ostream& Output, std::ostream& Errors) {
  const auto Command =
      std::find_if(std::begin(Commands), std::end(Commands), [&](const TCommand& C) { return C.Matches(Args); });
  if (Command == std::end(Commands)) {
    Errors << UsageLine() << '\n';
    return 1;
  }
  try {
    // A refused command prints no half report.
    std::ostringstream Report;
    Command->Run(TArguments(Args.begin() + 1, Args.end()), Report);
    Output << Report.str() << std::flush;
    return 0;
  } catch (const Exception& E) {
    Errors << "skintool: " << OneLine(E.Message()) << '\n';
  } catch (const std::bad_alloc&) {
    Errors << "skintool: Out of memory\n";
  } catch (const std::exception& E) {
    Errors << "skintool: " << OneLine(E.what()) << '\n';
  }
  return 1;
}
