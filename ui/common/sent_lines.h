// The lines sent in a run, and stepping through them from a text box as a
// chat input's history does: Up the next older line, Down the next newer
// one, and after the newest the text that was being typed. Kept in memory
// only. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace quillon {

class SentLines {
 public:
  static constexpr std::size_t kMost = 50;

  // Notes a line that went out; the oldest goes once there are more than
  // kMost. An empty line is not noted.
  void Add(std::u16string line);
  std::size_t size() const { return lines_.size(); }
  // The line age steps back from the newest (0 the newest); age < size().
  const std::u16string& FromNewest(std::size_t age) const { return lines_[lines_.size() - 1 - age]; }
  // How many lines were ever added: changes whenever the lines do.
  std::uint64_t Added() const { return added_; }

 private:
  std::deque<std::u16string> lines_;
  std::uint64_t added_ = 0;
};

// Where one text box is in the sent lines.
class Recall {
 public:
  // The next older line for the box, which holds typing now; the first step
  // keeps typing to come back after the newest line. Nothing when there is
  // no older line: the box stays as it is.
  std::optional<std::u16string> Older(const SentLines& lines, const std::u16string& typing);
  // The next newer line, or, after the newest, the text that was being
  // typed. Nothing when the box is not showing a sent line.
  std::optional<std::u16string> Newer(const SentLines& lines);
  // Back to the text being typed, as after a send.
  void Reset() { age_.reset(); }

 private:
  // A line added since the last step starts the stepping afresh.
  void Follow(const SentLines& lines);

  std::optional<std::size_t> age_;  // the line shown, from the newest
  std::u16string typing_;
  std::uint64_t seen_ = 0;
};

}  // namespace quillon
