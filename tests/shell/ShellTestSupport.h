// Shared helpers of the window tests: the one FOX application they run in,
// reading back a text pane's content and per-byte styles, and scratch files.
#pragma once

#include <fx.h>

#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>

#include <gtest/gtest.h>

// The tests' application, connected to the display; null without one.
FXApp *TestApp();

// Skips the calling test when there is no X display to run on.
#define REQUIRE_DISPLAY()                                   \
    do {                                                    \
        if (!TestApp())                                     \
            GTEST_SKIP() << "no X display (DISPLAY unset)"; \
    } while (0)

// The pane's whole content.
inline std::string PaneText(const FXText *text)
{
    FXString content;
    text->getText(content);
    return std::string(content.text(), content.length());
}

// The style index of every byte of the pane, one digit per byte.
inline std::string PaneStyles(const FXText *text)
{
    FXString styles;
    text->extractStyle(styles, 0, text->getLength());
    std::string digits;
    for (FXint i = 0; i < styles.length(); i++)
        digits += static_cast<char>('0' + styles[i]);
    return digits;
}

// The whole content of a file ("" when it cannot be read).
inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

// A scratch directory, removed with everything in it.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/quillory-shell-XXXXXX";
        // Without a directory every file of the test fails to be made, so the
        // test fails rather than writing somewhere else.
        path = mkdtemp(pattern) ? pattern : "/nonexistent";
    }
    ~ScratchDir() { FXFile::removeFiles(path.c_str(), TRUE); }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    // Writes content to the file name in the directory; returns its path.
    std::string file(const std::string &name, const std::string &content) const
    {
        std::string full = path + "/" + name;
        std::ofstream(full, std::ios::binary) << content;
        return full;
    }
    std::string path;
};
