// ComObject: the base of every COM class. One atomic reference count, one static
// QueryInterface table generated from the interface list, the module's object count kept,
// and make_com(), the one way to create an object (deleted again if FinalConstruct fails).
//
//   class Thing final : public ComObject<Thing, IThing, Chain<IEvents, IDispatch>> { ... };
//
// Chain<I, Bases...> implements I and answers QueryInterface for its base interfaces too.
#pragma once

#include <array>
#include <atomic>
#include <concepts>
#include <cstddef>
#include <tuple>
#include <new>
#include <utility>

#include "platform/support/com_error.h"
#include "platform/support/com_ptr.h"
#include "platform/support/module_state.h"

namespace platform {

template <class Primary, class... Bases>
struct Chain {};

namespace detail {

struct QiEntry {
  const IID* iid;
  IUnknown* (*cast)(void* self);
};

template <class Self, class Via, class Interface>
IUnknown* cast_to(void* self) {
  return static_cast<Interface*>(static_cast<Via*>(static_cast<Self*>(self)));
}

template <class Item>
struct item_base {
  using type = Item;
};
template <class Primary, class... Bases>
struct item_base<Chain<Primary, Bases...>> {
  using type = Primary;
};

template <class Self, class Item>
struct item_entries {
  static constexpr std::array<QiEntry, 1> value{{{&iid_of<Item>, &cast_to<Self, Item, Item>}}};
};
template <class Self, class Primary, class... Bases>
struct item_entries<Self, Chain<Primary, Bases...>> {
  static constexpr std::array<QiEntry, 1 + sizeof...(Bases)> value{
      {{&iid_of<Primary>, &cast_to<Self, Primary, Primary>}, {&iid_of<Bases>, &cast_to<Self, Primary, Bases>}...}};
};

template <std::size_t... N>
constexpr auto concat(const std::array<QiEntry, N>&... parts) {
  std::array<QiEntry, (N + ...)> out{};
  std::size_t i = 0;
  ((
       [&] {
         for (const auto& e : parts) out[i++] = e;
       }()),
   ...);
  return out;
}

template <class T>
concept Uncounted = requires { requires T::kCountsTowardsModule == false; };

template <class T>
concept HasFinalConstruct = requires(T& t) {
  { t.FinalConstruct() } -> std::same_as<HRESULT>;
};

}  // namespace detail

template <class Derived, class... Items>
class ComObject : public detail::item_base<Items>::type... {
  static_assert(sizeof...(Items) > 0, "a COM object implements at least one interface");
  using First = typename detail::item_base<std::tuple_element_t<0, std::tuple<Items...>>>::type;

 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    IUnknown* found = nullptr;
    if (IsEqualGUID(riid, IID_IUnknown)) {
      found = identity();
    } else {
      for (const auto& entry : kTable) {
        if (IsEqualGUID(riid, *entry.iid)) {
          found = entry.cast(this);
          break;
        }
      }
    }
    if (!found) return QueryInterfaceExtra(riid, ppv);
    found->AddRef();
    *ppv = found;
    return S_OK;
  }

  template <class Q>
  HRESULT QueryInterface(Q** pp) {
    return QueryInterface(iid_of<Q>, reinterpret_cast<void**>(pp));
  }

  STDMETHODIMP_(ULONG) AddRef() override { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }

  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) {
      // An AddRef/Release pair from code the destructor calls must not delete us twice.
      refs_.store(1, std::memory_order_relaxed);
      delete this;
    }
    return left;
  }

  // The object's identity: the IUnknown every QueryInterface(IID_IUnknown) answers.
  IUnknown* identity() noexcept { return static_cast<IUnknown*>(static_cast<First*>(this)); }
  ULONG ref_count() const noexcept { return refs_.load(std::memory_order_relaxed); }

 protected:
  ComObject() noexcept {
    if constexpr (!detail::Uncounted<Derived>) this_module().object_created();
  }
  virtual ~ComObject() {
    if constexpr (!detail::Uncounted<Derived>) this_module().object_destroyed();
  }

  // Interfaces not in the static table (an aggregated inner object, for instance).
  virtual HRESULT QueryInterfaceExtra(REFIID, void**) { return E_NOINTERFACE; }

 private:
  static constexpr auto kTable = detail::concat(detail::item_entries<ComObject, Items>::value...);
  std::atomic<ULONG> refs_{0};
};

// Creates T with one reference owned by `out`; out is untouched on failure. A T that has
// `HRESULT FinalConstruct()` is destroyed again when it fails.
template <class T, class... Args>
[[nodiscard]] HRESULT make_com(ComPtr<T>& out, Args&&... args) noexcept {
  return com_boundary([&]() -> HRESULT {
    auto obj = ComPtr<T>::borrow(new T(std::forward<Args>(args)...));
    if constexpr (detail::HasFinalConstruct<T>) {
      const HRESULT hr = obj->FinalConstruct();
      if (FAILED(hr)) return hr;  // obj's release deletes it
    }
    out = std::move(obj);
    return S_OK;
  });
}

// Creates T and answers the interface `riid` of it, as a class factory does.
template <class T, class... Args>
[[nodiscard]] HRESULT create_com(REFIID riid, void** ppv, Args&&... args) noexcept {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  ComPtr<T> obj;
  const HRESULT hr = make_com(obj, std::forward<Args>(args)...);
  if (FAILED(hr)) return hr;
  return obj->QueryInterface(riid, ppv);
}

// Creates T and throws ComError (with `Interface`'s IID) when that fails.
template <class T, class... Args>
ComPtr<T> make_com_or_throw(Args&&... args) {
  ComPtr<T> obj;
  check<IUnknown>(make_com(obj, std::forward<Args>(args)...));
  return obj;
}

}  // namespace platform
