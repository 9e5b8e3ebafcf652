// Feeds arbitrary bytes to the icon decoder.
#include "fuzz_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fluffo::fuzz::decode_and_check(data, size, "fuzz.ico");
    return 0;
}
