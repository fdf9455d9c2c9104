// Counts the calls of the global operator new made by the current thread, so
// a test can check that a call allocates nothing.
#pragma once

#include <cstddef>

std::size_t AllocationsOnThisThread();
