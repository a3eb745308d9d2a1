// Writing the PDF file at the file boundary: failures at every step leave
// what stood at the path as it was, links stay links (but not ones planted by
// others in shared folders), the replace stays in the folder first looked at,
// the new file is as private as the one it replaces and keeps its owner,
// group and ACL, messages show long paths whole, and albums of any number of
// pages are written.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <map>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "ChildProcess.h"
#include "ReplacingFile.h"
#include "TestSupport.h"

namespace fs = std::filesystem;

// Failures that a file system may give only at the very end (a network file
// system, a disk that fills behind a cache) are injected here: the engine's
// fsync and close calls reach these through the linker's --wrap. Each armed
// failure strikes once, with that errno.
int gFsyncFailure = 0;
int gCloseFailure = 0;
// Setting an ACL fails with this errno while it is set: EOPNOTSUPP from a
// file system that keeps none, ENOSPC from a full disk, and so on.
int gAclFailure = 0;
// A file system that has no renameat2 flags: renameat2 fails with EINVAL.
bool gNoRenameFlags = false;

// While gWatchModes is set, the permission bits of each regular file written
// or synced (the temporary file, up to just before its rename) are gathered
// in gModesSeen: all that anyone opening it then could have been allowed.
bool gWatchModes = false;
mode_t gModesSeen = 0;

void NoteMode(int fd)
{
    struct stat info;
    if (gWatchModes && fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        gModesSeen |= info.st_mode & 07777;
}

extern "C" {
int __real_fsync(int fd);
int __real_close(int fd);
ssize_t __real_write(int fd, const void *data, size_t size);
int __real_fsetxattr(int fd, const char *name, const void *value, size_t size, int flags);
int __real_renameat2(int from, const char *fromName, int to, const char *toName, unsigned flags);

int __wrap_renameat2(int from, const char *fromName, int to, const char *toName, unsigned flags)
{
    if (!gNoRenameFlags)
        return __real_renameat2(from, fromName, to, toName, flags);
    errno = EINVAL;
    return -1;
}

int __wrap_fsetxattr(int fd, const char *name, const void *value, size_t size, int flags)
{
    if (gAclFailure == 0)
        return __real_fsetxattr(fd, name, value, size, flags);
    errno = gAclFailure;
    return -1;
}

ssize_t __wrap_write(int fd, const void *data, size_t size)
{
    NoteMode(fd);
    return __real_write(fd, data, size);
}

int __wrap_fsync(int fd)
{
    NoteMode(fd);
    if (gFsyncFailure == 0)
        return __real_fsync(fd);
    errno = gFsyncFailure;
    gFsyncFailure = 0;
    return -1;
}

// The descriptor is released even when close reports a failure. Only a file
// open for writing fails: closing what was opened only to look at is not
// the step under test.
int __wrap_close(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    const int result = __real_close(fd);
    if (gCloseFailure == 0 || flags < 0 || (flags & O_ACCMODE) == O_RDONLY)
        return result;
    errno = gCloseFailure;
    gCloseFailure = 0;
    return -1;
}
}

namespace {

const char EARLIER_PDF[] = "%PDF-1.3 the album written by an earlier Generate\n%%EOF\n";

// The bytes themselves when short, else their size and hash: a failing
// comparison then stays readable.
std::string Digest(const std::string &bytes)
{
    if (bytes.size() <= 100)
        return bytes;
    return std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>()(bytes));
}

// Each entry under root: a link's target, a file's bytes, or its kind.
std::map<std::string, std::string> Listing(const std::string &root)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(root)) {
        const fs::file_status status = entry.symlink_status();
        std::string &what = entries[entry.path().string()];
        if (fs::is_symlink(status))
            what = "link to " + fs::read_symlink(entry.path()).string();
        else if (fs::is_regular_file(status))
            what = Digest(ReadFile(entry.path()));
        else
            what = "kind " + std::to_string(static_cast<int>(status.type()));
    }
    return entries;
}

// What Listing says of a folder.
const std::string DIRECTORY = "kind " + std::to_string(static_cast<int>(fs::file_type::directory));

// An A5 album with one paragraph on each of its pages.
void BuildAlbum(CAlbumData &album, int pages)
{
    album.SetPageSize(148, 210);
    album.SetMargins(15, 10, 10, 10, true);
    album.SetSpacing(5, 5);
    for (int page = 0; page < pages; ++page) {
        album.AddPage(-1, -1);
        album.AddText(4, 12, "Definitives of the first reign", true);
    }
}

std::string WriteFailure(const std::string &path)
{
    return "\n<R>Error: <n>cannot write to " + path +
           "\n       If you have it open for viewing, please close the viewer.\n";
}

std::string Written(const std::string &path)
{
    return "Creating " + path + "\nFinished Creating " + path + "\n";
}

// Permission bits as they are written in octal.
std::string Octal(mode_t mode)
{
    char text[16];
    snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// A file's owner, group and permission bits, as "uid:gid mode".
std::string Ownership(const std::string &path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return "missing";
    return std::to_string(info.st_uid) + ":" + std::to_string(info.st_gid) + " " + Octal(info.st_mode);
}

// What a shell command prints ("" when it fails).
std::string CommandOutput(const std::string &command)
{
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            output.append(buffer, got);
        if (pclose(pipe) != 0)
            output.clear();
    }
    return output;
}

// A file's access ACL as getfacl lists it, with numeric ids.
std::string AclOf(const std::string &path)
{
    return CommandOutput("getfacl --omit-header --numeric --absolute-names '" + path + "' 2>/dev/null");
}

// Changes a file's ACLs with setfacl's options; false where the file system
// keeps none, or setfacl is missing.
bool SetAcl(const std::string &options, const std::string &path)
{
    return std::system(("setfacl " + options + " '" + path + "' 2>/dev/null").c_str()) == 0;
}

const char NO_ACL_SUPPORT[] = "this file system keeps no ACL, or setfacl (Debian's acl) is missing";

// Where a case runs its generation: here, or in a child process with a
// file-size limit just short of the PDF, or as a user other than root.
enum class Run { Here, SizeLimited, Unprivileged };

// A user a child process generates as: user id, group id, further groups.
struct Identity {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;
};

const Identity NOBODY = {65534, 65534, {}};

bool Become(const Identity &who)
{
    return setgroups(who.groups.size(), who.groups.data()) == 0 && setresgid(who.gid, who.gid, who.gid) == 0 &&
           setresuid(who.uid, who.uid, who.uid) == 0;
}

// Runs the generation in a child process, with a file-size limit and as the
// user who (when root and who is given), and returns the messages it showed.
std::string GenerateInChild(CAlbumData &album, const std::string &path, rlim_t fileSizeLimit,
                            const Identity *who = nullptr)
{
    return InChild([&] {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        const rlimit limit = {fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        if (who && geteuid() == 0 && !Become(*who))
            return std::string("[cannot switch user]");
        MessageCapture capture;
        CreateAlbumPdf(&album, path.c_str());
        return capture.all();
    });
}

// A 64 KiB file system of its own at dir; false when none can be mounted here.
bool MountSmallTmpfs(const std::string &dir)
{
    fs::create_directory(dir);
    return mount("quillory-test", dir.c_str(), "tmpfs", 0, "size=64k") == 0;
}

bool HaveQpdf()
{
    return std::system("command -v qpdf >/dev/null 2>&1") == 0;
}

std::string EarlierPdfAt(const std::string &path)
{
    std::ofstream(path, std::ios::binary) << EARLIER_PDF;
    return path;
}

// An earlier PDF in work, which anyone may write to, owned by uid and gid
// with mode; "" when it cannot be given them.
std::string OwnedPdf(const ScratchDir &work, uid_t uid, gid_t gid, mode_t mode)
{
    const std::string path = EarlierPdfAt(work.File("album.pdf"));
    // The mode after the owner: chown clears set-id bits.
    if (chmod(work.path().c_str(), 0777) != 0 || chown(path.c_str(), uid, gid) != 0 || chmod(path.c_str(), mode) != 0)
        return "";
    return path;
}

// One way for the writing to fail; prepare lays out dir and returns the PDF
// path, or "" when the case cannot be set up here.
struct FailureCase {
    const char *name;
    std::string (*prepare)(const std::string &dir);
    Run run;
    bool libraryFailure;
    int fsyncFailure = 0;  // errno of a failing fsync
    int closeFailure = 0;  // errno of a failing close
};

const FailureCase FAILURE_CASES[] = {
    {"FileSizeLimit", [](const std::string &d) { return EarlierPdfAt(d + "/album.pdf"); }, Run::SizeLimited, false},
    {"ReadOnlyFile",
     [](const std::string &d) {
         chmod(d.c_str(), 0777);
         chmod(EarlierPdfAt(d + "/album.pdf").c_str(), 0444);
         return d + "/album.pdf";
     },
     Run::Unprivileged, false},
    {"FullTmpfs",
     [](const std::string &d) {
         return MountSmallTmpfs(d + "/small") ? EarlierPdfAt(d + "/small/album.pdf") : std::string();
     },
     Run::Here, false},
    {"FsyncFails", [](const std::string &d) { return EarlierPdfAt(d + "/album.pdf"); }, Run::Here, false, EIO},
    {"CloseFails", [](const std::string &d) { return EarlierPdfAt(d + "/album.pdf"); }, Run::Here, false, 0, EIO},
    {"LinkToDevFull",
     [](const std::string &d) {
         fs::create_symlink("/dev/full", d + "/album.pdf");
         return d + "/album.pdf";
     },
     Run::Here, false},
    {"Fifo",
     [](const std::string &d) {
         mkfifo((d + "/album.pdf").c_str(), 0644);
         return d + "/album.pdf";
     },
     Run::Here, false},
    {"MissingDirectory", [](const std::string &d) { return d + "/missing/album.pdf"; }, Run::Here, false},
    {"LibraryFailureMidDocument", [](const std::string &d) { return EarlierPdfAt(d + "/album.pdf"); }, Run::Here,
     true},
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

class PdfWriteFailure : public ::testing::TestWithParam<FailureCase> {};

}  // namespace

// The exact messages, whatever stood at the path kept byte for byte, and no
// temporary file left behind.
TEST_P(PdfWriteFailure, LeavesThePathAsItWas)
{
    const FailureCase &c = GetParam();
    CAlbumData album;
    BuildAlbum(album, 400);  // about 160 KiB of PDF
    album.SetBorder(c.libraryFailure ? -0.5 : 0.5, 0.1, 1);
    ScratchDir work;
    const std::string path = c.prepare(work.path());
    if (path.empty())
        GTEST_SKIP() << "a tmpfs cannot be mounted here (mount needs privilege)";
    const auto before = Listing(work.path());

    std::string shown;
    if (c.run == Run::SizeLimited) {
        const std::string sizing = work.path() + "/sizing/album.pdf";
        fs::create_directory(work.path() + "/sizing");
        MessageCapture quiet;
        ASSERT_EQ(CreateAlbumPdf(&album, sizing.c_str()), 0);
        const rlim_t fullSize = fs::file_size(sizing);
        fs::remove_all(work.path() + "/sizing");
        shown = GenerateInChild(album, path, fullSize - 16);
    } else if (c.run == Run::Unprivileged) {
        shown = GenerateInChild(album, path, RLIM_INFINITY, &NOBODY);
    } else {
        MessageCapture capture;
        gFsyncFailure = c.fsyncFailure;
        gCloseFailure = c.closeFailure;
        alarm(60);  // a write that blocks (a FIFO opened for writing) ends the run
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 1);
        alarm(0);
        gFsyncFailure = gCloseFailure = 0;
        shown = capture.all();
    }
    EXPECT_EQ(shown, c.libraryFailure ? "<R>PDF library error 0x1056: page value out of range<n>\n"
                                      : "Creating " + path + "\n" + WriteFailure(path));
    EXPECT_EQ(Listing(work.path()), before);
    if (path.find("/small/") != std::string::npos)
        umount((work.path() + "/small").c_str());
}

INSTANTIATE_TEST_SUITE_P(Each, PdfWriteFailure, ::testing::ValuesIn(FAILURE_CASES),
                         [](const ::testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

// A link at the PDF path stays a link and the file it names gets the new
// PDF with its permissions kept; a new file's permissions follow the umask.
TEST(PdfWrite, LinksAreFollowedAndPermissionsKept)
{
    ScratchDir work;
    fs::create_directory(work.path() + "/store");
    std::ofstream(work.path() + "/store/kept.pdf") << EARLIER_PDF;
    chmod((work.path() + "/store/kept.pdf").c_str(), 0604);
    fs::create_symlink("store/kept.pdf", work.path() + "/kept-link.pdf");
    fs::create_symlink("store/new.pdf", work.path() + "/dangling-link.pdf");
    const mode_t oldMask = umask(027);

    struct Case {
        const char *link;
        const char *target;
        mode_t mode;
    } cases[] = {
        {"/kept-link.pdf", "/store/kept.pdf", 0604},
        {"/dangling-link.pdf", "/store/new.pdf", 0640},
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.link);
        MessageCapture capture;
        EXPECT_EQ(CreateAlbumPdf(&album, (work.path() + c.link).c_str()), 0);
        EXPECT_TRUE(fs::is_symlink(work.path() + c.link));
        const std::string pdf = ReadFile(work.path() + c.target);
        EXPECT_EQ(pdf.rfind("%PDF-1.", 0), 0u);
        EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
        struct stat info;
        ASSERT_EQ(stat((work.path() + c.target).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode);
    }
    umask(oldMask);
    EXPECT_EQ(fs::read_symlink(work.path() + "/kept-link.pdf"), "store/kept.pdf");
    EXPECT_EQ(Listing(work.path()).size(), 5u);  // no temporary file left
}

// While a large PDF replaces a private one, nobody but its owner could open
// the temporary file, up to the rename.
TEST(PdfWrite, TemporaryFileIsPrivateWhileWritten)
{
    ScratchDir work;
    const std::string path = EarlierPdfAt(work.File("album.pdf"));
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    CAlbumData album;
    BuildAlbum(album, 400);  // about 160 KiB of PDF, written in several blocks
    const mode_t oldMask = umask(022);
    MessageCapture capture;
    gModesSeen = 0;
    gWatchModes = true;
    EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);
    gWatchModes = false;
    umask(oldMask);
    EXPECT_EQ(Octal(gModesSeen), "0600");
}

// A replaced file keeps its owner, group and mode when root writes it; a user
// keeps a group they belong to, and where the group is not theirs its
// permissions are taken away instead of handed to the user's own group. A
// set-id bit goes with an owner or group that cannot be kept.
TEST(PdfWrite, OwnerAndGroupAreKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file to other ids and switching to them needs root";
    const Identity member = {12345, 34567, {23456}};
    const Identity outsider = {12345, 34567, {}};
    struct Case {
        const char *name;
        uid_t uid;
        gid_t gid;
        mode_t mode;
        const Identity *as;  // null: root
        const char *kept;
    } cases[] = {
        {"root", 12345, 23456, 0640, nullptr, "12345:23456 0640"},
        {"root, set-id bits", 23456, 45678, 06750, nullptr, "23456:45678 6750"},
        {"member of the group", 56789, 23456, 0660, &member, "12345:23456 0660"},
        {"not in the group", 12345, 45678, 0664, &outsider, "12345:34567 0604"},
        {"member, another owner's set-id file", 56789, 23456, 06777, &member, "12345:23456 2777"},
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        const std::string path = OwnedPdf(work, c.uid, c.gid, c.mode);
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(GenerateInChild(album, path, RLIM_INFINITY, c.as), Written(path));
        EXPECT_EQ(ReadFile(path).rfind("%PDF-1.", 0), 0u);
        EXPECT_EQ(Ownership(path), c.kept);
    }
}

// A replaced file's access ACL (a named user given more than the owning
// group) is kept exactly; a group that cannot be kept loses its entry; where
// the file system refuses the ACL, the group bits give the owning group only
// what it had, not what the mask gave the named user. An ACL that cannot be
// written for any other reason (a full disk, a quota, an I/O error) fails
// the write and leaves the earlier PDF and its ACL as they were.
TEST(PdfWrite, AccessAclIsKept)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file to other ids and switching to them needs root";
    const Identity outsider = {12345, 34567, {}};
    const std::string acl = "user::rw-\nuser:23456:rw-\ngroup::r--\nmask::rw-\nother::---\n\n";
    struct Case {
        const char *name;
        const Identity *as;  // null: root
        int aclFailure;  // errno of setting the ACL
        const char *kept;
        std::string aclKept;
    } cases[] = {
        {"root", nullptr, 0, "12345:45678 0660", acl},
        {"not in the group", &outsider, 0, "12345:34567 0660",
         "user::rw-\nuser:23456:rw-\ngroup::---\nmask::rw-\nother::---\n\n"},
        {"refused by the file system", nullptr, EOPNOTSUPP, "12345:45678 0640", "user::rw-\ngroup::r--\nother::---\n\n"},
        {"disk full", nullptr, ENOSPC, "12345:45678 0660", acl},
        {"over quota", &outsider, EDQUOT, "12345:45678 0660", acl},
        {"I/O error", nullptr, EIO, "12345:45678 0660", acl},
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        const std::string path = OwnedPdf(work, 12345, 45678, 0600);
        ASSERT_FALSE(path.empty());
        if (!SetAcl("-m u:23456:rw-,g::r--,m::rw-", path))
            GTEST_SKIP() << NO_ACL_SUPPORT;
        ASSERT_EQ(AclOf(path), acl);
        const auto before = Listing(work.path());
        const bool fails = c.aclFailure != 0 && c.aclFailure != EOPNOTSUPP;
        gAclFailure = c.aclFailure;
        EXPECT_EQ(GenerateInChild(album, path, RLIM_INFINITY, c.as),
                  fails ? "Creating " + path + "\n" + WriteFailure(path) : Written(path));
        gAclFailure = 0;
        if (fails) {
            EXPECT_EQ(Listing(work.path()), before);
        }
        EXPECT_EQ(Ownership(path), c.kept);
        EXPECT_EQ(AclOf(path), c.aclKept);
    }
}

// A new PDF gets what creating a file in its folder gives it: the folder's
// default ACL, where it has one, and not the umask. A PDF replaced there
// that had no ACL takes none from the folder.
TEST(PdfWrite, NewPdfTakesTheFolderDefaultAcl)
{
    ScratchDir work;
    if (!SetAcl("-d -m u::rwx,u:23456:rw-,g::r-x,m::rwx,o::---", work.path()))
        GTEST_SKIP() << NO_ACL_SUPPORT;
    const mode_t oldMask = umask(022);
    std::ofstream(work.File("created.txt")) << "made as fopen makes a file\n";
    const std::string plain = EarlierPdfAt(work.File("plain.pdf"));
    ASSERT_TRUE(SetAcl("-b", plain));
    ASSERT_EQ(chmod(plain.c_str(), 0640), 0);
    CAlbumData album;
    BuildAlbum(album, 2);
    MessageCapture capture;
    EXPECT_EQ(CreateAlbumPdf(&album, work.File("new.pdf").c_str()), 0);
    EXPECT_EQ(CreateAlbumPdf(&album, plain.c_str()), 0);
    umask(oldMask);
    ASSERT_EQ(AclOf(work.File("created.txt")),
              "user::rw-\nuser:23456:rw-\ngroup::r-x\t#effective:r--\nmask::rw-\nother::---\n\n");
    EXPECT_EQ(Ownership(work.File("new.pdf")), Ownership(work.File("created.txt")));
    EXPECT_EQ(AclOf(work.File("new.pdf")), AclOf(work.File("created.txt")));
    EXPECT_EQ(AclOf(plain), "user::rw-\ngroup::r--\nother::---\n\n");
}

// In a shared sticky folder (as /tmp, or one its group may write to), a link
// at the PDF path, or one that link leads to, is followed, and a file there
// replaced, only when it is the user's own or the folder owner's: one another
// user planted must neither get a file of the user's overwritten nor take
// the user's PDF, whatever the kernel's own protection is set to. A second
// name of a file of the user's, which someone it was shared with could have
// made there, is left alone as well.
TEST(PdfWrite, EntriesPlantedInSharedFoldersAreLeftAlone)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a folder, a file and a link to other ids needs root";
    const uid_t folderOwner = 45678;
    const uid_t planter = 56789;
    // What stands at shared/album.pdf: a link to the user's thesis, a file,
    // or a second name of the thesis.
    enum Kind { Link, File, HardLink };
    struct Case {
        const char *name;
        Kind kind;
        uid_t owner;
        mode_t folderMode;
        const char *pdf;
        bool replaced;
    } cases[] = {
        {"link planted by another user", Link, planter, 01777, "/shared/album.pdf", false},
        {"link planted, reached through the user's link", Link, planter, 01777, "/album.pdf", false},
        {"link planted in a group-writable folder", Link, planter, 01770, "/shared/album.pdf", false},
        {"the user's own link", Link, geteuid(), 01777, "/shared/album.pdf", true},
        {"the folder owner's link", Link, folderOwner, 01777, "/shared/album.pdf", true},
        {"file planted by another user", File, planter, 01770, "/shared/album.pdf", false},
        {"the folder owner's file", File, folderOwner, 01777, "/shared/album.pdf", true},
        {"the user's file, linked there by another user", HardLink, geteuid(), 01777, "/shared/album.pdf", false},
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        const std::string shared = work.File("shared");
        ASSERT_TRUE(fs::create_directory(shared));
        ASSERT_EQ(chown(shared.c_str(), folderOwner, 67890), 0);
        ASSERT_EQ(chmod(shared.c_str(), c.folderMode), 0);
        std::ofstream(work.File("thesis.tex")) << "\\chapter{Perforations}\n";
        if (c.kind == Link)
            fs::create_symlink(work.File("thesis.tex"), shared + "/album.pdf");
        else if (c.kind == HardLink)
            fs::create_hard_link(work.File("thesis.tex"), shared + "/album.pdf");
        else
            chmod(EarlierPdfAt(shared + "/album.pdf").c_str(), 0666);
        ASSERT_EQ(lchown((shared + "/album.pdf").c_str(), c.owner, 78901), 0);
        fs::create_symlink("shared/album.pdf", work.File("album.pdf"));
        const auto before = Listing(work.path());
        const std::string path = work.path() + c.pdf;

        MessageCapture capture;
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), c.replaced ? 0 : 1);
        if (c.replaced) {
            EXPECT_EQ(capture.all(), Written(path));
            EXPECT_EQ(ReadFile(c.kind == Link ? work.File("thesis.tex") : shared + "/album.pdf").rfind("%PDF-1.", 0), 0u);
            EXPECT_EQ(Listing(work.path()).size(), before.size());  // the links stay, no temporary file
        } else {
            EXPECT_EQ(capture.all(), "Creating " + path + "\n" + WriteFailure(path));
            EXPECT_EQ(Listing(work.path()), before);
        }
    }
}

// A folder on the way to the PDF is swapped for another between the look at
// the PDF and its replace: the replace, or on failure the removal of the
// temporary file, still happens in the folder looked at, and the other
// folder stays as it was.
TEST(PdfWrite, FolderSwappedDuringTheReplaceIsNotFollowed)
{
    for (const bool commit : {true, false}) {
        SCOPED_TRACE(commit ? "committed" : "given up");
        ScratchDir work;
        fs::create_directory(work.File("looked-at"));
        fs::create_directory(work.File("swapped-in"));
        EarlierPdfAt(work.File("looked-at/album.pdf"));
        fs::create_symlink("looked-at", work.File("folder"));
        {
            ReplacingFile file;
            ASSERT_TRUE(file.Open(work.File("folder/album.pdf").c_str()));
            ASSERT_TRUE(file.Write("%PDF-1.3 new", 12));
            fs::remove(work.File("folder"));
            fs::create_symlink("swapped-in", work.File("folder"));
            EXPECT_EQ(commit && file.Commit(), commit);
        }
        EXPECT_EQ(Listing(work.path()), (std::map<std::string, std::string>{
                                            {work.File("folder"), "link to swapped-in"},
                                            {work.File("looked-at"), DIRECTORY},
                                            {work.File("looked-at/album.pdf"), commit ? "%PDF-1.3 new" : EARLIER_PDF},
                                            {work.File("swapped-in"), DIRECTORY},
                                        }));
    }
}

// In a shared folder where no PDF stood, a file put at its name during the
// write is left as it was, and nothing else stays behind; with nothing put
// there, the PDF takes the name, also where renameat2 has no flags.
TEST(PdfWrite, FilePlantedDuringTheWriteInASharedFolderIsKept)
{
    for (const bool renameFlags : {true, false}) {
        for (const bool planted : {true, false}) {
            SCOPED_TRACE(std::string(renameFlags ? "renameat2" : "no renameat2 flags") + (planted ? ", planted" : ""));
            ScratchDir work;
            const std::string shared = work.File("shared");
            fs::create_directory(shared);
            ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
            gNoRenameFlags = !renameFlags;
            {
                ReplacingFile file;
                ASSERT_TRUE(file.Open((shared + "/album.pdf").c_str()));
                ASSERT_TRUE(file.Write("%PDF-1.3 new", 12));
                if (planted)
                    std::ofstream(shared + "/album.pdf") << "planted";
                EXPECT_EQ(file.Commit(), !planted);
            }
            gNoRenameFlags = false;
            EXPECT_EQ(Listing(work.path()), (std::map<std::string, std::string>{
                                                {shared, DIRECTORY},
                                                {shared + "/album.pdf", planted ? "planted" : "%PDF-1.3 new"},
                                            }));
        }
    }
}

// Long paths: one of 300 characters, and two as long as the system takes
// (4,095 bytes), one with a short name and one with a name of 255 bytes, in
// directories of 200 characters. Each is written, and every message shows
// the whole path and every line, written or not.
TEST(PdfWrite, LongPathMessagesEndTheirLines)
{
    ScratchDir work;
    // A directory path of exactly length bytes.
    const auto deep = [&work](size_t length) {
        std::string directory = work.path();
        while (directory.size() < length - 202)
            directory += "/" + std::string(200, 'd');
        directory += "/" + std::string(length - directory.size() - 1, 'e');
        fs::create_directories(directory);
        return directory;
    };
    const std::string shallow = work.path() + "/" + std::string(120, 'c');
    fs::create_directory(shallow);
    const std::string paths[] = {
        shallow + "/" + std::string(300 - shallow.size() - 5, 'a') + ".pdf",
        deep(4095 - 10) + "/album.pdf",
        deep(4095 - 256) + "/" + std::string(255 - 4, 'b') + ".pdf",
    };
    ASSERT_EQ(paths[0].size(), 300u);
    ASSERT_EQ(paths[1].size(), 4095u);
    ASSERT_EQ(paths[2].size(), 4095u);
    CAlbumData album;
    BuildAlbum(album, 1);

    for (const std::string &path : paths) {
        SCOPED_TRACE(path.size());
        MessageCapture capture;
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);
        EXPECT_EQ(capture.messages(),
                  (std::vector<std::string>{"Creating " + path + "\n", "Finished Creating " + path + "\n"}));
        EXPECT_TRUE(fs::is_regular_file(path));

        fs::remove(path);
        fs::create_directory(path);
        capture.clear();
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), 1);
        EXPECT_EQ(capture.messages(), (std::vector<std::string>{"Creating " + path + "\n", WriteFailure(path)}));
    }
}

// Far more pages than one array of libharu's page tree can hold.
TEST(PdfWriteSlow, FortyThousandPagesPassQpdf)
{
    if (!HaveQpdf())
        GTEST_SKIP() << "qpdf is not installed";
    ScratchDir work;
    const std::string path = work.path() + "/large.pdf";
    CAlbumData album;
    BuildAlbum(album, 40000);
    MessageCapture capture;
    ASSERT_EQ(CreateAlbumPdf(&album, path.c_str()), 0);
    EXPECT_EQ(capture.all(), Written(path));
    const std::string quoted = "'" + path + "'";
    EXPECT_EQ(std::system(("test \"$(qpdf --show-npages " + quoted + ")\" = 40000 && qpdf --check " + quoted +
                           " >/dev/null").c_str()),
              0);
}
