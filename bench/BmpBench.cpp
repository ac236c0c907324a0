// BmpBench: prints the time to load a large BMP through the codec front end,
// to build the cached bitmap, and to draw it (first and cached draws).
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <vector>
#include "RgbBuffer.h"

static double Milliseconds(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// A bottom-up 24-bit BMP with a gradient.
static bool WriteBmp(const char* path, int width, int height)
{
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + (size_t)stride * height, 0);
    unsigned char* h = file.data();
    h[0] = 'B', h[1] = 'M';
    *(DWORD*)(h + 2) = (DWORD)file.size();
    *(DWORD*)(h + 10) = 54;
    *(DWORD*)(h + 14) = 40;
    *(LONG*)(h + 18) = width;
    *(LONG*)(h + 22) = height;
    *(WORD*)(h + 26) = 1;
    *(WORD*)(h + 28) = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            unsigned char* p = h + 54 + (size_t)y * stride + 3 * x;
            p[0] = (unsigned char)x, p[1] = (unsigned char)y, p[2] = (unsigned char)(x + y);
        }
    FILE* out = fopen(path, "wb");
    if (!out)
        return false;
    bool ok = fwrite(file.data(), 1, file.size(), out) == file.size();
    return fclose(out) == 0 && ok;
}

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char path[MAX_PATH];
    wsprintfA(path, "%spixmere_bmpbench_%lu.bmp", temp, GetCurrentProcessId());
    const int width = 4000, height = 3000;
    if (!WriteBmp(path, width, height))
    {
        printf("cannot write %s\n", path);
        return 1;
    }

    CRgbBuffer picture;
    LARGE_INTEGER t0, t1, tb, t2, t3, t4;
    QueryPerformanceCounter(&t0);
    BOOL loaded = picture.LoadRgbBuffer(path, false);
    QueryPerformanceCounter(&t1);
    HBITMAP bitmap = picture.CreateBitmapFromRGB();
    QueryPerformanceCounter(&tb);
    DeleteFileA(path);
    if (!loaded || !bitmap)
    {
        printf("load or bitmap failed\n");
        return 1;
    }
    DeleteObject(bitmap);

    HDC screen = GetDC(NULL);
    CDC dc;
    dc.Attach(CreateCompatibleDC(screen));
    HBITMAP target = CreateCompatibleBitmap(screen, 1280, 1024);
    HGDIOBJ old = SelectObject(dc.m_hDC, target);
    CRect rect(0, 0, 1280, 1024);
    picture.DeleteInternalBitmap();
    QueryPerformanceCounter(&t2);
    picture.Draw(&dc, rect, NULL); // builds the cached bitmap
    QueryPerformanceCounter(&t3);
    const int draws = 20;
    for (int i = 0; i < draws; ++i)
        picture.Draw(&dc, rect, NULL);
    QueryPerformanceCounter(&t4);
    SelectObject(dc.m_hDC, old);
    DeleteDC(dc.Detach());
    DeleteObject(target);
    ReleaseDC(NULL, screen);

    printf("BMP %d x %d (24 bit, %.1f MB)\n", width, height, width * 3.0 * height / 1e6);
    printf("  LoadRgbBuffer        %8.1f ms\n", Milliseconds(t0, t1));
    printf("  CreateBitmapFromRGB  %8.1f ms\n", Milliseconds(t1, tb));
    printf("  first Draw 1280x1024 %8.1f ms (includes CreateBitmapFromRGB)\n", Milliseconds(t2, t3));
    printf("  cached Draw          %8.2f ms each\n", Milliseconds(t3, t4) / draws);
    return 0;
}
