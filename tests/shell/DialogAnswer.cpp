// The window tests' answer to the Open dialog.
#include "DialogAnswer.h"

#include <algorithm>

#include "ShellTestSupport.h"

FXDEFMAP(DialogAnswer) DialogAnswerMap[] = {
  FXMAPFUNC(SEL_TIMEOUT, DialogAnswer::ID_ANSWER, DialogAnswer::onAnswer),
};

FXIMPLEMENT(DialogAnswer, FXObject, DialogAnswerMap, ARRAYNUMBER(DialogAnswerMap))

// How often the timer looks for the dialog, in milliseconds.
static const FXuint POLL_MS = 20;

// The first file list among window's descendants, or NULL.
static FXFileList *FindFileList(FXWindow *window)
{
    if (FXFileList *list = dynamic_cast<FXFileList *>(window))
        return list;
    for (FXWindow *child = window->getFirst(); child; child = child->getNext())
        if (FXFileList *list = FindFileList(child))
            return list;
    return NULL;
}

DialogAnswer::DialogAnswer(const FXString &file) : file(file)
{
    TestApp()->addTimeout(this, ID_ANSWER, POLL_MS);
}

DialogAnswer::~DialogAnswer()
{
    if (TestApp())
        TestApp()->removeTimeout(this, ID_ANSWER);
}

long DialogAnswer::onAnswer(FXObject *, FXSelector, void *)
{
    FXFileDialog *dialog = dynamic_cast<FXFileDialog *>(TestApp()->getModalWindow());
    if (!dialog) {  // not up yet
        TestApp()->addTimeout(this, ID_ANSWER, POLL_MS);
        return 1;
    }
    title = dialog->getTitle();
    shownDirectory = dialog->getDirectory();
    if (FXFileList *list = FindFileList(dialog)) {
        for (FXint i = 0; i < list->getNumItems(); i++)
            if (list->isItemFile(i))
                listedFiles.push_back(list->getItemFilename(i).text());
        std::sort(listedFiles.begin(), listedFiles.end());
    }
    if (!file.empty())
        dialog->setFilename(file);
    dialog->handle(this, FXSEL(SEL_COMMAND, file.empty() ? FXDialogBox::ID_CANCEL : FXDialogBox::ID_ACCEPT), NULL);
    return 1;
}
