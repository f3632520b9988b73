// Owns one handle of the system: move-only, freed once by `Free` when it goes or
// is replaced. The program's holders (GDI objects, kernel handles, menus, global
// and local memory, printer DCs) are this template with their freeing function.
#pragma once

#include <utility>

template <class H, class Free>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, nullptr));
        return *this;
    }
    ~UniqueHandle() { Reset(); }
    void Reset(H h = nullptr) {
        if (h_) Free{}(h_);
        h_ = h;
    }
    H Get() const { return h_; }
    H Release() { return std::exchange(h_, nullptr); }
    explicit operator bool() const { return h_ != nullptr; }
    // For functions that hand the handle back through a pointer argument.
    H* Out() {
        Reset();
        return &h_;
    }

private:
    H h_ = nullptr;
};
