#include "app/app_text.h"

#include <cstring>

#include "app/app_commands.h"
#include "app/calculator_state.h"
#include "app/main_window_ids.h"

namespace talv::app {

rt::Text EntryText() { return rt::ReadText(kMainWindow, control::kEntry, EditBoxProperty::Content); }

void SetEntryText(const char* text) {
  rt::WriteText(kMainWindow, control::kEntry, EditBoxProperty::Content, text);
}

void AppendToEntry(const char* text) { rt::Call(Commands().window.AppendText, EntryBoxRef(), text); }

void AppendToTape(const char* text) { rt::Call(Commands().window.AppendText, TapeRef(), text); }

void SetTapeText(const char* text) {
  rt::WriteText(kMainWindow, control::kTape, EditBoxProperty::Content, text);
}

std::string NumberToText(double number) {
  return rt::CallText(Commands().numbers.ToText, number).c_str();
}

double TextToNumber(const char* text) {
  return talv::AsDouble(rt::Call(Commands().numbers.ToNumber, text ? text : ""));
}

void PlayUnderBase(const std::string& suffix) {
  const std::string path = std::string(BaseDirectory ? BaseDirectory : "") + suffix;
  rt::Call(Commands().sound.PlayAudio, path.c_str());
}

bool SameText(const char* a, const char* b) {
  return std::strcmp(a ? a : "", b ? b : "") == 0;
}

}  // namespace talv::app
