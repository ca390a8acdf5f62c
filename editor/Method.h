// A method pointer: an object and a function to call on it, compared by both. Chains of
// listeners need to find and remove a listener again, which std::function cannot do.
#pragma once
#include <utility>

namespace qx {

template <typename... Args>
struct TMethod {
  void* Data = nullptr;
  void (*Code)(void* data, Args...) = nullptr;

  explicit operator bool() const { return Code != nullptr; }
  bool operator==(const TMethod&) const = default;
  void operator()(Args... args) const { Code(Data, args...); }
};

namespace detail {
template <typename T>
struct MemberTraits;
template <typename C, typename... Args>
struct MemberTraits<void (C::*)(Args...)> {
  using Class = C;
  using Method = TMethod<Args...>;
  template <auto M>
  static void Call(void* data, Args... args) {
    (static_cast<C*>(data)->*M)(std::forward<Args>(args)...);
  }
};
}  // namespace detail

// The method pointer of member function M on object: MakeMethod<&TFoo::Bar>(&foo).
template <auto M>
auto MakeMethod(typename detail::MemberTraits<decltype(M)>::Class* object) {
  using Traits = detail::MemberTraits<decltype(M)>;
  typename Traits::Method method;
  method.Data = object;
  method.Code = &Traits::template Call<M>;
  return method;
}

// The notify event of the toolkit: (Sender).
using TNotifyEvent = TMethod<void*>;

}  // namespace qx
