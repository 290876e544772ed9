// The system clipboard: text (ANSI and wide), private formats registered by name, and raw
// blocks. Every call opens the clipboard for itself, retrying while another program holds it;
// a TClipboardLock around several calls keeps it open, and the first Set... inside it empties
// the clipboard, so several formats can be put on it together.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

class EClipboardError : public Exception {
  using Exception::Exception;
};

using TClipboardFormat = uint32_t;
// The platform's text formats.
constexpr TClipboardFormat cfText = 1, cfUnicodeText = 13;

class TClipboard {
 public:
  TClipboard() = default;
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Nested: only the outermost Close closes. EClipboardError "Cannot open clipboard" when
  // another program keeps it for longer than the retries wait.
  void Open();
  void Close();
  bool IsOpen() const { return FOpenCount > 0; }

  // The id of the format called Name, the same in every program of the session.
  static TClipboardFormat RegisterFormat(const std::string& Name);

  void Clear();
  bool HasFormat(TClipboardFormat Format) const;

  // Text in the system code page; empty when the clipboard holds none.
  std::string AsText();
  void SetAsText(const std::string& Value);
  std::wstring AsWideText();
  void SetAsWideText(const std::wstring& Value);

  // The block stored under Format (its size as the platform keeps it); empty when there is none.
  std::vector<uint8_t> GetBuffer(TClipboardFormat Format);
  void SetBuffer(TClipboardFormat Format, const void* Data, size_t Size);
  void SetBuffer(TClipboardFormat Format, const std::vector<uint8_t>& Data) {
    SetBuffer(Format, Data.data(), Data.size());
  }

  // The platform's global memory handle under Format (owned by the clipboard), or nil.
  void* GetAsHandle(TClipboardFormat Format);
  // Hands a global memory block to the clipboard, which owns it from then on; a block the
  // clipboard refuses is freed and EClipboardError raised.
  void SetAsHandle(TClipboardFormat Format, void* Handle);

 private:
  void Adding();

  int FOpenCount = 0;
  bool FEmptied = false;
  void* FWindow = nullptr;  // the clipboard owner, a utility window
};

// The application's clipboard.
TClipboard& Clipboard();

// Keeps the clipboard open for a scope.
class TClipboardLock {
 public:
  explicit TClipboardLock(TClipboard& Clipboard) : FClipboard(Clipboard) { FClipboard.Open(); }
  ~TClipboardLock() { FClipboard.Close(); }
  TClipboardLock(const TClipboardLock&) = delete;
  TClipboardLock& operator=(const TClipboardLock&) = delete;

 private:
  TClipboard& FClipboard;
};
