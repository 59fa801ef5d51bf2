#include "tests/driver/Capture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "tests/driver/WindowQuery.h"

namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    Image ToImage() const {
        GdiFlush();
        Image image{width_, height_, {}};
        const auto* first = static_cast<const uint32_t*>(bits_);
        image.pixels.assign(first, first + static_cast<size_t>(width_) * height_);
        for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
        return image;
    }

  private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

Image RenderIcon(HICON icon, int width, int height, uint32_t background) {
    Canvas canvas(width, height);
    HBRUSH brush =
        CreateSolidBrush(RGB(background >> 16 & 0xFF, background >> 8 & 0xFF, background & 0xFF));
    RECT all{0, 0, width, height};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
    DrawIconEx(canvas.dc(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    return canvas.ToImage();
}

long long Difference(const Image& a, const Image& b) {
    long long sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift : {0, 8, 16}) {
            sum += std::abs(static_cast<int>(a.pixels[i] >> shift & 0xFF) -
                            static_cast<int>(b.pixels[i] >> shift & 0xFF));
        }
    }
    return sum;
}

struct StandardIcon {
    LPCWSTR id;
    const wchar_t* name;
};
const StandardIcon kStandardIcons[] = {
    {IDI_INFORMATION, L"information"},
    {IDI_WARNING, L"exclamation"},
    {IDI_QUESTION, L"question"},
    {IDI_ERROR, L"error"},
};

}  // namespace

Image CaptureScreen(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    ScreenDc screen;
    Canvas canvas(width, height);
    BitBlt(canvas.dc(), 0, 0, width, height, screen.dc, area.left, area.top, SRCCOPY);
    return canvas.ToImage();
}

bool SaveBmp(const Image& image, const std::wstring& path) {
    const int rowBytes = (image.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = rowBytes * image.height;
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<char> row(rowBytes, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.pixels[static_cast<size_t>(y) * image.width + x];
            row[x * 3] = static_cast<char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<char>(p >> 8 & 0xFF);
            row[x * 3 + 2] = static_cast<char>(p >> 16 & 0xFF);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

std::wstring MessageBoxIconName(HWND box) {
    HWND iconStatic = GetDlgItem(box, kMessageIconId);
    if (!iconStatic || !IsWindowVisible(iconStatic)) return L"none";
    RECT area;
    GetWindowRect(iconStatic, &area);
    const Image shown = CaptureScreen(area);
    if (shown.pixels.empty()) return L"none";

    const wchar_t* best = L"none";
    long long bestDifference = std::numeric_limits<long long>::max();
    for (const StandardIcon& icon : kStandardIcons) {
        const Image candidate =
            RenderIcon(LoadIconW(nullptr, icon.id), shown.width, shown.height, shown.pixels[0]);
        const long long difference = Difference(shown, candidate);
        if (difference < bestDifference) {
            bestDifference = difference;
            best = icon.name;
        }
    }
    return best;
}
