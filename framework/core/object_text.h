// Conversion of one component stream between its binary form ("TPF0" and one object with its
// child objects) and its text form. Text made from a binary stream converts back to exactly the
// same bytes, so the converter refuses binary data that the text form cannot say (an integer
// stored wider than it needs, a name that is no identifier, an unknown prefix flag).
#pragma once

#include "framework/core/classes.h"

// Reads one object stream from Input, leaving Input just after it, and writes the text (CR LF
// line ends). EReadError for bad data ("Invalid stream format", "Stream read error", ...); Output
// is written only when the whole object converted.
void ObjectBinaryToText(TStream& Input, TStream& Output);

// Reads the text of one object (the rest of Input; only blanks may follow its "end") and writes
// the binary stream. EParserError whose message ends with " on line N" for bad text; Output is
// written only when the whole object converted.
void ObjectTextToBinary(TStream& Input, TStream& Output);
