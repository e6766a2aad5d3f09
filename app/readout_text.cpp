#include "app/readout_text.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "app/app_commands.h"
#include "app/runtime_api.h"

namespace talv::app {

std::string ReadoutText(double number) {
  if (std::isnan(number)) return "错误";
  rt::Text amount = rt::CallText(Commands().numbers.ToChineseAmount, number, true);
  // ToChineseAmount drops the sign of what it cannot write out; the readout
  // keeps it, as the Entry box does.
  if (std::strcmp(amount.c_str(), "溢出") == 0) return number < 0 ? "负溢出" : "溢出";
  // A whole amount loses its trailing 元整; one with 角 keeps both.
  if (talv::AsInt(rt::Call(Commands().text.FindText, amount.c_str(), "角")) == -1) {
    amount = rt::CallText(Commands().text.ReplaceText, amount.c_str(), "元整", "", rt::Omit,
                          rt::Omit, true);
  }
  return amount.c_str();
}

double ShownNumber(const char* shown) {
  const char* text = shown ? shown : "";
  const bool minus = text[0] == '-';
  const char* mark = text + (minus ? 1 : 0);
  if (std::strncmp(mark, "1.#", 3) == 0) {
    if (std::strcmp(mark + 3, "INF") == 0)
      return minus ? -std::numeric_limits<double>::infinity()
                   : std::numeric_limits<double>::infinity();
    return std::numeric_limits<double>::quiet_NaN();
  }
  return talv::AsDouble(rt::Call(Commands().numbers.ToNumber, text));
}

std::string ShownResultText(const char* shown) { return ReadoutText(ShownNumber(shown)); }

}  // namespace talv::app
