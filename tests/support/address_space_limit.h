#pragma once

#include <cstddef>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace testing_support {

// For its lifetime the process cannot take more than `headroom` bytes of address space beyond what it
// holds: an allocation larger than that fails as it would with the memory used up.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(std::size_t headroom) {
        getrlimit(RLIMIT_AS, &saved_);
        std::size_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit lowered = saved_;
        lowered.rlim_cur = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + headroom;
        setrlimit(RLIMIT_AS, &lowered);
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &saved_); }
    AddressSpaceLimit(const AddressSpaceLimit&) = delete;
    AddressSpaceLimit& operator=(const AddressSpaceLimit&) = delete;

private:
    rlimit saved_{};
};

} // namespace testing_support
