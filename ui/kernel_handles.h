// Owners of the kernel's handles and memory blocks: move-only, freed once.
#pragma once

#include <windows.h>

#include "ui/unique_handle.h"

struct CloseKernelHandle {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
// A kernel object (mutex, event, file, process): CloseHandle. A failed CreateFile's
// INVALID_HANDLE_VALUE is held as none.
class KernelHandle : public UniqueHandle<HANDLE, CloseKernelHandle> {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
};

struct FreeLocal {
    void operator()(void* p) const { LocalFree(p); }
};
// A block the system allocated for us with LocalAlloc (FormatMessage,
// CommandLineToArgvW): LocalFree.
template <class T>
using LocalMemory = UniqueHandle<T*, FreeLocal>;
