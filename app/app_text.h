// Small helpers that the handlers share: the Entry box and the tape as
// texts, numbers to text and back through the conversion commands, and the
// key sounds under BaseDirectory. All of it goes through the gates.
#pragma once

#include <string>

#include "app/runtime_api.h"

namespace talv::app {

rt::Text EntryText();
void SetEntryText(const char* text);
void AppendToEntry(const char* text);
void AppendToTape(const char* text);
void SetTapeText(const char* text);

// ToText of a double, and ToNumber of a text.
std::string NumberToText(double number);
double TextToNumber(const char* text);

// Plays BaseDirectory + suffix once; the result is ignored.
void PlayUnderBase(const std::string& suffix);

// The byte-for-byte comparison of two texts; null equals "".
bool SameText(const char* a, const char* b);

}  // namespace talv::app
