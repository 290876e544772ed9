// The shell's "open" verb: a document in the program registered for it, an address in the
// default browser. Runs through a replaceable handler, so tests launch nothing.
#pragma once

#include <functional>
#include <string>

using TShellOpenHandler = std::function<bool(const std::string& FileOrUrl)>;

// Installs Handler for every later ShellOpen and answers the one it replaces; nil restores the
// shell.
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler Handler);
// True when the file or address was handed over; false for an empty one or a refusal.
bool ShellOpen(const std::string& FileOrUrl);
