// Tests of the help window (its widgets and the styles of its text, in a real
// FOX application on the X display) and of the embedded help text itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <fxkeys.h>

#include "CStyleText.h"
#include "HelpWindow.h"
#include "Resources.h"
#include "ShellTestSupport.h"

namespace {

const char *const kTags[] = {"<b>", "<B>", "<N>", "<r>", "<n>"};

bool isTagAt(const std::string &s, size_t i) {
    for (const char *tag : kTags)
        if (s.compare(i, 3, tag) == 0) return true;
    return false;
}

std::vector<std::string> helpLines() {
    std::vector<std::string> lines;
    std::string all(helpText), line;
    for (char c : all) {
        if (c == '\n') { lines.push_back(line); line.clear(); }
        else line += c;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string withoutTags(const std::string &s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (isTagAt(s, i)) i += 2;
        else out += s[i];
    }
    return out;
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        app = TestApp();
    }
    FXApp *app = nullptr;
};

// A help window that reports its own destruction.
class ProbedHelpWindow : public HelpWindow {
public:
    ProbedHelpWindow(FXApp *a, bool *gone) : HelpWindow(a), gone(gone) {}
    ~ProbedHelpWindow() override { *gone = true; }
private:
    bool *gone;
};

FXButton *closeButton(HelpWindow *w) {
    FXWindow *bar = w->getFirst();
    return bar ? dynamic_cast<FXButton *>(bar->getFirst()) : NULL;
}

}  // namespace

TEST_F(HelpWindowTest, WindowButtonAndPaneAreBuiltAsDesigned) {
    HelpWindow *w = new HelpWindow(app);
    EXPECT_EQ(w->getTitle(), FXString("Quillory Help"));
    EXPECT_EQ(w->getDecorations(), (FXuint)(DECOR_TITLE | DECOR_BORDER | DECOR_RESIZE));
    EXPECT_EQ(w->getOwner(), (FXWindow *)NULL);

    FXWindow *bar = w->getFirst();

    FXButton *close = closeButton(w);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->getText(), FXString("Close"));
    EXPECT_TRUE(w->getAccelTable()->hasAccel(MKUINT(KEY_c, ALTMASK)));
    EXPECT_EQ(close->getButtonStyle(), (FXuint)(BUTTON_INITIAL | BUTTON_DEFAULT));
    EXPECT_EQ(close->getFrameStyle(), (FXuint)(FRAME_RAISED | FRAME_THICK));
    EXPECT_EQ(close->getLayoutHints(), (FXuint)LAYOUT_RIGHT);
    EXPECT_EQ(close->getTarget(), (FXObject *)w);
    EXPECT_EQ(close->getSelector(), (FXSelector)FXTopWindow::ID_CLOSE);
    EXPECT_EQ(w->getFocus(), (FXWindow *)bar);
    EXPECT_EQ(bar->getFocus(), (FXWindow *)close);

    CStyleText *pane = w->getHelpPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->getVisibleRows(), 40);
    EXPECT_EQ(pane->getVisibleColumns(), 96);
    EXPECT_FALSE(pane->isEditable());
    EXPECT_TRUE(pane->getTextStyle() & TEXT_WORDWRAP);
    delete w;
}

TEST_F(HelpWindowTest, PaneShowsTheHelpTextInItsStyles) {
    HelpWindow *w = new HelpWindow(app);
    CStyleText *pane = w->getHelpPane();
    std::string shown = PaneText(pane);
    ASSERT_EQ(shown, withoutTags(helpText));

    // One digit per shown byte: the style index it is drawn in.
    std::string styles = PaneStyles(pane);
    auto styleOf = [&](const std::string &what) {
        size_t at = shown.find(what);
        return at == std::string::npos ? std::string("missing") : styles.substr(at, what.size());
    };

    EXPECT_EQ(styleOf("Quillory 2.31\n"), std::string(13, '4') + "0");
    for (std::string heading : {"Operation:", "Comments:", "Font specifiers:", "Text:"})
        EXPECT_EQ(styleOf("\n" + heading + "\n"), "0" + std::string(heading.size(), '5') + "0");
    EXPECT_EQ(styleOf("Commands (All measurements are in mm):\n"),
              std::string(9, '5') + std::string(28, '2') + "40");
    for (const char *step : {"\n1. ", "\n2. ", "\n3. "}) EXPECT_EQ(styleOf(step), "0110") << step;

    int warnings = 0;
    for (size_t at = shown.find("    NB "); at != std::string::npos; at = shown.find("    NB ", at + 1)) {
        EXPECT_EQ(styles.substr(at + 4, 3), "220");
        ++warnings;
    }
    EXPECT_EQ(warnings, 3);

    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\n') {
            ASSERT_EQ(styles[i], '0') << "line end at byte " << i;
        }
    }
    delete w;
}

TEST_F(HelpWindowTest, CloseDeletesTheWindowAndEscapeOnlyHidesIt) {
    // A main window keeps the application from quitting when a help window closes.
    FXMainWindow *main = new FXMainWindow(app, "main");
    main->create();

    bool hiddenGone = false, closedGone = false;
    HelpWindow *hidden = new ProbedHelpWindow(app, &hiddenGone);
    HelpWindow *closed = new ProbedHelpWindow(app, &closedGone);
    for (HelpWindow *w : {hidden, closed}) {
        w->create();
        w->show(PLACEMENT_CURSOR);
    }

    FXEvent escape;
    escape.type = SEL_KEYPRESS;
    escape.code = KEY_Escape;
    hidden->handle(hidden, FXSEL(SEL_KEYPRESS, 0), &escape);
    EXPECT_FALSE(hidden->shown());
    EXPECT_FALSE(hiddenGone);

    FXButton *close = closeButton(closed);
    ASSERT_NE(close, nullptr);
    close->getTarget()->handle(close, FXSEL(SEL_COMMAND, close->getSelector()), NULL);
    EXPECT_TRUE(closedGone);
    EXPECT_FALSE(hidden->shown());

    delete hidden;
    delete main;
}

TEST(HelpText, IsAsciiWithOnlyTheFiveTagsAndEveryLineEndsNormal) {
    std::string all(helpText);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), '\n');
    int style = 0;  // 0 normal, anything else styled
    int line = 1;
    for (size_t i = 0; i < all.size(); ++i) {
        unsigned char c = (unsigned char)all[i];
        ASSERT_TRUE(c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7f)) << "byte " << i;
        if (c == '<' && i + 2 < all.size() && all[i + 2] == '>' && strchr("nNrRbB", all[i + 1])) {
            ASSERT_TRUE(isTagAt(all, i)) << "unexpected tag on line " << line;
            style = all[i + 1] == 'n' ? 0 : 1;
            i += 2;
        } else if (c == '\n') {
            EXPECT_EQ(style, 0) << "line " << line << " ends styled";
            ++line;
        }
    }
    EXPECT_EQ(all.find("ALBUM_FONT_WINDOWS"), std::string::npos);
    for (const std::string &l : helpLines()) {
        if (l.find('\t') == std::string::npos) continue;
        bool fontLine = l.size() > 7 && l[0] == '\t' && l.compare(1, 3, "<b>") == 0;
        bool escapeLine = l.compare(0, 4, "<b>\\") == 0 && l.find("<n> \t") != std::string::npos;
        EXPECT_TRUE(fontLine || escapeLine) << "tab in: " << l;
    }
}

TEST(HelpText, HoldsEveryFixedLineAndExample) {
    const std::vector<std::string> lines = helpLines();
    auto has = [&](const std::string &wanted) {
        for (const std::string &l : lines)
            if (l == wanted) return true;
        return false;
    };
    auto hasExample = [&](const std::string &lead, const std::string &command) {
        for (const std::string &l : lines)
            if (l.compare(0, lead.size() + command.size(), lead + command) == 0) return true;
        return false;
    };

    const char *const exact[] = {
        "<b>Quillory 2.31<n>",
        "A program for designing custom stamp album pages.",
        "<B>Operation:<n>",
        "<B>Commands <r>(All measurements are in mm)<b>:<n>",
        "<b>The following commands control the appearance of all pages in the album. "
        "They should be placed at the beginning of each text file:<n>",
        "<b>The following commands describe each individual page:<n>",
        "<b>ALBUM_PAGES_SIZE (width height)<n>",
        "<b>ALBUM_PAGES_MARGINS (left right top bottom)<n>",
        "<b>ALBUM_PAGES_MARGINSE (left right top bottom)<n>",
        "<b>ALBUM_PAGES_BORDER (outer inner spacing)<n>",
        "<b>ALBUM_PAGES_TITLE (Font Fontsize Title)<n>",
        "<b>ALBUM_PAGES_SPACING (horizontal vertical)<n>",
        "<b>PAGE_START<n>",
        "<b>PAGE_START_VAR (horizontal vertical)<n>",
        "<b>PAGE_TEXT (Font Fontsize Text)<n>",
        "<b>PAGE_TEXT_CENTRE (Font Fontsize Text)<n>",
        "<b>ROW_START_ES (Font Fontsize border)<n>",
        "<b>ROW_START_JS (Font Fontsize border)<n>",
        "<b>ROW_START_FS (Font Fontsize border space)<n>",
        "<b>ROW_ALIGN_TOP<n>",
        "<b>ROW_ALIGN_BOTTOM<n>",
        "<b>STAMP_ADD (width height txt0 txt1 txt2 txtBL txtBC txtBR)<n>",
        "<b>STAMP_ADDX (width height txt0 txt1 txt2 txtBL txtBC txtBR txt1BL txt1BC txt1BR)<n>",
        "<b>STAMP_ADD_TRIANGLE (width height txt0 txt1 txt2 txtBL txtBC txtBR)<n>",
        "<B>Comments:<n>",
        "<B>Font specifiers:<n>",
        "\t<b>TN<n>\t-\tTimes Roman Normal",
        "\t<b>TB<n>\t-\tTimes Roman Bold",
        "\t<b>TI<n>\t-\tTimes Roman Italic",
        "\t<b>TS<n>\t -\tTimes Roman Bold-Italic",
        "\t<b>HN<n>\t -\tHelvetica Normal",
        "\t<b>HB<n>\t -\tHelvetica Bold",
        "\t<b>HI<n>\t -\tHelvetica Italic",
        "\t<b>HS<n>\t -\tHelvetica Bold-Italic",
        "<B>Text:<n>",
        "PAGE_TEXT (HN 10 \"This is all \"\\",
        "\"one \"\\",
        "\"line of text\")",
        "eg. PAGE_TEXT_CENTRE (HS 12 \"First line of text\\nSecond Line.\")",
        "  ",
    };
    for (const char *line : exact) EXPECT_TRUE(has(line)) << "missing line: " << line;
    EXPECT_EQ(lines.front(), "<b>Quillory 2.31<n>");
    EXPECT_EQ(lines.back(), "  ");

    const char *const examples[] = {
        "ALBUM_PAGES_SIZE (215.9 279.4)",
        "ALBUM_PAGES_MARGINS (25.0 12.0 15.0 15.0)",
        "ALBUM_PAGES_BORDER (0.5 0.1 1.0)",
        "ALBUM_PAGES_TITLE (TB 16 \"Transvaal\")",
        "ALBUM_PAGES_SPACING (6.0 6.0)",
        "PAGE_TEXT (HN 10 \"Descriptive text\")",
        "PAGE_TEXT_CENTRE (HB 10 \"A heading\")",
        "ROW_START_ES (HN 6 0.1)",
        "ROW_START_FS (HN 6 0.1 6.0)",
        "STAMP_ADD (50.0 28.0 \"1 1/2d\" \"chestnut\" \"tete-beche pair\" \"sg 5a\" \"\" \"sacc 4b\")",
        "STAMP_ADD (50.0 28.0 \"\" \"\" \"\" \"\" \"\" \"\")",
        "STAMP_ADDX (50.0 28.0 \"\" \"\" \"\" \"\" \"\" \"\" \"\" \"\" \"\")",
    };
    for (const char *command : examples)
        EXPECT_TRUE(hasExample("    eg ", command)) << "missing example: " << command;
    EXPECT_TRUE(hasExample("    or ", "ALBUM_PAGES_SIZE (210.0 297.0)"));

    for (const char *step : {"<N>1.<n> ", "<N>2.<n> ", "<N>3.<n> "})
        EXPECT_TRUE(hasExample("", step)) << step;
}
