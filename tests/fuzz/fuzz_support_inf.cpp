// Feeds arbitrary bytes to the SUPPORT.INF reader as the file's contents. The buffer is
// exactly as large as the one the program reads into, so a file that fills it leaves
// no 0xFF behind the data and any step past its end is caught.

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
    std::vector<unsigned char> buffer(ClSupportInfo::kBufferSize, kSupportUnread);
    std::copy_n(data, std::min(size, buffer.size()), buffer.begin());
    NormaliseSupportText(buffer.data(), buffer.size());
    for (std::string_view key : kKeys) {
        CheckValue(FindSupportValue(buffer.data(), buffer.size(), key, ClSupportInfo::kValueLimit));
    }
    return 0;
}
