// A session at the main window: where the first Open dialog starts, and
// Generate reading the description anew after it changed.
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "CStyleText.h"
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

std::string ReadWhole(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteWhole(const std::string &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// Answers the Open dialog once it runs modally: notes the directory it
// shows, then picks file and accepts, or cancels when file is empty.
class DialogProbe : public FXObject {
    FXDECLARE(DialogProbe)
public:
    enum { ID_PROBE = 1 };
    DialogProbe() {}
    explicit DialogProbe(const FXString &file) : file(file) { TestApp()->addTimeout(this, ID_PROBE, 20); }
    // A dialog that never came must not leave the timer to a later test.
    ~DialogProbe()
    {
        if (TestApp())
            TestApp()->removeTimeout(this, ID_PROBE);
    }
    long onProbe(FXObject *, FXSelector, void *)
    {
        FXFileDialog *dialog = dynamic_cast<FXFileDialog *>(TestApp()->getModalWindow());
        if (!dialog) {  // not up yet
            TestApp()->addTimeout(this, ID_PROBE, 20);
            return 1;
        }
        shownDirectory = dialog->getDirectory();
        if (!file.empty())
            dialog->setFilename(file);
        dialog->handle(this, FXSEL(SEL_COMMAND, file.empty() ? FXDialogBox::ID_CANCEL : FXDialogBox::ID_ACCEPT),
                       NULL);
        return 1;
    }
    FXString file;
    FXString shownDirectory;
};

FXDEFMAP(DialogProbe) DialogProbeMap[] = {
    FXMAPFUNC(SEL_TIMEOUT, DialogProbe::ID_PROBE, DialogProbe::onProbe),
};
FXIMPLEMENT(DialogProbe, FXObject, DialogProbeMap, ARRAYNUMBER(DialogProbeMap))

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
    // Runs Open; a DialogProbe made before answers its dialog.
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
        DialogProbe cancel("");
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
    DialogProbe accept(album.c_str());
    Open();
    EXPECT_EQ(Str(accept.shownDirectory), scratch + "/bin");
    std::string expected = "Loading File: " + album + "\n";
    const std::string written = "Creating " + pdf + "\nFinished Creating " + pdf + "\n";

    Generate();
    EXPECT_EQ(Pane(), expected += written);
    EXPECT_NE(ReadWhole(pdf).find("(One) Tj"), std::string::npos);

    // Saved changes count at the next Generate, with no Open in between.
    WriteWhole(album, settings + "ALBUM_PAGES_TITLE (TB 16 \"One)\n");
    Generate();
    EXPECT_EQ(Pane(), expected += "Error in Line 5: ALBUM_PAGES_TITLE parameters incorrect.\n");

    WriteWhole(album, settings + "ALBUM_PAGES_TITLE (TB 16 \"Two\")\n");
    Generate();
    EXPECT_EQ(Pane(), expected += written);
    const std::string content = ReadWhole(pdf);
    EXPECT_NE(content.find("(Two) Tj"), std::string::npos);
    EXPECT_EQ(content.find("(One) Tj"), std::string::npos);
}

}  // namespace
