#pragma once
// Another process holding an exclusive lock on an SQLite file, with a statement pending in its
// transaction, until released: the process then ends without committing.

#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "library/database.h"

namespace tessera::test {

class ForeignLock {
public:
    // Starts the process: it opens the file, begins an exclusive transaction and runs pending.
    ForeignLock(const std::string& path, const std::string& pending) {
        if (pipe(ready_) != 0 || pipe(release_) != 0)
            return;
        child_ = fork();
        if (child_ == 0) {
            Database other;
            const bool ok =
                connect(other, path) == 1 && execute(other, "BEGIN EXCLUSIVE") == 1 && execute(other, pending) == 1;
            char byte = ok ? 'y' : 'n';
            (void)!write(ready_[1], &byte, 1);
            (void)!read(release_[0], &byte, 1);
            _exit(0);
        }
        char byte = 0;
        held_ = child_ > 0 && read(ready_[0], &byte, 1) == 1 && byte == 'y';
    }
    ~ForeignLock() { release(); }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

    // True when the other process holds the lock with its statement run.
    bool held() const { return held_; }

    // Lets the other process end without committing, and waits for it.
    void release() {
        if (child_ > 0) {
            const char byte = 0;
            (void)!write(release_[1], &byte, 1);
            int status = 0;
            waitpid(child_, &status, 0);
            child_ = -1;
        }
        for (int* fd : {&ready_[0], &ready_[1], &release_[0], &release_[1]})
            if (*fd >= 0) {
                close(*fd);
                *fd = -1;
            }
        held_ = false;
    }

private:
    int ready_[2] = {-1, -1};
    int release_[2] = {-1, -1};
    pid_t child_ = -1;
    bool held_ = false;
};

}  // namespace tessera::test
