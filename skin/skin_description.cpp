#include "skin/skin_description.h"

#include <cstring>
#include <sstream>

namespace talv::skin {
namespace {

const char* const kColourKeys[kColourRoleCount] = {
    "window_background", "window_text",  "control_background", "control_text",
    "edit_background",   "edit_text",    "disabled_text",      "focus_frame"};
const char* const kFaceNames[kFaceStateCount] = {"normal", "hot", "pressed", "disabled"};
const char* const kFaceParts[4] = {"top", "bottom", "border", "text"};
constexpr int kSchemeKeyCount = kColourRoleCount + 4 * kFaceStateCount;

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// "#RRGGBB" to COLORREF 0x00BBGGRR.
bool ParseColour(const std::string& v, uint32_t* out) {
  if (v.size() != 7 || v[0] != '#') return false;
  uint32_t rgb = 0;
  for (size_t i = 1; i < 7; ++i) {
    char c = v[i];
    int d = (c >= '0' && c <= '9') ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : -1;
    if (d < 0) return false;
    rgb = rgb << 4 | uint32_t(d);
  }
  *out = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  return true;
}

bool ParseSmall(const std::string& v, int max, uint8_t* out) {
  if (v.empty() || v.size() > 3) return false;
  int n = 0;
  for (char c : v) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + (c - '0');
  }
  if (n > max) return false;
  *out = uint8_t(n);
  return true;
}

// The scheme key's slot: colours first, then the faces' four colours.
int SchemeKeyIndex(const std::string& key) {
  for (int i = 0; i < kColourRoleCount; ++i)
    if (key == kColourKeys[i]) return i;
  for (int f = 0; f < kFaceStateCount; ++f)
    for (int p = 0; p < 4; ++p)
      if (key == std::string(kFaceNames[f]) + "." + kFaceParts[p]) return kColourRoleCount + 4 * f + p;
  return -1;
}

void StoreSchemeColour(SkinScheme* s, int index, uint32_t colour) {
  if (index < kColourRoleCount) {
    s->colours[index] = colour;
    return;
  }
  int f = (index - kColourRoleCount) / 4, p = (index - kColourRoleCount) % 4;
  uint32_t* face[4] = {&s->faces[f].top, &s->faces[f].bottom, &s->faces[f].border, &s->faces[f].text};
  *face[p] = colour;
}

DescriptionResult Error(int line, const std::string& message) { return {false, line, message}; }

}  // namespace

DescriptionResult ReadSkinDescription(const std::string& text, Skin* out) {
  std::memset(out, 0, sizeof *out);
  out->parts = kSkinAllParts;
  out->metrics = {3, 1, 3, 1, kFaceGradient};
  std::string default_name;
  int default_line = 0;
  bool seen_top[8] = {};
  bool seen_scheme[kSkinMaxSchemes][kSchemeKeyCount] = {};
  int scheme_line[kSkinMaxSchemes] = {};
  const char* const kTopKeys[8] = {"name",         "parts",         "corner_radius", "border_width",
                                   "focus_inset",  "pressed_offset", "face_style",   "default_scheme"};

  std::istringstream lines(text);
  std::string raw;
  int line = 0;
  while (std::getline(lines, raw)) {
    ++line;
    std::string l = Trim(raw);
    if (l.empty() || l[0] == '#') continue;
    if (l.compare(0, 7, "scheme ") == 0) {
      if (out->scheme_count == kSkinMaxSchemes) return Error(line, "more than 8 schemes");
      std::string name = Trim(l.substr(7));
      if (name.empty() || name.size() > kSkinMaxSchemeNameLength)
        return Error(line, "scheme name must be 1 to 31 bytes");
      SkinScheme& s = out->schemes[out->scheme_count];
      std::memcpy(s.name, name.data(), name.size());
      if (FindScheme(*out, s.name) >= 0) return Error(line, "second scheme of the same name");
      scheme_line[out->scheme_count++] = line;
      continue;
    }
    size_t eq = l.find('=');
    if (eq == std::string::npos) return Error(line, "expected key = value");
    std::string key = Trim(l.substr(0, eq)), value = Trim(l.substr(eq + 1));

    int top = -1;
    for (int i = 0; i < 8; ++i)
      if (key == kTopKeys[i]) top = i;
    if (top >= 0) {
      if (out->scheme_count != 0) return Error(line, "skin settings must come before the schemes");
      if (seen_top[top]) return Error(line, "'" + key + "' given twice");
      seen_top[top] = true;
      bool good = true;
      SkinMetrics& m = out->metrics;
      switch (top) {
        case 0:
          good = value.size() <= kSkinMaxNameLength && value.find('\0') == std::string::npos;
          if (good) std::memcpy(out->name, value.data(), value.size());
          break;
        case 1: {
          out->parts = 0;
          std::istringstream words(value);
          std::string w;
          while (words >> w) {
            if (w == "windows") out->parts |= kSkinPartWindows;
            else if (w == "buttons") out->parts |= kSkinPartPushButtons;
            else if (w == "statics") out->parts |= kSkinPartStatics;
            else if (w == "edits") out->parts |= kSkinPartEdits;
            else if (w != "none") return Error(line, "unknown part '" + w + "'");
          }
          break;
        }
        case 2: good = ParseSmall(value, 12, &m.corner_radius); break;
        case 3: good = ParseSmall(value, 4, &m.border_width) && m.border_width >= 1; break;
        case 4: good = ParseSmall(value, 8, &m.focus_inset) && m.focus_inset >= 1; break;
        case 5: good = ParseSmall(value, 3, &m.pressed_offset); break;
        case 6:
          if (value == "flat") m.face_style = kFaceFlat;
          else if (value == "gradient") m.face_style = kFaceGradient;
          else good = false;
          break;
        case 7:
          default_name = value;
          default_line = line;
          break;
      }
      if (!good) return Error(line, "bad value for '" + key + "'");
      continue;
    }
    int slot = SchemeKeyIndex(key);
    if (slot < 0) return Error(line, "unknown key '" + key + "'");
    if (out->scheme_count == 0) return Error(line, "colour outside a scheme");
    uint32_t current = out->scheme_count - 1;
    if (seen_scheme[current][slot]) return Error(line, "'" + key + "' given twice");
    uint32_t colour;
    if (!ParseColour(value, &colour)) return Error(line, "colour must be #RRGGBB");
    seen_scheme[current][slot] = true;
    StoreSchemeColour(&out->schemes[current], slot, colour);
  }

  if (out->scheme_count == 0) return Error(0, "no scheme");
  for (uint32_t s = 0; s < out->scheme_count; ++s)
    for (int k = 0; k < kSchemeKeyCount; ++k)
      if (!seen_scheme[s][k]) {
        std::string key = k < kColourRoleCount ? kColourKeys[k]
                                               : std::string(kFaceNames[(k - kColourRoleCount) / 4]) +
                                                     "." + kFaceParts[(k - kColourRoleCount) % 4];
        return Error(scheme_line[s], "scheme lacks '" + key + "'");
      }
  if (!default_name.empty()) {
    int index = FindScheme(*out, default_name.c_str());
    if (index < 0) return Error(default_line, "default scheme '" + default_name + "' not found");
    out->default_scheme = uint32_t(index);
  }
  return {true, 0, ""};
}

}  // namespace talv::skin
