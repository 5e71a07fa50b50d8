#include "platform/heap_policy.h"

#include <cstdlib> // defines __GLIBC__ under the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void keepPictureBuffersInHeap() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

} // namespace platform
