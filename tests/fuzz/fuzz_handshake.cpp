// Feeds arbitrary bytes to the handshake reader as the command line, cut at the first
// NUL as the program receives it. An accepted line has three commas before the path,
// and the path is the whole rest of the line; a refused line has fewer than three.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/Handshake.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\0'));

    HandshakeFields fields;
    const bool accepted = ParseHandshake(line, fields);
    const auto commas = std::count(line.begin(), line.end(), ',');
    if (accepted != (commas >= 3)) std::abort();
    if (!accepted) {
        if (fields.functionId != kStandAloneFunctionId || !fields.callerPath.empty()) std::abort();
        return 0;
    }
    size_t third = 0;
    for (int i = 0; i < 3; ++i) third = line.find(',', i == 0 ? 0 : third + 1);
    if (fields.callerPath != line.substr(third + 1)) std::abort();
    return 0;
}
