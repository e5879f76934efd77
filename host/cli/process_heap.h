// The heap of the pendrel process, set up before anything else runs. A run allocates and frees
// many medium-sized buffers (stage inputs, event records, results); left to its defaults the
// heap hands larger ones out as fresh mappings and gives freed memory back at once, so each run
// touches several megabytes of new pages, four kilobytes at a time. On a virtual machine each
// such page fault costs more than the work that fills the page. Here the heap instead grows in
// large steps that the system is asked to back with huge pages, and keeps what it has.
#pragma once

namespace PendrelHost {

// Call first in main, before any other thread exists. Only a hint to the system and the C
// library: when either declines, everything works as before.
void PrepareProcessHeap();

}  // namespace PendrelHost
