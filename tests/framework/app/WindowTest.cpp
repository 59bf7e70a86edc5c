#include "framework/app/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestHome.h"
#include "framework/app/MessageBoxes.h"
#include "platform/NullWindowBackend.h"
#include "platform/WindowMessages.h"

namespace {

class RecordingWindow : public Window {
public:
  using Window::Window;
  void Close() override {
    calls.push_back("Close");
    Window::Close();
  }
  void OnDestroyed() override { calls.push_back("Destroyed"); }
  void KeyDown(uint32_t key, uint32_t repeat, uint32_t flags) override {
    calls.push_back("KeyDown " + std::to_string(key) + " " + std::to_string(repeat) + " " + std::to_string(flags));
  }
  void LButtonDblClk(uint32_t keys, int32_t x, int32_t y) override {
    calls.push_back("LDbl " + std::to_string(keys) + " " + std::to_string(x) + " " + std::to_string(y));
  }
  void MouseMove(uint32_t keys, int32_t x, int32_t y) override {
    calls.push_back("Move " + std::to_string(x) + " " + std::to_string(y));
  }
  void Timer() override { calls.push_back("Timer"); }
  void Size(uint32_t type, int32_t w, int32_t h) override {
    calls.push_back("Size " + std::to_string(type) + " " + std::to_string(w) + "x" + std::to_string(h));
  }
  void ActivateApp(bool active, uint32_t) override { calls.push_back(active ? "App on" : "App off"); }
  bool SysChar(uint32_t c, uint32_t, uint32_t) override { return c == 'x'; }
  std::vector<std::string> calls;
};

class WindowTest : public AppTestHome {
protected:
  NullWindowBackend backend_;
};

TEST_F(WindowTest, MessagesReachTheirHandlersWithUnpackedArguments) {
  RecordingWindow window(backend_);
  ASSERT_TRUE(window.Create(800, 600, false));
  window.HandleMessage(WindowMessage{WM_KEYDOWN, 'A', MakeKeyParam(3, KF_REPEAT)});
  window.HandleMessage(WindowMessage{WM_LBUTTONDBLCLK, MK_LBUTTON, MakeCoordParam(-4, 599)});
  window.HandleMessage(WindowMessage{WM_MOUSEMOVE, 0, MakeCoordParam(10, -1)});
  window.HandleMessage(WindowMessage{WM_TIMER, 99, 0});
  window.HandleMessage(WindowMessage{WM_SIZE, SIZE_RESTORED, MakeCoordParam(800, 600)});
  // Keys pressed with Alt go to the default processing, not to the game.
  window.HandleMessage(WindowMessage{WM_SYSKEYDOWN, VK_RETURN, MakeKeyParam(1, KF_ALTDOWN)});
  const std::vector<std::string> expected = {"KeyDown 65 3 16384", "LDbl 1 -4 599", "Move 10 -1", "Timer",
                                             "Size 0 800x600"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_NCHITTEST, 0, 0}), 0);
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0}), 1);
}

TEST_F(WindowTest, CloseCommandDestroysAndPostsTheQuit) {
  RecordingWindow window(backend_);
  ASSERT_TRUE(window.Create(800, 600, false));
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_SYSCOMMAND, SC_CLOSE | 2, 0}), 0);
  const std::vector<std::string> expected = {"Close", "Destroyed"};
  EXPECT_EQ(window.calls, expected);
  EXPECT_FALSE(window.HasHandle());
  EXPECT_FALSE(backend_.HasWindow());
  WindowMessage m;
  ASSERT_TRUE(backend_.PeekMessage(m));
  EXPECT_EQ(m.message, WM_QUIT);
}

TEST_F(WindowTest, ActivationIsRememberedAndBlocksASecondCreate) {
  RecordingWindow window(backend_);
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_SETCURSOR, 0, 0}), 0);
  window.HandleMessage(WindowMessage{WM_ACTIVATEAPP, 1, 0});
  EXPECT_TRUE(window.IsAppActive());
  EXPECT_EQ(window.HandleMessage(WindowMessage{WM_SETCURSOR, 0, 0}), 1);
  EXPECT_FALSE(window.Create(800, 600, false));
  window.HandleMessage(WindowMessage{WM_ACTIVATEAPP, 0, 0});
  EXPECT_FALSE(window.IsAppActive());
  EXPECT_EQ(window.calls.back(), "App off");
}

TEST_F(WindowTest, FailedCreationLeavesNoHandle) {
  backend_.SetCreateFails(true);
  RecordingWindow window(backend_);
  EXPECT_FALSE(window.Create(800, 600, false));
  EXPECT_FALSE(window.HasHandle());
}

TEST_F(WindowTest, MessageBoxesAreCaptionedWithTheTitleAndBounded) {
  RecordingWindow window(backend_);
  const String longText(static_cast<char>('y'), 700);
  window.MessageBox(longText, MB_OK);
  ASSERT_EQ(backend_.Boxes().size(), 1u);
  EXPECT_EQ(backend_.Boxes()[0].caption, "Quillomar");
  EXPECT_EQ(backend_.Boxes()[0].text.size(), static_cast<size_t>(kMessageBoxTextLimit));

  SetMessageBoxBackend(nullptr);
  EXPECT_EQ(MessageBoxExeId(71, MB_OK), IDOK);
  SetMessageBoxBackend(&backend_);
  MessageBoxExeId(71, MB_OK | MB_ICONHAND);
  EXPECT_EQ(backend_.Boxes().size(), 2u);
  SetMessageBoxBackend(nullptr);
}

}  // namespace
