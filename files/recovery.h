// Unsaved parameter changes kept on disk while the desktop program runs, so
// that a crash or a kill loses nothing that was taken over in the parameter
// form. The store is a folder holding two files: the parameter set in the
// parameter file format and a small header (the file the changes belong to,
// when they were made). A new start first sets the files of the previous run
// aside as "pending"; the running program then keeps its own files up to
// date without touching them until the user has restored or discarded them.
#pragma once

#include <ctime>
#include <string>

#include "calc/model.h"
#include "files/file_error.h"

namespace korvane {

struct RecoveryInfo {
    std::string originalPath;  // the parameter file the changes belong to; empty: none yet
    std::time_t madeAt = 0;    // when the changes were kept
};

class RecoveryStore {
public:
    explicit RecoveryStore(std::string folder);

    const std::string& folder() const { return folder_; }

    // Called once at start: the files a previous run left (it ended without
    // a clean exit) become the pending ones; an older pending set is
    // replaced by them, being older.
    void setAsidePrevious();
    // The pending set, if there is one that can be read.
    bool pending(RecoveryInfo& info) const;
    // Loads the pending set into the model (all or nothing, as a file load).
    bool restorePending(SiloModel& m, FileError& err) const;
    // Removes the pending set (after it was restored or discarded).
    void dropPending();

    // Keeps the model's parameters with the file they belong to; each file
    // written safely (a kill while writing leaves the previous version).
    bool keep(const SiloModel& m, const std::string& originalPath, std::time_t madeAt,
              FileError& err);
    // Removes this run's files: a save or a clean exit.
    void discard();

private:
    std::string path(const char* name) const { return folder_ + "/" + name; }
    std::string folder_;
};

}  // namespace korvane
