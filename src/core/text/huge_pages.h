// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buffers the size of a whole library (the text, its sentence table) are filled
// once, front to back, right after they are allocated. Every 4 KiB page of a fresh
// buffer costs a page fault on its first write, and on a virtual machine a fault
// costs several microseconds: the faults of a 96 MB text alone took longer than
// reading it. Asking the kernel for 2 MiB pages where the buffer allows them takes
// 512 times fewer faults. Only a hint: where the system has no such pages, or
// keeps them for programs that ask (the usual setting), nothing else changes.
#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace varnelio {

// Below this, the faults saved do not pay for the call.
inline constexpr std::size_t kHugePageWorthwhile = std::size_t{4} << 20;

// Advises huge pages for the bytes [data, data + size) of a buffer not yet written.
inline void adviseHugePages(const void* data, std::size_t size) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (size < kHugePageWorthwhile) return;
  // The pages that hold the buffer; they belong to its allocation, which for this
  // size is a mapping of its own.
  static const auto kPage = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data) & ~(kPage - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + size + kPage - 1) & ~(kPage - 1);
  ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

}  // namespace varnelio
