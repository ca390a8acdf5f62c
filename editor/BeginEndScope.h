// A Begin/End pair of calls held for the length of a scope.
#pragma once

namespace qx {

// Calls Begin on the object when made and End when the scope is left, however it is left.
template <class T, void (T::*Begin)(), void (T::*End)()>
class TBeginEndScope {
 public:
  explicit TBeginEndScope(T& object) : object_(object) { (object_.*Begin)(); }
  ~TBeginEndScope() { (object_.*End)(); }
  TBeginEndScope(const TBeginEndScope&) = delete;
  TBeginEndScope& operator=(const TBeginEndScope&) = delete;

 private:
  T& object_;
};

}  // namespace qx
