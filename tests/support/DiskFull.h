// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 TOLV developers
#pragma once
// A disk that fills up, for tests of failing saves. While a DiskFullAfter lives, no file the
// process writes may grow beyond the given size: the kernel refuses the write past it ("file too
// large", which the program reports as Disk full), as a full disk would, and it binds root too.
#include <csignal>
#include <cstdint>
#include <sys/resource.h>

namespace tolv::test {

class DiskFullAfter {
public:
    explicit DiskFullAfter(int64_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        // The write must fail with an error, not end the process with the signal it also raises.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFullAfter()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

} // namespace tolv::test
