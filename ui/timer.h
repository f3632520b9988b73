// A window timer that is killed with its object; ticks arrive as the form's OnTimer.
#pragma once

#include <windows.h>

class Timer {
public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { Stop(); }

    void Start(HWND owner, UINT_PTR id, UINT intervalMs) {
        Stop();
        owner_ = owner;
        id_ = id;
        SetTimer(owner, id, intervalMs, nullptr);
    }
    void Stop() {
        if (owner_) KillTimer(owner_, id_);
        owner_ = nullptr;
    }
    UINT_PTR Id() const { return id_; }

private:
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
};
