#pragma once

namespace platform {

// Hands the heap's free pages back to the system. The allocator keeps what a large
// answer left behind (the parse of a catalogue of thousands of locations) for later
// use; a client that then sits in the tray for days should not.
void returnFreeHeap();

} // namespace platform
