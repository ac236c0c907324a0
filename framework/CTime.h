// CTime and CTimeSpan: a point in time as seconds since 1970 (64-bit), and a
// difference of two, with the class library's accessors in local time.
#pragma once

#include <windows.h>
#include <time.h>
#include "CString.h"
#include "FrameworkApi.h"

class FRAMEWORK_API CTimeSpan
{
public:
    CTimeSpan() : m_span(0) {}
    CTimeSpan(__int64 seconds) : m_span(seconds) {}
    CTimeSpan(long days, int hours, int minutes, int seconds)
        : m_span(((__int64)days * 24 * 3600) + hours * 3600 + minutes * 60 + seconds) {}

    __int64 GetTotalSeconds() const { return m_span; }
    __int64 GetTotalMinutes() const { return m_span / 60; }
    __int64 GetTotalHours() const { return m_span / 3600; }
    __int64 GetDays() const { return m_span / (24 * 3600); }

    bool operator==(CTimeSpan o) const { return m_span == o.m_span; }
    bool operator<(CTimeSpan o) const { return m_span < o.m_span; }
    bool operator>(CTimeSpan o) const { return m_span > o.m_span; }

private:
    __int64 m_span;
};

class FRAMEWORK_API CTime
{
public:
    CTime() : m_time(0) {}
    CTime(__time64_t t) : m_time(t) {}
    // Local time; fields as in struct tm but with the real year and month 1..12.
    CTime(int year, int month, int day, int hour, int minute, int second);
    CTime(const FILETIME& fileTime);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime formatting in local time.
    CString Format(LPCSTR format) const;

    bool operator==(CTime o) const { return m_time == o.m_time; }
    bool operator!=(CTime o) const { return m_time != o.m_time; }
    bool operator<(CTime o) const { return m_time < o.m_time; }
    bool operator>(CTime o) const { return m_time > o.m_time; }
    bool operator<=(CTime o) const { return m_time <= o.m_time; }
    bool operator>=(CTime o) const { return m_time >= o.m_time; }
    CTimeSpan operator-(CTime o) const { return CTimeSpan(m_time - o.m_time); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTotalSeconds()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTotalSeconds()); }

private:
    bool Local(struct tm* out) const;
    __time64_t m_time;
};
