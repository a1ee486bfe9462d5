// The folders the program works in: the program folder, and the data folder
// with its parameter, result and flyer folders. A marker file FOLDER.DAT in
// the program folder moves the data folder to the user's documents.
#pragma once

#include <string>

namespace korvane {

// Data folders. Paths end with '/'.
struct DataFolders {
    bool markerInvalid = false;  // FOLDER.DAT present with wrong first line
    std::string programFolder, dataFolder, parameterFolder, resultFolder, flyerFolder;
};
// programDir: folder of the executable (with or without trailing '/');
// documentsDir: the user's documents folder (used with a valid marker).
DataFolders resolveDataFolders(const std::string& programDir, const std::string& documentsDir);

}  // namespace korvane
