// TMemIniFile: an ini text held in memory. Sections and keys are looked up ignoring letter case;
// keys keep their file order. Portable.
#pragma once

#include <string>
#include <vector>

class TMemIniFile {
 public:
  // Replaces the whole content by Text (lines separated by CR LF or LF).
  void SetText(const std::string& Text);
  // The content as lines joined by CR LF.
  std::string Text() const;
  void Clear();
  bool SectionExists(const std::string& Section) const;
  // The keys of Section in file order; empty when it does not exist.
  std::vector<std::string> ReadSection(const std::string& Section) const;
  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
};
