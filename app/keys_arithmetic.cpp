// The operator keys and the equals key: one held value, immediate execution.
// The first operator key stores the operand; every later one applies its
// own operation to the running result and the typed operand, writes the
// step onto the tape and becomes the operator that equals applies.
#include <string>

#include "app/app_commands.h"
#include "app/app_text.h"
#include "app/calculator_state.h"
#include "app/handlers.h"
#include "app/main_window_ids.h"
#include "app/readout_schedule.h"
#include "app/wait.h"

namespace talv::app {
namespace {

struct OperatorKey {
  int32_t number;         // the PendingOperator value
  const char* character;  // written on the tape
  const char* sound;      // suffix under BaseDirectory
};
const OperatorKey kOperators[] = {
    {1, "+", "\\wav\\加"},
    {2, "-", "\\wav\\减"},
    {3, "×", "\\wav\\乘"},
    {4, "÷", "\\wav\\除以"},
};

const OperatorKey* OperatorByNumber(int32_t number) {
  for (const OperatorKey& key : kOperators)
    if (key.number == number) return &key;
  return nullptr;
}

// Plain double arithmetic; division by zero gives an infinity or NaN.
double Apply(int32_t number, double a, double b) {
  switch (number) {
    case 1: return a + b;
    case 2: return a - b;
    case 3: return a * b;
    default: return a / b;
  }
}

// "running result, operator, second operand, =" — the first half of a step.
std::string StepText(const OperatorKey& key) {
  return NumberToText(RunningResult()) + key.character + NumberToText(SecondOperand()) + "=";
}

void PressOperator(int32_t number) {
  const OperatorKey& key = *OperatorByNumber(number);
  PendingOperator = key.number;
  rt::Text entry = EntryText();
  if (entry.empty()) return;
  if (!FirstOperandHeld()) {
    FirstOperand() = TextToNumber(entry.get());
    RunningResult() = FirstOperand();
    ReplaceEntry = 1;
  } else {
    SecondOperand() = TextToNumber(entry.get());
    AppendToTape(StepText(key).c_str());
    RunningResult() = Apply(key.number, RunningResult(), SecondOperand());
    const std::string result = NumberToText(RunningResult());
    AppendToTape((result + "\r\n").c_str());
    SetEntryText(result.c_str());
    ReplaceEntry = 1;
    // On the disk before the next key is handled.
    SaveTape();
  }
  PlayUnderBase(key.sound);
}

}  // namespace

void PressPlus() { PressOperator(1); }
void PressMinus() { PressOperator(2); }
void PressTimes() { PressOperator(3); }
void PressDivide() { PressOperator(4); }

void PressEquals() {
  {
    rt::Text entry = EntryText();
    if (!FirstOperandHeld()) {
      FirstOperand() = TextToNumber(entry.get());
      RunningResult() = FirstOperand();
      ReplaceEntry = 1;
    } else {
      SecondOperand() = TextToNumber(entry.get());
      if (const OperatorKey* key = OperatorByNumber(PendingOperator)) {
        AppendToTape(StepText(*key).c_str());
        RunningResult() = Apply(key->number, RunningResult(), SecondOperand());
      }
      const std::string result = NumberToText(RunningResult());
      AppendToTape((result + "\r\n").c_str());
      SetEntryText(result.c_str());
      FirstOperand() = 0;
      SecondOperand() = 0;
      ReplaceEntry = 1;
      // On the disk before the wait below lets the next key in.
      SaveTape();
    }
  }
  rt::Call(Commands().window.RepaintNow, MainWindowRef());
  // The half second runs from the start of the equals sound, so the
  // readout follows it by 500 ms however long starting the sound took.
  const int32_t start = TickNow();
  PlayUnderBase("\\wav\\等于");
  WaitUntilTick(TickAfter(start, kReadoutDelayMs));
  // The window closed during the wait: nothing is read, and the Entry box
  // is gone.
  if (Closing) return;
  // What is read aloud is what the Entry box shows now: a digit pressed
  // during the wait has replaced the result, and an infinity or NaN is
  // read from its mark, not as the number ToNumber makes of it.
  rt::Text shown = EntryText();
  SpeakShownResult(shown.get());
}

}  // namespace talv::app
