#pragma once
// The IUnknown part of a COM object written by hand: reference counting and
// QueryInterface for IUnknown and the one interface it implements. The object
// is made with `new` (one reference, taken over by ComPtr::adopt) and deletes
// itself when the last reference goes.

#include <objbase.h>

namespace platform_win32 {

// COM interfaces declare no virtual destructor; the object is deleted through
// this class, whose destructor is virtual.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
template <typename Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, interface_)) {
      *object = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  explicit ComObject(REFIID implemented) : interface_(implemented) {}
  virtual ~ComObject() = default;

 private:
  IID interface_;
  LONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace platform_win32
