#include "vexel/graphics/vx_resource.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/core/classes.h"

// A bitmap resource is a BMP file without its file header: put one in front and read it as a file.
bool LoadBitmapResource(const char* Name, TBitmap& Into) {
  HMODULE Module = GetModuleHandleA(nullptr);
  HRSRC Found = FindResourceA(Module, Name, MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL Loaded = Found ? LoadResource(Module, Found) : nullptr;
  const auto* Data = Loaded ? static_cast<const uint8_t*>(LockResource(Loaded)) : nullptr;
  const DWORD Size = Found ? SizeofResource(Module, Found) : 0;
  if (!Data || Size < sizeof(BITMAPINFOHEADER)) return false;
  const auto* Info = reinterpret_cast<const BITMAPINFOHEADER*>(Data);
  DWORD Colors = Info->biClrUsed;
  if (!Colors && Info->biBitCount <= 8) Colors = DWORD(1) << Info->biBitCount;
  BITMAPFILEHEADER Header{};
  Header.bfType = 0x4D42;
  Header.bfSize = DWORD(sizeof(Header) + Size);
  Header.bfOffBits = DWORD(sizeof(Header) + Info->biSize + Colors * 4);
  std::vector<uint8_t> Bytes(sizeof(Header) + Size);
  std::memcpy(Bytes.data(), &Header, sizeof(Header));
  std::memcpy(Bytes.data() + sizeof(Header), Data, Size);
  TMemoryStream Stream(std::move(Bytes));
  try {
    Into.LoadFromStream(Stream);
  } catch (const Exception&) {
    return false;
  }
  return true;
}
