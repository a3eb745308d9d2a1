// Replacing a file by rename: a temporary file in the target's folder is
// written, synced and closed, each step checked, and then renamed over it.
#include "ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links chained longer than this are taken for a loop, as the kernel does.
constexpr int MAX_LINK_HOPS = 40;
// Keeps the temporary file's name within the file system's name limit.
constexpr size_t MAX_TEMP_BASE = 200;
// Names taken by other files before giving up.
constexpr int MAX_TEMP_ATTEMPTS = 100;

// The part of path up to and including its last '/' ("" when it has none).
std::string DirectoryPart(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A sticky folder that others may write to, as /tmp: anyone there may have
// planted a file or a link under the name the PDF is to have.
bool IsShared(const struct stat &folder)
{
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Whether an entry owned by owner in a folder may be trusted: in a shared
// folder only the user's own and the folder owner's are.
bool Trusted(uid_t owner, const struct stat &folder)
{
    return !IsShared(folder) || owner == geteuid() || owner == folder.st_uid;
}

// Whether the regular file file may be replaced where it stands in folder.
// In a shared folder, a file with another link may be a file of the user's
// that someone it was shared with linked there: it would pass its ACL on to
// the PDF.
bool TrustedFile(const struct stat &file, const struct stat &folder)
{
    return Trusted(file.st_uid, folder) && (!IsShared(folder) || file.st_nlink == 1);
}

// Whether the link at path, whose own status is link, may be followed: one
// planted by another user could have the PDF written over a file of this
// user's. The kernel refuses the same links on open (fs.protected_symlinks),
// but the links are resolved here, where that rule would not apply, and it
// may be switched off.
bool MayFollow(const std::string &path, const struct stat &link)
{
    if (link.st_uid == geteuid())
        return true;
    const std::string directory = DirectoryPart(path);
    struct stat info;
    if (stat(directory.empty() ? "." : directory.c_str(), &info) != 0)
        return false;
    return Trusted(link.st_uid, info);
}

// Follows the symbolic links that path ends in, a relative one from the
// link's own directory, up to what they name. false on a loop, an unreadable
// link or one that may not be followed; a path naming nothing yet is kept as
// it is.
bool FollowLinks(std::string &path)
{
    for (int hops = 0; hops < MAX_LINK_HOPS; ++hops) {
        struct stat info;
        if (lstat(path.c_str(), &info) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(info.st_mode))
            return true;
        if (!MayFollow(path, info))
            return false;
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link);
        if (length <= 0 || static_cast<size_t>(length) >= sizeof link)
            return false;
        const std::string to(link, static_cast<size_t>(length));
        path = to[0] == '/' ? to : DirectoryPart(path) + to;
    }
    return false;
}

// The process's file-creation mask. Reading it means setting it, so it is
// set back at once; the program has a single thread.
mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Whether fchown failed only because the user may not give the file that
// owner or group (EINVAL: an id that has no meaning in this user namespace).
bool Refused()
{
    return errno == EPERM || errno == EINVAL;
}

// Gives the file at fd the owner and group given, or, when the user may not
// give it away, the group alone. What cannot be kept takes its set-id bit
// out of mode, as chown would; a group that cannot be kept loses its access
// too (its bits in mode, or its entry in the access ACL acl), so that the
// group the file falls to gains nothing. false when fchown fails for
// another reason.
bool KeepOwnerAndGroup(int fd, uid_t owner, gid_t group, mode_t &mode, AclBytes &acl)
{
    if (fchown(fd, owner, group) == 0)
        return true;
    if (!Refused())
        return false;
    if (fchown(fd, static_cast<uid_t>(-1), group) != 0 && !Refused())
        return false;
    struct stat info;
    if (fstat(fd, &info) != 0)
        return false;
    if (info.st_uid != owner)
        mode &= ~static_cast<mode_t>(S_ISUID);
    if (info.st_gid != group) {
        mode &= ~static_cast<mode_t>(S_ISGID);
        if (acl.empty())
            mode &= ~static_cast<mode_t>(S_IRWXG);
        else
            RevokeOwningGroup(acl);
    }
    return true;
}

// Makes a rename in the folder durable. The new file is complete and in
// place by then, so a folder that refuses to be synced does not undo that.
void SyncFolder(int folder)
{
    const int fd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

ReplacingFile::~ReplacingFile()
{
    if (fd_ >= 0)
        close(fd_);
    if (!temp_.empty())
        unlinkat(folder_, temp_.c_str(), 0);
    if (folder_ >= 0)
        close(folder_);
}

bool ReplacingFile::Open(const char *path)
{
    std::string target = path;
    if (!FollowLinks(target) || !OpenFolder(target))
        return false;
    // The target is opened only as a place (O_PATH: a device or a FIFO is
    // never opened for real), and not through a link: one put there since
    // the links were followed is refused, not followed unchecked. All that
    // decides the replace is then read from that one file.
    const int file = openat(folder_, name_.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (file >= 0) {
        const bool taken = TakeOver(file);
        close(file);
        if (!taken)
            return false;
    } else if (errno == ENOENT) {
        // As creating it would: the folder's default ACL decides, or else the umask.
        AclBytes inherited;
        if (!ReadDefaultAcl(folder_, inherited))
            return false;
        mode_ = inherited.empty() ? 0666 & ~CurrentUmask() : ModeFromDefaultAcl(inherited);
    } else {
        return false;
    }
    return CreateTemp();
}

// O_PATH: a folder the user may write to and search but not list serves too.
bool ReplacingFile::OpenFolder(const std::string &target)
{
    const std::string directory = DirectoryPart(target);
    name_ = target.substr(directory.size());
    if (name_.empty())
        return false;
    folder_ = open(directory.empty() ? "." : directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return folder_ >= 0 && fstat(folder_, &folderInfo_) == 0;
}

// Notes what the file open as file (O_PATH) keeps: owner, group, mode and
// ACL. false when it may not be replaced or its ACL cannot be read.
bool ReplacingFile::TakeOver(int file)
{
    struct stat info;
    if (fstat(file, &info) != 0 || !MayReplace(file, info) || !ReadAccessAcl(file, acl_))
        return false;
    replacing_ = true;
    mode_ = info.st_mode & 07777;
    owner_ = info.st_uid;
    group_ = info.st_gid;
    return true;
}

// A file its user may not write stays protected, as it was when the file was
// written in place; so does a file in a shared folder that another user may
// have put there, which the kernel would not let an ordinary open write
// either (fs.protected_regular), but which a rename would replace. Write
// permission is asked of the file itself.
bool ReplacingFile::MayReplace(int file, const struct stat &info) const
{
    return S_ISREG(info.st_mode) && access(SelfPath(file).c_str(), W_OK) == 0 && TrustedFile(info, folderInfo_);
}

bool ReplacingFile::CreateTemp()
{
    const std::string prefix = "." + name_.substr(0, MAX_TEMP_BASE) + ".";
    unsigned salt = static_cast<unsigned>(getpid()) * 2654435761u ^ static_cast<unsigned>(clock());
    for (int attempt = 0; attempt < MAX_TEMP_ATTEMPTS; ++attempt) {
        char suffix[16];
        salt = salt * 1103515245u + 12345u;
        snprintf(suffix, sizeof suffix, "%08x", salt);
        const std::string name = prefix + suffix;
        // Its owner's alone until Commit: whoever opened it meanwhile could
        // go on reading all that is written, whatever mode it gets later.
        fd_ = openat(folder_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            temp_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool ReplacingFile::Write(const void *data, size_t size)
{
    const char *bytes = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = write(fd_, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool ReplacingFile::Commit()
{
    if (fd_ < 0)
        return false;
    const bool synced = SetOwnerAndMode() && fsync(fd_) == 0;
    const int fd = fd_;
    fd_ = -1;
    const bool closed = close(fd) == 0;
    if (!synced || !closed || !PutInPlace())
        return false;
    temp_.clear();
    SyncFolder(folder_);
    return true;
}

// Renames the temporary file to the target's name. Where no file stood in a
// shared folder, the name must still be free: a file another user put there
// during the write is not replaced.
bool ReplacingFile::PutInPlace()
{
    if (replacing_ || !IsShared(folderInfo_))
        return renameat(folder_, temp_.c_str(), folder_, name_.c_str()) == 0;
    if (renameat2(folder_, temp_.c_str(), folder_, name_.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without it: a second link fails on a taken name too. The
    // PDF is in place once linked; a temporary name left is only clutter.
    if (linkat(folder_, temp_.c_str(), folder_, name_.c_str(), 0) != 0)
        return false;
    unlinkat(folder_, temp_.c_str(), 0);
    return true;
}

// A new file keeps what creating it gave it: the folder's default ACL, if
// any, was applied when the temporary file was made.
bool ReplacingFile::SetOwnerAndMode()
{
    mode_t mode = mode_;
    if (replacing_ && (!KeepOwnerAndGroup(fd_, owner_, group_, mode, acl_) || !KeepAcl(mode)))
        return false;
    // Last, as a change of owner or group clears the set-id bits.
    return fchmod(fd_, mode) == 0;
}

// The replaced file's access ACL exactly, or none when it had none (the
// temporary file may have taken one from the folder's default ACL).
bool ReplacingFile::KeepAcl(mode_t &mode)
{
    if (SetAccessAcl(fd_, acl_))
        return true;
    // Only a file system that keeps no ACL gets the fallback below: a full
    // disk, a quota or an I/O error fails the write, as it would leave the
    // PDF without the access its ACL gave.
    if (acl_.empty() || !KeepsNoAcl(errno))
        return false;
    // Refused: without it, the group bits would give the owning group what
    // the ACL's mask gave anyone named in it. They give what that group had.
    mode = (mode & ~static_cast<mode_t>(S_IRWXG)) | OwningGroupAccess(acl_) << 3;
    return SetAccessAcl(fd_, AclBytes());
}
