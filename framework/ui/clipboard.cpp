// The clipboard over the platform's, with owned global memory until the clipboard takes it.
#include "framework/ui/clipboard.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "framework/ui/object_windows.h"

namespace {

// Another program (or Wine's own clipboard manager) may hold the clipboard for a moment.
constexpr int OpenAttempts = 100;
constexpr DWORD OpenRetryMs = 10;

// A global memory block owned until Release hands it on.
class TGlobalMemory {
 public:
  explicit TGlobalMemory(size_t Size) : FHandle(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Size ? Size : 1)) {
    if (!FHandle) throw EOutOfResources("Out of global memory");
  }
  ~TGlobalMemory() {
    if (FHandle) GlobalFree(FHandle);
  }
  TGlobalMemory(const TGlobalMemory&) = delete;
  TGlobalMemory& operator=(const TGlobalMemory&) = delete;
  HGLOBAL Get() const { return FHandle; }
  HGLOBAL Release() { return std::exchange(FHandle, nullptr); }

 private:
  HGLOBAL FHandle;
};

// A global block locked for the scope.
class TGlobalLock {
 public:
  explicit TGlobalLock(HGLOBAL Handle) : FHandle(Handle), FData(Handle ? GlobalLock(Handle) : nullptr) {}
  ~TGlobalLock() {
    if (FData) GlobalUnlock(FHandle);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  void* Data() const { return FData; }
  size_t Size() const { return FData ? GlobalSize(FHandle) : 0; }

 private:
  HGLOBAL FHandle;
  void* FData;
};

}  // namespace

TClipboard& Clipboard() {
  static TClipboard Instance;
  return Instance;
}

TClipboard::~TClipboard() {
  if (FOpenCount > 0) CloseClipboard();
  if (FWindow) DeallocateHWnd(static_cast<HWND>(FWindow));
}

void TClipboard::Open() {
  if (FOpenCount > 0) {
    ++FOpenCount;
    return;
  }
  // Emptying makes the opening window the owner, so there must be one.
  if (!FWindow) FWindow = AllocateHWnd(DefaultUtilityMessage);
  for (int Attempt = 0;; ++Attempt) {
    if (OpenClipboard(static_cast<HWND>(FWindow))) break;
    if (Attempt + 1 >= OpenAttempts) throw EClipboardError("Cannot open clipboard");
    Sleep(OpenRetryMs);
  }
  FOpenCount = 1;
  FEmptied = false;
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0) CloseClipboard();
}

TClipboardFormat TClipboard::RegisterFormat(const std::string& Name) {
  const UINT Format = RegisterClipboardFormatA(Name.c_str());
  if (!Format) throw EClipboardError("Cannot register clipboard format " + Name);
  return Format;
}

void TClipboard::Clear() {
  TClipboardLock Lock(*this);
  EmptyClipboard();
  FEmptied = true;
}

void TClipboard::Adding() {
  if (FEmptied) return;
  EmptyClipboard();
  FEmptied = true;
}

bool TClipboard::HasFormat(TClipboardFormat Format) const { return IsClipboardFormatAvailable(Format); }

std::vector<uint8_t> TClipboard::GetBuffer(TClipboardFormat Format) {
  TClipboardLock Lock(*this);
  TGlobalLock Block(GetClipboardData(Format));
  const auto* Data = static_cast<const uint8_t*>(Block.Data());
  return Data ? std::vector<uint8_t>(Data, Data + Block.Size()) : std::vector<uint8_t>();
}

void TClipboard::SetBuffer(TClipboardFormat Format, const void* Data, size_t Size) {
  TGlobalMemory Block(Size);
  {
    TGlobalLock Locked(Block.Get());
    if (Size) std::memcpy(Locked.Data(), Data, Size);
  }
  SetAsHandle(Format, Block.Release());
}

void* TClipboard::GetAsHandle(TClipboardFormat Format) {
  TClipboardLock Lock(*this);
  return GetClipboardData(Format);
}

void TClipboard::SetAsHandle(TClipboardFormat Format, void* Handle) {
  struct TFreeUnlessTaken {
    HGLOBAL Block;
    ~TFreeUnlessTaken() {
      if (Block) GlobalFree(Block);
    }
  } Guard{static_cast<HGLOBAL>(Handle)};
  TClipboardLock Lock(*this);
  Adding();
  if (!SetClipboardData(Format, Guard.Block)) throw EClipboardError("Cannot set clipboard data");
  Guard.Block = nullptr;
}

std::string TClipboard::AsText() {
  const std::vector<uint8_t> Data = GetBuffer(CF_TEXT);
  // The block may be longer than the text; the text ends at its zero.
  const auto End = std::find(Data.begin(), Data.end(), uint8_t(0));
  return std::string(Data.begin(), End);
}

void TClipboard::SetAsText(const std::string& Value) { SetBuffer(CF_TEXT, Value.c_str(), Value.size() + 1); }

std::wstring TClipboard::AsWideText() {
  const std::vector<uint8_t> Data = GetBuffer(CF_UNICODETEXT);
  std::wstring Text(Data.size() / sizeof(wchar_t), L'\0');
  if (!Text.empty()) std::memcpy(Text.data(), Data.data(), Text.size() * sizeof(wchar_t));
  Text.resize(std::wcslen(Text.c_str()));
  return Text;
}

void TClipboard::SetAsWideText(const std::wstring& Value) {
  SetBuffer(CF_UNICODETEXT, Value.c_str(), (Value.size() + 1) * sizeof(wchar_t));
}
