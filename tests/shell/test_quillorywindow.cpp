// The main window: its widgets, printMessage, and the Open, Generate and
// Help commands driven in-process.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "AlbumReader.h"
#include "CStyleText.h"
#include "DialogAnswer.h"
#include "HelpWindow.h"
#include "MessageSink.h"
#include "Messages.h"
#include "QuilloryWindow.h"
#include "ShellTestSupport.h"

namespace {

// Sends the window one of its tool-bar commands as a button would.
long Press(QuilloryWindow *window, FXint id)
{
    return window->handle(NULL, FXSEL(SEL_COMMAND, id), NULL);
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        window = new QuilloryWindow(TestApp());
        window->create();
        pane = window->getMessagePane();
        mainWindow = window;
        InstallMessageSink();
    }
    void TearDown() override
    {
        SetMessageSink(NULL);
        mainWindow = NULL;
        delete window;
    }

    QuilloryWindow *window = NULL;
    CStyleText *pane = NULL;
};

TEST_F(MainWindowTest, WindowAndToolBar)
{
    EXPECT_STREQ(window->getTitle().text(), "Quillory");
    EXPECT_EQ(window->getWidth(), 420);
    EXPECT_EQ(window->getHeight(), 440);
    EXPECT_EQ(pane->getLength(), 0);
    EXPECT_EQ(pane->getTextStyle() & (TEXT_READONLY | TEXT_WORDWRAP), TEXT_READONLY | TEXT_WORDWRAP);

    // Caption, tip, command, and whether it stands at the right end.
    const struct { const char *caption, *tip; FXint id; bool right; } buttons[] = {
        {"Open", "Open the Album text file", QuilloryWindow::ID_OPEN, false},
        {"Generate", "Generate the PDF file", QuilloryWindow::ID_GENERATE, false},
        {"Help", "Help", QuilloryWindow::ID_HELP, true},
    };
    FXWindow *child = window->getToolBar()->getFirst();
    for (const auto &expected : buttons) {
        FXButton *button = dynamic_cast<FXButton *>(child);
        ASSERT_NE(button, nullptr);
        EXPECT_STREQ(button->getText().text(), expected.caption);
        EXPECT_STREQ(button->getTipText().text(), expected.tip);
        EXPECT_EQ(button->getTarget(), window);
        EXPECT_EQ(button->getSelector(), (FXSelector)expected.id);
        EXPECT_EQ((button->getLayoutHints() & LAYOUT_RIGHT) != 0, expected.right);
        EXPECT_EQ(button->getIcon()->getWidth(), 48);  // decoded from its PNG
        child = child->getNext();
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(MainWindowTest, PrintMessageAppendsOnlyForTrue)
{
    window->printMessage("<N>one<n>\n", TRUE);
    window->printMessage("two\n", TRUE);
    EXPECT_EQ(PaneText(pane), "one\ntwo\n");
    EXPECT_EQ(PaneStyles(pane), "11100000");

    const FXbool otherValues[] = {FALSE, 2, 255};
    for (FXbool append : otherValues) {
        window->printMessage("one", TRUE);
        window->printMessage("<r>only", append);
        EXPECT_EQ(PaneText(pane), "only") << int(append);
        EXPECT_EQ(PaneStyles(pane), "2222") << int(append);
    }
    window->printMessage("", FALSE);
    EXPECT_EQ(pane->getLength(), 0);
}

TEST_F(MainWindowTest, EngineMessagesReachThePaneThroughTheSink)
{
    ShowMessage("<R>Error in Line %d:<n> x\n", 7);
    ShowMessage("y\n");
    EXPECT_EQ(PaneText(pane), "Error in Line 7: x\ny\n");
}

TEST_F(MainWindowTest, GenerateBeforeOpenReplacesThePane)
{
    window->printMessage("earlier\n", TRUE);
    EXPECT_EQ(Press(window, QuilloryWindow::ID_GENERATE), 1);
    const std::string message = "You first need to open an Album file before selecting Generate.";
    EXPECT_EQ(PaneText(pane), message + "\n");
    EXPECT_EQ(PaneStyles(pane), std::string(message.size(), '2') + "0");
}

TEST_F(MainWindowTest, GenerateOnAFileThatCannotBeReadAppendsAnError)
{
    ScratchDir dir;
    const std::string missing = dir.path + "/missing.txt";
    const std::string directory = dir.path + "/album.d";
    const std::string fifo = dir.path + "/pipe.txt";
    const std::string zero = dir.path + "/zero.txt";
    ASSERT_TRUE(FXDir::create(directory.c_str()));
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/zero", zero.c_str()), 0);
    // A regular file whose every read fails.
    const std::string unreadable = "/proc/self/mem";

    for (const std::string &path : {missing, directory, fifo, zero, unreadable}) {
        window->printMessage("Loading\n", FALSE);
        window->setAlbumFileName(path.c_str());
        const auto start = std::chrono::steady_clock::now();
        alarm(5);  // a Generate that blocks ends the test program ("Alarm clock")
        EXPECT_EQ(Press(window, QuilloryWindow::ID_GENERATE), 1);
        alarm(0);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
        const std::string error = "Error reading Album Text file:" + path + ".";
        EXPECT_EQ(PaneText(pane), "Loading\n" + error + "\n") << path;
        EXPECT_EQ(PaneStyles(pane), std::string(8, '0') + std::string(error.size(), '3') + "0");
        EXPECT_STREQ(window->getAlbumFileName().text(), path.c_str());
    }
}

TEST_F(MainWindowTest, GenerateRefusesToWriteThePdfOverTheDescription)
{
    // An empty description is a valid one; its PDF path would be itself.
    ScratchDir dir;
    const std::string album = dir.file("europe.pdf", "");
    window->setAlbumFileName(album.c_str());
    window->printMessage("Loading\n", FALSE);
    EXPECT_EQ(Press(window, QuilloryWindow::ID_GENERATE), 1);
    EXPECT_EQ(PaneText(pane),
              "Loading\nError: The PDF file would replace the Album text file " + album + ".\n");
    EXPECT_EQ(PaneStyles(pane).substr(8, 7), "3333333");
    EXPECT_EQ(ReadFile(album), "");
}

// The reader in the engine may still be a stand-in that accepts anything;
// these tests need the real one and skip until it is there.
bool RealReaderPresent()
{
    SetMessageSink(NULL);
    FILE *file = tmpfile();
    fputs("NOT_A_COMMAND\n", file);
    rewind(file);
    int result = ParseAlbumFile(file);
    fclose(file);
    InstallMessageSink();
    return result != 0;
}

const char VALID_ALBUM[] =
    "ALBUM_PAGES_SIZE (210 297)\n"
    "ALBUM_PAGES_MARGINS (20 20 20 20)\n"
    "ALBUM_PAGES_SPACING (5 5)\n"
    "PAGE_START\n";

TEST_F(MainWindowTest, GenerateReportsAParseErrorAndWritesNothing)
{
    if (!RealReaderPresent())
        GTEST_SKIP() << "needs the real album reader";
    ScratchDir dir;
    const std::string album = dir.file("bad.txt", "NOT_A_COMMAND\n");
    window->setAlbumFileName(album.c_str());
    window->printMessage("Loading\n", FALSE);
    Press(window, QuilloryWindow::ID_GENERATE);
    EXPECT_EQ(PaneText(pane), "Loading\nError in Line 1: Unrecognised Command.\n");
    EXPECT_FALSE(FXStat::exists((dir.path + "/bad.pdf").c_str()));
}

TEST_F(MainWindowTest, EachGenerateReadsTheFileAnewAndWritesThePdf)
{
    if (!RealReaderPresent())
        GTEST_SKIP() << "needs the real album reader and PDF generation";
    ScratchDir dir;
    const std::string album = dir.file("album.v1.txt", VALID_ALBUM);
    const std::string pdf = dir.path + "/album.pdf";
    window->setAlbumFileName(album.c_str());
    window->printMessage("Loading\n", FALSE);
    Press(window, QuilloryWindow::ID_GENERATE);
    Press(window, QuilloryWindow::ID_GENERATE);
    const std::string once = "Creating " + pdf + "\nFinished Creating " + pdf + "\n";
    EXPECT_EQ(PaneText(pane), "Loading\n" + once + once);
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
}

// A '.' in a directory name does not cut the PDF's path: the PDF lands
// beside its description and nothing is written in the directory above.
TEST_F(MainWindowTest, ThePdfLandsBesideItsDescriptionInADottedDirectory)
{
    if (!RealReaderPresent())
        GTEST_SKIP() << "needs the real album reader and PDF generation";
    ScratchDir dir;
    ASSERT_TRUE(FXDir::create((dir.path + "/Issue.1").c_str()));
    const std::string album = dir.file("Issue.1/page.txt", VALID_ALBUM);
    const std::string pdf = dir.path + "/Issue.1/page.pdf";
    window->setAlbumFileName(album.c_str());
    window->printMessage("Loading\n", FALSE);
    Press(window, QuilloryWindow::ID_GENERATE);
    EXPECT_EQ(PaneText(pane), "Loading\nCreating " + pdf + "\nFinished Creating " + pdf + "\n");
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    std::vector<std::string> above;
    for (const auto &entry : std::filesystem::directory_iterator(dir.path))
        above.push_back(entry.path().filename());
    EXPECT_EQ(above, std::vector<std::string>{"Issue.1"});
}

// The pane's last line lies between its top and bottom visible lines.
::testing::AssertionResult LastLineInView(CStyleText *pane)
{
    TestApp()->runWhileEvents();  // let the window lay out and repaint
    const FXint last = pane->lineStart(pane->getLength() - 1);
    if (last >= pane->getTopLine() && last <= pane->getBottomLine())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "last line at " << last << ", view shows "
                                         << pane->getTopLine() << ".." << pane->getBottomLine();
}

TEST_F(MainWindowTest, TheNewestMessageStaysInView)
{
    if (!RealReaderPresent())
        GTEST_SKIP() << "needs the real album reader and PDF generation";
    ScratchDir dir;
    const std::string album = dir.file("album.txt", VALID_ALBUM);
    window->printMessage("Loading\n", FALSE);
    const std::string paths[] = {album, dir.path + "/missing.txt"};
    for (const std::string &path : paths) {
        window->setAlbumFileName(path.c_str());
        for (int press = 1; press <= 15; press++) {
            Press(window, QuilloryWindow::ID_GENERATE);
            EXPECT_TRUE(LastLineInView(pane)) << path << ", press " << press;
        }
    }
    EXPECT_GT(pane->getTopLine(), 0) << "the pane never held more than it shows";
}

TEST_F(MainWindowTest, OpenRemembersTheChosenFileAndCancelChangesNothing)
{
    ScratchDir dir;
    const std::string album = dir.file("europe.txt", VALID_ALBUM);
    FXString savedDirectory = lastDirectory;
    lastDirectory = "/";

    DialogAnswer accept(album.c_str());
    EXPECT_EQ(Press(window, QuilloryWindow::ID_OPEN), 1);
    EXPECT_STREQ(accept.title.text(), "Open Album Description Text File");
    EXPECT_STREQ(window->getAlbumFileName().text(), album.c_str());
    EXPECT_STREQ(lastDirectory.text(), dir.path.c_str());
    EXPECT_EQ(PaneText(pane), "Loading File: " + album + "\n");
    EXPECT_EQ(PaneStyles(pane).substr(0, 14), "11111111111110");

    window->printMessage("more\n", TRUE);
    DialogAnswer cancel("");
    EXPECT_EQ(Press(window, QuilloryWindow::ID_OPEN), 1);
    EXPECT_STREQ(window->getAlbumFileName().text(), album.c_str());
    EXPECT_STREQ(lastDirectory.text(), dir.path.c_str());
    EXPECT_EQ(PaneText(pane), "Loading File: " + album + "\nmore\n");
    lastDirectory = savedDirectory;
}

TEST_F(MainWindowTest, OpenListsTextFilesWhateverTheCaseOfTheirNames)
{
    ScratchDir dir;
    for (const char *name : {"album.txt", "ALBUM.TXT", "Album.Txt", "notes.pdf"})
        dir.file(name, "");
    FXString savedDirectory = lastDirectory;
    lastDirectory = dir.path.c_str();
    DialogAnswer cancel("");
    Press(window, QuilloryWindow::ID_OPEN);
    lastDirectory = savedDirectory;
    EXPECT_EQ(cancel.listedFiles, (std::vector<std::string>{"ALBUM.TXT", "Album.Txt", "album.txt"}));
}

TEST_F(MainWindowTest, EveryHelpPressOpensAnotherHelpWindow)
{
    auto countHelpWindows = [] {
        int count = 0;
        for (FXWindow *w = TestApp()->getRootWindow()->getFirst(); w; w = w->getNext())
            if (w->isMemberOf(FXMETACLASS(HelpWindow)) && w->shown())
                count++;
        return count;
    };
    const int before = countHelpWindows();
    for (int press = 0; press < 3; press++)
        EXPECT_EQ(Press(window, QuilloryWindow::ID_HELP), 1);
    EXPECT_EQ(countHelpWindows(), before + 3);
    for (FXWindow *w = TestApp()->getRootWindow()->getFirst(); w;) {
        FXWindow *next = w->getNext();
        if (w->isMemberOf(FXMETACLASS(HelpWindow))) {
            EXPECT_STREQ(static_cast<FXTopWindow *>(w)->getTitle().text(), "Quillory Help");
            delete w;
        }
        w = next;
    }
}

}  // namespace
