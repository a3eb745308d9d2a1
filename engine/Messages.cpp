// The shared message buffer and the message seam.
#include "Messages.h"

#include <cstdarg>
#include <cstdio>

char gMessageBuffer[MESSAGE_BUFFER_SIZE];

namespace {
MessageSink gSink = nullptr;
}

MessageSink SetMessageSink(MessageSink sink)
{
    MessageSink previous = gSink;
    gSink = sink;
    return previous;
}

void ShowMessage(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer and always terminates it.
    const int length = vsnprintf(gMessageBuffer, sizeof gMessageBuffer, format, args);
    va_end(args);
    if (length < 0)
        gMessageBuffer[0] = '\0';
    // A cut message still ends its line, so the next one starts on its own.
    if (length >= MESSAGE_BUFFER_SIZE)
        gMessageBuffer[MESSAGE_BUFFER_SIZE - 2] = '\n';
    if (gSink)
        gSink(gMessageBuffer, 1);
}
