// Redraw requests and the waker that brings them to the view at once: a
// burst of requests, from one block of a thousand events or from many
// blocks, wakes the view once until the view acknowledges the wake.
#include "formats/vst2/VstEventBlock.h"
#include "state/RedrawRequest.h"
#include "tests/support/MidiBlock.h"

#include <gtest/gtest.h>

namespace {

int wakes = 0;
void* lastTarget = nullptr;

void countWake(void* target)
{
    ++wakes;
    lastTarget = target;
}

class RedrawRequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wakes = 0;
        lastTarget = nullptr;
        acceptRedisplayRequests(true);
        takeRedisplayRequest();
        setRedisplayWaker(countWake, &target);
    }
    void TearDown() override
    {
        setRedisplayWaker(nullptr, nullptr);
        acceptRedisplayRequests(false);
        takeRedisplayRequest();
    }
    int target = 0;
};

TEST_F(RedrawRequestTest, ABurstWakesTheViewOnceUntilTheWakeIsAcknowledged)
{
    MidiBlock thousand;
    for (int i = 0; i < 1000; ++i)
        thousand.noteOn(i % 16, 21 + i % 88, 100);
    receiveMidiBlock(thousand.events(), nullptr);
    requestRedisplay();
    requestRedisplay();
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(lastTarget, &target);
    EXPECT_TRUE(redisplayRequested());
    EXPECT_TRUE(redisplayRequested()); // looking leaves it asked

    // Taking the request alone (an idle drew it) does not make the next one
    // wake again while the first wake is still on its way.
    EXPECT_TRUE(takeRedisplayRequest());
    requestRedisplay();
    EXPECT_EQ(wakes, 1);

    acknowledgeRedisplayWake();
    requestRedisplay();
    EXPECT_EQ(wakes, 2);
}

TEST_F(RedrawRequestTest, AClosedViewIsNeitherAskedNorWoken)
{
    acceptRedisplayRequests(false);
    requestRedisplay();
    EXPECT_EQ(wakes, 0);
    EXPECT_FALSE(redisplayRequested());
}

TEST_F(RedrawRequestTest, WithoutAWakerRequestsWaitForTheIdle)
{
    setRedisplayWaker(nullptr, nullptr);
    requestRedisplay();
    EXPECT_EQ(wakes, 0);
    EXPECT_TRUE(takeRedisplayRequest());

    // A new waker starts with no wake on its way.
    requestRedisplay();
    setRedisplayWaker(countWake, &target);
    requestRedisplay();
    EXPECT_EQ(wakes, 1);
}

} // namespace
