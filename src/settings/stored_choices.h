#pragma once

// The choices the settings file keeps as numbers (radio buttons of the settings dialogs), each
// read from its number in one place; the number that stores a choice is its enumerator's value.

// "WhichProgram": the first known program, the second (what a first run sets), or the user's
// own ("Program"). kUnknown stands for any other number, a missing key among them.
enum class ProgramChoice { kUnknown = 0, kFirst = 1, kSecond = 2, kUsers = 3 };

// "WhichPaperSize": inferred from the class options, named in "PaperSizeFromList", typed as
// "PaperSizeX" and "PaperSizeY", or none; any other number means none.
enum class PaperChoice { kFromClass = 1, kFromList = 2, kInNumbers = 3, kNone = 4 };

// "WhichParent": inferred, the open file itself, or the file in "Parent"; any other number
// means inferred.
enum class ParentChoice { kInfer = 1, kOpenFile = 2, kGiven = 3 };

constexpr ProgramChoice ProgramChoiceOf(int stored) {
  return stored >= 1 && stored <= 3 ? static_cast<ProgramChoice>(stored) : ProgramChoice::kUnknown;
}

constexpr PaperChoice PaperChoiceOf(int stored) {
  return stored >= 1 && stored <= 3 ? static_cast<PaperChoice>(stored) : PaperChoice::kNone;
}

constexpr ParentChoice ParentChoiceOf(int stored) {
  return stored == 2 || stored == 3 ? static_cast<ParentChoice>(stored) : ParentChoice::kInfer;
}

// The number that stores a choice.
template <typename Choice>
constexpr int StoredNumber(Choice choice) {
  return static_cast<int>(choice);
}
