// A file written whole or not at all: the new content goes to a temporary
// file beside the one it replaces, which is renamed over it only when complete.
#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Owns the temporary file from Open until Commit; if Commit never succeeds,
// the destructor closes and removes it and the file at the path is untouched.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Prepares to replace the regular file at path (a symbolic link is
    // followed, so the link stays and the file it names is replaced; when
    // it names nothing yet, that file is created). false when the path
    // leads to anything but a regular file the user may write, passes a
    // link another user planted in a shared sticky directory, or the
    // temporary file cannot be made; nothing has been opened at the path then.
    bool Open(const char *path);
    // Appends size bytes. false when any of them could not be written.
    bool Write(const void *data, size_t size);
    // Gives the file the replaced file's owner, group and permissions as far
    // as the system allows (a new file's follow the umask), flushes the
    // content to disk, closes the file and renames it over the target.
    // false when any step fails; the target is then untouched.
    bool Commit();

private:
    bool CreateTemp();
    bool SetOwnerAndMode();

    int fd_ = -1;
    std::string target_;
    std::string temp_;
    mode_t mode_ = 0;  // permission bits the file gets at Commit
    bool replacing_ = false;  // a file stood at the target when opened
    uid_t owner_ = 0;  // the replaced file's owner and group
    gid_t group_ = 0;
};
