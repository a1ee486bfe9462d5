// Data folders and the FOLDER.DAT marker.
#include "files/data_folders.h"

#include <fstream>
#include <sys/stat.h>

namespace korvane {

DataFolders resolveDataFolders(const std::string& programDir, const std::string& documentsDir) {
    DataFolders f;
    f.programFolder = programDir;
    if (f.programFolder.empty() || f.programFolder.back() != '/') f.programFolder += '/';
    f.dataFolder = f.programFolder;

    const std::string marker = f.programFolder + "FOLDER.DAT";
    std::ifstream in(marker, std::ios::binary);
    if (in.is_open()) {
        std::string first;
        struct stat st{};
        if (::stat(marker.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            std::getline(in, first);
            if (in.bad()) first.clear();
            // A file written with CR LF line ends carries the CR before the LF.
            if (!first.empty() && first.back() == '\r') first.pop_back();
        }
        if (first != "Korvane") {
            f.markerInvalid = true;
        } else {
            std::string docs = documentsDir;
            if (docs.empty() || docs.back() != '/') docs += '/';
            f.dataFolder = docs + "Korvane/";
        }
    }
    f.parameterFolder = f.dataFolder + "Par/";
    f.resultFolder = f.dataFolder + "Output/";
    f.flyerFolder = f.dataFolder + "Flyer/";
    return f;
}

}  // namespace korvane
