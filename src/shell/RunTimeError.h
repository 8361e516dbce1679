// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
#include <exception>
#include <string>

namespace tolv {

// The one run-time error type. Routines that trap errors catch it at their own boundary and
// report it with ShowErrorReport; nothing lets it escape to a caller.
class RunTimeError : public std::exception {
public:
    explicit RunTimeError(int number);
    RunTimeError(int number, std::string description);
    int Number() const { return number_; }
    const std::string& Description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

// Error numbers used throughout.
enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrTypeMismatch = 13,
    ErrBadFileName = 52,
    ErrFileNotFound = 53,
    ErrDeviceIO = 57,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrPermissionDenied = 70,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

// The description of an error number ("Overflow", "Disk full", ...).
std::string ErrorDescription(int number);

// Maps an errno value to the run-time error a file operation reports.
RunTimeError ErrorFromErrno(int err);

// Turns any exception caught at a routine's boundary into the run-time error it reports.
RunTimeError CurrentError(std::exception_ptr e);

} // namespace tolv
