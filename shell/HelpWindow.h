// The help window: a free-floating dialog showing the built-in command
// reference in a read-only styled pane above a Close button.
#ifndef HELPWINDOW_H
#define HELPWINDOW_H

#include <fx.h>

class CStyleText;

class HelpWindow : public FXDialogBox {
    FXDECLARE(HelpWindow)
protected:
    CStyleText *text;  // the help pane; a child widget
protected:
    HelpWindow();
private:
    HelpWindow(const HelpWindow &);
    HelpWindow &operator=(const HelpWindow &);
public:
    // Builds the window with the help text in its pane; does not create or show it.
    HelpWindow(FXApp *a);

    CStyleText *getHelpPane() const { return text; }

    virtual ~HelpWindow();
};

#endif
