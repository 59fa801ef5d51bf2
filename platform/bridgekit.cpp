#include "platform/bridgekit.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "framework/Sys.h"
#include "platform/BookLoader.h"

using book::Op;
using book::TakeFault;

namespace {

constexpr const char* kBookVariable = "TALLYVALE_BOOK";
constexpr const char* kBookFileName = "TallyvaleBook.json";
constexpr const char* kCaption = "決算書";

// TALLYVALE_BOOK, or the book file in the program's folder.
std::string BookPath() {
    const char* named = std::getenv(kBookVariable);
    if (named && *named) return named;
    const std::string program = sys::ModulePath();
    const size_t separator = program.find_last_of("\\/");
    const std::string folder =
        separator == std::string::npos ? std::string() : program.substr(0, separator + 1);
    return folder + kBookFileName;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(file.get())) return std::nullopt;
    return bytes;
}

void ReportRefusal(HWND owner, const std::string& path, const std::string& problem) {
    const std::string text = "The book " + path + " cannot be used.\n\n" + problem;
    std::fprintf(stderr, "%s\n", text.c_str());
    sys::MessageBox(owner, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

ClAccConnect* ClAccConnect::Inst() {
    static ClAccConnect instance;
    return &instance;
}

void ClAccConnect::SetAppType(int) { TakeFault(Op::AccConnectSetAppType); }

void ClAccConnect::SetUseDataType(int) { TakeFault(Op::AccConnectSetUseDataType); }

int ClAccConnect::Initiate() {
    const std::string path = BookPath();
    const std::optional<std::string> bytes = ReadWholeFile(path);
    book::ParseResult result =
        bytes ? book::ParseBook(*bytes) : book::ParseResult{nullptr, "The file cannot be read."};
    if (!result.book) {
        ReportRefusal(ownerWnd, path, result.problem);
        return kLibBookRefused;
    }
    const int initiate = result.book->connectionInitiate;
    book::Install(std::move(result.book));
    if (auto fault = TakeFault(Op::AccConnectInitiate)) return *fault;
    return initiate;
}

int ClAccConnect::ExpSysLink() {
    if (auto fault = TakeFault(Op::AccConnectExpSysLink)) return *fault;
    return book::Current().connectionLink;
}

int ClAccConnect::DispMsg(HWND owner, const char* text, const char* boxCaption, UINT type) {
    if (auto fault = TakeFault(Op::AccConnectDispMsg)) return *fault;
    return sys::MessageBox(owner, text ? text : "", boxCaption ? boxCaption : caption, type);
}

void ClAccConnect::LogOut() { TakeFault(Op::AccConnectLogOut); }

void ClAccConnect::Terminate() { TakeFault(Op::AccConnectTerminate); }

void ClAccConnect::Release() { TakeFault(Op::AccConnectRelease); }
