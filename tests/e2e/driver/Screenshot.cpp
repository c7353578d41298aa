#include "tests/e2e/driver/Screenshot.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "tests/e2e/driver/Bmp.h"

namespace tvdriver {
namespace {

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() {
        if (dc != nullptr) ReleaseDC(nullptr, dc);
    }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc != nullptr) DeleteDC(dc);
    }
};

struct Bitmap {
    HBITMAP handle;
    ~Bitmap() {
        if (handle != nullptr) DeleteObject(handle);
    }
};

struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

bool WriteAll(HANDLE file, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

}  // namespace

bool SaveScreenBmp(const std::wstring& path, std::wstring& error) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    Bitmap bitmap{CreateCompatibleBitmap(screen.dc, width, height)};
    if (screen.dc == nullptr || memory.dc == nullptr || bitmap.handle == nullptr) {
        error = L"no screen to capture";
        return false;
    }
    const HGDIOBJ previous = SelectObject(memory.dc, bitmap.handle);
    const bool copied = BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY | CAPTUREBLT) != 0;
    SelectObject(memory.dc, previous);
    if (!copied) {
        error = L"the screen could not be copied";
        return false;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, the order of the file
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(static_cast<size_t>(BmpRowStride(width)) * static_cast<size_t>(height));
    if (GetDIBits(memory.dc, bitmap.handle, 0, static_cast<UINT>(height), pixels.data(), &info,
                  DIB_RGB_COLORS) != height) {
        error = L"the screen pixels could not be read";
        return false;
    }

    FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        error = L"cannot create " + path;
        return false;
    }
    const std::vector<uint8_t> headers = BmpHeaders24(width, height);
    if (!WriteAll(file.handle, headers.data(), headers.size()) ||
        !WriteAll(file.handle, pixels.data(), pixels.size())) {
        error = L"cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace tvdriver
