// The object model every graphics wrapper class shares: the wrapper object over one native
// GDI+ object, the process-wide last status, the value records, and the method families
// through which every wrapper method reaches its flat function.
//
// Ownership: a wrapper object owns its native object and releases it exactly once (on
// Delete, or when the wrapper goes away). Wrappers are move-only; a moved-from wrapper holds
// nothing. Duplicating a native object is explicit, through a class's Clone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "graphics/dll.h"

namespace graphics {

using Gdiplus::GpStatus;

// Status of the most recent wrapper call that records one (0 = Ok), shared by all objects.
inline GpStatus LastStatus = Gdiplus::Ok;

// The program's byte arrays (UTF-16 texts for the W methods, comment data).
using ByteArray = std::vector<uint8_t>;

// Colour matrix written by Graphics::DrawImageAlpha.
inline float AlphaMatrix[5][5] = {};

struct PointF {
  float X = 0, Y = 0;
};
struct Point {
  int32_t X = 0, Y = 0;
};
struct RectF {
  float X = 0, Y = 0, Width = 0, Height = 0;
};
struct Rect {
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

// Our records and the platform's have the same layout, so they are passed to GDI+ as they are.
template <class T>
struct FlatRecord {};
template <>
struct FlatRecord<PointF> { using type = Gdiplus::PointF; };
template <>
struct FlatRecord<Point> { using type = Gdiplus::Point; };
template <>
struct FlatRecord<RectF> { using type = Gdiplus::RectF; };
template <>
struct FlatRecord<Rect> { using type = Gdiplus::Rect; };

static_assert(sizeof(PointF) == 8 && sizeof(Point) == 8);
static_assert(sizeof(RectF) == 16 && sizeof(Rect) == 16);
static_assert(sizeof(Gdiplus::PointF) == 8 && sizeof(Gdiplus::Point) == 8);
static_assert(sizeof(Gdiplus::RectF) == 16 && sizeof(Gdiplus::Rect) == 16);
static_assert(offsetof(Gdiplus::RectF, Height) == offsetof(RectF, Height));

// A pointer that empties its source when moved from; the members of move-only wrappers.
template <class T>
class MovedPtr {
 public:
  MovedPtr() = default;
  MovedPtr(T* p) : p_(p) {}
  MovedPtr(MovedPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  MovedPtr& operator=(MovedPtr&& o) noexcept {
    p_ = std::exchange(o.p_, nullptr);
    return *this;
  }
  MovedPtr& operator=(T* p) {
    p_ = p;
    return *this;
  }
  operator T*() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// The base of every wrapper class. `native` is the generic native pointer; each class also
// keeps the pointer typed for itself (its class handle), set through AttachNative.
class GdipObject {
 public:
  GdipObject() = default;
  GdipObject(GdipObject&&) noexcept = default;
  GdipObject& operator=(GdipObject&&) noexcept = default;
  virtual ~GdipObject() = default;

  void* GetNative() const { return native_; }
  // Stores p and hands it to the class's handles. The object owns p from then on; a native
  // object held before is not released (Delete it first).
  void SetNative(void* p) {
    native_ = p;
    AttachNative(p);
  }
  virtual void AttachNative(void* p) = 0;
  // For classes whose subclasses keep a handle of their own (bitmaps, brushes).
  virtual void AttachDerived(void* p) {}

  // GDI+'s own allocator; no status.
  static void* Alloc(size_t size) { return dll::GdipAlloc(size); }
  static void Free(void* p) { dll::GdipFree(p); }

 private:
  MovedPtr<void> native_;
};

// Records a flat status as the last status; true when it is Ok.
inline bool Record(GpStatus status) {
  LastStatus = status;
  return status == Gdiplus::Ok;
}

namespace detail {

template <class T>
using Bare = std::remove_cvref_t<T>;

template <class T>
concept Wrapper = std::is_base_of_v<GdipObject, Bare<T>>;
template <class T>
concept WrapperPointer =
    std::is_pointer_v<Bare<T>> && std::is_base_of_v<GdipObject, std::remove_cv_t<std::remove_pointer_t<Bare<T>>>>;
template <class T>
concept RecordPointer =
    std::is_pointer_v<Bare<T>> &&
    requires { typename FlatRecord<std::remove_cv_t<std::remove_pointer_t<Bare<T>>>>::type; };

// One argument as the flat parameter of type P: wrapper objects by their native pointer
// (an omitted one, a null pointer, as null), records by address, numbers and enumerations
// converted.
template <class P, class A>
P ToFlat(A&& a) {
  static_assert(!std::is_reference_v<P>, "declare the flat function with a pointer parameter");
  if constexpr (Wrapper<A>) {
    return static_cast<P>(a.GetNative());
  } else if constexpr (WrapperPointer<A>) {
    return a ? static_cast<P>(a->GetNative()) : nullptr;
  } else if constexpr (std::is_same_v<Bare<A>, std::nullptr_t>) {
    return nullptr;
  } else if constexpr (RecordPointer<A>) {
    return reinterpret_cast<P>(a);
  } else if constexpr (std::is_pointer_v<P> && std::is_pointer_v<Bare<A>>) {
    return reinterpret_cast<P>(a);  // out-values of the flat's own enum or integer types
  } else {
    return static_cast<P>(a);
  }
}

// An array argument: its records as one contiguous array and their count; an empty array is
// a null pointer and 0.
template <class T>
struct ArrayArg {
  T* data;
  int32_t count;
};
template <class T>
struct IsArrayArg : std::false_type {};
template <class T>
struct IsArrayArg<ArrayArg<T>> : std::true_type {};

template <class A>
auto Expand(A&& a) {
  if constexpr (IsArrayArg<Bare<A>>::value) {
    return std::tuple(a.count ? a.data : nullptr, a.count);
  } else {
    return std::tuple<A&&>(std::forward<A>(a));
  }
}

template <class Command>
struct CommandTraits;
template <int I, class R, class... P>
struct CommandTraits<runtime::DllCommand<I, R(WINAPI*)(P...)>> {
  using Result = R;
  using Params = std::tuple<P...>;
  static constexpr size_t arity = sizeof...(P);
};

template <const auto& Command, class Tuple, size_t... Is>
auto Apply(Tuple&& flat, std::index_sequence<Is...>) {
  using Params = typename CommandTraits<Bare<decltype(Command)>>::Params;
  return Command(ToFlat<std::tuple_element_t<Is, Params>>(std::get<Is>(flat))...);
}

// Calls a flat function with the arguments converted, arrays expanded to (data, count).
template <const auto& Command, class... A>
auto Call(A&&... a) {
  auto flat = std::tuple_cat(Expand(std::forward<A>(a))...);
  constexpr size_t n = std::tuple_size_v<decltype(flat)>;
  static_assert(n == CommandTraits<Bare<decltype(Command)>>::arity,
                "arguments do not match the flat function");
  return Apply<Command>(flat, std::make_index_sequence<n>());
}

// The type a flat function's last (pointer) parameter points to: a getter's out-value.
template <const auto& Command>
using OutType = std::remove_pointer_t<std::tuple_element_t<
    CommandTraits<Bare<decltype(Command)>>::arity - 1, typename CommandTraits<Bare<decltype(Command)>>::Params>>;

// Scales or rotates about centre with three calls of one class's own transform functions:
// for prepended transforms the last call is applied to points first, so the order of the
// two translations flips with the matrix order. True when the last call succeeds.
template <class T, class Apply>
bool AboutCentre(T& t, PointF centre, int order, Apply apply) {
  float sign = order == Gdiplus::MatrixOrderPrepend ? 1.0f : -1.0f;
  t.TranslateTransform(sign * centre.X, sign * centre.Y, order);
  apply();
  return t.TranslateTransform(-sign * centre.X, -sign * centre.Y, order);
}

}  // namespace detail

// An array of records passed to a flat function (family Y): any contiguous range (span,
// vector, C array). GDI+ gets the records in place, so what it writes lands in the caller's.
template <class Range>
auto Array(Range&& records) {
  using T = std::remove_reference_t<decltype(*std::data(records))>;
  return detail::ArrayArg<T>{std::data(records), int32_t(std::size(records))};
}

// A wrapper class whose class handle is a Handle* and whose native object is released with
// DeleteCommand. With Derived, AttachNative also calls AttachDerived.
//
// The method families, each written once here, so that a method is one line:
//   A  action:           status recorded; true when Ok.
//   G  getter:           the out-value starts at 0; status recorded; the value returned.
//   R  reference getter: the caller's variables are the out-parameters; true when Ok.
//   Q  boolean query:    as G, the BOOL out-value as bool.
//   V  record getter:    a zero record filled; status recorded; the record returned.
//   Y  arrays:           Array(records) becomes (records, count) in any family.
//   C  creation:         the flat function makes this wrapper's new native object.
//   D  deletion:         Delete.
//   K  clone into:       the flat function makes another wrapper's new native object.
// Wrapper arguments pass their native pointer; a null wrapper pointer passes null.
template <class Handle, const auto& DeleteCommand, bool Derived = false>
class GdipClass : public GdipObject {
 public:
  using HandleType = Handle;

  GdipClass() = default;
  GdipClass(GdipClass&&) noexcept = default;
  GdipClass& operator=(GdipClass&& o) noexcept {
    if (this != &o) {
      Release();
      GdipObject::operator=(std::move(o));
      handle_ = std::move(o.handle_);
    }
    return *this;
  }
  // Going away deletes, as Delete does (the status is recorded).
  ~GdipClass() override { Delete(); }

  Handle* handle() const { return handle_; }
  void AttachNative(void* p) override {
    handle_ = static_cast<Handle*>(p);
    if constexpr (Derived) AttachDerived(p);
  }

  // D: false, with LastStatus untouched, when nothing is held; otherwise the native object
  // is released, the status recorded, and the wrapper holds nothing.
  bool Delete() {
    if (!handle_) return false;
    GpStatus status = DeleteCommand(handle_.get());
    SetNative(nullptr);
    return Record(status);
  }

  // Releases the native object, recording no status (the wrapper being replaced).
  void Release() {
    if (!handle_) return;
    DeleteCommand(handle_.get());
    SetNative(nullptr);
  }

 protected:
  template <const auto& Command, class... Args>
  bool A(Args&&... a) const {
    return Record(detail::Call<Command>(handle(), std::forward<Args>(a)...));
  }
  template <const auto& Command, class... Args>
  auto G(Args&&... a) const {
    detail::OutType<Command> value{};
    Record(detail::Call<Command>(handle(), std::forward<Args>(a)..., &value));
    return value;
  }
  template <const auto& Command, class... Args>
  bool R(Args&... out) const {
    return Record(detail::Call<Command>(handle(), &out...));
  }
  template <const auto& Command, class... Args>
  bool Q(Args&&... a) const {
    BOOL value = FALSE;
    Record(detail::Call<Command>(handle(), std::forward<Args>(a)..., &value));
    return value != FALSE;
  }
  template <class Value, const auto& Command, class... Args>
  Value V(Args&&... a) const {
    Value value{};
    Record(detail::Call<Command>(handle(), std::forward<Args>(a)..., &value));
    return value;
  }
  // C: on success the new native object replaces the one held, which is released (a wrapper
  // owns one native object at a time); on failure the wrapper keeps what it held.
  template <const auto& Command, class... Args>
  bool C(Args&&... a) {
    Handle* created = nullptr;
    GpStatus status = detail::Call<Command>(std::forward<Args>(a)..., &created);
    if (status == Gdiplus::Ok) Adopt(*this, created);
    return Record(status);
  }
  // K: as C, for target's native object, made from this one.
  template <const auto& Command, class Target, class... Args>
  bool K(Target& target, Args&&... a) const {
    typename Target::HandleType* created = nullptr;
    GpStatus status = detail::Call<Command>(handle(), std::forward<Args>(a)..., &created);
    if (status == Gdiplus::Ok) Adopt(target, created);
    return Record(status);
  }

  template <class Target, class P>
  static void Adopt(Target& target, P* created) {
    if (target.handle() != created) target.Release();
    target.SetNative(created);
  }

 private:
  MovedPtr<Handle> handle_;
};

}  // namespace graphics
