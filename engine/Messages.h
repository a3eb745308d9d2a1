// The engine's messages: the shared 256-byte message buffer and the one seam
// through which every engine message reaches the shell's message pane.
#pragma once

constexpr int MESSAGE_BUFFER_SIZE = 256;

// Every engine message is formatted here before it is shown.
extern char gMessageBuffer[MESSAGE_BUFFER_SIZE];

// Receives a NUL-terminated markup text; append TRUE (1) adds it to the pane,
// any other value replaces the pane's content. The shell installs the main
// window's printMessage here; tests install a recorder.
using MessageSink = void (*)(const char *text, int append);

// Installs the sink and returns the one it replaces (null: messages are dropped).
MessageSink SetMessageSink(MessageSink sink);

// Formats printf-style into gMessageBuffer and hands it to the sink with
// append TRUE. A message longer than 255 characters is cut at the buffer's
// end, its last character then replaced by the line break it would end with.
void ShowMessage(const char *format, ...) __attribute__((format(printf, 1, 2)));
