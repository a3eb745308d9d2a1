// The help window: a free-floating dialog with the command reference.
#include "HelpWindow.h"

#include <cstring>

#include "CStyleText.h"
#include "Resources.h"

// No handlers of its own: Close goes to FXTopWindow::ID_CLOSE (delete the
// window), Escape to FXDialogBox::ID_CANCEL (hide it), both in the base.
FXIMPLEMENT(HelpWindow, FXDialogBox, NULL, 0)

// For the toolkit's factory only: no widgets.
HelpWindow::HelpWindow()
    : text(NULL)
{
}

HelpWindow::HelpWindow(FXApp *a)
    : FXDialogBox(a, "Quillory Help", DECOR_TITLE | DECOR_BORDER | DECOR_RESIZE,
                  0, 0, 0, 0, 6, 6, 6, 6, 4, 4)
{
    // The button bar comes first so that it keeps the bottom edge and the
    // text frame fills whatever is left above it.
    FXHorizontalFrame *buttons =
        new FXHorizontalFrame(this, LAYOUT_SIDE_BOTTOM | LAYOUT_FILL_X | PACK_UNIFORM_WIDTH,
                              0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
    FXButton *close =
        new FXButton(buttons, "&Close", NULL, this, FXTopWindow::ID_CLOSE,
                     BUTTON_INITIAL | BUTTON_DEFAULT | FRAME_RAISED | FRAME_THICK | LAYOUT_RIGHT,
                     0, 0, 0, 0, 20, 20, 5, 5);

    FXHorizontalFrame *frame =
        new FXHorizontalFrame(this, FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                              0, 0, 0, 0, 0, 0, 0, 0, 4, 4);
    text = new CStyleText(frame, NULL, 0,
                          TEXT_READONLY | TEXT_WORDWRAP | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                          0, 0, 0, 0, 3, 3, 2, 2);
    text->setVisibleRows(40);
    text->setVisibleColumns(96);
    text->appendMarkupText(helpText, (FXint)strlen(helpText), FALSE);

    close->setFocus();
}

HelpWindow::~HelpWindow()
{
    text = (CStyleText *)-1L;
}
