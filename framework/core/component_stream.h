// The binary component stream: "TPF0", then one object (optional prefix, class name, object
// name, properties in table order, defined properties, a 0 byte, child objects, a 0 byte).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "framework/core/component.h"

// The one-byte type code in front of every value. Not scoped: converters compare codes with the
// raw bytes they read.
enum TValueType : uint8_t {
  vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
  vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14,
  vaSingle = 15, vaCurrency = 16, vaDate = 17, vaWString = 18, vaInt64 = 19,
};

constexpr char ComponentStreamSignature[] = "TPF0";

// Deeper nesting of objects in the object list is refused rather than followed.
constexpr int MaxComponentNesting = 64;

void WriteComponent(TStream& Stream, const TComponent& Instance);

// Reads one object stream into an existing instance (its stored class name is not used to
// construct it). Children in the object list are constructed through the class registry and
// owned by the object they are written in, except those that have a parent (HasParent): the
// root owns them and the enclosing object becomes their parent. Every object read is told Loaded once the stream has ended.
// Errors: "Invalid stream format", "Stream read error", and property errors wrapped as
// "Error reading <name>.<path>: <message>"; the instance keeps what was read before the error.
void ReadComponent(TStream& Stream, TComponent& Instance);

// Whether a name is taken outside the instance's owner (by a top-level window, say); a stored
// name that is gets "_1", "_2", ... appended. Nil: no name is taken.
void SetGlobalNameCheck(std::function<bool(const std::string&)> IsTaken);
