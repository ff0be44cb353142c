// The window base: a failure while a window is built fails its creation.
#include <gtest/gtest.h>

#include "src/platform/tavlin_error.h"
#include "win32/gui/window_win32.h"

namespace tavlin {

namespace {

class FailingWindow final : public Window {
 public:
  void Build() {
    RegisterWindowClass(L"TavlinFailingWindow", nullptr, nullptr);
    Create(L"TavlinFailingWindow", WS_OVERLAPPEDWINDOW, 0, {0, 0, 100, 100},
           nullptr);
  }
  HWND built = nullptr;

 private:
  LRESULT HandleMessage(UINT message, WPARAM w, LPARAM l) override {
    if (message == WM_CREATE) {
      built = hwnd();
      throw TavlinError("作成できません");
    }
    return Window::HandleMessage(message, w, l);
  }
};

TEST(WindowCreation,
     AFailureWhileBuildingFailsTheCreationAfterTheWindowIsGone) {
  FailingWindow window;
  try {
    window.Build();
    FAIL() << "the half-built window was taken for a whole one";
  } catch (const TavlinError& error) {
    EXPECT_STREQ(error.what(), "作成できません");
  }
  ASSERT_NE(window.built, nullptr);
  EXPECT_FALSE(IsWindow(window.built));
  EXPECT_EQ(window.hwnd(), nullptr);
}

}  // namespace

}  // namespace tavlin
