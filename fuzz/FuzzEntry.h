#pragma once

// Each fuzz target is an ordinary function over a byte string. Built for
// libFuzzer (scripts/fuzz) it becomes the program's LLVMFuzzerTestOneInput;
// built into the corpus test (TIRAVO_FUZZ_CORPUS) it is registered under its
// name, so every target's corpus runs in the ordinary test suite and a fault
// once found cannot come back unnoticed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace tiravo::fuzz {

using Entry = void (*)(const std::uint8_t* data, std::size_t size);

// A property a target checks was broken by an input.
struct Broken : std::logic_error {
    using std::logic_error::logic_error;
};

// Fails the input: the fuzzer stops on it, the corpus test reports it.
[[noreturn]] void fail(const std::string& what);

inline void require(bool holds, const char* what) {
    if (!holds)
        fail(what);
}

#ifdef TIRAVO_FUZZ_CORPUS
bool registerEntry(const char* name, Entry entry);
#endif

} // namespace tiravo::fuzz

#ifdef TIRAVO_FUZZ_CORPUS
#define TIRAVO_FUZZ_TARGET(name, function)                                                         \
    [[maybe_unused]] static const bool registered_##function =                                     \
        ::tiravo::fuzz::registerEntry(name, function);
#else
#define TIRAVO_FUZZ_TARGET(name, function)                                                         \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        function(data, size);                                                                      \
        return 0;                                                                                  \
    }                                                                                              \
    [[noreturn]] void ::tiravo::fuzz::fail(const std::string& what) {                              \
        std::fprintf(stderr, "fuzz target %s: %s\n", name, what.c_str());                          \
        std::abort();                                                                              \
    }
#endif
