#pragma once
// Owns a kernel handle (a file, a process) and closes it once.
#include "util/Win32.h"

namespace tessark {

class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h == nullptr ? INVALID_HANDLE_VALUE : h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void Reset(HANDLE h)
    {
        Close();
        h_ = h == nullptr ? INVALID_HANDLE_VALUE : h;
    }
    bool Close()
    {
        const bool closed = !ok() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

} // namespace tessark
