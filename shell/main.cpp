// Quillory: starts the application and its main window.
#include <fx.h>

#include "MessageSink.h"
#include "QuilloryWindow.h"
#include "StartDirectory.h"

int main(int argc, char *argv[])
{
    FXApp application("Quillory", "Korvath Technology");
    application.init(argc, argv, TRUE);
    lastDirectory = StartDirectory(argc > 0 ? argv[0] : "");
    mainWindow = new QuilloryWindow(&application);
    InstallMessageSink();
    application.create();
    return application.run();
}
