// Shared helpers of the engine tests: capturing the engine's messages and
// parsing description texts held in strings.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "AlbumReader.h"
#include "Messages.h"

// Collects every message the engine shows while it lives; messages shown
// with append other than TRUE are recorded with a leading "[replace]".
class MessageCapture {
public:
    MessageCapture() : previous_(SetMessageSink(&MessageCapture::Record)) { Messages().clear(); }
    ~MessageCapture() { SetMessageSink(previous_); }
    MessageCapture(const MessageCapture &) = delete;
    MessageCapture &operator=(const MessageCapture &) = delete;

    const std::vector<std::string> &messages() const { return Messages(); }
    // All messages joined, in order.
    std::string all() const
    {
        std::string joined;
        for (const std::string &m : Messages())
            joined += m;
        return joined;
    }
    void clear() { Messages().clear(); }

private:
    static std::vector<std::string> &Messages()
    {
        static std::vector<std::string> messages;
        return messages;
    }
    static void Record(const char *text, int append)
    {
        Messages().push_back(append == 1 ? std::string(text) : "[replace]" + std::string(text));
    }
    MessageSink previous_;
};

// The parse error message for line with text (the common form).
inline std::string ParseError(int line, const std::string &text)
{
    return "<R>Error in Line " + std::to_string(line) + ":<n> " + text + "\n";
}

// Parses description text (any bytes, NULs included) through a real stream.
inline int ParseText(const std::string &text)
{
    FILE *file = tmpfile();
    if (!file)
        return -1;
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    int result = ParseAlbumFile(file);
    fclose(file);
    return result;
}
