// The styled text pane: an FXText that takes message markup ("<n>", "<N>",
// "<r>", "<R>", "<b>", "<B>") and shows the text in colour and bold.
#ifndef CSTYLETEXT_H
#define CSTYLETEXT_H

#include <fx.h>

class CStyleText : public FXText {
    FXDECLARE(CStyleText)
protected:
    FXHiliteStyle *styles;  // five highlight styles, for style indices 1 to 5; owned
    FXFont *savedFont;      // the font the FXText part was built with; not owned
    FXFont *ownFont;        // copy of savedFont's description, used by the pane; owned
    FXint currentStyle;     // style index (0 to 5) given to text that is added
protected:
    CStyleText();

    // Adds the bytes from start up to end, if any, in the current style.
    void appendRun(const FXchar *start, const FXchar *end, FXbool notify);
private:
    CStyleText(const CStyleText &);
    CStyleText &operator=(const CStyleText &);
public:
    CStyleText(FXComposite *p, FXObject *tgt = NULL, FXSelector sel = 0, FXuint opts = 0,
               FXint x = 0, FXint y = 0, FXint w = 0, FXint h = 0,
               FXint pl = 3, FXint pr = 3, FXint pt = 2, FXint pb = 2);

    // Replaces the content with the first n bytes of text, read as markup.
    void setMarkupText(const FXchar *text, FXint n, FXbool notify = FALSE);

    // Adds the first n bytes of text, read as markup, at the end.
    void appendMarkupText(const FXchar *text, FXint n, FXbool notify = FALSE);

    // p points just past a '<' with two bytes available: TRUE when they
    // complete a style tag; with apply TRUE the tag's style becomes current.
    FXbool checkStyleTag(const FXchar *p, FXbool apply);

    FXint getCurrentStyle() const { return currentStyle; }

    virtual ~CStyleText();
};

#endif
