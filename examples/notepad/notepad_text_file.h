// Reading and writing the notepad's documents: plain text in the system code page.
#pragma once

#include <string>

// Files larger than this are refused rather than read into an edit control.
constexpr int64_t MaxTextFileSize = 16 * 1024 * 1024;

// The whole file. Exception with a message that names the file and the reason when it cannot
// be opened or read, is larger than MaxTextFileSize or holds a zero byte.
std::string LoadTextFile(const std::string& FileName);
// Replaces the file with Text whole or not at all; Exception naming the file when that fails.
void SaveTextFile(const std::string& FileName, const std::string& Text);
