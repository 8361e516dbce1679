// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#include "shell/RunTimeError.h"

#include <cerrno>
#include <new>
#include <stdexcept>

namespace tolv {

RunTimeError::RunTimeError(int number) : number_(number), description_(ErrorDescription(number)) {}

RunTimeError::RunTimeError(int number, std::string description) : number_(number), description_(std::move(description))
{
}

std::string ErrorDescription(int number)
{
    switch (number) {
    case ErrInvalidCall: return "Invalid procedure call or argument";
    case ErrOverflow: return "Overflow";
    case ErrOutOfMemory: return "Out of memory";
    case ErrSubscript: return "Subscript out of range";
    case ErrTypeMismatch: return "Type mismatch";
    case ErrBadFileName: return "Bad file name or number";
    case ErrFileNotFound: return "File not found";
    case ErrDeviceIO: return "Device I/O error";
    case ErrDiskFull: return "Disk full";
    case ErrInputPastEnd: return "Input past end of file";
    case ErrPermissionDenied: return "Permission denied";
    case ErrPathFileAccess: return "Path/File access error";
    case ErrPathNotFound: return "Path not found";
    default: return "Application-defined or object-defined error";
    }
}

RunTimeError ErrorFromErrno(int err)
{
    switch (err) {
    case ENOENT: return RunTimeError(ErrFileNotFound);
    case ENOTDIR: return RunTimeError(ErrPathNotFound);
    case EACCES:
    case EPERM:
    case EROFS: return RunTimeError(ErrPermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return RunTimeError(ErrDiskFull);
    case ENOMEM: return RunTimeError(ErrOutOfMemory);
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
    case EEXIST: return RunTimeError(ErrPathFileAccess);
    case ENAMETOOLONG:
    case EINVAL: return RunTimeError(ErrBadFileName);
    default: return RunTimeError(ErrDeviceIO);
    }
}

RunTimeError CurrentError(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const RunTimeError& err) {
        return err;
    } catch (const std::bad_alloc&) {
        return RunTimeError(ErrOutOfMemory);
    } catch (const std::out_of_range&) {
        return RunTimeError(ErrSubscript);
    } catch (const std::overflow_error&) {
        return RunTimeError(ErrOverflow);
    } catch (const std::length_error&) {
        return RunTimeError(ErrOutOfMemory);
    } catch (...) {
        return RunTimeError(ErrInvalidCall);
    }
}

} // namespace tolv
