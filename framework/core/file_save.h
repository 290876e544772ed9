// Saving a user's file whole or not at all.
#pragma once

#include <functional>
#include <string>

#include "framework/core/classes.h"

// Write fills a temporary file beside FileName ("<FileName>.saving"), which is then renamed over
// FileName. On any failure the temporary is removed, FileName stays as it was and the exception
// goes on; creating the temporary fails with "Cannot create file <temporary>: <reason>", the rename
// with EWriteError "Cannot create file <FileName>: <reason>".
void SaveFileReplacing(const std::string& FileName, const std::function<void(TStream&)>& Write);

// The whole of Data as the file's content.
void SaveFileReplacing(const std::string& FileName, const TMemoryStream& Data);
