#include "ui/common/sent_lines.h"

#include <utility>

namespace quillon {

void SentLines::Add(std::u16string line) {
  if (line.empty()) return;
  lines_.push_back(std::move(line));
  if (lines_.size() > kMost) lines_.pop_front();
  ++added_;
}

void Recall::Follow(const SentLines& lines) {
  if (lines.Added() == seen_) return;
  seen_ = lines.Added();
  age_.reset();
}

std::optional<std::u16string> Recall::Older(const SentLines& lines, const std::u16string& typing) {
  Follow(lines);
  const std::size_t next = age_ ? *age_ + 1 : 0;
  if (next >= lines.size()) return std::nullopt;
  if (!age_) typing_ = typing;
  age_ = next;
  return lines.FromNewest(next);
}

std::optional<std::u16string> Recall::Newer(const SentLines& lines) {
  Follow(lines);
  if (!age_) return std::nullopt;
  if (*age_ == 0) {
    age_.reset();
    return std::exchange(typing_, {});
  }
  --*age_;
  return lines.FromNewest(*age_);
}

}  // namespace quillon
