// Shared helpers of the engine tests: capturing the engine's messages and
// parsing description texts held in strings.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
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

// A fresh directory for one test's files, removed with all it holds.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/quillory-test-XXXXXX";
        // Without a directory every file of the test fails to be made, so the
        // test fails rather than writing somewhere else.
        path_ = mkdtemp(pattern) ? pattern : "/nonexistent";
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    const std::string &path() const { return path_; }
    std::string File(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
