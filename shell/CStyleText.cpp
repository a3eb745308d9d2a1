// The styled text pane: message markup turned into runs of styled text.
#include "CStyleText.h"

#include "Utf8ToWinAnsi.h"

// No messages of its own: everything goes on to FXText.
FXIMPLEMENT(CStyleText, FXText, NULL, 0)

namespace {

const FXint STYLE_COUNT = 5;  // style indices 1 to 5; index 0 is the pane's own colours
const FXColor RED = FXRGB(255, 0, 0);
const FXColor BLUE = FXRGB(0, 0, 255);

// U+FFFD, shown in place of each byte that is not part of a character.
const FXchar REPLACEMENT[] = "\xEF\xBF\xBD";
const FXint REPLACEMENT_LENGTH = 3;

}  // namespace

// For the toolkit's factory only: no table and no fonts, so the destructor
// has nothing of them to restore or free.
CStyleText::CStyleText() : styles(NULL), savedFont(NULL), ownFont(NULL), currentStyle(0) {}

CStyleText::CStyleText(FXComposite *p, FXObject *tgt, FXSelector sel, FXuint opts, FXint x,
                       FXint y, FXint w, FXint h, FXint pl, FXint pr, FXint pt, FXint pb)
    : FXText(p, tgt, sel, opts, x, y, w, h, pl, pr, pt, pb),
      styles(NULL),
      savedFont(NULL),
      ownFont(NULL),
      currentStyle(0)
{
    // The highlight styles: every record starts from the application's
    // colours, then gets its own text colour and weight.
    if (!fxmalloc((void **)&styles, sizeof(FXHiliteStyle) * STYLE_COUNT))
        throw FXMemoryException("CStyleText: no memory for the style table");
    FXApp *app = getApp();
    for (FXint k = 0; k < STYLE_COUNT; k++) {
        styles[k].normalForeColor = app->getForeColor();
        styles[k].normalBackColor = app->getBackColor();
        styles[k].selectForeColor = app->getSelforeColor();
        styles[k].selectBackColor = app->getSelbackColor();
        styles[k].hiliteForeColor = app->getHiliteColor();
        styles[k].hiliteBackColor = FXRGB(255, 128, 128);
        styles[k].activeBackColor = app->getBackColor();
        styles[k].style = 0;
    }
    styles[0].style = STYLE_BOLD;           // <N>
    styles[1].normalForeColor = RED;        // <r>
    styles[2].normalForeColor = RED;        // <R>
    styles[2].style = STYLE_BOLD;
    styles[3].normalForeColor = BLUE;       // <b>
    styles[4].normalForeColor = BLUE;       // <B>
    styles[4].style = STYLE_BOLD;

    setStyled(TRUE);
    setHiliteStyles(styles);

    // A font of the pane's own, made from the description of the one it
    // was built with.
    savedFont = getFont();
    FXFontDesc description;
    savedFont->getFontDesc(description);
    ownFont = new FXFont(app, description);
    setFont(ownFont);
}

void CStyleText::setMarkupText(const FXchar *text, FXint n, FXbool notify)
{
    setText("", 0, notify);
    appendMarkupText(text, n, notify);
}

// One pass over exactly n bytes: each run of plain text between tags goes to
// the base in one call, as a pointer into the caller's text. FXText stops
// drawing at a byte that is not UTF-8, so such a byte ends the run and is
// shown as U+FFFD in the current style.
void CStyleText::appendMarkupText(const FXchar *text, FXint n, FXbool notify)
{
    const FXchar *run = text;
    FXint i = 0;
    while (i < n) {
        if (text[i] == '<' && i + 2 < n && checkStyleTag(text + i + 1, FALSE)) {
            appendRun(run, text + i, notify);
            checkStyleTag(text + i + 1, TRUE);
            i += 3;
            run = text + i;
        } else if (FXint length = (FXint)Utf8CharacterLength(text + i, (size_t)(n - i))) {
            i += length;
        } else {
            appendRun(run, text + i, notify);
            appendStyledText(REPLACEMENT, REPLACEMENT_LENGTH, currentStyle, notify);
            i++;
            run = text + i;
        }
    }
    appendRun(run, text + n, notify);
}

void CStyleText::appendRun(const FXchar *start, const FXchar *end, FXbool notify)
{
    if (end > start)
        appendStyledText(start, (FXint)(end - start), currentStyle, notify);
}

FXbool CStyleText::checkStyleTag(const FXchar *p, FXbool apply)
{
    static const FXchar letters[] = "nNrRbB";  // position = style index
    if (p[1] != '>')
        return FALSE;
    for (FXint style = 0; style < 6; style++) {
        if (p[0] == letters[style]) {
            if (apply)
                currentStyle = style;
            return TRUE;
        }
    }
    return FALSE;
}

// The base gets its own font back before ours goes, so it never draws
// with a deleted one.
CStyleText::~CStyleText()
{
    if (savedFont)
        setFont(savedFont);
    delete ownFont;
    if (styles)
        fxfree((void **)&styles);
}
