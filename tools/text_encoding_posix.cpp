#include <iconv.h>

#include <cerrno>

#include "tools/text_encoding.h"

namespace talv::tools {

bool Utf8ToGbk(std::string_view utf8, std::string* gbk) {
  gbk->clear();
  if (utf8.empty()) return true;
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == iconv_t(-1)) return false;
  std::string in(utf8);
  std::string out(in.size() * 2 + 8, '\0');
  char* src = in.data();
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (r == size_t(-1) || src_left != 0) return false;
  out.resize(out.size() - dst_left);
  *gbk = std::move(out);
  return true;
}

}  // namespace talv::tools
