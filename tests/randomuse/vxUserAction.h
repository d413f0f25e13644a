// One user action of a random-use run as plain data: what kind of action it is and the numbers
// and text that say which object it acts on and with what. An action holds no pointer into the
// model, so a sequence can be printed, pasted into a test and run again on a fresh component;
// numbers that point past what the model holds at replay wrap around or make the action a no-op.
#pragma once

#include <string>
#include <vector>

namespace vxrandom {

struct TvxUserAction {
  TvxUserAction() = default;
  TvxUserAction(std::string AKind, std::vector<int> ANumbers = {}, std::string AText = {})
      : Kind(std::move(AKind)), Numbers(std::move(ANumbers)), Text(std::move(AText)) {}

  std::string Kind;
  std::vector<int> Numbers;
  std::string Text;

  // Numbers[Index], or 0 past the end (a hand-written action may leave numbers out).
  int GetNumber(size_t Index) const { return Index < Numbers.size() ? Numbers[Index] : 0; }
  // The action as a C++ initializer, {"Kind", {1, 2}, "text"}, escaped so that it compiles.
  std::string ToString() const;
  bool operator==(const TvxUserAction&) const = default;
};

using TvxUserActions = std::vector<TvxUserAction>;

// Reads one action in the form ToString writes (a trailing comma is allowed); false when Line
// holds none.
bool ParseUserAction(const std::string& Line, TvxUserAction& Action);

// The sequence one action a line, in the form a test pastes into a TvxUserActions initializer.
std::string ToString(const TvxUserActions& Actions);

}  // namespace vxrandom
