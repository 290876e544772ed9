// TMemIniFile: an ini text held in memory. Sections and keys are looked up ignoring letter case;
// keys keep their file order. Portable.
//
// The lines loaded are kept as they are, so Text gives back exactly what was loaded (line ends
// become CR LF). A section that appears again continues the first one; a key that appears twice
// in a section keeps its first value (the later line is ignored).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class TMemIniFile {
 public:
  // Replaces the whole content by Text (lines separated by CR LF or LF).
  void SetText(const std::string& Text);
  // Every line followed by CR LF; empty when there are no lines.
  std::string Text() const;
  const std::vector<std::string>& Lines() const { return FLines; }
  void Clear();
  bool SectionExists(const std::string& Section) const;
  // The keys of Section in file order, each once (trimmed, as written); empty when it does not
  // exist.
  std::vector<std::string> ReadSection(const std::string& Section) const;
  // The value after the first "=" of the key's line, as written; Default when there is none.
  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;

 private:
  struct TEntry {
    std::string Key;
    std::string Value;
  };
  struct TSection {
    std::vector<TEntry> Entries;
    std::unordered_map<std::string, size_t> Index;  // lower-case key -> entry
  };
  const TSection* FindSection(const std::string& Section) const;
  void Parse();

  std::vector<std::string> FLines;
  std::vector<TSection> FSections;
  std::unordered_map<std::string, size_t> FSectionIndex;  // lower-case name -> section
};
