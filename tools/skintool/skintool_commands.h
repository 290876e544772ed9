// The commands of skintool. Their names, arguments and exit codes are a public interface that
// scripts depend on: 0 for success, 1 for a clean refusal with exactly one line on Errors.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Args are the command line without the program name. Reports go to Output, only when the
// command succeeded.
int RunSkintool(const std::vector<std::string>& Args, std::ostream& Output, std::ostream& Errors);
