// The message seam: formatting into the shared buffer and its bound.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "TestSupport.h"

TEST(Messages, ShowMessageFormatsIntoTheBufferAndAppends)
{
    MessageCapture capture;
    ShowMessage("<R>Error in Line %d:<n> %s\n", 12, "X");
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0], "<R>Error in Line 12:<n> X\n");
    EXPECT_STREQ(gMessageBuffer, "<R>Error in Line 12:<n> X\n");
}

// A message that fills the buffer is shown whole; one character more and it
// is cut at the buffer's end, still ending its line.
TEST(Messages, ALongMessageIsCutAtTheBufferEnd)
{
    const size_t room = MESSAGE_BUFFER_SIZE - 1 - std::strlen("Creating \n");
    const std::string fits(room, 'p'), over(room + 1, 'q');
    MessageCapture capture;
    ShowMessage("Creating %s\n", fits.c_str());
    ShowMessage("Creating %s\n", over.c_str());
    ShowMessage("Creating %s\n", std::string(3 * MESSAGE_BUFFER_SIZE, 'r').c_str());
    EXPECT_EQ(capture.messages(),
              (std::vector<std::string>{"Creating " + fits + "\n", "Creating " + over.substr(0, room) + "\n",
                                        "Creating " + std::string(room, 'r') + "\n"}));
}
