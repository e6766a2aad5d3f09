#include "tools/window_layout.h"

#include <cstdio>

namespace talv::tools {
namespace {

// ---- Writing ------------------------------------------------------------------

std::string Quoted(const std::string& bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", unsigned(v));
  return buf;
}

std::string SymbolField(const std::string& symbol) { return symbol.empty() ? "-" : symbol; }

// ---- Reading ------------------------------------------------------------------

struct Field {
  bool text = false;
  std::string value;  // the word, or the text's bytes with escapes undone
};

// Splits a line into words and texts; false with a reason when malformed.
bool SplitFields(std::string_view line, std::vector<Field>* out, std::string* why) {
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    Field f;
    if (c == '"') {
      f.text = true;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        const char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d != '\\') {
          f.value += d;
          continue;
        }
        if (i == line.size()) break;
        switch (line[i++]) {
          case '"': f.value += '"'; break;
          case '\\': f.value += '\\'; break;
          case 'r': f.value += '\r'; break;
          case 'n': f.value += '\n'; break;
          case 't': f.value += '\t'; break;
          default: *why = "unknown escape in a text"; return false;
        }
      }
      if (!closed) {
        *why = "a text without its closing quote";
        return false;
      }
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' &&
             line[i] != '"') {
        f.value += line[i++];
      }
    }
    out->push_back(std::move(f));
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal integer that fits 32 signed bits.
bool ParseInt(const std::string& s, int32_t* v) {
  size_t i = s.size() > 1 && s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  int64_t n = 0;
  for (; i < s.size(); ++i) {
    if (!IsDigit(s[i])) return false;
    n = n * 10 + (s[i] - '0');
    if (n > int64_t(INT32_MAX) + 1) return false;
  }
  if (s[0] == '-') n = -n;
  if (n > INT32_MAX) return false;
  *v = int32_t(n);
  return true;
}

// 0x and one to eight hexadecimal digits.
bool ParseId(const std::string& s, uint32_t* v) {
  if (s.size() < 3 || s.size() > 10 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X')) return false;
  uint32_t n = 0;
  for (size_t i = 2; i < s.size(); ++i) {
    const char c = s[i];
    uint32_t digit;
    if (IsDigit(c)) digit = uint32_t(c - '0');
    else if (c >= 'a' && c <= 'f') digit = uint32_t(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = uint32_t(c - 'A' + 10);
    else return false;
    n = n << 4 | digit;
  }
  *v = n;
  return true;
}

class LineReader {
 public:
  explicit LineReader(const std::vector<Field>& fields) : fields_(fields) {}
  bool Word(std::string* w) { return Next(false, w); }
  bool Text(std::string* t) { return Next(true, t); }
  bool Symbol(std::string* s) {
    if (!Word(s)) return false;
    if (*s == "-") s->clear();
    return true;
  }
  bool Id(uint32_t* v) {
    std::string w;
    return Word(&w) && ParseId(w, v);
  }
  bool Int(int32_t* v) {
    std::string w;
    return Word(&w) && ParseInt(w, v);
  }
  bool AtEnd() const { return pos_ == fields_.size(); }

 private:
  bool Next(bool text, std::string* out) {
    if (pos_ == fields_.size() || fields_[pos_].text != text) return false;
    *out = fields_[pos_++].value;
    return true;
  }
  const std::vector<Field>& fields_;
  size_t pos_ = 0;
};

// One line into `windows`; the reason when it does not fit.
bool ReadLine(const std::vector<Field>& fields, std::vector<WindowLayout>* windows,
              std::string* why) {
  LineReader r(fields);
  std::string key;
  if (!r.Word(&key)) {
    *why = "a line starts with a word";
    return false;
  }
  WindowLayout* w = windows->empty() ? nullptr : &windows->back();
  bool ok;
  if (key == "window") {
    if (w && w->units.empty()) {
      *why = "the window before has no units";
      return false;
    }
    WindowLayout next;
    ok = r.Id(&next.window_id) && r.Symbol(&next.symbol);
    next.client_width = -1;  // no client line yet
    if (ok) windows->push_back(std::move(next));
    if (!ok) *why = "window ID SYMBOL expected";
  } else if (key == "client") {
    if (!w || w->client_width >= 0) {
      *why = "one client line after each window line";
      return false;
    }
    ok = r.Int(&w->client_left) && r.Int(&w->client_top) && r.Int(&w->client_width) &&
         r.Int(&w->client_height) && w->client_width >= 0 && w->client_height >= 0;
    if (!ok) *why = "client LEFT TOP WIDTH HEIGHT expected";
  } else if (key == "unit") {
    if (!w || w->client_width < 0) {
      *why = "a unit before its window's client line";
      return false;
    }
    LayoutUnit u;
    ok = r.Text(&u.name) && r.Symbol(&u.symbol) && r.Id(&u.id) && r.Word(&u.kind) &&
         r.Int(&u.left) && r.Int(&u.top) && r.Int(&u.width) && r.Int(&u.height) &&
         r.Text(&u.tag) && r.Text(&u.caption);
    if (ok && w->FindId(u.id)) {
      *why = "a Control id listed twice";
      return false;
    }
    if (ok) w->units.push_back(std::move(u));
    if (!ok) *why = "unit NAME SYMBOL ID KIND LEFT TOP WIDTH HEIGHT TAG CAPTION expected";
  } else {
    *why = "unknown line '" + key + "'";
    return false;
  }
  if (ok && !r.AtEnd()) {
    *why = "more fields than a " + key + " line has";
    return false;
  }
  return ok;
}

}  // namespace

const LayoutUnit* WindowLayout::Find(std::string_view name) const {
  for (const LayoutUnit& u : units) {
    if (u.name == name) return &u;
  }
  return nullptr;
}

const LayoutUnit* WindowLayout::FindId(uint32_t id) const {
  for (const LayoutUnit& u : units) {
    if (u.id == id) return &u;
  }
  return nullptr;
}

std::string FormatWindowLayouts(const std::vector<WindowLayout>& windows) {
  std::string s =
      "# Where each unit of the window lies at the design size. Written by talvdef\n"
      "# from the window description; do not edit. The format is described in\n"
      "# tools/window_layout.h.\n";
  for (const WindowLayout& w : windows) {
    s += "window " + Hex(w.window_id) + " " + SymbolField(w.symbol) + "\n";
    s += "client " + std::to_string(w.client_left) + " " + std::to_string(w.client_top) + " " +
         std::to_string(w.client_width) + " " + std::to_string(w.client_height) + "\n";
    for (const LayoutUnit& u : w.units) {
      s += "unit " + Quoted(u.name) + " " + SymbolField(u.symbol) + " " + Hex(u.id) + " " + u.kind +
           " " + std::to_string(u.left) + " " + std::to_string(u.top) + " " +
           std::to_string(u.width) + " " + std::to_string(u.height) + " " + Quoted(u.tag) + " " +
           Quoted(u.caption) + "\n";
    }
  }
  return s;
}

bool ParseWindowLayouts(std::string_view text, std::vector<WindowLayout>* windows,
                        std::string* error) {
  windows->clear();
  size_t start = 0;
  int line_number = 0;
  std::string why;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos || line[first] == '#') continue;
    std::vector<Field> fields;
    if (!SplitFields(line, &fields, &why) || !ReadLine(fields, windows, &why)) {
      *error = "line " + std::to_string(line_number) + ": " + why;
      windows->clear();
      return false;
    }
  }
  if (!windows->empty() && windows->back().units.empty()) {
    *error = "the last window has no units";
    windows->clear();
    return false;
  }
  return true;
}

}  // namespace talv::tools
