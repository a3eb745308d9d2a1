// Placeholder help window: an empty dialog until the real one lands.
#include "HelpWindow.h"

FXIMPLEMENT(HelpWindow, FXDialogBox, NULL, 0)

HelpWindow::HelpWindow(FXApp *a) : FXDialogBox(a, "Quillory Help"), text(NULL) {}

HelpWindow::~HelpWindow() {}
