// The engine's messages, delivered to the main window's pane.
#include "MessageSink.h"

#include "Messages.h"
#include "QuilloryWindow.h"

namespace {

void SendToMainWindow(const char *text, int append)
{
    // Narrowed by hand: FXbool is a byte, and only exactly 1 means append.
    if (mainWindow)
        mainWindow->printMessage(text, append == 1 ? TRUE : FALSE);
}

}  // namespace

void InstallMessageSink()
{
    SetMessageSink(&SendToMainWindow);
}
