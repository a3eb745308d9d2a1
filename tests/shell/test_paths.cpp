// The paths the shell derives: the Open dialog's first directory from the
// program's path, and the PDF file's path from the description's path.
#include <unistd.h>

#include <string>

#include "PdfPath.h"
#include "StartDirectory.h"
#include "ShellTestSupport.h"

namespace {

std::string Str(const FXString &s)
{
    return std::string(s.text(), s.length());
}

TEST(StartDirectory, AbsoluteRelativeAndRoot)
{
    const std::string cwd = Str(FXSystem::getCurrentDirectory());
    EXPECT_EQ(Str(StartDirectory("/opt/quillory/bin/quillory")), "/opt/quillory/bin");
    EXPECT_EQ(Str(StartDirectory("build/shell/quillory")), cwd + "/build/shell");
    EXPECT_EQ(Str(StartDirectory("./quillory")), cwd);
    EXPECT_EQ(Str(StartDirectory("quillory")), cwd);  // a bare name from the search path
    EXPECT_EQ(Str(StartDirectory("/quillory")), "/");
}

TEST(StartDirectory, SymbolicLinkLeadsToTheProgramsDirectory)
{
    char pattern[] = "/tmp/quillory-start-XXXXXX";
    const std::string root = mkdtemp(pattern);
    ASSERT_TRUE(FXDir::create((root + "/bin").c_str()));
    ASSERT_TRUE(FXDir::create((root + "/links").c_str()));
    ASSERT_TRUE(FXFile::create((root + "/bin/quillory").c_str()));
    ASSERT_TRUE(FXFile::symlink((root + "/bin/quillory").c_str(), (root + "/links/absolute").c_str()));
    ASSERT_TRUE(FXFile::symlink("../bin/quillory", (root + "/links/relative").c_str()));

    EXPECT_EQ(Str(StartDirectory((root + "/links/absolute").c_str())), root + "/bin");
    // A relative target is taken from the link's own directory.
    EXPECT_EQ(Str(StartDirectory((root + "/links/relative").c_str())), root + "/bin");

    FXFile::removeFiles(root.c_str(), TRUE);
}

// The file name is cut at its first '.'; dots in directory names and those
// that open a hidden file's name do not cut.
TEST(PdfPath, NameBeforeItsFirstDotPlusPdf)
{
    const char *table[][2] = {
        {"/albums/europe.txt", "/albums/europe.pdf"},
        {"/albums/europe.2006.txt", "/albums/europe.pdf"},
        {"/albums/europe", "/albums/europe.pdf"},
        {"/home/j.smith/europe.txt", "/home/j.smith/europe.pdf"},
        {"/stamps/Issue.1/page.txt", "/stamps/Issue.1/page.pdf"},
        {"/stamps/Issue.2/notes", "/stamps/Issue.2/notes.pdf"},
        {"/albums/.album.txt", "/albums/.album.pdf"},
        {"/albums/..hidden", "/albums/..hidden.pdf"},
        {"africa.v3.txt", "africa.pdf"},
        {"/albums/europe.pdf", "/albums/europe.pdf"},
    };
    for (const auto &row : table)
        EXPECT_EQ(Str(PdfPathFor(row[0])), row[1]) << row[0];
}

TEST(PdfPath, OnlyTheDescriptionsOwnPathIsRefused)
{
    EXPECT_TRUE(PdfWouldReplaceAlbum("/Albums/europe.pdf", PdfPathFor("/Albums/europe.pdf")));
    EXPECT_FALSE(PdfWouldReplaceAlbum("/Albums/europe.txt", PdfPathFor("/Albums/europe.txt")));
    EXPECT_FALSE(PdfWouldReplaceAlbum("/Albums/europe.pdf.txt", PdfPathFor("/Albums/europe.pdf.txt")));
    EXPECT_FALSE(PdfWouldReplaceAlbum("/Albums/europe.PDF", PdfPathFor("/Albums/europe.PDF")));
}

TEST(PdfPath, ALinkFromThePdfNameToTheDescriptionIsRefused)
{
    char dir[] = "/tmp/quillory-links-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string album = std::string(dir) + "/album.txt", pdf = std::string(dir) + "/album.pdf";
    FILE *file = fopen(album.c_str(), "w");
    ASSERT_NE(file, nullptr);
    fclose(file);
    ASSERT_EQ(symlink("album.txt", pdf.c_str()), 0);
    EXPECT_TRUE(PdfWouldReplaceAlbum(album.c_str(), pdf.c_str()));
    unlink(pdf.c_str());
    ASSERT_EQ(link(album.c_str(), pdf.c_str()), 0);
    EXPECT_TRUE(PdfWouldReplaceAlbum(album.c_str(), pdf.c_str()));
    unlink(pdf.c_str());
    EXPECT_FALSE(PdfWouldReplaceAlbum(album.c_str(), pdf.c_str()));
    unlink(album.c_str());
    rmdir(dir);
}

}  // namespace
