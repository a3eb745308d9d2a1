// The main window, its tool-bar commands and its message pane.
#include "QuilloryWindow.h"

#include <cstdio>
#include <cstring>

#include <fx.h>
#include <FXPNGIcon.h>

#include "AlbumData.h"
#include "AlbumPdf.h"
#include "AlbumReader.h"
#include "CStyleText.h"
#include "DescriptionFile.h"
#include "HelpWindow.h"
#include "PdfPath.h"
#include "Resources.h"

QuilloryWindow *mainWindow = NULL;
FXString lastDirectory;

// Map
FXDEFMAP(QuilloryWindow) QuilloryWindowMap[] = {
  //________Message_Type________ID___________________________Message_Handler_______________
  FXMAPFUNC(SEL_COMMAND, QuilloryWindow::ID_OPEN,     QuilloryWindow::onCmdOpen),
  FXMAPFUNC(SEL_COMMAND, QuilloryWindow::ID_GENERATE, QuilloryWindow::onCmdGenerate),
  FXMAPFUNC(SEL_COMMAND, QuilloryWindow::ID_HELP,     QuilloryWindow::onCmdHelp),
};

// Object implementation
FXIMPLEMENT(QuilloryWindow, FXMainWindow, QuilloryWindowMap, ARRAYNUMBER(QuilloryWindowMap))

// For the toolkit's factory only: no widgets and no icons.
QuilloryWindow::QuilloryWindow()
    : smallIcon(NULL), bigIcon(NULL), openIcon(NULL), generateIcon(NULL), helpIcon(NULL),
      toolbar(NULL), messageText(NULL)
{
}

QuilloryWindow::QuilloryWindow(FXApp *a)
    : FXMainWindow(a, "Quillory", NULL, NULL, DECOR_ALL, 0, 0, 420, 440, 0, 0, 0, 0, 0, 0),
      albumFileName("")
{
    // Icons; their size comes from the pictures, their shape from the alpha channel
    smallIcon = new FXPNGIcon(getApp(), smallIconPng, FXRGB(192, 192, 192), 0, 1, 1);
    bigIcon = new FXPNGIcon(getApp(), bigIconPng, FXRGB(192, 192, 192), 0, 1, 1);
    openIcon = new FXPNGIcon(getApp(), openIconPng, FXRGB(192, 192, 192), 0, 1, 1);
    generateIcon = new FXPNGIcon(getApp(), generateIconPng, FXRGB(192, 192, 192), 0, 1, 1);
    helpIcon = new FXPNGIcon(getApp(), helpIconPng, FXRGB(192, 192, 192), 0, 1, 1);
    setIcon(bigIcon);
    setMiniIcon(smallIcon);

    // Tool tips of the buttons
    new FXToolTip(getApp(), 0, 0, 0, 0, 0);

    // Tool bar across the top
    FXHorizontalFrame *strip =
        new FXHorizontalFrame(this, LAYOUT_FILL_X, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    toolbar = new FXToolBar(strip, PACK_UNIFORM_WIDTH | FRAME_RAISED | LAYOUT_FILL_X,
                            0, 0, 0, 0, 4, 4, 4, 4, 0, 0);

    // Buttons: Open and Generate at the left, Help at the right
    new FXButton(toolbar, "&Open\tOpen the Album text file", openIcon, this, ID_OPEN,
                 BUTTON_TOOLBAR | ICON_ABOVE_TEXT | FRAME_RAISED, 0, 0, 0, 0, 2, 2, 2, 2);
    new FXButton(toolbar, "&Generate\tGenerate the PDF file", generateIcon, this, ID_GENERATE,
                 BUTTON_TOOLBAR | ICON_ABOVE_TEXT | FRAME_RAISED, 0, 0, 0, 0, 2, 2, 2, 2);
    new FXButton(toolbar, "&Help\tHelp", helpIcon, this, ID_HELP,
                 BUTTON_TOOLBAR | ICON_ABOVE_TEXT | FRAME_RAISED | LAYOUT_RIGHT,
                 0, 0, 0, 0, 2, 2, 2, 2);

    // Message pane filling the rest, in a sunken frame
    FXPacker *packer = new FXPacker(this, FRAME_SUNKEN | FRAME_THICK | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                                    0, 0, 0, 0, 4, 4, 4, 4, 4, 4);
    messageText = new CStyleText(packer, NULL, 0,
                                 TEXT_READONLY | TEXT_WORDWRAP | LAYOUT_FILL_X | LAYOUT_FILL_Y,
                                 0, 0, 0, 0, 3, 3, 2, 2);
}

void QuilloryWindow::create()
{
    FXMainWindow::create();
    show(PLACEMENT_SCREEN);
}

void QuilloryWindow::printMessage(const char *text, FXbool append)
{
    if (append == TRUE)
        messageText->appendMarkupText(text, (FXint)strlen(text), FALSE);
    else
        messageText->setMarkupText(text, (FXint)strlen(text), FALSE);
}

// Open: remember the chosen description; it is read at Generate
long QuilloryWindow::onCmdOpen(FXObject *, FXSelector, void *)
{
    FXFileDialog dialog(this, "Open Album Description Text File", 0, 0, 0, 500, 300);
    dialog.setPatternList("Text files (*.txt)\nAll Files (*)");
    // Descriptions named ALBUM.TXT or Album.Txt are text files too.
    dialog.setMatchMode(dialog.getMatchMode() | FILEMATCH_CASEFOLD);
    dialog.setDirectory(lastDirectory);
    if (dialog.execute(PLACEMENT_CURSOR)) {
        albumFileName = dialog.getFilename();
        lastDirectory = dialog.getDirectory();
        FXString message;
        message.format("<N>Loading File:<n> %s\n", albumFileName.text());
        messageText->setMarkupText(message.text(), message.length(), FALSE);
    }
    return 1;
}

// Generate: read the description anew and write its PDF file, then show
// the newest message: the pane never scrolls by itself.
long QuilloryWindow::onCmdGenerate(FXObject *, FXSelector, void *)
{
    generate();
    messageText->makePositionVisible(messageText->getLength());
    return 1;
}

void QuilloryWindow::generate()
{
    if (albumFileName.empty()) {
        FXString message = "<r>You first need to open an Album file before selecting Generate.<n>\n";
        messageText->setMarkupText(message.text(), message.length(), FALSE);
        return;
    }
    if (readAlbum())
        writePdf();
}

bool QuilloryWindow::readAlbum()
{
    FILE *file = OpenDescriptionFile(albumFileName.text());
    if (!file) {
        appendReadError();
        return false;
    }
    int result = ParseAlbumFile(file);
    // The reader takes a read error for the end of the file: the album would
    // be cut short without a word, so nothing is written from it. A
    // description that memory could not hold is not read either.
    bool readFailed = ferror(file) != 0 || result == PARSE_OUT_OF_MEMORY;
    fclose(file);  // opened for reading only: a failed close loses nothing
    if (readFailed)
        appendReadError();
    return !readFailed && result == PARSE_ACCEPTED;
}

void QuilloryWindow::writePdf()
{
    FXString pdfPath = PdfPathFor(albumFileName);
    if (PdfWouldReplaceAlbum(albumFileName, pdfPath)) {
        FXString message;
        message.format("<R>Error: <n>The PDF file would replace the Album text file %s.\n",
                       albumFileName.text());
        messageText->appendMarkupText(message.text(), message.length(), FALSE);
        return;
    }
    CreateAlbumPdf(&theAlbum, pdfPath.text());
}

void QuilloryWindow::appendReadError()
{
    FXString message;
    message.format("<R>Error reading Album Text file:%s.<n>\n", albumFileName.text());
    messageText->appendMarkupText(message.text(), message.length(), FALSE);
}

// Help: one more help window at every press
long QuilloryWindow::onCmdHelp(FXObject *, FXSelector, void *)
{
    HelpWindow *help = new HelpWindow(getApp());
    help->create();
    help->show(PLACEMENT_CURSOR);
    return 1;
}

QuilloryWindow::~QuilloryWindow()
{
    delete smallIcon;
    delete bigIcon;
    delete openIcon;
    delete generateIcon;
    delete helpIcon;
}
