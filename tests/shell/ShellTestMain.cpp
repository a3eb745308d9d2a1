// Runs the window tests inside one FOX application on the X display given
// by DISPLAY; without a display every window test skips itself.
#include <cstdlib>

#include "ShellTestSupport.h"

namespace {
FXApp *gApp = NULL;
}

FXApp *TestApp()
{
    return gApp;
}

int main(int argc, char *argv[])
{
    testing::InitGoogleTest(&argc, argv);
    const char *display = getenv("DISPLAY");
    if (display && *display) {
        // Connected by hand: init would end the program if the display
        // cannot be opened, and these tests should skip instead.
        gApp = new FXApp("QuilloryTests", "Korvath Technology");
        gApp->init(argc, argv, FALSE);
        if (gApp->openDisplay()) {
            gApp->create();
        } else {
            delete gApp;
            gApp = NULL;
        }
    }
    int result = RUN_ALL_TESTS();
    delete gApp;
    return result;
}
