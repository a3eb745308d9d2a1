// The styled text pane: markup read back byte by byte through FXText.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CStyleText.h"
#include "ShellTestSupport.h"

namespace {

// Records every run the pane hands to FXText.
class RecordingText : public CStyleText {
public:
    struct Run {
        const FXchar *start;
        std::string text;
        FXint style;
    };
    explicit RecordingText(FXComposite *p)
        : CStyleText(p, NULL, 0, TEXT_READONLY | TEXT_WORDWRAP | LAYOUT_FILL_X | LAYOUT_FILL_Y)
    {
    }
    void appendStyledText(const FXchar *text, FXint n, FXint style, FXbool notify) override
    {
        runs.push_back({text, std::string(text, n), style});
        CStyleText::appendStyledText(text, n, style, notify);
    }
    using FXText::appendStyledText;
    std::vector<Run> runs;
};

// A heap copy of text without its NUL, so reading past n is an overrun.
std::unique_ptr<char[]> Exact(const char *text, size_t n)
{
    std::unique_ptr<char[]> copy(new char[n ? n : 1]);
    memcpy(copy.get(), text, n);
    return copy;
}

class StyleTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_DISPLAY();
        window = new FXMainWindow(TestApp(), "CStyleText test");
        pane = new RecordingText(window);
        window->create();
    }
    void TearDown() override { delete window; }

    void Append(const char *markup) { pane->appendMarkupText(markup, strlen(markup), FALSE); }

    FXMainWindow *window = NULL;
    RecordingText *pane = NULL;
};

TEST_F(StyleTextTest, MessageWithTwoStylesGoesInOneRunPerStyle)
{
    const char message[] = "<R>Error: <n>Page size not defined.\n";
    auto text = Exact(message, strlen(message));
    pane->appendMarkupText(text.get(), strlen(message), FALSE);

    EXPECT_EQ(PaneText(pane), "Error: Page size not defined.\n");
    EXPECT_EQ(PaneStyles(pane), std::string(7, '3') + std::string(23, '0'));
    ASSERT_EQ(pane->runs.size(), 2u);
    // The runs point into the caller's text: nothing is copied.
    EXPECT_EQ(pane->runs[0].start, text.get() + 3);
    EXPECT_EQ(pane->runs[1].start, text.get() + 13);
    EXPECT_EQ(pane->getCurrentStyle(), 0);
}

TEST_F(StyleTextTest, StyleCarriesOverIntoLaterTextsAndAcrossReplacement)
{
    Append("abc<R>");
    EXPECT_EQ(pane->getCurrentStyle(), 3);
    Append("def");
    EXPECT_EQ(PaneText(pane), "abcdef");
    EXPECT_EQ(PaneStyles(pane), "000333");

    Append("<b>one");
    Append("two");
    EXPECT_EQ(PaneStyles(pane), "000333444444");

    Append("<r>");
    pane->setMarkupText("new", 3, FALSE);
    EXPECT_EQ(PaneText(pane), "new");
    EXPECT_EQ(PaneStyles(pane), "222");
}

TEST_F(StyleTextTest, WhatIsNotATagIsShownAsText)
{
    struct Case {
        const char *markup;
        const char *shown;
        const char *styles;
        FXint styleAfter;
    };
    const Case cases[] = {
        {"<x>a", "<x>a", "0000", 0},
        {"< n>", "< n>", "0000", 0},
        {"<>", "<>", "00", 0},
        {"ab<N", "ab<N", "0000", 0},
        {"ab<", "ab<", "000", 0},
        {"<n)", "<n)", "000", 0},
        {"<<r>x", "<x", "02", 2},
        {"<N><r>x", "x", "2", 2},  // the second tag replaces the first
        {"<B>x<b>y<N>z", "xyz", "541", 1},
    };
    for (const Case &c : cases) {
        pane->setMarkupText("<n>", 3, FALSE);
        size_t n = strlen(c.markup);
        auto text = Exact(c.markup, n);
        pane->appendMarkupText(text.get(), n, FALSE);
        EXPECT_EQ(PaneText(pane), c.shown) << c.markup;
        EXPECT_EQ(PaneStyles(pane), c.styles) << c.markup;
        EXPECT_EQ(pane->getCurrentStyle(), c.styleAfter) << c.markup;
    }
}

TEST_F(StyleTextTest, OnlyTheFirstNBytesCount)
{
    const char markup[] = "ab<R>c";
    auto four = Exact(markup, 4);
    pane->appendMarkupText(four.get(), 4, FALSE);
    EXPECT_EQ(PaneText(pane), "ab<R");
    EXPECT_EQ(pane->getCurrentStyle(), 0);

    pane->setMarkupText("", 0, FALSE);
    auto five = Exact(markup, 5);
    pane->appendMarkupText(five.get(), 5, FALSE);
    EXPECT_EQ(PaneText(pane), "ab");
    EXPECT_EQ(pane->getCurrentStyle(), 3);

    pane->runs.clear();
    pane->appendMarkupText(markup, 0, FALSE);
    EXPECT_EQ(PaneText(pane), "ab");
    EXPECT_TRUE(pane->runs.empty());
}

TEST_F(StyleTextTest, TagSplitBetweenTwoCallsIsText)
{
    Append("ab<");
    Append("R>cd");
    EXPECT_EQ(PaneText(pane), "ab<R>cd");
    EXPECT_EQ(PaneStyles(pane), "0000000");
    EXPECT_EQ(pane->getCurrentStyle(), 0);
}

TEST_F(StyleTextTest, TagsAloneAddNothing)
{
    Append("<N><R><b>");
    EXPECT_EQ(pane->getLength(), 0);
    EXPECT_TRUE(pane->runs.empty());
    EXPECT_EQ(pane->getCurrentStyle(), 4);
}

// A byte that is not part of a well-formed UTF-8 character shows as U+FFFD,
// and the message goes on to its end in its own styles.
TEST_F(StyleTextTest, EachBadByteShowsAsAReplacementCharacter)
{
    const char message[] = "<R>cannot write to /albums/caf\xE9.pdf<n>\n";
    auto text = Exact(message, strlen(message));
    pane->appendMarkupText(text.get(), strlen(message), FALSE);
    const std::string shown = "cannot write to /albums/caf\xEF\xBF\xBD.pdf";
    EXPECT_EQ(PaneText(pane), shown + "\n");
    EXPECT_EQ(PaneStyles(pane), std::string(shown.size(), '3') + "0");
    // The runs around the bad byte still point into the caller's text.
    ASSERT_EQ(pane->runs.size(), 4u);
    EXPECT_EQ(pane->runs[0].start, text.get() + 3);
    EXPECT_EQ(pane->runs[2].start, text.get() + 31);
}

TEST_F(StyleTextTest, IllFormedSequencesShowOneReplacementPerByte)
{
    auto replaced = [](int bytes) {
        std::string shown;
        for (int k = 0; k < bytes; k++)
            shown += "\xEF\xBF\xBD";
        return shown;
    };
    const struct {
        std::string markup, shown;
    } cases[] = {
        {"a\xC0\xAF" "b", "a" + replaced(2) + "b"},  // overlong '/'
        {"\xE0\x80\xAF.", replaced(3) + "."},         // overlong '/'
        {"\xED\xA0\x80.", replaced(3) + "."},         // surrogate
        {"\xF4\x90\x80\x80.", replaced(4) + "."},     // above U+10FFFF
        {"\xF5\x80\xFF.", replaced(3) + "."},
        {"\xE2\x82" "A", replaced(2) + "A"},          // cut short
        {"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF",
         "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF"},  // all well-formed
    };
    for (const auto &c : cases) {
        pane->setMarkupText("", 0, FALSE);
        auto text = Exact(c.markup.data(), c.markup.size());
        pane->appendMarkupText(text.get(), c.markup.size(), FALSE);
        EXPECT_EQ(PaneText(pane), c.shown) << testing::PrintToString(c.markup);
    }
    // Cut short by the end of the bytes handed over, though the buffer goes on.
    pane->setMarkupText("x\xF0\x9F\x98\x80", 4, FALSE);
    EXPECT_EQ(PaneText(pane), "x" + replaced(3));
}

TEST_F(StyleTextTest, HighlightStylesAndOwnFont)
{
    const FXHiliteStyle *styles = pane->getHiliteStyles();
    ASSERT_NE(styles, nullptr);
    const FXColor fore = TestApp()->getForeColor();
    const FXColor expectedColour[5] = {fore, FXRGB(255, 0, 0), FXRGB(255, 0, 0), FXRGB(0, 0, 255),
                                       FXRGB(0, 0, 255)};
    const FXuint expectedFlags[5] = {FXText::STYLE_BOLD, 0, FXText::STYLE_BOLD, 0, FXText::STYLE_BOLD};
    for (int k = 0; k < 5; k++) {
        EXPECT_EQ(styles[k].normalForeColor, expectedColour[k]) << k;
        EXPECT_EQ(styles[k].style, expectedFlags[k]) << k;
    }
    // The pane draws with a font of its own.
    EXPECT_NE(pane->getFont(), TestApp()->getNormalFont());
}

TEST(StyleTextRegistration, RegisteredUnderItsNameAsAnFXText)
{
    const FXMetaClass *meta = FXMetaClass::getMetaClassFromName("CStyleText");
    ASSERT_NE(meta, nullptr);
    EXPECT_EQ(meta, FXMETACLASS(CStyleText));
    EXPECT_EQ(meta->getBaseClass(), FXMETACLASS(FXText));
}

}  // namespace
