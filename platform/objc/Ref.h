// Owning pointer over an object's reference count: retains on copy, releases
// on destruction. Non-owning references (delegates, superviews) stay plain
// pointers.
#pragma once

#include <cstddef>
#include <utility>

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    // Retains: the caller keeps its own reference.
    Ref(T* p) : p_(p) { if (p_) p_->retain(); }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U>
    Ref(const Ref<U>& o) : Ref(static_cast<T*>(o.get())) {}
    template <class U>
    Ref(Ref<U>&& o) noexcept : p_(o.leak()) {}
    ~Ref() { if (p_) p_->release(); }

    Ref& operator=(Ref o) noexcept { std::swap(p_, o.p_); return *this; }

    // Takes over a reference the caller already owns (a freshly made object).
    static Ref adopt(T* p) { Ref r; r.p_ = p; return r; }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    operator T*() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Gives up ownership without releasing.
    T* leak() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// Makes a new object owned by the returned Ref (alloc + init).
template <class T, class... A>
Ref<T> make(A&&... args) {
    return Ref<T>::adopt(new T(std::forward<A>(args)...));
}
