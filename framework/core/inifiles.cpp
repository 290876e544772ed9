#include "framework/core/inifiles.h"

#include "framework/core/sysutils.h"

void TMemIniFile::SetText(const std::string& Text) {
  FLines.clear();
  size_t Start = 0;
  while (Start < Text.size()) {
    size_t End = Text.find('\n', Start);
    const bool LastLine = End == std::string::npos;
    if (LastLine) End = Text.size();
    size_t Length = End - Start;
    if (!LastLine && Length > 0 && Text[End - 1] == '\r') --Length;
    FLines.push_back(Text.substr(Start, Length));
    Start = LastLine ? End : End + 1;
  }
  Parse();
}

std::string TMemIniFile::Text() const {
  std::string Result;
  for (const std::string& Line : FLines) {
    Result += Line;
    Result += "\r\n";
  }
  return Result;
}

void TMemIniFile::Clear() {
  FLines.clear();
  FSections.clear();
  FSectionIndex.clear();
}

void TMemIniFile::Parse() {
  FSections.clear();
  FSectionIndex.clear();
  // Keys before the first section header land in a section nobody can look up; a repeated
  // section continues the first one.
  TSection Ignored;
  TSection* Current = &Ignored;
  for (const std::string& Raw : FLines) {
    const std::string Line = Trim(Raw);
    if (Line.empty() || Line[0] == ';') continue;
    if (Line[0] == '[') {
      const size_t Close = Line.find(']');
      if (Close != std::string::npos) {
        const std::string Name = LowerCase(Trim(std::string_view(Line).substr(1, Close - 1)));
        const auto [Found, Added] = FSectionIndex.emplace(Name, FSections.size());
        if (Added) FSections.emplace_back();
        Current = &FSections[Found->second];
        continue;
      }
    }
    const size_t Equals = Raw.find('=');
    if (Equals == std::string::npos) continue;
    std::string Key = Trim(std::string_view(Raw).substr(0, Equals));
    if (Key.empty()) continue;
    if (Current->Index.emplace(LowerCase(Key), Current->Entries.size()).second)
      Current->Entries.push_back({std::move(Key), Raw.substr(Equals + 1)});
  }
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& Section) const {
  const auto Found = FSectionIndex.find(LowerCase(Trim(Section)));
  return Found == FSectionIndex.end() ? nullptr : &FSections[Found->second];
}

bool TMemIniFile::SectionExists(const std::string& Section) const { return FindSection(Section) != nullptr; }

std::vector<std::string> TMemIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> Keys;
  if (const TSection* S = FindSection(Section))
    for (const TEntry& Entry : S->Entries) Keys.push_back(Entry.Key);
  return Keys;
}

std::string TMemIniFile::ReadString(const std::string& Section, const std::string& Key,
                                    const std::string& Default) const {
  const TSection* S = FindSection(Section);
  if (!S) return Default;
  const auto Found = S->Index.find(LowerCase(Trim(Key)));
  return Found == S->Index.end() ? Default : S->Entries[Found->second].Value;
}
