// What the download window says about size, speed and time left.
#include "DownloadFigures.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DownloadFigures, SizeSpeedAndTimeLeft)
{
    EXPECT_EQ(DownloadSizeText(0, 0), "0 bytes");
    EXPECT_EQ(DownloadSizeText(1200000, 4000000), "1.2\u00a0MB of 4.0\u00a0MB");
    EXPECT_EQ(DownloadSizeText(1200000, 0), "1.2\u00a0MB") << "total unknown";

    EXPECT_EQ(DownloadSpeedText(0), "");
    EXPECT_EQ(DownloadSpeedText(300000), "300.0\u00a0kB/s");

    EXPECT_EQ(DownloadTimeLeftText(0, 1000, 100), "10 seconds left");
    EXPECT_EQ(DownloadTimeLeftText(999, 1000, 100), "1 second left");
    EXPECT_EQ(DownloadTimeLeftText(0, 15000, 100), "3 minutes left");
    EXPECT_EQ(DownloadTimeLeftText(0, 60 * 100, 100), "1 minute left");
    EXPECT_EQ(DownloadTimeLeftText(0, 3900 * 100, 100), "1 hour 5 minutes left");
    EXPECT_EQ(DownloadTimeLeftText(0, 0, 100), "") << "total unknown";
    EXPECT_EQ(DownloadTimeLeftText(10, 1000, 0), "") << "speed unknown";
    EXPECT_EQ(DownloadTimeLeftText(2000, 1000, 10), "") << "more than announced";
}
