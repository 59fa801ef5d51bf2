#include "app/EnvironmentCheck.h"

#include "app/Handshake.h"
#include "framework/Sys.h"
#include "util/Sjis.h"

namespace {

constexpr const char* kFileName = "QuillmarkDef.ini";
constexpr const char* kSection = "ProgramLevel";
constexpr const char* kProductKey = "QK41";
constexpr const char* kMissingKeyLevel = "1";
constexpr size_t kValueCapacity = 16;  // 15 characters and the terminator
constexpr int kSupportedLevel = 4;

struct LevelText {
    int code;
    const char* message;
};

// The product's name stands as a placeholder in these texts, as they are handed over.
constexpr LevelText kLevelTexts[] = {
    {kLevelMissing,
     "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。"},
    {kLevelHostOlder,
     "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
     "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。"},
    {kLevelComponentOlder,
     "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
     "連動コンポーネントの最新版を入手してインストールしてからご利用ください。"},
};

}  // namespace

std::string DefinitionFilePath(const std::string& directory) {
    std::string path = directory;
    if (!sjis::EndsWithBackslash(path)) path += '\\';
    return path + kFileName;
}

int LevelCodeOf(const std::string& value) {
    if (value.empty()) return kLevelMissing;
    const int level = ParseDecimal(value);
    if (level == kSupportedLevel) return kLevelSupported;
    return level < kSupportedLevel ? kLevelHostOlder : kLevelComponentOlder;
}

int ReadLevelCode(const std::string& path) {
    if (!sys::FileExists(path.c_str())) return kLevelMissing;
    return LevelCodeOf(
        sys::ReadIniString(path.c_str(), kSection, kProductKey, kMissingKeyLevel, kValueCapacity));
}

const char* LevelMessage(int code) {
    for (const LevelText& entry : kLevelTexts) {
        if (entry.code == code) return entry.message;
    }
    return nullptr;
}
