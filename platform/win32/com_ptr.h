#pragma once
// Owners of COM interface pointers, BSTRs and VARIANTs: each gives back what
// it owns (Release, SysFreeString, VariantClear) when it goes away.
//
// ComPtr<T> holds one reference. A pointer handed in with `adopt` (a fresh
// object, an out-parameter filled through `put`) is taken over without an
// AddRef; `share` adds one.

#include <oaidl.h>
#include <objbase.h>

#include <string>
#include <string_view>
#include <utility>

namespace platform_win32 {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  static ComPtr adopt(T* pointer) {
    ComPtr owner;
    owner.pointer_ = pointer;
    return owner;
  }
  static ComPtr share(T* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return adopt(pointer);
  }
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  void reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }
  // Gives up the reference without releasing it.
  T* detach() { return std::exchange(pointer_, nullptr); }
  // For an out-parameter: empties the owner and lets the callee fill it.
  T** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  // The interface `iid` of the same object, or empty.
  template <typename U>
  ComPtr<U> query(REFIID iid) const {
    ComPtr<U> other;
    if (pointer_ != nullptr) pointer_->QueryInterface(iid, other.putVoid());
    return other;
  }

 private:
  T* pointer_ = nullptr;
};

// An owned BSTR; empty (null) stands for the empty text, as in Automation.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text)
      : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  // The address of the BSTR itself, for passing it by reference.
  BSTR* address() { return &text_; }
  std::wstring_view view() const {
    return text_ ? std::wstring_view(text_, SysStringLen(text_)) : L"";
  }

 private:
  BSTR text_ = nullptr;
};

// An owned VARIANT, cleared when it goes away.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }
  VARTYPE type() const { return value_.vt; }
  // Hands the value over to the caller (who must clear it) and empties this.
  VARIANT release() {
    const VARIANT value = value_;
    VariantInit(&value_);
    return value;
  }

 private:
  VARIANT value_;
};

}  // namespace platform_win32
