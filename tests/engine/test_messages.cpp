// The message seam: formatting into the shared buffer and its bound.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestSupport.h"

TEST(Messages, ShowMessageFormatsIntoTheBufferAndAppends)
{
    MessageCapture capture;
    ShowMessage("<R>Error in Line %d:<n> %s\n", 12, "X");
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0], "<R>Error in Line 12:<n> X\n");
    EXPECT_STREQ(gMessageBuffer, "<R>Error in Line 12:<n> X\n");
}

TEST(Messages, ALongMessageIsCutAtTheBufferEnd)
{
    MessageCapture capture;
    std::string path(1000, 'p');
    ShowMessage("Creating %s\n", path.c_str());
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0].size(), 255u);
    EXPECT_EQ(capture.messages()[0].substr(0, 9), "Creating ");
}
