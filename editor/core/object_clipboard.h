// The editor's private clipboard payload for one skin object and its descendants:
//   decimal length N, "@", N bytes of object record, and a zero byte in the clipboard block.
// The object record is a text-form object record of the skin files: 32-bit LE length and class
// name, then 32-bit LE length and the text form of the object's component stream. The body
// holds zero bytes, so readers go by N, never by the terminator. The window moves the bytes to
// and from the clipboard; this unit only makes and reads them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/exceptions.h"

class TComponent;
class TDvSkinObject;

// Every block that holds no readable object; the message is what the editor shows.
class EInvalidClipboardFormat : public Exception {
 public:
  EInvalidClipboardFormat() : Exception("Invalid clipboard format") {}
};

// The clipboard text of Object copied: a clone named "CopyOf" + its name, written as an object
// record, behind its decimal length and "@". The block is this text and one zero byte.
std::string EncodeClipboardObject(const TDvSkinObject& Object);

// The object record inside a clipboard block (the terminator and anything after the N bytes are
// ignored). EInvalidClipboardFormat without "@", with N not a positive decimal number, or with
// fewer than N bytes after the "@".
std::string_view ClipboardRecord(std::string_view Block);

// Name when Taken says it is free, else Name followed by the first free number from 2.
std::string FreeObjectName(const std::string& Name, const std::function<bool(const std::string&)>& Taken);

// A new object read from the block and placed under Owner (nil: unowned, for the caller to make
// top-level; the caller then owns it). A name Owner's children already use gets the next free
// number. EInvalidClipboardFormat for any block that does not give one, also for an unknown
// class or broken text; Owner is then unchanged.
TDvSkinObject* ReadClipboardObject(std::string_view Block, TComponent* Owner);
