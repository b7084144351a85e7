// One copy of the program a user session: the first copy holds a named
// mutex; a later one finds the first copy's shown window, brings it to the
// front and ends.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace quillon {

class SingleInstance {
 public:
  explicit SingleInstance(const wchar_t* name);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy already runs in this session.
  bool IsFirst() const { return first_; }

 private:
  HANDLE mutex_;
  bool first_;
};

// Brings the shown top-level window of one of the classes to the front;
// false when none is shown (within a few seconds, for a copy still starting).
bool ActivateShownWindow(std::initializer_list<const wchar_t*> classNames);

}  // namespace quillon
