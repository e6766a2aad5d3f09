// A window holding one control of each self-painted kind, as the screen
// shows it. The picture is kept as controls_screenshot.png in the test's
// working directory (the build tree); the assertions sample its pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "runtime/window/kinds/hyperlink_window_win32.h"
#include "runtime/window/kinds/label_window_win32.h"
#include "runtime/window/kinds/picture_button_window_win32.h"
#include "runtime/window/kinds/picture_decoder_win32.h"
#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

constexpr COLORREF kLabelBack = RGB(255, 255, 255), kLabelInk = RGB(0, 0, 0);
constexpr COLORREF kLinkBack = RGB(230, 230, 255), kLinkInk = RGB(0, 0, 255);
constexpr uint32_t kButtonPicture = 0xFFE08000;  // orange

ControlPlacement At(HWND parent, int id, int x, int y, int w, int h) {
  ControlPlacement p;
  p.parent = parent;
  p.id = id;
  p.x = x;
  p.y = y;
  p.width = w;
  p.height = h;
  p.style = WS_VISIBLE;
  return p;
}

TEST(ControlsScreenshot, OneOfEachKindIsPaintedOnTheScreen) {
  test::InitialiseCom();
  test::MoveMouseAway();
  test::HostWindow host(320, 200);

  LabelProps label;
  label.caption = "相差 61 天";
  label.background = kLabelBack;
  label.text_colour = kLabelInk;
  label.horizontal_alignment = 1;
  label.vertical_alignment = 1;
  label.border = 3;
  HWND l = CreateLabelWindow(At(host.handle(), 100, 10, 10, 300, 40), label);

  HyperlinkProps link;
  link.caption = "Talvique";
  link.web_address = "http://talvique.example/";
  link.normal_colour = kLinkInk;
  link.background = kLinkBack;
  HWND h = CreateHyperlinkWindow(At(host.handle(), 110, 10, 60, 300, 30), link);

  PictureButtonProps button;
  button.normal_picture = test::MakeBmp(48, 48, test::Solid(kButtonPicture));
  HWND b = CreatePictureButtonWindow(At(host.handle(), 120, 10, 100, 48, 48), button);
  ASSERT_TRUE(l && h && b);

  RECT screen;
  GetWindowRect(host.handle(), &screen);
  test::Capture shot = test::CaptureScreen(screen);
  ASSERT_EQ(shot.width, 320);
  char dir[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof dir, dir);
  std::string path = std::string(dir) + "\\controls_screenshot.png";
  ASSERT_TRUE(test::WritePng(path, shot)) << path;
  std::printf("screenshot: %s\n", path.c_str());

  // The host and each control's background.
  EXPECT_EQ(shot.At(315, 195), test::Rgb(test::kHostColour));
  EXPECT_EQ(shot.At(20, 20), test::Rgb(kLabelBack));
  EXPECT_EQ(shot.At(15, 65), test::Rgb(kLinkBack));
  EXPECT_EQ(shot.At(30, 120), kButtonPicture & 0xFFFFFF);
  // Text was drawn: dark pixels inside the label, blue ones in the link.
  auto dark = [](uint32_t px) { return (px >> 16 & 0xFF) < 100 && (px >> 8 & 0xFF) < 100 && (px & 0xFF) < 100; };
  EXPECT_GT(shot.Count(RECT{12, 12, 308, 48}, dark), 30);
  auto blue = [](uint32_t px) { return (px & 0xFF) > 150 && (px >> 16 & 0xFF) < 120; };
  EXPECT_GT(shot.Count(RECT{10, 60, 310, 90}, blue), 20);

  // The kept file holds the same picture.
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::vector<uint8_t> png(1 << 20);
  png.resize(std::fread(png.data(), 1, png.size(), f));
  std::fclose(f);
  DecodedPicture back = DecodePicture(png.data(), png.size(), RGB(0, 0, 0));
  ASSERT_FALSE(back.empty());
  EXPECT_EQ(back.width(), 320);
  EXPECT_EQ(back.PixelAt(20, 20), shot.At(20, 20));
  EXPECT_EQ(back.PixelAt(30, 120), shot.At(30, 120));
}

}  // namespace
}  // namespace talv
