#include "collect/NameCopy.h"

#include <string>
#include <string_view>

#include "util/Sjis.h"

void CopyName(char* target, size_t targetSize, const char* source, size_t sourceSize) {
    if (targetSize == 0) return;
    const std::string kept =
        sjis::Truncate(std::string_view(source, strnlen(source, sourceSize)), targetSize - 1);
    std::memset(target, 0, targetSize);
    std::memcpy(target, kept.data(), kept.size());
}
