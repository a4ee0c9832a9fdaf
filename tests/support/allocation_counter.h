// Counts the program's heap allocations: the .cpp replaces the global allocation functions, so
// only a test program of its own may link it.
#pragma once

namespace scalora::test {

// Calls of operator new so far.
long allocationCount();

} // namespace scalora::test
