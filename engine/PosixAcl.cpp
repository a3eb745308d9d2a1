// POSIX ACLs read and written as the raw extended attributes: a 4-byte
// version, then 8-byte entries of a 16-bit tag, 16-bit permission bits and
// a 32-bit id, all little-endian.
#include "PosixAcl.h"

#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

const char ACCESS[] = "system.posix_acl_access";
const char DEFAULT[] = "system.posix_acl_default";

constexpr size_t HEADER_SIZE = 4;
constexpr size_t ENTRY_SIZE = 8;
constexpr size_t PERM_OFFSET = 2;  // within an entry
// Entry tags (those that name no user or group of their own).
constexpr unsigned USER_OBJ = 0x01;
constexpr unsigned GROUP_OBJ = 0x04;
constexpr unsigned MASK = 0x10;
constexpr unsigned OTHER = 0x20;
// An ACL larger than this is not one the kernel would keep.
constexpr size_t MAX_ACL_SIZE = 1 << 16;

unsigned Field16(const AclBytes &acl, size_t at)
{
    return static_cast<unsigned char>(acl[at]) | static_cast<unsigned char>(acl[at + 1]) << 8;
}

// Where the permission bits of the first entry tagged tag lie; npos when
// acl has no such entry.
size_t PermOffset(const AclBytes &acl, unsigned tag)
{
    for (size_t at = HEADER_SIZE; at + ENTRY_SIZE <= acl.size(); at += ENTRY_SIZE) {
        if (Field16(acl, at) == tag)
            return at + PERM_OFFSET;
    }
    return AclBytes::npos;
}

// The permission bits of the entry tagged tag; absent when there is none.
mode_t Perm(const AclBytes &acl, unsigned tag, mode_t absent = 0)
{
    const size_t at = PermOffset(acl, tag);
    return at == AclBytes::npos ? absent : static_cast<mode_t>(Field16(acl, at) & 07);
}

// Reads the attribute of the file open as fd. getxattr refuses an O_PATH
// descriptor, so the attribute is read through /proc/self/fd, whose entry
// leads to that very file, never to whatever its name names now.
bool ReadAcl(int fd, const char *attribute, AclBytes &acl)
{
    const std::string path = SelfPath(fd);
    acl.clear();
    for (;;) {
        const ssize_t size = getxattr(path.c_str(), attribute, nullptr, 0);
        if (size < 0)
            return errno == ENODATA || KeepsNoAcl(errno);
        if (static_cast<size_t>(size) > MAX_ACL_SIZE)
            return false;
        acl.resize(static_cast<size_t>(size));
        const ssize_t got = getxattr(path.c_str(), attribute, &acl[0], acl.size());
        if (got >= 0) {
            acl.resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE)  // ERANGE: it grew since its size was asked
            return false;
    }
}

}  // namespace

bool ReadAccessAcl(int fd, AclBytes &acl)
{
    return ReadAcl(fd, ACCESS, acl);
}

bool ReadDefaultAcl(int fd, AclBytes &acl)
{
    return ReadAcl(fd, DEFAULT, acl);
}

bool SetAccessAcl(int fd, const AclBytes &acl)
{
    if (!acl.empty())
        return fsetxattr(fd, ACCESS, acl.data(), acl.size(), 0) == 0;
    return fremovexattr(fd, ACCESS) == 0 || errno == ENODATA || KeepsNoAcl(errno);
}

std::string SelfPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

bool KeepsNoAcl(int error)
{
    // ENOTSUP is EOPNOTSUPP on Linux; both are named for other systems.
    return error == EOPNOTSUPP || error == ENOTSUP;
}

mode_t OwningGroupAccess(const AclBytes &acl)
{
    return Perm(acl, GROUP_OBJ) & Perm(acl, MASK, 07);
}

void RevokeOwningGroup(AclBytes &acl)
{
    const size_t at = PermOffset(acl, GROUP_OBJ);
    if (at != AclBytes::npos)
        acl[at] = acl[at + 1] = 0;
}

mode_t ModeFromDefaultAcl(const AclBytes &acl)
{
    // As the kernel creates a file: the mask, where there is one, stands for
    // the group in the mode.
    const mode_t group = PermOffset(acl, MASK) != AclBytes::npos ? Perm(acl, MASK) : Perm(acl, GROUP_OBJ);
    return (Perm(acl, USER_OBJ) << 6 | group << 3 | Perm(acl, OTHER)) & 0666;
}
