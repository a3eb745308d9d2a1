// Generate when memory runs out: the description is reported as a file that
// cannot be read, no PDF is replaced, and the window goes on working.
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

#include "CStyleText.h"
#include "ChildProcess.h"
#include "MessageSink.h"
#include "QuilloryWindow.h"
#include "ShellTestSupport.h"

namespace {

const char EARLIER_PDF[] = "%PDF-1.3 written by an earlier Generate\n%%EOF\n";
const std::string SETTINGS = "ALBUM_PAGES_SIZE (210 297)\nALBUM_PAGES_MARGINS (25 12 15 14)\n"
                             "ALBUM_PAGES_SPACING (6 5)\n";

// The process's address space in bytes, from /proc/self/status.
rlim_t AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 7, "VmSize:") == 0)
            return std::stoull(line.substr(7)) * 1024;
    return 0;
}

}  // namespace

// Ten pages, each followed by 8 MiB of comment lines, run out while the text
// is read; two million pages run out while the album is built. Each Generate
// under a limit 48 MiB above what the window uses says the file cannot be
// read, and a small album generates afterwards under the same limit.
TEST(OutOfMemory, GenerateSaysTheFileCannotBeReadAndKeepsTheEarlierPdf)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit here leaves";
#endif
    REQUIRE_DISPLAY();
    ScratchDir scratch;
    const std::string &dir = scratch.path;
    std::string comments = SETTINGS;
    const std::string commentLines = [] {
        std::string lines;
        for (int k = 0; k < 8 * 1024; k++)
            lines += "#" + std::string(1022, 'c') + "\n";
        return lines;
    }();
    for (int page = 1; page <= 10; page++)
        comments += "PAGE_START\nPAGE_TEXT (HN 10 \"Page " + std::to_string(page) + "\")\n" + commentLines;
    std::string pages = SETTINGS;
    for (int page = 0; page < 2000000; page++)
        pages += "PAGE_START\n";
    const std::string tooLarge[] = {scratch.file("comments.txt", comments), scratch.file("pages.txt", pages)};
    const std::string small = scratch.file("small.txt", SETTINGS + "PAGE_START\nPAGE_TEXT (HN 10 \"Small\")\n");
    for (const char *pdf : {"comments.pdf", "pages.pdf"})
        scratch.file(pdf, EARLIER_PDF);
    comments.clear();
    pages.clear();

    const std::string told = InChild([&] {
        QuilloryWindow *window = new QuilloryWindow(TestApp());  // never created: no X request
        mainWindow = window;
        InstallMessageSink();
        const rlimit limit = {AddressSpaceInUse() + (48u << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        for (const std::string &path : {tooLarge[0], tooLarge[1], small}) {
            window->setAlbumFileName(path.c_str());
            window->handle(NULL, FXSEL(SEL_COMMAND, QuilloryWindow::ID_GENERATE), NULL);
        }
        return PaneText(window->getMessagePane());
    });

    EXPECT_EQ(told, "Error reading Album Text file:" + tooLarge[0] + ".\n" +
                        "Error reading Album Text file:" + tooLarge[1] + ".\n" +
                        "Creating " + dir + "/small.pdf\nFinished Creating " + dir + "/small.pdf\n");
    EXPECT_EQ(ReadFile(dir + "/comments.pdf"), EARLIER_PDF);
    EXPECT_EQ(ReadFile(dir + "/pages.pdf"), EARLIER_PDF);
    const std::string written = ReadFile(dir + "/small.pdf");
    ASSERT_GT(written.size(), 6u);
    EXPECT_EQ(written.substr(0, 5), "%PDF-");
    EXPECT_EQ(written.substr(written.size() - 6), "%%EOF\n");
}
