// A file written whole or not at all: the new content goes to a temporary
// file beside the one it replaces, which is renamed over it only when complete.
#pragma once

#include <cstddef>
#include <string>

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
    // leads to anything but a regular file the user may write, or the
    // temporary file cannot be made; nothing has been opened at the path then.
    bool Open(const char *path);
    // Appends size bytes. false when any of them could not be written.
    bool Write(const void *data, size_t size);
    // Flushes the content to disk, closes the file and renames it over the
    // target. false when any step fails; the target is then untouched.
    bool Commit();

private:
    bool CreateTemp();

    int fd_ = -1;
    std::string target_;
    std::string temp_;
    unsigned keepMode_ = 0;  // permission bits of the replaced file
    bool replacing_ = false;  // a file stood at the target when opened
};
