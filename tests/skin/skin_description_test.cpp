// The skin description reader behind the build's skin compiler: it accepts
// the checked-in description and points at the line of every mistake.
#include "skin/skin_description.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "skin/skin_writer.h"

namespace talv::skin {
namespace {

std::string Scheme(const std::string& name, const std::string& skip = "") {
  const char* keys[] = {"window_background", "window_text",  "control_background", "control_text",
                        "edit_background",   "edit_text",    "disabled_text",      "focus_frame"};
  std::string s = "scheme " + name + "\n";
  for (const char* k : keys)
    if (skip != k) s += std::string(k) + " = #102030\n";
  for (const char* f : {"normal", "hot", "pressed", "disabled"})
    for (const char* p : {"top", "bottom", "border", "text"}) {
      std::string key = std::string(f) + "." + p;
      if (skip != key) s += key + " = #405060\n";
    }
  return s;
}

DescriptionResult Read(const std::string& text, Skin* out = nullptr) {
  Skin scratch;
  return ReadSkinDescription(text, out ? out : &scratch);
}

TEST(SkinDescription, SettingsAndColoursAreRead) {
  Skin s;
  std::string text = "# comment\nname = Demo\nparts = buttons edits\ncorner_radius = 0\n"
                     "face_style = flat\ndefault_scheme = two\n\n" +
                     Scheme("One") + Scheme("Two");
  DescriptionResult r = Read(text, &s);
  ASSERT_TRUE(r.ok) << r.line << ": " << r.message;
  EXPECT_STREQ(s.name, "Demo");
  EXPECT_EQ(s.parts, kSkinPartPushButtons | kSkinPartEdits);
  EXPECT_EQ(s.metrics.corner_radius, 0);
  EXPECT_EQ(s.metrics.face_style, kFaceFlat);
  EXPECT_EQ(s.scheme_count, 2u);
  EXPECT_EQ(s.default_scheme, 1u);
  EXPECT_EQ(s.schemes[0].colours[kWindowBackground], 0x00302010u);  // #RRGGBB to 0x00BBGGRR
  EXPECT_EQ(s.schemes[1].faces[kFaceDisabled].text, 0x00605040u);
  std::vector<uint8_t> data = WriteSkin(s);
  Skin back;
  EXPECT_TRUE(ParseSkin(data.data(), data.size(), &back).ok());
}

TEST(SkinDescription, MistakesNameTheirLine) {
  struct Case {
    std::string text;
    int line;
  };
  const Case cases[] = {
      {"name = x\nbogus = 1\n", 2},
      {"corner_radius = 13\n", 1},
      {"border_width = 0\n", 1},
      {"face_style = round\n", 1},
      {"parts = windows sparkles\n", 1},
      {"name = a\nname = b\n", 2},
      {"window_background = #000000\n", 1},  // outside a scheme
      {Scheme("A") + "name = late\n", 26},
      {Scheme("A") + "window_text = #000000\n", 26},  // given twice
      {"scheme A\nwindow_background = 102030\n", 2},
      {"scheme A\nwindow_background = #10203G\n", 2},
      {"scheme A\njust words\n", 2},
      {"\n\n" + Scheme("A", "hot.border"), 3},  // the scheme's own line
      {Scheme("A") + Scheme("a"), 26},
      {"default_scheme = C\n" + Scheme("A"), 1},
      {"scheme " + std::string(32, 'n') + "\n", 1},
  };
  for (const Case& c : cases) {
    DescriptionResult r = Read(c.text);
    EXPECT_FALSE(r.ok) << c.text;
    EXPECT_EQ(r.line, c.line) << c.text << "-> " << r.message;
    EXPECT_FALSE(r.message.empty());
  }
}

TEST(SkinDescription, AtMostEightSchemes) {
  std::string text;
  for (int i = 0; i < 8; ++i) text += Scheme("S" + std::to_string(i));
  EXPECT_TRUE(Read(text).ok);
  EXPECT_FALSE(Read(text + Scheme("S8")).ok);
  EXPECT_FALSE(Read("name = empty\n").ok);  // no scheme at all
}

#ifdef TALV_SKIN_DESCRIPTION_FILE
TEST(SkinDescription, TheProgramsSkinCompilesToValidData) {
  std::ifstream in(TALV_SKIN_DESCRIPTION_FILE, std::ios::binary);
  ASSERT_TRUE(in) << TALV_SKIN_DESCRIPTION_FILE;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Skin s;
  DescriptionResult r = Read(text, &s);
  ASSERT_TRUE(r.ok) << r.line << ": " << r.message;
  std::vector<uint8_t> data = WriteSkin(s);
  Skin back;
  ASSERT_TRUE(ParseSkin(data.data(), data.size(), &back).ok());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data.data()), 4), ".SHE");
  EXPECT_STREQ(back.name, "Talvique");
  EXPECT_EQ(back.parts, kSkinAllParts);
  EXPECT_EQ(FindScheme(back, ""), FindScheme(back, "Jade"));
  EXPECT_GE(FindScheme(back, "Slate"), 0);
}
#endif

}  // namespace
}  // namespace talv::skin
