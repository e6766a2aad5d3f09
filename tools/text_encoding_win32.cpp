#include <windows.h>

#include <vector>

#include "tools/text_encoding.h"

namespace talv::tools {

bool Utf8ToGbk(std::string_view utf8, std::string* gbk) {
  gbk->clear();
  if (utf8.empty()) return true;
  int wide_len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()),
                                     nullptr, 0);
  if (wide_len <= 0) return false;
  std::vector<wchar_t> wide(static_cast<size_t>(wide_len));
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), wide.data(),
                      wide_len);
  BOOL lossy = FALSE;
  int len = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wide_len, nullptr, 0,
                                nullptr, &lossy);
  if (len <= 0 || lossy) return false;
  gbk->resize(size_t(len));
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), wide_len, gbk->data(), len, nullptr,
                      &lossy);
  return !lossy;
}

}  // namespace talv::tools
