// COM for the user-interface thread, as a single-threaded apartment, for as
// long as the object lives.
#pragma once

#include <windows.h>

#include <objbase.h>

namespace tavlin {

class ComApartment {
 public:
  ComApartment()
      : initialised_(SUCCEEDED(CoInitializeEx(
            nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_;
};

}  // namespace tavlin
