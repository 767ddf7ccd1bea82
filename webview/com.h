// Small owners for COM pointers, BSTRs, VARIANTs and SAFEARRAYs, and text conversion
// between the program's ANSI texts and the UTF-16 of OLE.
#pragma once

#include <oaidl.h>
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>

namespace webview {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already holds.
  static ComPtr adopt(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  // Adds a reference of its own.
  static ComPtr share(T* p) {
    if (p) p->AddRef();
    return adopt(p);
  }

  // Releases the pointer; returns what Release reported (0 when none was held).
  ULONG reset() {
    ULONG left = 0;
    if (T* p = std::exchange(p_, nullptr)) left = p->Release();
    return left;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  template <class U>
  ComPtr<U> query(REFIID iid) const {
    ComPtr<U> result;
    if (p_) p_->QueryInterface(iid, result.putVoid());
    return result;
  }

 private:
  T* p_ = nullptr;
};

// UTF-16 from the ANSI code page and back.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(const wchar_t* text, int length = -1);

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::string_view ansi);
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
  ~Bstr() { SysFreeString(s_); }

  BSTR get() const { return s_; }
  BSTR* put() {
    SysFreeString(std::exchange(s_, nullptr));
    return &s_;
  }
  BSTR release() { return std::exchange(s_, nullptr); }
  std::string ansi() const { return s_ ? AnsiFromWide(s_, int(SysStringLen(s_))) : std::string(); }

 private:
  BSTR s_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&v_); }

  static Variant int32(LONG value) {
    Variant v;
    v.v_.vt = VT_I4;
    v.v_.lVal = value;
    return v;
  }
  // Takes over the string.
  static Variant bstr(Bstr text) {
    Variant v;
    v.v_.vt = VT_BSTR;
    v.v_.bstrVal = text.release();
    return v;
  }
  Variant(Variant&& other) noexcept {
    v_ = other.v_;
    VariantInit(&other.v_);
  }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      VariantClear(&v_);
      v_ = other.v_;
      VariantInit(&other.v_);
    }
    return *this;
  }

  VARIANT* get() { return &v_; }
  const VARIANT* get() const { return &v_; }
  void clear() { VariantClear(&v_); }

 private:
  VARIANT v_;
};

class SafeArray {
 public:
  SafeArray() = default;
  explicit SafeArray(SAFEARRAY* a) : a_(a) {}
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;
  ~SafeArray() {
    if (a_) SafeArrayDestroy(a_);
  }
  SAFEARRAY* get() const { return a_; }
  SAFEARRAY* release() { return std::exchange(a_, nullptr); }

 private:
  SAFEARRAY* a_ = nullptr;
};

// A one-dimensional VT_UI1 array holding the bytes, in a variant; empty on failure.
Variant ByteArrayVariant(const void* bytes, size_t length);

// The value of a DISPPARAMS argument with indirection through by-reference variants removed.
const VARIANT* Dereferenced(const VARIANT* v);

}  // namespace webview
