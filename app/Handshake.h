#pragma once
// The command line of a calling application: "window,message,function,path". The
// third comma is required; the path (further commas included) may be empty.

#include <cstdint>
#include <string>
#include <string_view>

// The function number of a run without a caller.
constexpr int16_t kStandAloneFunctionId = 3;

struct HandshakeFields {
    int32_t callerWnd = 0;
    uint32_t notifyMsg = 0;
    int16_t functionId = kStandAloneFunctionId;
    std::string callerPath;
};

// A decimal number as the C runtime's atoi reads it: leading white space skipped, an
// optional sign, digits up to the first other character, 0 without digits. Values out
// of range saturate at the int32 limits, as the Windows runtime's atoi does.
int32_t ParseDecimal(std::string_view text);

// Fills `fields` from the command line; true when the handshake is complete. Fields
// read before the line fell short keep their values. The line is read whole, however
// long: a caller that named its window must always hear the outcome.
bool ParseHandshake(std::string_view line, HandshakeFields& fields);
