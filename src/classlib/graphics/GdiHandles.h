// Owners of GDI resources, so that every object the graphics classes create
// is deleted and every selection into a device context is undone, on every
// path, exceptions included.
#pragma once

#include <windows.h>

#include <utility>

// Owns a GDI object (bitmap, brush, pen, font, region, palette) and deletes it.
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(HGDIOBJ handle) : FHandle(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(TGdiObject&& other) noexcept : FHandle(std::exchange(other.FHandle, nullptr)) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            FHandle = std::exchange(other.FHandle, nullptr);
        }
        return *this;
    }

    HGDIOBJ Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    void Reset()
    {
        if (FHandle != nullptr)
            DeleteObject(FHandle);
        FHandle = nullptr;
    }

private:
    HGDIOBJ FHandle = nullptr;
};

// Owns a memory device context (CreateCompatibleDC) and deletes it.
class TMemoryDC {
public:
    // Compatible with `reference`, or with the screen when it is null.
    explicit TMemoryDC(HDC reference = nullptr) : FHandle(CreateCompatibleDC(reference)) {}
    ~TMemoryDC()
    {
        if (FHandle != nullptr)
            DeleteDC(FHandle);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Get() const { return FHandle; }

private:
    HDC FHandle;
};

// The screen's device context for the lifetime of the object.
class TScreenDC {
public:
    TScreenDC() : FHandle(GetDC(nullptr)) {}
    ~TScreenDC()
    {
        if (FHandle != nullptr)
            ReleaseDC(nullptr, FHandle);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;

    HDC Get() const { return FHandle; }

private:
    HDC FHandle;
};

// Selects an object into a device context and puts the previous one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : FDC(dc), FOld(SelectObject(dc, object)) {}
    ~TSelection()
    {
        if (FOld != nullptr && FOld != HGDI_ERROR)
            SelectObject(FDC, FOld);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// Sets a device context's stretch mode and restores the previous one.
class TStretchMode {
public:
    TStretchMode(HDC dc, int mode) : FDC(dc), FOld(SetStretchBltMode(dc, mode)) {}
    ~TStretchMode()
    {
        if (FOld != 0)
            SetStretchBltMode(FDC, FOld);
    }
    TStretchMode(const TStretchMode&) = delete;
    TStretchMode& operator=(const TStretchMode&) = delete;

private:
    HDC FDC;
    int FOld;
};
