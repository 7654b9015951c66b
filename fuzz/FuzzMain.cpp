// One libFuzzer program per target: Z9_FUZZ_TARGET names the target's function.
#include "fuzz/FuzzTarget.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    z9::fuzz::Z9_FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
