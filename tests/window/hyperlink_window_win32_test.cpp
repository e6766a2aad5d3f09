// The HyperLinker under real mouse input: hover capture and colours, what a
// press opens (nothing when the address is empty), the visited colour, and
// the hand cursor.
#include "runtime/window/kinds/hyperlink_window_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/window/kinds/cursor_block_win32.h"
#include "tests/window/control_test_support_win32.h"

namespace talv {
namespace {

using test::CaptureClient;

constexpr COLORREF kNormal = RGB(0, 0, 220);
constexpr COLORREF kVisited = RGB(0, 170, 0);
constexpr COLORREF kHover = RGB(220, 0, 0);
constexpr COLORREF kBack = RGB(250, 250, 250);

// Pixels clearly of one of the three link colours (antialiased text
// included): the colour's channel dominates the other two.
int Dominant(uint32_t px) {
  int r = int(px >> 16 & 0xFF), g = int(px >> 8 & 0xFF), b = int(px & 0xFF);
  if (r > g + 60 && r > b + 60) return 0;
  if (g > r + 60 && g > b + 60) return 1;
  if (b > r + 60 && b > g + 60) return 2;
  return -1;
}
int CountColour(const test::Capture& c, COLORREF colour) {
  int want = Dominant(test::Rgb(colour));
  return c.Count([want](uint32_t px) { return Dominant(px) == want; });
}

struct Recorder {
  std::vector<std::string> opened;
  bool succeed = true;
  std::vector<std::pair<int, int>> events;  // notification, argument
  static bool Open(void* context, HWND, const char* target) {
    auto* r = static_cast<Recorder*>(context);
    r->opened.push_back(target);
    return r->succeed;
  }
  static void Event(void* context, HWND, int notification, int argument) {
    static_cast<Recorder*>(context)->events.push_back({notification, argument});
  }
};

class HyperlinkWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::InitialiseCom();
    host_ = new test::HostWindow;
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }
  void SetUp() override {
    test::MoveMouseAway();
    previous_ = SetHyperlinkOpener({&Recorder::Open, &recorder_});
  }
  void TearDown() override {
    SetHyperlinkOpener(previous_);
    if (link_) DestroyWindow(link_);
    test::MoveMouseAway();
  }

  HWND Make(const HyperlinkProps& props) {
    ControlPlacement at;
    at.parent = host_->handle();
    at.id = 110;
    at.x = 20;
    at.y = 20;
    at.width = 200;
    at.height = 30;
    at.style = WS_VISIBLE;
    link_ = CreateHyperlinkWindow(at, props, {&Recorder::Event, &recorder_});
    EXPECT_NE(link_, nullptr);
    test::PumpPending();
    return link_;
  }

  static HyperlinkProps WebLink(const char* address) {
    HyperlinkProps p;
    p.caption = "Talvique home";
    p.link_type = 1;
    p.web_address = address;
    p.normal_colour = kNormal;
    p.visited_colour = kVisited;
    p.hover_colour = kHover;
    p.background = kBack;
    return p;
  }

  void Click() {
    test::MoveMouseTo(link_, 100, 15);
    test::PressLeft();
    test::ReleaseLeft();
  }

  static test::HostWindow* host_;
  Recorder recorder_;
  HyperlinkOpenerSlot previous_;
  HWND link_ = nullptr;
};
test::HostWindow* HyperlinkWindow::host_ = nullptr;

TEST_F(HyperlinkWindow, ALinkWithAnEmptyWebAddressDoesNothingWhenClicked) {
  HyperlinkProps p = WebLink("");
  p.email = "someone@example.com";  // ignored: the link type is web address
  HWND link = Make(p);
  Click();
  test::PumpUntil([&] { return !recorder_.opened.empty(); }, 500);  // give it a chance
  EXPECT_TRUE(recorder_.opened.empty());
  EXPECT_TRUE(recorder_.events.empty());
  EXPECT_FALSE(HyperlinkIsVisited(link));
  test::MoveMouseAway();
  ASSERT_TRUE(test::PumpUntil([&] { return !HyperlinkIsHovered(link); }));
  test::Capture c = CaptureClient(link);
  EXPECT_GT(CountColour(c, kNormal), 20);
  EXPECT_EQ(CountColour(c, kVisited), 0);
}

TEST_F(HyperlinkWindow, AClickOpensTheWebAddressAndTheLinkShowsVisited) {
  HWND link = Make(WebLink("http://talvique.example/"));
  EXPECT_GT(CountColour(CaptureClient(link), kNormal), 20);
  Click();
  ASSERT_TRUE(test::PumpUntil([&] { return !recorder_.events.empty(); }));
  ASSERT_EQ(recorder_.opened.size(), 1u);
  EXPECT_EQ(recorder_.opened[0], "http://talvique.example/");
  EXPECT_EQ(recorder_.events[0], std::make_pair(int(kHyperlinkActivated), 1));
  EXPECT_TRUE(HyperlinkIsVisited(link));
  test::MoveMouseAway();
  ASSERT_TRUE(test::PumpUntil([&] { return !HyperlinkIsHovered(link); }));
  test::Capture c = CaptureClient(link);
  EXPECT_GT(CountColour(c, kVisited), 20);
  EXPECT_EQ(CountColour(c, kNormal), 0);
}

TEST_F(HyperlinkWindow, AFailedOpenLeavesTheLinkUnvisited) {
  recorder_.succeed = false;
  HWND link = Make(WebLink("http://talvique.example/"));
  Click();
  ASSERT_TRUE(test::PumpUntil([&] { return !recorder_.events.empty(); }));
  EXPECT_EQ(recorder_.events[0], std::make_pair(int(kHyperlinkActivated), 0));
  EXPECT_FALSE(HyperlinkIsVisited(link));
}

TEST_F(HyperlinkWindow, AnEmailLinkOpensAMailtoTargetAndShowsItWithoutACaption) {
  HyperlinkProps p = WebLink("http://not.this/");
  p.link_type = 0;
  p.caption = "";
  p.email = "maker@talvique.example";
  HWND link = Make(p);
  char text[64] = {};
  GetWindowTextA(link, text, sizeof text);
  EXPECT_STREQ(text, "mailto:maker@talvique.example");
  EXPECT_GT(CountColour(CaptureClient(link), kNormal), 20);
  Click();
  ASSERT_TRUE(test::PumpUntil([&] { return !recorder_.opened.empty(); }));
  EXPECT_EQ(recorder_.opened[0], "mailto:maker@talvique.example");

  p.email = "";
  UpdateHyperlinkWindow(link, p);
  recorder_.opened.clear();
  Click();
  test::PumpUntil([&] { return !recorder_.opened.empty(); }, 500);
  EXPECT_TRUE(recorder_.opened.empty());
}

TEST_F(HyperlinkWindow, TheMouseOverTheLinkCapturesItAndShowsTheHoverColour) {
  HWND link = Make(WebLink("http://talvique.example/"));
  test::MoveMouseTo(link, 50, 10);
  ASSERT_TRUE(test::PumpUntil([&] { return HyperlinkIsHovered(link); }));
  EXPECT_EQ(GetCapture(), link);
  test::Capture over = CaptureClient(link);
  EXPECT_GT(CountColour(over, kHover), 20);
  EXPECT_EQ(CountColour(over, kNormal), 0);

  // Leaving the client rectangle (onto the host) releases the capture.
  test::MoveMouseTo(host_->handle(), 300, 200);
  ASSERT_TRUE(test::PumpUntil([&] { return !HyperlinkIsHovered(link); }));
  EXPECT_NE(GetCapture(), link);
  test::Capture away = CaptureClient(link);
  EXPECT_GT(CountColour(away, kNormal), 20);
  EXPECT_EQ(CountColour(away, kHover), 0);
}

TEST_F(HyperlinkWindow, TheBackgroundFillsTheLinkAndTheDefaultIsButtonFace) {
  HyperlinkProps p = WebLink("http://talvique.example/");
  HWND link = Make(p);
  EXPECT_EQ(CaptureClient(link).At(2, 2), test::Rgb(kBack));
  p.background = 0xFF000000;
  UpdateHyperlinkWindow(link, p);
  EXPECT_EQ(CaptureClient(link).At(2, 2), test::Rgb(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(HyperlinkWindow, TheClassCursorIsTheProgramsHand) {
  HWND link = Make(WebLink(""));
  HCURSOR cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(link, GCLP_HCURSOR));
  EXPECT_NE(cursor, nullptr);
  EXPECT_EQ(cursor, ProgramHandCursor());
}

}  // namespace
}  // namespace talv
