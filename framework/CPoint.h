// CPoint: a POINT with the class library's operators.
#pragma once

#include <windows.h>
#include "CSize.h"

class CPoint : public tagPOINT
{
public:
    CPoint() { x = y = 0; }
    CPoint(int px, int py) { x = px; y = py; }
    CPoint(POINT p) { x = p.x; y = p.y; }
    CPoint(SIZE s) { x = s.cx; y = s.cy; }
    // A point packed in an LPARAM or DWORD (low word x, high word y, signed).
    explicit CPoint(DWORD packed) { x = (short)LOWORD(packed); y = (short)HIWORD(packed); }

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT p) { x += p.x; y += p.y; }
    void SetPoint(int px, int py) { x = px; y = py; }

    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    void operator+=(SIZE s) { x += s.cx; y += s.cy; }
    void operator-=(SIZE s) { x -= s.cx; y -= s.cy; }
    void operator+=(POINT p) { x += p.x; y += p.y; }
    void operator-=(POINT p) { x -= p.x; y -= p.y; }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};
