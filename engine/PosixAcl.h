// POSIX access control lists in the kernel's own form, the extended attributes
// system.posix_acl_access and system.posix_acl_default: read from a file or
// folder held open, given to a file, and the entries a file's mode depends on.
#pragma once

#include <string>
#include <sys/types.h>

// An ACL as the kernel stores it; empty for none.
using AclBytes = std::string;

// Reads the access ACL of the file open as fd (O_PATH will do). acl is empty
// when the file has none or its file system keeps none; false when it
// cannot be read.
bool ReadAccessAcl(int fd, AclBytes &acl);
// Reads the default ACL of the folder open as fd, as ReadAccessAcl.
bool ReadDefaultAcl(int fd, AclBytes &acl);
// Gives the file open as fd exactly the access ACL acl, or none when acl is
// empty. false when that fails; errno then says why.
bool SetAccessAcl(int fd, const AclBytes &acl);
// The path through /proc/self/fd that leads to the file open as fd itself,
// whatever its name names now: the way to reach an O_PATH descriptor's file
// with calls that take a path.
std::string SelfPath(int fd);
// Whether error, from one of these calls, says that the file system keeps
// no ACL: the one failure that is not a failure to write.
bool KeepsNoAcl(int error);

// The permission bits (rwx) that the owning group of a file with the access
// ACL acl has in effect: its own entry, limited by the mask.
mode_t OwningGroupAccess(const AclBytes &acl);
// Takes every permission from the owning group's entry of acl.
void RevokeOwningGroup(AclBytes &acl);
// The permission bits of a file created with mode 0666 in a folder whose
// default ACL is acl: the umask plays no part then.
mode_t ModeFromDefaultAcl(const AclBytes &acl);
