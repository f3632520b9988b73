// Owners of the kernel's handles and memory blocks: move-only, freed once.
#pragma once

#include <windows.h>

#include <utility>

// A kernel object (mutex, event, file, process): CloseHandle.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    KernelHandle(KernelHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~KernelHandle() { Reset(); }
    void Reset() {
        if (h_) CloseHandle(std::exchange(h_, nullptr));
    }
    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_ = nullptr;
};

// A block the system allocated for us with LocalAlloc (FormatMessage,
// CommandLineToArgvW): LocalFree.
template <class T>
class LocalMemory {
public:
    LocalMemory() = default;
    explicit LocalMemory(T* p) : p_(p) {}
    LocalMemory(const LocalMemory&) = delete;
    LocalMemory& operator=(const LocalMemory&) = delete;
    ~LocalMemory() {
        if (p_) LocalFree(p_);
    }
    T* Get() const { return p_; }
    // For functions that hand the block back through a pointer argument.
    T** Out() { return &p_; }

private:
    T* p_ = nullptr;
};
