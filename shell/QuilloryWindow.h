// The main window: the tool bar with Open, Generate and Help above the
// message pane, the commands behind the buttons, and the message sink.
#ifndef QUILLORYWINDOW_H
#define QUILLORYWINDOW_H

#include <fx.h>

class CStyleText;

class QuilloryWindow : public FXMainWindow {
    FXDECLARE(QuilloryWindow)
protected:
    FXIcon *smallIcon;        // 16x16 mini icon of the title bar
    FXIcon *bigIcon;          // 32x32 window icon
    FXIcon *openIcon;         // picture of the Open button
    FXIcon *generateIcon;     // picture of the Generate button
    FXIcon *helpIcon;         // picture of the Help button
    FXToolBar *toolbar;       // the bar holding the three buttons
    CStyleText *messageText;  // the message pane
    FXString albumFileName;   // the description chosen with Open; empty until then
protected:
    QuilloryWindow();
    // Generate's work: reads the description and writes the PDF, showing
    // every outcome in the pane.
    void generate();
    // Reads the description into theAlbum; true when it was read whole and
    // every line was accepted (any failure is shown in the pane).
    bool readAlbum();
    // Writes theAlbum's PDF next to the description.
    void writePdf();
    // Appends the message for a description that cannot be read.
    void appendReadError();
private:
    QuilloryWindow(const QuilloryWindow &);
    QuilloryWindow &operator=(const QuilloryWindow &);
public:
    enum {
        ID_OPEN = FXMainWindow::ID_LAST,
        ID_GENERATE,
        ID_HELP,
        ID_LAST
    };
public:
    // Tool-bar commands
    long onCmdOpen(FXObject *, FXSelector, void *);
    long onCmdGenerate(FXObject *, FXSelector, void *);
    long onCmdHelp(FXObject *, FXSelector, void *);
public:
    // Builds the window; FXApp::create puts it on the display.
    QuilloryWindow(FXApp *a);

    // Creates the window and shows it centred on the screen.
    virtual void create();

    // Shows markup text in the pane: append exactly TRUE adds it at the
    // end, any other value replaces the pane's content with it.
    void printMessage(const char *text, FXbool append);

    CStyleText *getMessagePane() const { return messageText; }
    FXToolBar *getToolBar() const { return toolbar; }
    const FXString &getAlbumFileName() const { return albumFileName; }
    void setAlbumFileName(const FXString &name) { albumFileName = name; }

    virtual ~QuilloryWindow();
};

// The one main window; every engine message goes to its printMessage.
extern QuilloryWindow *mainWindow;

// The directory in which the Open dialog starts.
extern FXString lastDirectory;

#endif
