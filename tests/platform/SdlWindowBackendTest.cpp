#include "platform/SdlWindowBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/WindowMessages.h"

namespace {

// The dummy video driver needs no display; it is SDL's own, so the real backend runs.
class SdlWindowBackendTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }
};

TEST_F(SdlWindowBackendTest, WindowHasTheExactClientSize) {
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.HasVideo());
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar \xE9", 800, 600, false));
  EXPECT_FALSE(backend.CreateMainWindow("again", 800, 600, false));
  int32_t w = 0, h = 0;
  backend.GetClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_STREQ(SDL_GetWindowTitle(backend.NativeWindow()), "Quillomar \xC3\xA9");
  backend.ShowWindow();
  backend.DestroyMainWindow();
  EXPECT_FALSE(backend.HasWindow());
}

TEST_F(SdlWindowBackendTest, QuitAndPostedMessagesComeThroughTheWait) {
  SdlWindowBackend backend;
  backend.PostMessage(WindowMessage{WM_CHAR, 'q', 0});
  backend.PostQuit(7);
  WindowMessage m;
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_CHAR);
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
}

TEST_F(SdlWindowBackendTest, FrameTimerWakesTheWait) {
  SdlWindowBackend backend;
  backend.SetTimer(36211, 5);
  WindowMessage m;
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(m.wParam, 36211u);
}

TEST_F(SdlWindowBackendTest, MessageBoxWithoutADisplayAnswersTheFirstButton) {
  SdlWindowBackend backend;
  setenv("QUILLOMAR_TEST", "1", 1);
  EXPECT_EQ(backend.MessageBox("text", "Quillomar", MB_OK | MB_ICONHAND), IDOK);
  EXPECT_EQ(backend.MessageBox("keep?", "Quillomar", MB_YESNO), IDYES);
}

TEST_F(SdlWindowBackendTest, CursorsAreMadeAndCheckedForSize) {
  SdlWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, false));
  std::vector<uint8_t> pixels(32 * 32 * 4, 0xFF);
  EXPECT_EQ(backend.CreateColorCursor(pixels.data(), 32, 32, 32, 0), 0u);
  EXPECT_EQ(backend.CreateColorCursor(pixels.data(), 0, 32, 0, 0), 0u);
  const CursorId made = backend.CreateColorCursor(pixels.data(), 32, 32, 3, 4);
  backend.SetCursor(made);
  backend.SetCursor(0);
}

}  // namespace
