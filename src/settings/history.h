#pragma once

#include <string>

// The recently opened files: section "History" of the settings file, keys "0" (the newest) to
// "5", up to the first empty value.
class History {
 public:
  static constexpr int kLastIndex = 5;

  // Puts a file at the front; the entries before its old place (or before the end) move down
  // one, and the list keeps at most six entries. An empty name changes nothing.
  void AddHistory(const std::string& file);
  // The entry at an index; "" outside 0 to 5 or for an empty key.
  std::string GetHistory(int index) const;

 private:
  int count_limit_ = 5;
};
