// A file written whole or not at all: the new content goes to a temporary
// file beside the one it replaces, which is renamed over it only when complete.
#pragma once

#include <cstddef>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#include "PosixAcl.h"

// Owns the temporary file from Open until Commit; if Commit never succeeds,
// the destructor closes and removes it and the file at the path is untouched.
// Everything after the links are followed happens in the target's folder,
// held open from Open on: renaming any folder on the path meanwhile cannot
// send a step elsewhere.
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
    // link another user planted in a shared sticky folder, leads to another
    // user's file there or to a file with more than one link, or the
    // temporary file cannot be made; nothing has been opened at the path then.
    bool Open(const char *path);
    // Appends size bytes. false when any of them could not be written.
    bool Write(const void *data, size_t size);
    // Gives the file the replaced file's owner, group, permissions and ACL
    // as far as the system allows (a new file's are what creating it in the
    // folder gives), flushes the content to disk, closes the file and
    // renames it over the target (in a shared folder, where no file stood,
    // only while the name is still free). false when any step fails; the
    // target is then untouched.
    bool Commit();

private:
    bool OpenFolder(const std::string &target);
    bool TakeOver(int file);
    bool MayReplace(int file, const struct stat &info) const;
    bool CreateTemp();
    bool PutInPlace();
    bool SetOwnerAndMode();
    bool KeepAcl(mode_t &mode);

    int folder_ = -1;  // the target's folder
    struct stat folderInfo_ = {};  // its status when opened
    std::string name_;  // the target's name in it
    int fd_ = -1;
    std::string temp_;  // the temporary file's name in the folder
    mode_t mode_ = 0;  // permission bits the file gets at Commit
    bool replacing_ = false;  // a file stood at the target when opened
    uid_t owner_ = 0;  // the replaced file's owner, group and access ACL
    gid_t group_ = 0;
    AclBytes acl_;
};
