// Whatever a program sends the simulated camera, it answers without crashing: its line framing
// and every command handler see the bytes. One camera lives across the inputs, as a running
// simulator does, so that settings made by one input meet the queries of the next.
#include "SimSession.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static SimSession session{SimOptions{}};
    session.OnBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
