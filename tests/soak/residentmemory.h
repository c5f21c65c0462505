#pragma once

// The resident set size of this process in kilobytes, as /proc/self/status gives it (VmRSS), or
// -1 where it cannot be read.
long residentKilobytes();

// Bytes of the heap that malloc has handed out and not yet got back: unlike the resident size
// it does not move with fragmentation or with pages the allocator keeps for later. -1 where
// the allocator does not tell (under a sanitizer).
long heapInUseKilobytes();
