// What a HyperLinker opens and the fallback command line built from a
// browser's open command.
#include "runtime/window/kinds/hyperlink_window_target.h"

#include <gtest/gtest.h>

namespace talv {
namespace {

TEST(HyperlinkTarget, LinkTypeOneOpensTheWebAddressOthersMailTo) {
  EXPECT_EQ(HyperlinkTarget(1, "a@b.c", "http://x.example/"), "http://x.example/");
  EXPECT_EQ(HyperlinkTarget(0, "a@b.c", "http://x.example/"), "mailto:a@b.c");
  EXPECT_EQ(HyperlinkTarget(2, "a@b.c", ""), "mailto:a@b.c");
}

TEST(HyperlinkTarget, AnEmptyChosenAddressGivesNoTarget) {
  EXPECT_EQ(HyperlinkTarget(1, "a@b.c", ""), "");
  EXPECT_EQ(HyperlinkTarget(0, "", "http://x.example/"), "");
}

TEST(HyperlinkTarget, AnEmptyCaptionShowsTheTarget) {
  EXPECT_EQ(HyperlinkShownText("", "mailto:a@b.c"), "mailto:a@b.c");
  EXPECT_EQ(HyperlinkShownText("home", "mailto:a@b.c"), "home");
}

TEST(FallbackOpenCommand, IsCutAtTheQuotedPlaceholder) {
  EXPECT_EQ(FallbackOpenCommandLine("\"C:\\b\\browser.exe\" -nohome \"%1\" -x", "http://t/"),
            "\"C:\\b\\browser.exe\" -nohome  http://t/");
}

TEST(FallbackOpenCommand, ElseAtTheBarePlaceholder) {
  EXPECT_EQ(FallbackOpenCommandLine("browser.exe %1", "http://t/"), "browser.exe  http://t/");
  // The quoted form is looked for first, wherever the bare one is.
  EXPECT_EQ(FallbackOpenCommandLine("b.exe %1 \"%1\"", "t"), "b.exe %1  t");
}

TEST(FallbackOpenCommand, ACommandWithoutPlaceholderIsKeptWhole) {
  EXPECT_EQ(FallbackOpenCommandLine("C:\\b\\browser.exe", "http://t/"), "C:\\b\\browser.exe http://t/");
}

TEST(FallbackOpenCommand, NoCommandGivesNothingToRun) {
  EXPECT_EQ(FallbackOpenCommandLine("", "http://t/"), "");
}

}  // namespace
}  // namespace talv
