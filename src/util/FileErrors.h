#pragma once
// The errors of file work. Each carries its French text; none is caught by the
// handlers, so the default error display shows it.
#include "util/Messages.h"

namespace tessark {

class EStreamError : public UserError {
public:
    using UserError::UserError;
};

// A file could not be opened for reading.
class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(std::wstring_view path) : EStreamError(FormatMessageText(msg::CannotOpenFile, path)) {}
};

// A file could not be created (or an existing one replaced).
class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(std::wstring_view path)
        : EStreamError(FormatMessageText(msg::CannotCreateFile, path)) {}
};

// A move whose rename failed could not fall back on a copy.
class EFCantMove : public EStreamError {
public:
    explicit EFCantMove(std::wstring_view path) : EStreamError(FormatMessageText(msg::CannotMoveFile, path)) {}
};

// Reading an opened file failed part way.
class EReadError : public EStreamError {
public:
    explicit EReadError(std::wstring_view path) : EStreamError(FormatMessageText(msg::ReadFailed, path)) {}
};

// Writing failed part way: the disk is full, or another write error.
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
    static EWriteError DiskFull() { return EWriteError(std::wstring(msg::DiskFull)); }
    static EWriteError Failed(std::wstring_view path)
    {
        return EWriteError(FormatMessageText(msg::WriteFailed, path));
    }
};

} // namespace tessark
