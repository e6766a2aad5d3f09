// The Label control as it appears on the screen: background colours,
// gradients and pictures, the caption's colour, alignment and effects, the
// borders, and updates.
#include "runtime/window/kinds/label_window_win32.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

using test::Capture;
using test::CaptureClient;
using test::Near;

constexpr COLORREF kInk = RGB(200, 0, 0);
constexpr COLORREF kPaper = RGB(255, 255, 240);

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool IsInk(uint32_t p) {  // reddish: the text colour, antialiased or not
  int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF);
  return r > g + 60;
}

// A font drawn without antialiasing, so that every pixel of the text has
// exactly the colour it was drawn in.
ByteBlock CrispFont(int height) {
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = -height;
  font.lfWeight = FW_BOLD;
  font.lfQuality = NONANTIALIASED_QUALITY;
  std::strcpy(font.lfFaceName, "Tahoma");
  const auto* bytes = reinterpret_cast<const uint8_t*>(&font);
  return ByteBlock(bytes, bytes + sizeof font);
}

class LabelWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::InitialiseCom();
    host_ = new test::HostWindow;
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  void TearDown() override {
    if (last_) DestroyWindow(last_);
  }

  // One label at a time: the one made before is destroyed, so no sibling
  // covers the new one.
  HWND Make(const LabelProps& props, int width = 240, int height = 60) {
    if (last_) DestroyWindow(last_);
    ControlPlacement at;
    at.parent = host_->handle();
    at.id = 100;
    at.x = 10;
    at.y = 10;
    at.width = width;
    at.height = height;
    at.style = WS_VISIBLE;
    HWND w = CreateLabelWindow(at, props);
    EXPECT_NE(w, nullptr);
    last_ = w;
    return w;
  }

  static LabelProps Inked(const char* caption) {
    LabelProps p;
    p.caption = caption;
    p.text_colour = kInk;
    p.background = kPaper;
    return p;
  }

  static test::HostWindow* host_;
  HWND last_ = nullptr;
};

test::HostWindow* LabelWindow::host_ = nullptr;

TEST_F(LabelWindow, TheDefaultBackgroundIsTheButtonFaceColour) {
  LabelProps p;  // background 0xFF000000, no caption
  Capture c = CaptureClient(Make(p));
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(c.Count([&](uint32_t px) { return px != test::Rgb(face); }), 0);
}

TEST_F(LabelWindow, ACaptionIsDrawnInTheTextColourOverTheBackground) {
  Capture c = CaptureClient(Make(Inked("Sixty-one days")));
  EXPECT_GT(c.Count(IsInk), 30);
  EXPECT_EQ(c.At(c.width - 1, c.height - 1), test::Rgb(kPaper));
  // A single top-aligned line: the lower half is untouched background.
  EXPECT_EQ(c.Count(RECT{0, 30, c.width, c.height}, [](uint32_t px) { return px != test::Rgb(kPaper); }),
            0);
}

TEST_F(LabelWindow, AChineseCaptionIsDrawn) {
  Capture c = CaptureClient(Make(Inked("相差天数")));
  EXPECT_GT(c.Count(IsInk), 30);
}

TEST_F(LabelWindow, HorizontalAlignmentPlacesTheText) {
  LabelProps p = Inked("Ab");
  RECT left = CaptureClient(Make(p)).Bounds(IsInk);
  p.horizontal_alignment = 1;
  RECT centre = CaptureClient(Make(p)).Bounds(IsInk);
  p.horizontal_alignment = 2;
  RECT right = CaptureClient(Make(p)).Bounds(IsInk);
  EXPECT_LT(left.right, 60);
  EXPECT_GT(centre.left, 90);
  EXPECT_LT(centre.right, 150);
  EXPECT_GT(right.left, 180);
}

TEST_F(LabelWindow, VerticalAlignmentPlacesASingleLine) {
  LabelProps p = Inked("Ab");
  RECT top = CaptureClient(Make(p, 240, 90)).Bounds(IsInk);
  p.vertical_alignment = 1;
  RECT middle = CaptureClient(Make(p, 240, 90)).Bounds(IsInk);
  p.vertical_alignment = 2;
  RECT bottom = CaptureClient(Make(p, 240, 90)).Bounds(IsInk);
  EXPECT_LT(top.bottom, 30);
  EXPECT_GT(middle.top, 25);
  EXPECT_LT(middle.bottom, 65);
  EXPECT_GT(bottom.top, 60);
}

TEST_F(LabelWindow, WordWrapBreaksALongCaptionOverLines) {
  LabelProps p = Inked("one two three four five six seven eight nine ten");
  p.word_wrap = false;
  RECT single = CaptureClient(Make(p, 100, 90)).Bounds(IsInk);
  p.word_wrap = true;
  RECT wrapped = CaptureClient(Make(p, 100, 90)).Bounds(IsInk);
  EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top));
}

TEST_F(LabelWindow, TheShadowEffectAddsABlackCopyBehindTheText) {
  auto black = [](uint32_t px) { return (px >> 16 & 0xFF) < 60 && (px >> 8 & 0xFF) < 60 && (px & 0xFF) < 60; };
  LabelProps p = Inked("Shadow");
  p.font = CrispFont(16);
  EXPECT_EQ(CaptureClient(Make(p)).Count(black), 0);
  p.text_effect = 3;
  Capture shadowed = CaptureClient(Make(p));
  EXPECT_GT(shadowed.Count(black), 10);
  // The copy lies two pixels right and down of the text.
  RECT ink = shadowed.Bounds([](uint32_t px) { return px == test::Rgb(kInk); });
  RECT dark = shadowed.Bounds(black);
  EXPECT_EQ(dark.right, ink.right + 2);
  EXPECT_EQ(dark.bottom, ink.bottom + 2);
}

TEST_F(LabelWindow, TheRaisedAndSunkenEffectsAddAWhiteCopy) {
  auto white = [](uint32_t px) { return px == 0xFFFFFF; };
  auto ink = [](uint32_t px) { return px == test::Rgb(kInk); };
  LabelProps p = Inked("Emboss");
  p.font = CrispFont(16);
  p.background = RGB(128, 128, 128);
  Capture plain_capture = CaptureClient(Make(p));
  EXPECT_EQ(plain_capture.Count(white), 0);
  RECT plain = plain_capture.Bounds(ink);
  RECT moved = plain;
  OffsetRect(&moved, 1, 1);

  // Effect 1: the white copy one pixel right and down, the text in place on top.
  p.text_effect = 1;
  Capture raised = CaptureClient(Make(p));
  EXPECT_TRUE(SameRect(raised.Bounds(ink), plain));
  EXPECT_TRUE(SameRect(raised.Bounds(white), moved));

  // Effect 2: the white copy in place, the text one pixel right and down on top.
  p.text_effect = 2;
  Capture sunken = CaptureClient(Make(p));
  EXPECT_TRUE(SameRect(sunken.Bounds(ink), moved));
  RECT light = sunken.Bounds(white);
  EXPECT_EQ(light.left, plain.left);
  EXPECT_EQ(light.top, plain.top);
}

TEST_F(LabelWindow, AGradientBackgroundRunsThroughItsThreeColours) {
  LabelProps p;
  p.gradient_background_mode = 1;
  p.gradient_background_colours[0] = RGB(255, 0, 0);
  p.gradient_background_colours[1] = RGB(0, 255, 0);
  p.gradient_background_colours[2] = RGB(0, 0, 255);
  Capture across = CaptureClient(Make(p, 200, 40));
  EXPECT_TRUE(Near(across.At(0, 20), RGB(255, 0, 0), 12));
  EXPECT_TRUE(Near(across.At(100, 20), RGB(0, 255, 0), 12));
  EXPECT_TRUE(Near(across.At(199, 20), RGB(0, 0, 255), 12));
  p.gradient_background_mode = 2;
  Capture down = CaptureClient(Make(p, 40, 200));
  EXPECT_TRUE(Near(down.At(20, 0), RGB(255, 0, 0), 12));
  EXPECT_TRUE(Near(down.At(20, 199), RGB(0, 0, 255), 12));
}

TEST_F(LabelWindow, AGradientBorderIsPaintedFromTheOutsideIn) {
  LabelProps p;
  p.background = kPaper;
  p.border = 6;
  p.gradient_border_width = 5;
  p.gradient_border_colours[0] = RGB(255, 0, 0);
  p.gradient_border_colours[1] = RGB(0, 255, 0);
  p.gradient_border_colours[2] = RGB(0, 0, 255);
  Capture c = CaptureClient(Make(p, 100, 50));
  EXPECT_EQ(c.At(0, 25), 0xFF0000u);
  EXPECT_EQ(c.At(50, 2), 0x00FF00u);
  EXPECT_EQ(c.At(99 - 4, 25), 0x0000FFu);
  EXPECT_EQ(c.At(50, 25), test::Rgb(kPaper));
}

TEST_F(LabelWindow, FrameBordersBecomeWindowStyles) {
  LabelProps p;
  p.border = 5;
  HWND w = Make(p);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);
  p.border = 1;
  ASSERT_TRUE(UpdateLabelWindow(w, p));
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);
  EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  RECT client;
  GetClientRect(w, &client);
  EXPECT_LT(client.right, 240);  // the edge takes room from the client area
}

TEST_F(LabelWindow, ABackgroundPictureIsShownAtTheCornerOrStretched) {
  LabelProps p;
  p.background = kPaper;
  p.background_picture = test::MakeBmp(20, 10, test::Solid(0xFF0000FF));
  Capture corner = CaptureClient(Make(p, 100, 50));
  EXPECT_EQ(corner.At(5, 5), 0x0000FFu);
  EXPECT_EQ(corner.At(50, 25), test::Rgb(kPaper));
  p.background_picture_mode = 1;
  Capture stretched = CaptureClient(Make(p, 100, 50));
  EXPECT_EQ(stretched.At(95, 45), 0x0000FFu);
  p.background_picture_mode = 2;
  Capture tiled = CaptureClient(Make(p, 100, 50));
  EXPECT_EQ(tiled.At(95, 45), 0x0000FFu);
}

TEST_F(LabelWindow, APictureThatCannotBeDecodedIsNotShown) {
  LabelProps p;
  p.background = kPaper;
  const char junk[] = "GIF89a but nothing after it";
  p.background_picture.assign(junk, junk + sizeof junk);
  HWND w = Make(p, 100, 50);
  ASSERT_NE(w, nullptr);
  Capture c = CaptureClient(w);
  EXPECT_EQ(c.Count([](uint32_t px) { return px != test::Rgb(kPaper); }), 0);
}

TEST_F(LabelWindow, UpdatesRepaintAndKeepTheWindowTextInStep) {
  LabelProps p = Inked("");
  HWND w = Make(p);
  EXPECT_EQ(CaptureClient(w).Count(IsInk), 0);
  p.caption = "42";
  ASSERT_TRUE(UpdateLabelWindow(w, p));
  EXPECT_GT(CaptureClient(w).Count(IsInk), 10);
  char text[16] = {};
  GetWindowTextA(w, text, sizeof text);
  EXPECT_STREQ(text, "42");
  EXPECT_EQ(LabelWindowProps(w)->caption, "42");
  EXPECT_EQ(LabelWindowProps(host_->handle()), nullptr);
  EXPECT_FALSE(UpdateLabelWindow(host_->handle(), p));
}

TEST_F(LabelWindow, AFontBlockSetsTheFontAndOtherLengthsGiveTheDefault) {
  LabelProps p = Inked("Big");
  RECT normal = CaptureClient(Make(p, 240, 80)).Bounds(IsInk);
  LOGFONTA font;
  std::memset(&font, 0, sizeof font);
  font.lfHeight = -48;
  font.lfWeight = FW_BOLD;
  std::strcpy(font.lfFaceName, "Tahoma");
  p.font.assign(reinterpret_cast<uint8_t*>(&font), reinterpret_cast<uint8_t*>(&font) + sizeof font);
  RECT big = CaptureClient(Make(p, 240, 80)).Bounds(IsInk);
  EXPECT_GT(big.bottom - big.top, 2 * (normal.bottom - normal.top));
  p.font.resize(59);
  RECT fallback = CaptureClient(Make(p, 240, 80)).Bounds(IsInk);
  EXPECT_EQ(fallback.bottom - fallback.top, normal.bottom - normal.top);
  EXPECT_EQ(fallback.right - fallback.left, normal.right - normal.left);
}

}  // namespace
}  // namespace talv
