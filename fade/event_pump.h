// The event pump as the portable core sees it: a step that lets the user
// interface run its pending events. The core calls it where a long step must
// leave the program answering; other handlers may then run inside that step.
// Standard library only; the window layer supplies the pump.
#pragma once

#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>

namespace quillon {

// Any callable taking no arguments. An empty pump, the default, runs nothing.
class EventPump {
 public:
  EventPump() = default;

  template <typename Run>
    requires std::invocable<Run&> && (!std::same_as<std::remove_cvref_t<Run>, EventPump>)
  EventPump(Run&& run) : run_(std::forward<Run>(run)) {}

  void operator()() const {
    if (run_) run_();
  }

 private:
  std::function<void()> run_;
};

}  // namespace quillon
