#include "skintool_commands.h"

#include <algorithm>
#include <new>

#include "framework/core/object_text.h"
#include "skintool_files.h"

namespace {

using TArguments = std::vector<std::string>;

struct TCommand {
  const char* Name;
  const char* Arguments;
  size_t ArgumentCount;
  void (*Run)(const TArguments& Args);
};

// stream2text IN OUT: a binary component stream ("TPF0") to its text form.
void StreamToText(const TArguments& Args) {
  TMemoryStream Text;
  {
    TFileStream In(Args[0], TFileMode::fmOpenRead);
    ObjectBinaryToText(In, Text);
    // Bytes after the object would be lost without a word.
    if (In.Remaining() != 0) throw EReadError("Data after the end of the object");
  }
  WriteFileAtomically(Args[1], Text);
}

// text2stream IN OUT: the text form of one object to its binary component stream.
void TextToStream(const TArguments& Args) {
  TMemoryStream Binary;
  {
    TFileStream In(Args[0], TFileMode::fmOpenRead);
    ObjectTextToBinary(In, Binary);
  }
  WriteFileAtomically(Args[1], Binary);
}

const TCommand Commands[] = {
    {"stream2text", "IN OUT", 2, StreamToText},
    {"text2stream", "IN OUT", 2, TextToStream},
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

int RunSkintool(const std::vector<std::string>& Args, std::ostream& Errors) {
  const auto Command = std::find_if(std::begin(Commands), std::end(Commands), [&](const TCommand& C) {
    return !Args.empty() && Args[0] == C.Name && Args.size() - 1 == C.ArgumentCount;
  });
  if (Command == std::end(Commands)) {
    Errors << UsageLine() << '\n';
    return 1;
  }
  try {
    Command->Run(TArguments(Args.begin() + 1, Args.end()));
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
