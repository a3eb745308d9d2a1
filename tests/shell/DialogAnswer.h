// Answering the Open dialog in window tests: a timer that waits for the
// modal file dialog, notes what it shows, and accepts a file or cancels.
#pragma once

#include <fx.h>

#include <string>
#include <vector>

// Starts its timer when made; the first time the file dialog runs modally it
// notes the dialog's title, directory and the files its list shows, then picks
// file and accepts, or cancels when file is empty.
class DialogAnswer : public FXObject {
    FXDECLARE(DialogAnswer)
public:
    enum { ID_ANSWER = 1 };
    explicit DialogAnswer(const FXString &file);
    // A dialog that never came must not leave the timer to a later test.
    ~DialogAnswer();
    long onAnswer(FXObject *, FXSelector, void *);

    FXString file;
    FXString title;           // of the dialog answered
    FXString shownDirectory;  // the directory it showed
    std::vector<std::string> listedFiles;  // names of the files its list showed, sorted

protected:
    DialogAnswer() {}
};
