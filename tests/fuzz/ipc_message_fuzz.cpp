// A packet from another process on the program's sockets: decoded, and a valid one encoded
// again, which must give the same bytes.

#include "platform/ipc_message.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace morva::platform;
    Message message;
    const DecodeError error = decodeMessage({data, size}, message);
    describe(error);
    if (error == DecodeError::None) {
        const Packet again = encodeMessage(message);
        if (size != again.size() || !std::equal(again.begin(), again.end(), data)) {
            std::abort(); // a valid packet does not encode back to itself
        }
    }
    return 0;
}
