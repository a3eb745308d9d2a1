// A session at the main window: where the first Open dialog starts, and
// Generate reading the description anew after it changed.
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "CStyleText.h"
#include "DialogAnswer.h"
#include "MessageSink.h"
#include "Messages.h"
#include "QuilloryWindow.h"
#include "ShellTestSupport.h"
#include "StartDirectory.h"

namespace {

std::string Str(const FXString &s)
{
    return std::string(s.text(), s.length());
}

void WriteWhole(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A fresh main window and a scratch directory: bin for the program and its
// descriptions, work as the current directory while the test runs.
class WindowSession : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        char pattern[] = "/tmp/quillory-session-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        ASSERT_TRUE(FXDir::create((scratch + "/bin").c_str()));
        ASSERT_TRUE(FXDir::create((scratch + "/work").c_str()));
        previousDirectory = FXSystem::getCurrentDirectory();
        ASSERT_TRUE(FXSystem::setCurrentDirectory((scratch + "/work").c_str()));
        savedLastDirectory = lastDirectory;
        window = new QuilloryWindow(TestApp());
        window->create();
        mainWindow = window;
        InstallMessageSink();
    }
    void TearDown() override
    {
        if (!window)
            return;
        SetMessageSink(NULL);
        mainWindow = NULL;
        delete window;
        lastDirectory = savedLastDirectory;
        FXSystem::setCurrentDirectory(previousDirectory);
        FXFile::removeFiles(scratch.c_str(), TRUE);
    }
    // Runs Open; a DialogAnswer made before answers its dialog.
    void Open() { window->handle(NULL, FXSEL(SEL_COMMAND, QuilloryWindow::ID_OPEN), NULL); }
    void Generate() { window->handle(NULL, FXSEL(SEL_COMMAND, QuilloryWindow::ID_GENERATE), NULL); }
    std::string Pane() const { return PaneText(window->getMessagePane()); }

    std::string scratch;
    FXString previousDirectory, savedLastDirectory;
    QuilloryWindow *window = NULL;
};

TEST_F(WindowSession, FirstOpenDialogShowsTheProgramsFolder)
{
    ASSERT_TRUE(FXFile::create((scratch + "/bin/quillory").c_str()));
    ASSERT_TRUE(FXFile::symlink("../bin/quillory", (scratch + "/work/link").c_str()));
    const struct {
        std::string programPath, shown;
    } cases[] = {
        {scratch + "/bin/quillory", scratch + "/bin"},
        {"../bin/quillory", scratch + "/bin"},      // relative to the current directory
        {"link", scratch + "/bin"},                 // a link leads to the program itself
        {"quillory", scratch + "/work"},            // a bare name: the current directory
    };
    for (const auto &c : cases) {
        lastDirectory = StartDirectory(c.programPath.c_str());  // as start-up sets it
        DialogAnswer cancel("");
        Open();
        EXPECT_EQ(Str(cancel.shownDirectory), c.shown) << c.programPath;
        EXPECT_EQ(Pane(), "") << c.programPath;
    }
}

TEST_F(WindowSession, EachGenerateReadsTheChangedDescription)
{
    const std::string album = scratch + "/bin/album.txt", pdf = scratch + "/bin/album.pdf";
    const std::string settings = "ALBUM_PAGES_SIZE (100 100)\nALBUM_PAGES_MARGINS (10 10 10 10)\n"
                                 "ALBUM_PAGES_SPACING (5 5)\nPAGE_START\n";
    WriteWhole(album, settings + "ALBUM_PAGES_TITLE (TB 16 \"One\")\n");
    lastDirectory = StartDirectory((scratch + "/bin/quillory").c_str());
    DialogAnswer accept(album.c_str());
    Open();
    EXPECT_EQ(Str(accept.shownDirectory), scratch + "/bin");
    std::string expected = "Loading File: " + album + "\n";
    const std::string written = "Creating " + pdf + "\nFinished Creating " + pdf + "\n";

    Generate();
    EXPECT_EQ(Pane(), expected += written);
    EXPECT_NE(ReadFile(pdf).find("(One) Tj"), std::string::npos);

    // Saved changes count at the next Generate, with no Open in between.
    WriteWhole(album, settings + "ALBUM_PAGES_TITLE (TB 16 \"One)\n");
    Generate();
    EXPECT_EQ(Pane(), expected += "Error in Line 5: ALBUM_PAGES_TITLE parameters incorrect.\n");

    WriteWhole(album, settings + "ALBUM_PAGES_TITLE (TB 16 \"Two\")\n");
    Generate();
    EXPECT_EQ(Pane(), expected += written);
    const std::string content = ReadFile(pdf);
    EXPECT_NE(content.find("(Two) Tj"), std::string::npos);
    EXPECT_EQ(content.find("(One) Tj"), std::string::npos);
}

}  // namespace
