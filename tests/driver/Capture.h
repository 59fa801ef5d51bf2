#pragma once
// Pictures of the screen: screenshots of windows saved as BMP files, and telling which
// standard icon a message box shows by comparing its pixels with the system icons.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first
};

Image CaptureScreen(const RECT& area);
bool SaveBmp(const Image& image, const std::wstring& path);

// "information", "exclamation", "question", "error", or "none" when the icon is hidden.
std::wstring MessageBoxIconName(HWND box);
