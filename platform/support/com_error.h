// ComError: a failed COM call raised as an exception, carrying the HRESULT, the IID of the
// interface that was called and where it was raised; com_boundary turns it back into an
// HRESULT at the edge of every outer COM method.
#pragma once

#include <exception>
#include <new>
#include <source_location>
#include <string>

#include "platform/guiddef.h"
#include "platform/winerror.h"

namespace platform {

class ComError : public std::exception {
 public:
  ComError(HRESULT hr, const IID& iid, std::source_location where = std::source_location::current());

  HRESULT hr() const noexcept { return hr_; }
  const IID& iid() const noexcept { return iid_; }
  const std::source_location& where() const noexcept { return where_; }
  const char* what() const noexcept override { return text_.c_str(); }

 private:
  HRESULT hr_;
  IID iid_;
  std::source_location where_;
  std::string text_;
};

// Raises a failed HRESULT of a call on `iid`; successes (S_FALSE included) pass through.
inline HRESULT check(HRESULT hr, const IID& iid, std::source_location where = std::source_location::current()) {
  if (FAILED(hr)) throw ComError(hr, iid, where);
  return hr;
}

template <class Interface>
HRESULT check(HRESULT hr, std::source_location where = std::source_location::current()) {
  return check(hr, iid_of<Interface>, where);
}

// Runs the body of an outer COM method: ComError gives its HRESULT, std::bad_alloc gives
// E_OUTOFMEMORY, anything else E_UNEXPECTED. Nothing escapes across the COM boundary.
template <class Body>
HRESULT com_boundary(Body&& body) noexcept {
  try {
    return body();
  } catch (const ComError& e) {
    return e.hr();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace platform
