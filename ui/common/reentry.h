// The guard of an operation that lets events in while it runs, and so may
// be asked for again from inside itself: turned away, counted, or noted to
// run once more when the running pass is done. Every way out of the
// operation, an exception included, leaves its guard reset, so a handler
// that failed leaves the window working. Portable: no Windows header.
#pragma once

#include <utility>

namespace quillon {

class Reentry {
 public:
  Reentry() = default;
  Reentry(const Reentry&) = delete;
  Reentry& operator=(const Reentry&) = delete;

  bool Running() const { return depth_ > 0; }
  // Passes running now, the outermost included.
  int Depth() const { return depth_; }

  // One pass, for as long as the scope lives; passes may nest.
  class Scope {
   public:
    explicit Scope(Reentry& guard) : guard_(guard) { ++guard_.depth_; }
    ~Scope() {
      if (--guard_.depth_ == 0) guard_.again_ = false;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Reentry& guard_;
  };

  // Runs work unless the operation runs already; then nothing is done and
  // the answer is false.
  template <class Work>
  bool Once(Work&& work) {
    return Once(std::forward<Work>(work), [] {});
  }
  // As Once; leave runs once work has returned or thrown, the guard still
  // held.
  template <class Work, class Leave>
  bool Once(Work&& work, Leave&& leave) {
    if (Running()) return false;
    const Scope pass(*this);
    struct OnLeave {
      Leave& leave;
      ~OnLeave() { leave(); }
    } onLeave{leave};
    work();
    return true;
  }
  // Runs work; asked for while it runs, from inside it, the request is
  // noted instead, and work runs once more after the pass that runs (once,
  // however often it was asked for meanwhile). True for the call that ran
  // the passes, false for one that was noted.
  template <class Work>
  bool Coalesced(Work&& work) {
    again_ = true;
    if (Running()) return false;
    const Scope pass(*this);
    while (std::exchange(again_, false)) work();
    return true;
  }

 private:
  int depth_ = 0;
  bool again_ = false;
};

}  // namespace quillon
