#pragma once
// Runs a piece of a test in a child process whose address space is limited (setrlimit
// RLIMIT_AS), so that allocations of pixel memory fail there as they do when memory runs out.
#include <cstddef>
#include <functional>
#include <string>

namespace kalvo::test {

// False in builds with AddressSanitizer, whose shadow memory does not fit under a limit.
bool MemoryLimitsWork();

// Forks; the child returns the spare pixel block (image/BlockMemory.h), limits its address space
// to what it maps now plus headroom bytes, runs body
// and reports body's text back. Returns that text: empty when every check of body passed, else
// what failed ("killed by signal N" when the child crashed).
std::string RunWithMemoryLimit(std::size_t headroom, const std::function<std::string()>& body);

} // namespace kalvo::test
