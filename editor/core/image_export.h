// The export window's work apart from the window: every image of a skin written to a folder,
// alpha-blended images as PNG with their alpha, the others as BMP on magenta. TfrmExport shows
// the folder text this gives back and the log lines.
#pragma once

#include <string>
#include <vector>

class TvxBitmapList;

// Folder with the platform's separator appended when it ends in neither separator.
std::string WithTrailingSeparator(const std::string& Folder);

// Why Name cannot be a file name inside the export folder (a separator, "." or "..", a
// character or a device name the platform reserves, nothing at all); empty when it can.
std::string UnsafeFileNameReason(const std::string& Name);

struct TImageExport {
  std::string Folder;            // the folder text with its trailing separator
  std::vector<std::string> Log;  // one line per image
};

// Writes every image in list order: "Bitmap <name> saved as <folder><name>". An image whose name
// is no safe file name, whose file an earlier image of the same name (letter case ignored) has
// just written, or whose file cannot be written gets a line saying why, and the others go on.
// No images: nothing is written or logged.
TImageExport ExportImages(const TvxBitmapList& Images, const std::string& Folder);
