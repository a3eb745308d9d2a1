// Connects the engine's message seam to the main window's message pane.
#ifndef MESSAGESINK_H
#define MESSAGESINK_H

// From now on every engine message goes to mainWindow->printMessage.
void InstallMessageSink();

#endif
