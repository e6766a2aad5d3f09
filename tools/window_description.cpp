#include "tools/window_description.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>

#include "tools/text_encoding.h"

namespace talv::tools {
namespace {

using namespace talv::definition;

struct Token {
  enum Type { kWord, kNumber, kText } type;
  std::string text;   // word, or text already converted to GBK
  int64_t number = 0;
  double real = 0;
};

// Splits one line into tokens; false on a malformed token.
bool Tokenize(std::string_view line, std::vector<Token>* out, std::string* error) {
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string utf8;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        char d = line[i++];
        if (d == '"') {
          closed = true;
          break;
        }
        if (d == '\\' && i < line.size()) {
          char e = line[i++];
          if (e == 'n') utf8 += '\n';
          else if (e == 'r') utf8 += '\r';
          else if (e == 't') utf8 += '\t';
          else if (e == '\\' || e == '"') utf8 += e;
          else {
            *error = "unknown escape in a text";
            return false;
          }
        } else {
          utf8 += d;
        }
      }
      if (!closed) {
        *error = "text without its closing quote";
        return false;
      }
      Token t{Token::kText, {}};
      if (!Utf8ToGbk(utf8, &t.text)) {
        *error = "text that GBK cannot hold";
        return false;
      }
      out->push_back(std::move(t));
    } else {
      size_t start = i;
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
             line[i] != '#' && line[i] != '"') {
        ++i;
      }
      std::string word(line.substr(start, i - start));
      Token t{Token::kWord, word};
      if (std::isdigit(static_cast<unsigned char>(word[0])) ||
          (word.size() > 1 && word[0] == '-' && std::isdigit(static_cast<unsigned char>(word[1])))) {
        char* end = nullptr;
        bool hex = word.find("0x") != std::string::npos || word.find("0X") != std::string::npos;
        if (hex || word.find('.') == std::string::npos) {
          t.number = std::strtoll(word.c_str(), &end, 0);
          t.real = double(t.number);
        } else {
          t.real = std::strtod(word.c_str(), &end);
          t.number = int64_t(t.real);
        }
        if (!end || *end != '\0') {
          *error = "malformed number '" + word + "'";
          return false;
        }
        t.type = Token::kNumber;
      }
      out->push_back(std::move(t));
    }
  }
  return true;
}

class Parser {
 public:
  Parser(const FileLoader& load, Description* d) : load_(load), d_(*d) {}

  bool Run(std::string_view text, std::string* error);

  // ---- Values of kind fields --------------------------------------------
  bool Value(const std::string& key, uint32_t& v) {
    if (Peek(Token::kWord) && tokens_[pos_].text == "default" && EndsWith(key, "colour")) {
      ++pos_;
      v = kDefaultColour;
      return true;
    }
    int64_t n;
    if (!Number(&n) || n < INT32_MIN || n > UINT32_MAX) return Fail("a number expected for " + key);
    v = uint32_t(n);
    return true;
  }
  bool Value(const std::string& key, int32_t& v) {
    uint32_t u;
    if (!Value(key, u)) return false;
    v = int32_t(u);
    return true;
  }
  bool Value(const std::string& key, bool& v) {
    std::string w;
    if (!Word(&w)) return Fail("true or false expected for " + key);
    if (w == "true" || w == "yes") v = true;
    else if (w == "false" || w == "no") v = false;
    else return Fail("true or false expected for " + key);
    return true;
  }
  bool Value(const std::string& key, uint16_t& v) {
    if (Peek(Token::kText)) {
      const std::string& t = tokens_[pos_++].text;
      if (t.size() != 1) return Fail("a one-byte text expected for " + key);
      v = uint8_t(t[0]);
      return true;
    }
    int64_t n;
    if (!Number(&n) || n < 0 || n > 0xFFFF) return Fail("a 16-bit number expected for " + key);
    v = uint16_t(n);
    return true;
  }
  bool Value(const std::string& key, double& v) {
    if (!Peek(Token::kNumber)) return Fail("a number expected for " + key);
    v = tokens_[pos_++].real;
    return true;
  }
  bool Value(const std::string& key, std::string& v) { return Text(&v) || Fail("a text expected for " + key); }
  bool Value(const std::string& key, Bytes& v) {
    std::string w;
    bool font = key.find("font") != std::string::npos;
    if (!Word(&w)) return Fail((font ? "a font name expected for " : "a picture name expected for ") + key);
    if (font) {
      if (w == "default") return v.clear(), true;
      auto it = d_.fonts.find(w);
      if (it == d_.fonts.end()) return Fail("unknown font '" + w + "'");
      v = it->second;
    } else {
      if (w == "none") return v.clear(), true;
      auto it = d_.pictures.find(w);
      if (it == d_.pictures.end()) return Fail("unknown picture '" + w + "'");
      v = it->second;
    }
    return true;
  }
  bool Value(const std::string& key, ColourTriple& v) {
    for (uint32_t& c : v) {
      if (!Value(key, c)) return false;
    }
    return true;
  }

 private:
  static bool EndsWith(const std::string& s, const char* tail) {
    size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
  }
  bool Fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  bool Peek(Token::Type type) const { return pos_ < tokens_.size() && tokens_[pos_].type == type; }
  bool AtEnd() const { return pos_ >= tokens_.size(); }
  bool Number(int64_t* n) {
    if (!Peek(Token::kNumber)) return false;
    *n = tokens_[pos_++].number;
    return true;
  }
  bool Dword(uint32_t* v, const char* what) {
    int64_t n;
    if (!Number(&n) || n < INT32_MIN || n > UINT32_MAX) return Fail(std::string("a number expected for ") + what);
    *v = uint32_t(n);
    return true;
  }
  bool Int(int32_t* v, const char* what) {
    uint32_t u;
    if (!Dword(&u, what)) return false;
    *v = int32_t(u);
    return true;
  }
  bool Byte(uint8_t* v, const char* what) {
    int64_t n;
    if (!Number(&n) || n < 0 || n > 255) return Fail(std::string("a byte expected for ") + what);
    *v = uint8_t(n);
    return true;
  }
  bool Word(std::string* w) {
    if (!Peek(Token::kWord)) return false;
    *w = tokens_[pos_++].text;
    return true;
  }
  bool Text(std::string* t) {
    if (!Peek(Token::kText)) return false;
    *t = tokens_[pos_++].text;
    return true;
  }

  bool Symbol(std::string* symbol);
  bool HandlerEntry(const std::string& entry, std::string* name,
                    std::vector<std::string>* arguments);
  bool CheckSymbols(std::string* error) const;
  bool Statement();
  bool FontStatement();
  bool WindowStatement();
  bool UnitStatement();
  bool UnitField(const std::string& key);
  template <class K>
  bool KindField(const std::string& key, K& kind);

  const FileLoader& load_;
  Description& d_;
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  std::string error_;
  DescribedWindow* window_ = nullptr;
  DescribedUnit* unit_ = nullptr;
  bool unit_empty_kind_ = false;
  std::set<uint32_t> ids_;
};

// ---- Statements -------------------------------------------------------------

bool Parser::Run(std::string_view text, std::string* error) {
  int line_number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    ++line_number;
    tokens_.clear();
    pos_ = 0;
    std::string token_error;
    bool ok = Tokenize(line, &tokens_, &token_error);
    if (!ok) error_ = token_error;
    if (ok && !tokens_.empty()) {
      ok = Statement();
      if (ok && !AtEnd()) ok = Fail("unexpected '" + tokens_[pos_].text + "'");
    }
    if (!ok) {
      *error = "line " + std::to_string(line_number) + ": " + error_;
      return false;
    }
    if (unit_ && unit_->line == 0) unit_->line = line_number;
    start = end + 1;
  }
  // Every binding names a handler of the table.
  for (DescribedWindow& w : d_.windows) {
    if (w.units.empty() || UnitSort(w.units[0].record.control_id) != kUnitSortWindow) {
      *error = "a window's first unit must be its window unit";
      return false;
    }
    const UnitRecord& own = w.units[0].record;
    const ClientFrame& f = w.frame;
    if (f.left < 0 || f.top < 0 || f.right < 0 || f.bottom < 0 ||
        int64_t(f.left) + f.right > own.width || int64_t(f.top) + f.bottom > own.height) {
      *error = "line " + std::to_string(w.units[0].line) + ": the frame leaves no client area";
      return false;
    }
    for (DescribedUnit& u : w.units) {
      for (size_t i = 0; i < u.handler_names.size(); ++i) {
        const std::string& name = u.handler_names[i];
        int32_t index = kNoHandler;
        if (name != "none") {
          size_t k = 0;
          while (k < d_.handlers.size() && d_.handlers[k] != name) ++k;
          if (k == d_.handlers.size()) {
            *error = "line " + std::to_string(u.line) + ": unknown handler '" + name + "'";
            return false;
          }
          index = int32_t(k);
        }
        u.record.bindings[i].handler = index;
      }
    }
  }
  for (const ConstantPicture& c : d_.constants) {
    if (!d_.pictures.count(c.picture)) {
      *error = "constant " + c.symbol + " names an unknown picture";
      return false;
    }
  }
  return CheckSymbols(error);
}

// A C++ name, or an element of an array: kEntry, kDigit[3].
bool Parser::Symbol(std::string* symbol) {
  std::string w;
  if (!Word(&w)) return Fail("a C++ name expected for symbol");
  size_t i = 0;
  auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; };
  auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
  if (!letter(w[0])) return Fail("'" + w + "' is not a C++ name");
  while (i < w.size() && (letter(w[i]) || digit(w[i]))) ++i;
  if (i < w.size()) {
    // NAME[INDEX]: an index of at most three digits, without leading zeros.
    size_t close = w.size() - 1;
    bool element = w[i] == '[' && w[close] == ']' && close - i >= 2 && close - i <= 4 &&
                   (w[i + 1] != '0' || close - i == 2);
    for (size_t k = i + 1; element && k < close; ++k) element = digit(w[k]);
    if (!element) return Fail("'" + w + "' is not a C++ name or NAME[INDEX]");
  }
  *symbol = w;
  return true;
}

// Every symbol names one id; an array's elements run from [0] without gaps.
bool Parser::CheckSymbols(std::string* error) const {
  std::set<std::string> names;
  std::map<std::string, std::set<int>> arrays;
  auto add = [&](const std::string& symbol) {
    if (symbol.empty()) return true;
    size_t bracket = symbol.find('[');
    if (!names.insert(symbol).second) {
      *error = "symbol " + symbol + " given twice";
      return false;
    }
    if (bracket != std::string::npos) {
      arrays[symbol.substr(0, bracket)].insert(std::atoi(symbol.c_str() + bracket + 1));
    }
    return true;
  };
  for (const DescribedWindow& w : d_.windows) {
    if (!add(w.symbol)) return false;
    for (const DescribedUnit& u : w.units) {
      if (!add(u.symbol)) return false;
    }
  }
  for (const auto& [array, indices] : arrays) {
    if (names.count(array)) {
      *error = "symbol " + array + " is both a name and an array";
      return false;
    }
    if (*indices.rbegin() != int(indices.size()) - 1) {
      *error = "symbol " + array + " lacks elements below [" +
               std::to_string(*indices.rbegin()) + "]";
      return false;
    }
  }
  return true;
}

// A C++ name: a letter or '_', then letters, digits and '_'.
bool IsIdentifier(std::string_view s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// One entry of a handler list: NAME, or NAME(A, B, ...) for a handler that
// takes the first of its event's arguments, under those names.
bool Parser::HandlerEntry(const std::string& entry, std::string* name,
                          std::vector<std::string>* arguments) {
  const size_t open = entry.find('(');
  *name = entry.substr(0, open);
  if (!IsIdentifier(*name)) return Fail("handler name '" + *name + "' is no C++ name");
  if (open == std::string::npos) return true;
  const size_t close = entry.find(')');
  if (close != entry.size() - 1) return Fail("handler '" + entry + "': text after its ')'");
  std::string_view list = Trimmed(std::string_view(entry).substr(open + 1, close - open - 1));
  while (!list.empty()) {
    const size_t comma = list.find(',');
    std::string_view argument = Trimmed(list.substr(0, comma));
    if (!IsIdentifier(argument)) {
      return Fail("handler " + *name + ": argument '" + std::string(argument) + "' is no C++ name");
    }
    arguments->emplace_back(argument);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
    if (Trimmed(list).empty()) return Fail("handler " + *name + ": an argument expected after ','");
  }
  if (arguments->size() > kEventArgumentCount) {
    return Fail("handler " + *name + " takes more arguments than an event has");
  }
  return true;
}

bool Parser::Statement() {
  std::string key;
  if (!Word(&key)) return Fail("a statement starts with a word");
  if (key == "handlers") {
    std::string word;
    while (Word(&word)) {
      // NAME, or NAME(ARGUMENT, ...) over one or more words.
      std::string entry = word;
      if (word.find('(') != std::string::npos) {
        while (entry.find(')') == std::string::npos) {
          if (!Word(&word)) return Fail("handler '" + entry + "' lacks its closing ')'");
          entry += " " + word;
        }
      }
      std::string name;
      std::vector<std::string> arguments;
      if (!HandlerEntry(entry, &name, &arguments)) return false;
      for (const std::string& h : d_.handlers) {
        if (h == name) return Fail("handler '" + name + "' listed twice");
      }
      if (name == "none") return Fail("'none' is not a handler name");
      d_.handlers.push_back(name);
      d_.handler_arguments.push_back(std::move(arguments));
    }
    return true;
  }
  if (key == "header") {
    std::string field;
    if (!Word(&field)) return Fail("a header field expected");
    uint32_t* target = field == "program_kind"        ? &d_.header.program_kind
                       : field == "format_version"    ? &d_.header.format_version
                       : field == "code_base"         ? &d_.header.code_base
                       : field == "constants_size"    ? &d_.header.constants_size
                       : field == "support_libraries" ? &d_.header.library_count
                                                      : nullptr;
    if (!target) return Fail("unknown header field '" + field + "'");
    return Dword(target, field.c_str());
  }
  if (key == "dll") {
    DllCommand c;
    if (!Text(&c.library) || !Text(&c.function)) return Fail("dll \"library\" \"function\" expected");
    d_.dll_commands.push_back(c);
    return true;
  }
  if (key == "logfont") return FontStatement();
  if (key == "image") {
    std::string name, file;
    if (!Word(&name) || !Text(&file)) return Fail("image NAME \"file\" expected");
    if (d_.pictures.count(name)) return Fail("picture '" + name + "' defined twice");
    Bytes bytes;
    if (!load_(file, &bytes)) return Fail("cannot read picture file '" + file + "'");
    d_.pictures[name] = bytes;
    d_.picture_files[name] = file;
    return true;
  }
  if (key == "constant") {
    ConstantPicture c;
    if (!Word(&c.symbol) || !Word(&c.picture)) return Fail("constant SYMBOL PICTURE expected");
    d_.constants.push_back(c);
    return true;
  }
  if (key == "window") return WindowStatement();
  if (key == "unit") return UnitStatement();
  if (!unit_) return Fail("unknown statement '" + key + "'");
  // Inside a unit a line may hold several `key value` pairs.
  if (!UnitField(key)) return false;
  while (!AtEnd()) {
    if (!Word(&key)) return Fail("a field name expected");
    if (!UnitField(key)) return false;
  }
  return true;
}

bool Parser::FontStatement() {
  std::string name;
  if (!Word(&name)) return Fail("a font name expected");
  if (name == "default") return Fail("'default' is not a font name");
  if (d_.fonts.count(name)) return Fail("font '" + name + "' defined twice");
  std::string face;
  int32_t height = 0, weight = 400;
  uint8_t charset = 134, out = 0, clip = 0, quality = 0, pitch = 0;
  std::string key;
  while (Word(&key)) {
    bool ok = key == "face"      ? Text(&face) || Fail("a face name text expected")
              : key == "height"  ? Int(&height, "height")
              : key == "weight"  ? Int(&weight, "weight")
              : key == "charset" ? Byte(&charset, "charset")
              : key == "out"     ? Byte(&out, "out")
              : key == "clip"    ? Byte(&clip, "clip")
              : key == "quality" ? Byte(&quality, "quality")
              : key == "pitch"   ? Byte(&pitch, "pitch")
                                 : Fail("unknown font field '" + key + "'");
    if (!ok) return false;
  }
  if (face.size() > 31) return Fail("face name longer than 31 bytes");
  d_.fonts[name] = MakeLogFont(height, weight, charset, out, clip, quality, pitch, face);
  return true;
}

bool Parser::WindowStatement() {
  DescribedWindow w;
  if (!Dword(&w.window_id, "the Window id")) return false;
  if (((w.window_id >> 24) & 0xF) != 2) return Fail("a Window id has 2 in bits 24-27");
  for (const DescribedWindow& other : d_.windows) {
    if (other.window_id == w.window_id) return Fail("Window id defined twice");
  }
  std::string key;
  while (Word(&key)) {
    if (key == "words") {
      if (!Dword(&w.word1, "words") || !Dword(&w.word2, "words")) return false;
    } else if (key == "texts") {
      if (!Text(&w.text1) || !Text(&w.text2)) return Fail("two texts expected");
    } else if (key == "symbol") {
      if (!Symbol(&w.symbol)) return false;
    } else {
      return Fail("unknown window field '" + key + "'");
    }
  }
  d_.windows.push_back(std::move(w));
  window_ = &d_.windows.back();
  unit_ = nullptr;
  ids_.clear();
  return true;
}

bool Parser::UnitStatement() {
  if (!window_) return Fail("a unit outside a window");
  std::string kind;
  DescribedUnit u;
  if (!Word(&kind)) return Fail("a kind name expected");
  const KindInfo* found = FindKindByName(kind);
  if (!found) return Fail("unknown kind '" + kind + "'");
  if (!Dword(&u.record.control_id, "the Control id")) return false;
  if (!Text(&u.record.name)) return Fail("the unit's name text expected");
  uint32_t id = u.record.control_id;
  if (!IsValidControlId(id)) return Fail("invalid Control id");
  uint32_t sort = UnitSort(id);
  bool first = window_->units.empty();
  if (first != (sort == kUnitSortWindow)) return Fail("only the first unit is the window unit");
  if (sort != kUnitSortWindow && sort != kUnitSortControl) return Fail("not a control's id");
  if (!ids_.insert(id).second) return Fail("Control id used twice");
  u.record.kind_word = found->kind_word;
  KindData k;
  DefaultKindData(found->kind_word, &k);
  u.kind = k;
  window_->units.push_back(std::move(u));
  unit_ = &window_->units.back();
  unit_empty_kind_ = false;
  // Fields may follow on the same line.
  std::string key;
  while (!AtEnd()) {
    if (!Word(&key)) return Fail("a field name expected");
    if (!UnitField(key)) return false;
  }
  return true;
}

bool Parser::UnitField(const std::string& key) {
  UnitRecord& r = unit_->record;
  if (key == "geometry") {
    return Int(&r.left, "geometry") && Int(&r.top, "geometry") && Int(&r.width, "geometry") &&
           Int(&r.height, "geometry");
  }
  if (key == "parent") return Dword(&r.parent, "parent");
  if (key == "children") {
    uint32_t c;
    while (Peek(Token::kNumber)) {
      if (!Dword(&c, "children")) return false;
      r.children.push_back(c);
    }
    return true;
  }
  if (key == "remark") return Text(&r.remark) || Fail("a text expected for remark");
  if (key == "tag") return Text(&r.tag) || Fail("a text expected for tag");
  if (key == "cursor") {
    std::string w;
    if (Word(&w)) {
      if (w != "none") return Fail("a cursor number or none expected");
      r.cursor_data.clear();
      return true;
    }
    uint32_t value;
    if (!Dword(&value, "cursor")) return false;
    StreamWriter cw;
    cw.Dword(value);
    r.cursor_data = cw.Take();
    return true;
  }
  if (key == "flags") {
    r.flags = 0;
    bool any = false;
    while (Peek(Token::kWord)) {
      const std::string& w = tokens_[pos_].text;
      if (w == "visible") r.flags |= kFlagVisible;
      else if (w == "disabled") r.flags |= kFlagDisabled;
      else if (w == "tabstop") r.flags |= kFlagTabStop;
      else if (w != "none") break;
      ++pos_;
      any = true;
    }
    return any || Fail("flags: visible, disabled, tabstop or none expected");
  }
  if (key == "taborder") return Dword(&r.tab_order, "taborder");
  if (key == "symbol") return Symbol(&unit_->symbol);
  if (key == "frame") {
    if (UnitSort(r.control_id) != kUnitSortWindow) return Fail("only the window unit has a frame");
    ClientFrame& f = window_->frame;
    return Int(&f.left, "frame") && Int(&f.top, "frame") && Int(&f.right, "frame") &&
           Int(&f.bottom, "frame");
  }
  if (key == "on") {
    std::string name, handler;
    int32_t event;
    if (!Word(&name)) return Fail("an event name expected");
    if (!FindEventByName(r.kind_word, name, &event))
      return Fail("unknown event '" + name + "' for this kind");
    if (!Word(&handler)) return Fail("a handler name expected");
    for (const EventBinding& b : r.bindings) {
      if (b.event == event) return Fail("event bound twice");
    }
    r.bindings.push_back({event, kNoHandler});
    unit_->handler_names.push_back(handler);
    return true;
  }
  if (key == "kind_data") {
    std::string w;
    if (!Word(&w) || w != "empty") return Fail("kind_data empty expected");
    unit_->kind.reset();
    unit_empty_kind_ = true;
    return true;
  }
  if (unit_empty_kind_) return Fail("'" + key + "' after kind_data empty");
  return std::visit([&](auto& kind) { return KindField(key, kind); }, *unit_->kind);
}

// A kind field is named by its member in the kind's table.
template <class K>
bool Parser::KindField(const std::string& key, K& kind) {
  bool known = false, ok = false;
  KindSchema<K>::Fields(kind, [&](const FieldInfo& field, auto& member) {
    if (known || key != field.name) return;
    known = true;
    ok = Value(key, member);
  });
  return known ? ok : Fail("unknown field '" + key + "' for this kind");
}

}  // namespace

std::string DescribedKindName(uint32_t kind_word) {
  std::string name;
  definition::ForEachKind([&](auto tag) {
    const KindInfo& kind = KindSchema<typename decltype(tag)::type>::kKind;
    if (kind.kind_word == kind_word) name = kind.english_name;
  });
  return name;
}

Bytes MakeLogFont(int32_t height, int32_t weight, uint8_t charset, uint8_t out_precision,
                  uint8_t clip_precision, uint8_t quality, uint8_t pitch_and_family,
                  std::string_view face) {
  StreamWriter w;
  w.Int(height);
  w.Int(0);  // width
  w.Int(0);  // escapement
  w.Int(0);  // orientation
  w.Int(weight);
  uint8_t bytes[8] = {0, 0, 0, charset, out_precision, clip_precision, quality, pitch_and_family};
  w.Raw(bytes, 8);
  char name[32] = {};
  std::memcpy(name, face.data(), face.size() < 31 ? face.size() : 31);
  w.Raw(name, 32);
  return w.Take();
}

bool ParseDescription(std::string_view text, const FileLoader& load, Description* out,
                      std::string* error) {
  *out = Description();
  Parser parser(load, out);
  if (!parser.Run(text, error)) {
    *out = Description();
    return false;
  }
  return true;
}

std::vector<WindowDefinition> BuildWindows(const Description& d) {
  std::vector<WindowDefinition> windows;
  for (const DescribedWindow& dw : d.windows) {
    WindowDefinition w;
    w.window_id = dw.window_id;
    w.word1 = dw.word1;
    w.word2 = dw.word2;
    w.text1 = dw.text1;
    w.text2 = dw.text2;
    std::vector<UnitRecord> records;
    for (const DescribedUnit& u : dw.units) {
      UnitRecord r = u.record;
      r.kind_data = u.kind ? WriteKindData(*u.kind) : Bytes();
      records.push_back(std::move(r));
    }
    w.table = BuildControlTable(records);
    windows.push_back(std::move(w));
  }
  return windows;
}

Bytes BuildSegment(const Description& d) { return EncodeDefinitionSegment(BuildWindows(d)); }

Bytes BuildProgramHeader(const Description& d, size_t segment_size) {
  ProgramHeader h = d.header;
  h.definition_size = uint32_t(segment_size);
  h.dll_command_count = uint32_t(d.dll_commands.size());
  return EncodeProgramHeader(h);
}

}  // namespace talv::tools
