// Feeds arbitrary bytes to the SUPPORT.INF reader as the file's contents. The buffer is
// exactly as large as the one the program reads into, so any step past its end is
// caught. The first byte chooses where the rest goes: at the start (a short file, 0xFF
// behind it) or ending at the buffer's last byte (the tail of a file that fills the
// buffer, no 0xFF anywhere behind the data).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "report/ClSupportInfo.h"
#include "report/SupportText.h"
#include "util/Sjis.h"

namespace {

constexpr std::string_view kKeys[] = {kSupportProductNameKey, kSupportProductVersionKey,
                                      kSupportInquiryKey, kSupportReproductionKey};

// A value holds whole characters only, within the bound, and no terminator.
void CheckValue(const CString& value) {
    const std::string& bytes = value.str();
    if (bytes.size() > ClSupportInfo::kValueLimit) std::abort();
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0 || byte == kSupportUnread) std::abort();
        if (sjis::IsLeadByte(byte) && ++i == bytes.size()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool fillsBuffer = data[0] & 1;
    const size_t length = std::min(size - 1, ClSupportInfo::kBufferSize);
    std::vector<unsigned char> buffer(ClSupportInfo::kBufferSize,
                                      fillsBuffer ? 'x' : kSupportUnread);
    std::copy_n(data + 1, length, fillsBuffer ? buffer.end() - length : buffer.begin());
    NormaliseSupportText(buffer.data(), buffer.size());
    for (std::string_view key : kKeys) {
        CheckValue(FindSupportValue(buffer.data(), buffer.size(), key, ClSupportInfo::kValueLimit));
    }
    return 0;
}
