#include "platform/MessageQueue.h"

#include <gtest/gtest.h>

#include "platform/WindowMessages.h"

namespace {

TEST(MessageQueueTest, PostedThenQuitThenTimer) {
  MessageQueue queue;
  queue.SetTimer(36211, 25, 1000);
  queue.Post(WindowMessage{WM_KEYDOWN, 'A', 0});
  queue.PostQuit(3);
  WindowMessage m;
  ASSERT_TRUE(queue.Take(1030, m));
  EXPECT_EQ(m.message, WM_KEYDOWN);
  ASSERT_TRUE(queue.Take(1030, m));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  ASSERT_TRUE(queue.Take(1030, m));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 36211u);
  EXPECT_FALSE(queue.Take(1030, m));
}

TEST(MessageQueueTest, TimerFiresOnceAfterALongWaitAndRestartsFromThen) {
  MessageQueue queue;
  queue.SetTimer(1, 25, 0);
  WindowMessage m;
  EXPECT_FALSE(queue.Take(24, m));
  EXPECT_EQ(queue.TimeToTimer(24), 1);
  EXPECT_TRUE(queue.Take(500, m));
  EXPECT_FALSE(queue.Take(500, m));
  EXPECT_EQ(queue.TimeToTimer(500), 25);
  EXPECT_TRUE(queue.Take(525, m));
  queue.KillTimer(2);
  EXPECT_EQ(queue.TimeToTimer(525), 25);
  queue.KillTimer(1);
  EXPECT_EQ(queue.TimeToTimer(525), -1);
  EXPECT_FALSE(queue.Take(10000, m));
}

TEST(MessageQueueTest, TimerSurvivesTheClockWrapping) {
  MessageQueue queue;
  queue.SetTimer(1, 25, 0xFFFFFFF0u);
  WindowMessage m;
  EXPECT_FALSE(queue.Take(0xFFFFFFFFu, m));
  EXPECT_EQ(queue.TimeToTimer(0xFFFFFFFFu), 10);
  EXPECT_TRUE(queue.Take(9, m));
}

TEST(MessageQueueTest, QuitIsDeliveredOnce) {
  MessageQueue queue;
  queue.PostQuit(0);
  WindowMessage m;
  EXPECT_TRUE(queue.Take(0, m));
  EXPECT_FALSE(queue.Take(0, m));
}

}  // namespace
