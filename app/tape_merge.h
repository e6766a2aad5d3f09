// Joining tapes. Two calculators may run at once, each having loaded
// steps.txt; the one that saves second finds a file that the other rewrote
// in the meantime. Its save must keep every line the other wrote and every
// line its own user added (MergeTape). And a tape may exist in two places,
// beside the program and in the application-data folder, with no history
// that tells how they came apart: a start joins them into one (MergeCopies).
// Portable.
#pragma once

#include <string>
#include <string_view>

namespace talv::app {

// The content to save when steps.txt changed on disk since this instance
// last loaded or saved it.
//   base    the file's bytes as this instance last loaded or saved them
//   shown   the tape's text as it showed right after that load or save
//           (what the edit box made of `base`)
//   tape    the tape's text now
//   disk    the file's bytes now, written by the other instance
//
// The usual case: this tape still begins with `shown`, so its user only
// calculated. The result is the file as the other left it, followed by the
// lines added here since, each once.
//
// This tape no longer begins with `shown`: its user edited or cleared older
// lines (the clear key empties the tape). Those edits stand. When the file
// still begins with `base`, the other instance only added lines, and they
// follow this tape. When both were edited, neither edit can be told from a
// new line: the other's file comes first, then this whole tape. Lines may
// then appear twice, but none is lost.
//
// A line break goes between two parts when the first does not end with one.
std::string MergeTape(std::string_view base, std::string_view shown, std::string_view tape,
                      std::string_view disk);

// Two copies of the tape whose common history is unknown, `older` written
// before `newer`. When one holds the other at its start, it is the longer
// one. Otherwise the lines they share at the start stand once, then the
// rest of the older copy, then the rest of the newer one: no line of either
// is lost, and a line that both added stays twice (it was computed twice).
std::string MergeCopies(std::string_view older, std::string_view newer);

}  // namespace talv::app
