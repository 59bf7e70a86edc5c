#include "platform/NullWindowBackend.h"

#include <gtest/gtest.h>

#include "platform/WindowMessages.h"

namespace {

TEST(NullWindowBackendTest, WaitingMovesTheClockToTheTimer) {
  NullWindowBackend backend;
  backend.SetTicks(1000);
  backend.SetTimer(36211, 25);
  WindowMessage m;
  EXPECT_FALSE(backend.PeekMessage(m));
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(backend.Ticks(), 1025u);
  backend.PostMessage(WindowMessage{WM_CHAR, 'x', 0});
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_CHAR);
  EXPECT_EQ(backend.Ticks(), 1025u);
  backend.KillTimer(36211);
  backend.WaitMessage(m);
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_TRUE(backend.Starved());
}

TEST(NullWindowBackendTest, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
  NullWindowBackend backend;
  EXPECT_EQ(backend.MessageBox("first", "Quillomar", MB_OK | MB_ICONHAND), IDOK);
  EXPECT_EQ(backend.MessageBox("keep?", "Quillomar", MB_YESNO | MB_ICONQUESTION), IDYES);
  backend.ScriptAnswer(IDNO);
  EXPECT_EQ(backend.MessageBox("keep?", "Quillomar", MB_YESNO), IDNO);
  ASSERT_EQ(backend.Boxes().size(), 3u);
  EXPECT_EQ(backend.Boxes()[0].text, "first");
  EXPECT_EQ(backend.Boxes()[0].type, MB_OK | MB_ICONHAND);
}

TEST(NullWindowBackendTest, WindowLifecycleAndFullScreen) {
  NullWindowBackend backend;
  ASSERT_TRUE(backend.CreateMainWindow("Quillomar", 800, 600, false));
  EXPECT_FALSE(backend.CreateMainWindow("Quillomar", 800, 600, false));
  int32_t w = 0, h = 0;
  backend.GetClientSize(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_TRUE(backend.SetFullScreen(true, 0, 0));
  backend.GetClientSize(w, h);
  EXPECT_EQ(w, 1024);
  EXPECT_TRUE(backend.SetFullScreen(false, 0, 0));
  backend.GetClientSize(w, h);
  EXPECT_EQ(w, 800);
  backend.SetMinimized(true);
  backend.Raise();
  EXPECT_FALSE(backend.IsMinimized());
  EXPECT_TRUE(backend.IsShown());
  backend.DestroyMainWindow();
  EXPECT_FALSE(backend.HasWindow());
  EXPECT_FALSE(backend.OpenLink("file:///etc"));
  EXPECT_TRUE(backend.OpenLink("https://example.org"));
  EXPECT_EQ(backend.CreateColorCursor(nullptr, 32, 32, 0, 0), 0u);
}

}  // namespace
