// The engine's messages: the shared message buffer and the one seam through
// which every engine message reaches the shell's message pane.
#pragma once

#include <climits>

// The longest PDF path a description can give: the longest path the system
// takes (PATH_MAX counts the terminator) with ".pdf" appended to it.
constexpr int LONGEST_PDF_PATH = PATH_MAX - 1 + 4;

// The most characters a message sets around the path it quotes: the write
// failure's "\n<R>Error: <n>cannot write to " with its second line,
// "\n       If you have it open for viewing, please close the viewer.\n",
// has 96. The library's failure texts, under 160 characters, fit easily.
constexpr int LONGEST_TEXT_AROUND_A_PATH = 96;

// Room for every message whole, the terminator included; a longer path, which
// the system would refuse anyway, is cut at the buffer's end.
constexpr int MESSAGE_BUFFER_SIZE = LONGEST_PDF_PATH + LONGEST_TEXT_AROUND_A_PATH + 1;

// Every engine message is formatted here before it is shown.
extern char gMessageBuffer[MESSAGE_BUFFER_SIZE];

// Receives a NUL-terminated markup text; append TRUE (1) adds it to the pane,
// any other value replaces the pane's content. The shell installs the main
// window's printMessage here; tests install a recorder.
using MessageSink = void (*)(const char *text, int append);

// Installs the sink and returns the one it replaces (null: messages are dropped).
MessageSink SetMessageSink(MessageSink sink);

// Formats printf-style into gMessageBuffer and hands it to the sink with
// append TRUE. A message longer than MESSAGE_BUFFER_SIZE - 1 characters is
// cut at the buffer's end, its last character then replaced by the line break
// it would end with.
void ShowMessage(const char *format, ...) __attribute__((format(printf, 1, 2)));
