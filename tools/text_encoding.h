// UTF-8 to GBK (code page 936) for the texts of readable descriptions: the
// description files are UTF-8, the program's texts are GBK bytes.
#pragma once

#include <string>
#include <string_view>

namespace talv::tools {

// False when the text is not valid UTF-8 or holds a character GBK lacks.
bool Utf8ToGbk(std::string_view utf8, std::string* gbk);

}  // namespace talv::tools
