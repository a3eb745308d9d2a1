// Writing the PDF file at the file boundary: failures at every step leave
// what stood at the path as it was, links stay links (but not ones planted by
// others in shared folders), the new file is as private as the one it replaces
// and keeps its owner and group, messages show long paths whole, and albums
// of any number of pages are written.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
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
#include "TestSupport.h"

namespace fs = std::filesystem;

// Failures that a file system may give only at the very end (a network file
// system, a disk that fills behind a cache) are injected here: the engine's
// fsync and close calls reach these through the linker's --wrap. Each armed
// failure strikes once, with that errno.
int gFsyncFailure = 0;
int gCloseFailure = 0;

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

// The descriptor is released even when close reports a failure.
int __wrap_close(int fd)
{
    const int result = __real_close(fd);
    if (gCloseFailure == 0)
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
// permissions are taken away instead of handed to the user's own group.
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
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        ASSERT_EQ(chmod(work.path().c_str(), 0777), 0);
        const std::string path = EarlierPdfAt(work.File("album.pdf"));
        // The mode after the owner: chown clears set-id bits.
        ASSERT_EQ(chown(path.c_str(), c.uid, c.gid), 0);
        ASSERT_EQ(chmod(path.c_str(), c.mode), 0);
        EXPECT_EQ(GenerateInChild(album, path, RLIM_INFINITY, c.as), Written(path));
        EXPECT_EQ(ReadFile(path).rfind("%PDF-1.", 0), 0u);
        EXPECT_EQ(Ownership(path), c.kept);
    }
}

// In a shared sticky folder (as /tmp), a link at the PDF path, or one that
// link leads to, is followed only when it is the user's own or the folder
// owner's: one another user planted must not get a file of the user's
// overwritten, whatever the kernel's own protection is set to.
TEST(PdfWrite, LinkPlantedInSharedFolderIsNotFollowed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a folder and a link to other ids needs root";
    const uid_t folderOwner = 45678;
    const uid_t planter = 56789;
    struct Case {
        const char *name;
        uid_t linkOwner;
        const char *pdf;
        bool followed;
    } cases[] = {
        {"planted by another user", planter, "/shared/album.pdf", false},
        {"planted, reached through the user's link", planter, "/album.pdf", false},
        {"the user's own", geteuid(), "/shared/album.pdf", true},
        {"the folder owner's", folderOwner, "/shared/album.pdf", true},
    };
    CAlbumData album;
    BuildAlbum(album, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDir work;
        const std::string shared = work.File("shared");
        ASSERT_TRUE(fs::create_directory(shared));
        ASSERT_EQ(chown(shared.c_str(), folderOwner, 67890), 0);
        ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
        std::ofstream(work.File("thesis.tex")) << "\\chapter{Perforations}\n";
        fs::create_symlink(work.File("thesis.tex"), shared + "/album.pdf");
        ASSERT_EQ(lchown((shared + "/album.pdf").c_str(), c.linkOwner, 78901), 0);
        fs::create_symlink("shared/album.pdf", work.File("album.pdf"));
        const auto before = Listing(work.path());
        const std::string path = work.path() + c.pdf;

        MessageCapture capture;
        EXPECT_EQ(CreateAlbumPdf(&album, path.c_str()), c.followed ? 0 : 1);
        if (c.followed) {
            EXPECT_EQ(capture.all(), Written(path));
            EXPECT_EQ(ReadFile(work.File("thesis.tex")).rfind("%PDF-1.", 0), 0u);
            EXPECT_EQ(Listing(work.path()).size(), before.size());  // the links stay, no temporary file
        } else {
            EXPECT_EQ(capture.all(), "Creating " + path + "\n" + WriteFailure(path));
            EXPECT_EQ(Listing(work.path()), before);
        }
    }
}

// Long paths, one of 300 characters and one near the system's limit in
// directories of 200 characters: every message shows the whole path and
// every line, written or not.
TEST(PdfWrite, LongPathMessagesEndTheirLines)
{
    ScratchDir work;
    const std::string shallow = work.path() + "/" + std::string(120, 'c');
    std::string deep = work.path();
    while (deep.size() < 3800)
        deep += "/" + std::string(200, 'd');
    fs::create_directory(shallow);
    fs::create_directories(deep);
    const std::string paths[] = {
        shallow + "/" + std::string(300 - shallow.size() - 5, 'a') + ".pdf",
        deep + "/" + std::string(4000 - deep.size() - 5, 'b') + ".pdf",
    };
    ASSERT_EQ(paths[0].size(), 300u);
    ASSERT_EQ(paths[1].size(), 4000u);
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
