// The PicBtn under real mouse input: the picture of each state, the normal
// picture standing in for missing ones, check mode, clicks, and pictures
// composed over the holding window's colour.
#include "runtime/window/kinds/picture_button_window_win32.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <vector>

#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

using test::CaptureClient;
using test::MakeBmp;
using test::Solid;

constexpr uint32_t kNormalArgb = 0xFF0000C0, kHoverArgb = 0xFF00C000, kPressedArgb = 0xFFC00000,
                   kDisabledArgb = 0xFF808080;
constexpr COLORREF kButtonBack = RGB(255, 255, 0);

uint32_t Colour(uint32_t argb) { return argb & 0xFFFFFF; }

struct Clicks {
  std::vector<int> arguments;
  static void Event(void* context, HWND, int notification, int argument) {
    if (notification == kPictureButtonClicked) static_cast<Clicks*>(context)->arguments.push_back(argument);
  }
};

class PictureButtonWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::InitialiseCom();
    host_ = new test::HostWindow;
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  void SetUp() override { test::MoveMouseAway(); }
  void TearDown() override {
    test::ReleaseLeft();
    if (button_) DestroyWindow(button_);
    test::MoveMouseAway();
  }

  // A 40 x 40 button; its pictures are 30 x 30, so a margin of the button's
  // own background stays visible.
  HWND Make(const PictureButtonProps& props) {
    ControlPlacement at;
    at.parent = host_->handle();
    at.id = 120;
    at.x = 30;
    at.y = 30;
    at.width = 40;
    at.height = 40;
    at.style = WS_VISIBLE;
    button_ = CreatePictureButtonWindow(at, props, {&Clicks::Event, &clicks_});
    EXPECT_NE(button_, nullptr);
    test::PumpPending();
    return button_;
  }

  static PictureButtonProps OnlyNormal() {
    PictureButtonProps p;
    p.normal_picture = MakeBmp(30, 30, Solid(kNormalArgb));
    p.background = kButtonBack;
    return p;
  }
  static PictureButtonProps AllFour() {
    PictureButtonProps p = OnlyNormal();
    p.hover_picture = MakeBmp(30, 30, Solid(kHoverArgb));
    p.pressed_picture = MakeBmp(30, 30, Solid(kPressedArgb));
    p.disabled_picture = MakeBmp(30, 30, Solid(kDisabledArgb));
    return p;
  }

  uint32_t Shown() { return CaptureClient(button_).At(10, 10); }
  void Over() {
    test::MoveMouseTo(button_, 15, 15);
    ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) != kButtonNormal ||
                                             PictureButtonWindowProps(button_)->mode == 1; }));
  }
  void Away() {
    test::MoveMouseTo(host_->handle(), 300, 200);
    test::PumpUntil([&] { return GetCapture() != button_; });
  }

  static test::HostWindow* host_;
  Clicks clicks_;
  HWND button_ = nullptr;
};
test::HostWindow* PictureButtonWindow::host_ = nullptr;

TEST_F(PictureButtonWindow, EachStateShowsItsOwnPicture) {
  Make(AllFour());
  EXPECT_EQ(Shown(), Colour(kNormalArgb));
  Over();
  EXPECT_EQ(PictureButtonShownState(button_), kButtonHover);
  EXPECT_EQ(Shown(), Colour(kHoverArgb));
  test::PressLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonPressed; }));
  EXPECT_EQ(Shown(), Colour(kPressedArgb));
  test::ReleaseLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonHover; }));
  Away();
  EXPECT_EQ(PictureButtonShownState(button_), kButtonNormal);
  EXPECT_EQ(Shown(), Colour(kNormalArgb));
  EnableWindow(button_, FALSE);
  EXPECT_EQ(Shown(), Colour(kDisabledArgb));
}

TEST_F(PictureButtonWindow, WithOnlyANormalPictureEveryStateShowsIt) {
  Make(OnlyNormal());
  uint32_t normal = Colour(kNormalArgb);
  EXPECT_EQ(Shown(), normal);
  Over();
  EXPECT_EQ(PictureButtonShownState(button_), kButtonHover);
  EXPECT_EQ(Shown(), normal);
  test::PressLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonPressed; }));
  EXPECT_EQ(Shown(), normal);
  test::ReleaseLeft();
  Away();
  EnableWindow(button_, FALSE);
  EXPECT_EQ(Shown(), normal);
  // Check mode, checked.
  EnableWindow(button_, TRUE);
  PictureButtonProps p = OnlyNormal();
  p.mode = 1;
  p.checked = true;
  UpdatePictureButtonWindow(button_, p);
  EXPECT_EQ(PictureButtonShownState(button_), kButtonPressed);
  EXPECT_EQ(Shown(), normal);
  // The whole picture, not one pixel of it.
  test::Capture c = CaptureClient(button_);
  EXPECT_EQ(c.Count(RECT{0, 0, 30, 30}, [&](uint32_t px) { return px != normal; }), 0);
}

TEST_F(PictureButtonWindow, APushButtonReportsAClickReleasedOnIt) {
  Make(AllFour());
  Over();
  test::PressLeft();
  test::ReleaseLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return !clicks_.arguments.empty(); }));
  EXPECT_EQ(clicks_.arguments, std::vector<int>{0});
}

TEST_F(PictureButtonWindow, APressReleasedElsewhereIsNoClick) {
  Make(AllFour());
  Over();
  test::PressLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonPressed; }));
  // Held while the mouse leaves: the capture stays, the state drops to normal.
  test::MoveMouseTo(host_->handle(), 300, 200);
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonNormal; }));
  EXPECT_EQ(GetCapture(), button_);
  // Back over it while still held: pressed again.
  test::MoveMouseTo(button_, 20, 20);
  ASSERT_TRUE(test::PumpUntil([&] { return PictureButtonShownState(button_) == kButtonPressed; }));
  test::MoveMouseTo(host_->handle(), 300, 200);
  test::ReleaseLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return GetCapture() != button_; }));
  EXPECT_TRUE(clicks_.arguments.empty());
  EXPECT_EQ(PictureButtonShownState(button_), kButtonNormal);
}

TEST_F(PictureButtonWindow, ACheckButtonStaysPressedWhileChecked) {
  PictureButtonProps p = AllFour();
  p.mode = 1;
  Make(p);
  EXPECT_EQ(Shown(), Colour(kNormalArgb));
  Over();
  EXPECT_EQ(Shown(), Colour(kNormalArgb));  // the state follows the checked property
  test::PressLeft();
  test::ReleaseLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return clicks_.arguments.size() == 1; }));
  EXPECT_EQ(clicks_.arguments[0], 1);
  EXPECT_TRUE(PictureButtonWindowProps(button_)->checked);
  Away();
  EXPECT_EQ(Shown(), Colour(kPressedArgb));
  Over();
  test::PressLeft();
  test::ReleaseLeft();
  ASSERT_TRUE(test::PumpUntil([&] { return clicks_.arguments.size() == 2; }));
  EXPECT_EQ(clicks_.arguments[1], 0);
  EXPECT_FALSE(PictureButtonWindowProps(button_)->checked);
  Away();
  EXPECT_EQ(Shown(), Colour(kNormalArgb));
}

TEST_F(PictureButtonWindow, ADisabledButtonIgnoresTheMouse) {
  Make(AllFour());
  EnableWindow(button_, FALSE);
  test::MoveMouseTo(button_, 15, 15);
  test::PressLeft();
  test::ReleaseLeft();
  test::PumpUntil([&] { return !clicks_.arguments.empty(); }, 300);
  EXPECT_TRUE(clicks_.arguments.empty());
  EXPECT_EQ(Shown(), Colour(kDisabledArgb));
}

TEST_F(PictureButtonWindow, PicturesAreComposedOverTheHoldingWindowsColour) {
  PictureButtonProps p;
  p.background = kButtonBack;
  p.picture_backdrop = RGB(0, 200, 200);
  // A 30 x 30 PNG whose left half is transparent.
  p.normal_picture = test::EncodeWithWic(GUID_ContainerFormatPng, 30, 30, [](int x, int) {
    return x < 15 ? 0x00FF0000u : 0xFFFF0000u;
  });
  ASSERT_FALSE(p.normal_picture.empty());
  Make(p);
  test::Capture c = CaptureClient(button_);
  EXPECT_EQ(c.At(5, 5), 0x00C8C8u);    // transparent: the holding window's colour
  EXPECT_EQ(c.At(20, 5), 0xFF0000u);   // opaque picture
  EXPECT_EQ(c.At(35, 35), test::Rgb(kButtonBack));  // beyond the picture: the button's background
  // A new backdrop remakes the pictures.
  p.picture_backdrop = RGB(200, 0, 200);
  UpdatePictureButtonWindow(button_, p);
  EXPECT_EQ(CaptureClient(button_).At(5, 5), 0xC800C8u);
}

TEST_F(PictureButtonWindow, APictureThatCannotBeDecodedIsNotShown) {
  PictureButtonProps p;
  p.background = kButtonBack;
  std::vector<uint8_t> cut = MakeBmp(30, 30, Solid(kNormalArgb));
  cut.resize(cut.size() / 3);
  p.normal_picture = cut;
  Make(p);
  test::Capture c = CaptureClient(button_);
  EXPECT_EQ(c.Count([](uint32_t px) { return px != test::Rgb(kButtonBack); }), 0);
  // The same for an unreadable hover picture: the normal one stands in.
  p = OnlyNormal();
  p.hover_picture = {1, 2, 3, 4, 5};
  UpdatePictureButtonWindow(button_, p);
  Over();
  EXPECT_EQ(Shown(), Colour(kNormalArgb));
}

}  // namespace
}  // namespace talv
