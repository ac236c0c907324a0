// ViewerBench [FOLDER]: how fast a real viewer window shows camera-size
// photos. It writes a folder of baseline and progressive JPEGs (or uses the
// photo*.jpg of FOLDER), opens each in a viewer window and steps through the
// folder, and prints with the native djpeg's whole decode of the same files,
// measured in the same run:
// - opening to the end of the view's first paint (the EXIF thumbnail or
//   another first look where the photo has one: the picture is on the
//   screen), and its ratio to djpeg (aim: <= 0.3);
// - opening to the end of the whole window's first paint (tool bar and
//   frame too), and its ratio to djpeg;
// - opening to the paint of the picture decoded for the window (the final
//   one in best fit), and its ratio to djpeg;
// - a step to the paint of the next picture read ahead, and without reading
//   ahead (aim: the read-ahead step within one transition frame + 20 ms);
// - what a step cost when it decoded the whole picture (decode and best fit).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <stdio.h>
#include <algorithm>
#include <string>
#include <vector>
#include "BenchClock.h"
#include "Framework.h"
#include "CFrameWnd.h"
#include "CWinThread.h"
#include "RgbBuffer.h"
#include "ViewerApp.h"
#include "ViewerView.h"
#include "ViewerPictures.h"
#include "resource.h"
#include "ThumbBenchPhotos.h"

namespace
{
const int Runs = 3; // each figure is the best of this many (the machine is shared)

void Pump(DWORD milliseconds)
{
    DWORD end = GetTickCount() + milliseconds;
    do
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(2);
    } while ((LONG)(end - GetTickCount()) > 0);
}

// Best whole-decode time in seconds of the native djpeg for each file, or -1.
std::vector<double> NativeDecodeTimes(const std::string& temp, const std::vector<std::string>& files)
{
    std::vector<double> times(files.size(), -1);
    std::string result = temp + "\\viewer_bench_djpeg.txt";
    DeleteFileA(result.c_str());
    std::string unixResult = native_tool::UnixPath(result);
    if (unixResult.empty())
        return times;
    std::string text = "out=" + native_tool::ShellQuote(unixResult) + "\n: > \"$out\"\n";
    for (const std::string& file : files)
        text += "for i in $(seq " + std::to_string(Runs) + "); do\n"
                "  a=$(date +%s%N); djpeg -outfile /dev/null " + native_tool::ShellQuote(native_tool::UnixPath(file)) +
                "\n  b=$(date +%s%N); echo $((b - a)) >> \"$out\"\ndone\n";
    native_tool::RunShell(text, 300000);
    if (FILE* in = fopen(result.c_str(), "rb"))
    {
        for (size_t i = 0; i < files.size(); ++i)
            for (int r = 0; r < Runs; ++r)
            {
                long long ns = 0;
                if (fscanf(in, "%lld", &ns) == 1 && (times[i] < 0 || ns / 1e9 < times[i]))
                    times[i] = ns / 1e9;
            }
        fclose(in);
    }
    DeleteFileA(result.c_str());
    return times;
}

// The end of the first paint of a viewer view since the hook was reset.
double g_viewPainted = -1;

LRESULT CALLBACK PaintHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* sent = (const CWPRETSTRUCT*)lParam;
    if (code == HC_ACTION && sent->message == WM_PAINT && g_viewPainted < 0 &&
        dynamic_cast<CViewerView*>(CWnd::FromHandlePermanent(sent->hwnd)))
        g_viewPainted = Now();
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// Pumps the thread's messages until the view shows more than a first look
// and has painted it; the time since start in seconds, or -1 after 20 s.
double WaitForFinalPaint(CViewerView* view, double start)
{
    DWORD end = GetTickCount() + 20000;
    while ((LONG)(end - GetTickCount()) > 0)
    {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!view->m_bPreviewShown && !GetUpdateRect(view->m_hWnd, NULL, FALSE))
            return Now() - start;
        MsgWaitForMultipleObjects(0, NULL, FALSE, 1, QS_ALLINPUT);
    }
    return -1;
}

// A viewer frame as the program makes it, closed when the object goes.
class Viewer
{
public:
    explicit Viewer(const std::string& path)
    {
        CViewerApp* app = GetViewerApp();
        app->StartViewer(("\"" + path + "\"").c_str());
        m_frame = dynamic_cast<CFrameWnd*>(app->m_pMainWnd);
        m_view = m_frame ? dynamic_cast<CViewerView*>(m_frame->GetActiveView()) : NULL;
        if (m_view)
            m_view->UpdateWindow(); // the first paint
    }
    ~Viewer()
    {
        if (m_frame && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        GetViewerApp()->m_pMainWnd = NULL;
        Pump(20);
    }
    CViewerView* View() const { return m_view; }
    void Command(UINT id) { m_frame->SendMessage(WM_COMMAND, id, 0); }

private:
    CFrameWnd* m_frame = NULL;
    CViewerView* m_view = NULL;
};

struct Figures
{
    std::string name;
    CSize size;
    const char* firstLook = "-";
    bool progressive = false;
    double djpeg = -1, viewPaint = -1, firstPaint = -1, finalPaint = -1, stepReady = -1, stepUnready = -1, wholeStep = -1, windowDecode = -1,
           eighthDecode = -1;
};

void KeepBest(double& best, double t)
{
    if (best < 0 || t < best)
        best = t;
}
}

int main(int argc, char** argv)
{
    static CViewerApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    AfxSetThread(&app);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    OleInitialize(NULL);

    char tempPath[MAX_PATH];
    GetTempPathA(MAX_PATH, tempPath);
    std::string temp = tempPath;
    if (!temp.empty() && temp.back() == '\\')
        temp.pop_back();
    std::vector<std::string> files;
    if (argc > 1)
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((std::string(argv[1]) + "\\photo*.jpg").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
                files.push_back(std::string(argv[1]) + "\\" + found.cFileName);
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
    }
    else
    {
        // 18 and 12 megapixels, as cameras and phones make them; every second
        // file progressive.
        std::vector<SIZE> sizes = {{4896, 3672}, {4000, 3000}};
        files = thumb_bench::MakePhotos(temp + "\\viewer_bench_photos", "photo", 6, sizes, 90);
    }
    std::sort(files.begin(), files.end());
    if (files.size() < 2)
    {
        printf("ViewerBench: no photos\n");
        return 1;
    }
    std::vector<double> native = NativeDecodeTimes(temp, files);
    // The view's paints that UpdateWindow sends, as they end.
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, PaintHook, NULL, GetCurrentThreadId());

    // No transitions: a step is the change of picture alone.
    app.WriteProfileInt("Settings", "Viewer_Transition", 0);
    std::vector<Figures> figures(files.size());
    for (size_t i = 0; i < files.size(); ++i)
    {
        Figures& f = figures[i];
        f.name = files[i].substr(files[i].rfind('\\') + 1);
        f.djpeg = native[i];
        f.progressive = ViewerPictures::IsProgressiveJpeg(files[i].c_str());
        for (int r = 0; r < Runs; ++r)
        {
            // Opening to the first paint (the frame made, a first look at
            // the picture decoded and drawn), then to the paint of the
            // picture decoded for the window.
            g_viewPainted = -1;
            double start = Now();
            Viewer viewer(files[i]);
            KeepBest(f.firstPaint, Now() - start);
            if (g_viewPainted >= 0)
                KeepBest(f.viewPaint, g_viewPainted - start);
            if (CViewerView* view = viewer.View())
            {
                f.size = view->m_FullSize;
                f.firstLook = view->m_bThumbnailShown ? "thumb" : view->m_bPreviewShown ? "dc" : "window";
                double final = WaitForFinalPaint(view, start);
                if (final >= 0)
                    KeepBest(f.finalPaint, final);
            }
            // The worker goes on with the whole picture; let it finish
            // before the next run.
            if (CViewerView* view = viewer.View())
                view->m_ReadAhead.WaitUntilIdle(60000);
            Pump(20);
        }
        // The decode for the window alone, and the smallest one.
        for (int r = 0; r < Runs; ++r)
        {
            CRgbBuffer picture;
            CSize full;
            double start = Now();
            ViewerPictures::LoadForWindow(files[i].c_str(), CSize(784, 500), picture, full);
            KeepBest(f.windowDecode, Now() - start);
            start = Now();
            ViewerPictures::LoadForWindow(files[i].c_str(), CSize(1, 1), picture, full);
            KeepBest(f.eighthDecode, Now() - start);
        }
        // The whole decode and best fit an old-style step made.
        for (int r = 0; r < Runs; ++r)
        {
            double start = Now();
            CRgbBuffer picture;
            picture.LoadRgbBuffer(files[i].c_str(), false);
            CRgbBuffer* fitted = picture.CreateBestFitRGB(CRect(0, 0, 784, 500));
            delete fitted;
            KeepBest(f.wholeStep, Now() - start);
        }
    }

    // Steps: from each photo to the next, read ahead and not.
    {
        Viewer viewer(files[0]);
        CViewerView* view = viewer.View();
        for (int r = 0; r < Runs; ++r)
            for (size_t i = 0; i < files.size(); ++i)
            {
                size_t next = (i + 1) % files.size();
                view->m_ReadAhead.WaitUntilIdle(60000);
                Pump(10);
                double start = Now();
                viewer.Command(ID_NEXT_PICTURE); // ends with the new picture painted
                KeepBest(figures[next].stepReady, Now() - start);
            }
        for (int r = 0; r < Runs; ++r)
            for (size_t i = 0; i < files.size(); ++i)
            {
                size_t next = (i + 1) % files.size();
                view->m_ReadAhead.WaitUntilIdle(60000);
                Pump(10);
                view->m_ReadAhead.DropAll();
                double start = Now();
                viewer.Command(ID_NEXT_PICTURE);
                KeepBest(figures[next].stepUnready, Now() - start);
            }
    }

    // One transition frame at the window's size, from a slide-show step.
    double frame = -1;
    {
        app.WriteProfileInt("Settings", "Viewer_Transition", 16); // one kind, 101 frames
        Viewer viewer(files[0]);
        CViewerView* view = viewer.View();
        viewer.Command(ID_PLAY_SLIDESHOW);
        view->m_ReadAhead.WaitUntilIdle(60000);
        int before = view->m_TransitionFrames;
        double start = Now();
        view->SendMessage(WM_TIMER, 1, 0);
        double t = Now() - start;
        int frames = view->m_TransitionFrames - before;
        if (frames > 0)
            frame = t / frames;
        viewer.Command(ID_STOP_SLIDESHOW);
        app.WriteProfileInt("Settings", "Viewer_Transition", 0);
    }

    // The frame alone, with a picture that costs nothing to decode.
    double frameAlone = -1;
    {
        std::string tiny = temp + "\\viewer_bench_tiny.bmp";
        CRgbBuffer dot(8, 8);
        dot.SaveTo(tiny.c_str(), CSize(8, 8), 90, true, false);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((temp + "\\viewer_bench_tiny*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            tiny = temp + "\\" + found.cFileName;
            FindClose(search);
        }
        for (int r = 0; r < Runs; ++r)
        {
            double start = Now();
            Viewer viewer(tiny);
            KeepBest(frameAlone, Now() - start);
        }
    }

    printf("%-12s %11s %9s %6s %11s %6s %11s %6s %11s %6s %11s %13s %12s %11s %9s\n", "file", "size", "djpeg",
           "look", "view paint", "ratio", "window", "ratio", "final paint", "ratio", "step ahead", "step unready",
           "whole step", "win decode", "1/8 dec");
    double sumDjpeg = 0, sumView = 0, sumFirst = 0, sumFinal = 0, worstReady = 0;
    for (const Figures& f : figures)
    {
        char size[32];
        sprintf(size, "%dx%d", (int)f.size.cx, (int)f.size.cy);
        char viewRatio[16] = "-", firstRatio[16] = "-", finalRatio[16] = "-";
        if (f.djpeg > 0)
        {
            sprintf(viewRatio, "%.2f", f.viewPaint / f.djpeg);
            sprintf(firstRatio, "%.2f", f.firstPaint / f.djpeg);
            sprintf(finalRatio, "%.2f", f.finalPaint / f.djpeg);
        }
        printf("%-12s %11s %7.1fms %6s %9.1fms %6s %9.1fms %6s %9.1fms %6s %9.1fms %11.1fms %10.1fms %9.1fms %7.1fms\n",
               f.name.c_str(), size, f.djpeg * 1000, f.firstLook, f.viewPaint * 1000, viewRatio, f.firstPaint * 1000,
               firstRatio,
               f.finalPaint * 1000, finalRatio, f.stepReady * 1000, f.stepUnready * 1000, f.wholeStep * 1000,
               f.windowDecode * 1000, f.eighthDecode * 1000);
        if (f.djpeg > 0)
        {
            sumDjpeg += f.djpeg;
            sumView += f.viewPaint;
            sumFirst += f.firstPaint;
            sumFinal += f.finalPaint;
        }
        worstReady = std::max(worstReady, f.stepReady);
    }
    if (sumDjpeg > 0)
    {
        printf("\nView's first paint / djpeg whole decode: %.2f overall (aim <= 0.30)\n", sumView / sumDjpeg);
        printf("Window's first paint / djpeg whole decode: %.2f overall\n", sumFirst / sumDjpeg);
        printf("Final paint / djpeg whole decode: %.2f overall\n", sumFinal / sumDjpeg);
    }
    else
        printf("\nNative djpeg could not be run from here; no ratio.\n");
    // The same ratios by kind of file.
    for (int kind = 0; kind < 2; ++kind)
    {
        double djpeg = 0, view = 0, window = 0, final = 0;
        for (const Figures& f : figures)
            if (f.progressive == (kind == 1) && f.djpeg > 0)
            {
                djpeg += f.djpeg;
                view += f.viewPaint;
                window += f.firstPaint;
                final += f.finalPaint;
            }
        if (djpeg > 0)
            printf("%-11s ratios to djpeg: view paint %.2f, window %.2f, final paint %.2f\n",
                   kind ? "progressive" : "baseline", view / djpeg, window / djpeg, final / djpeg);
    }
    printf("A frame with an 8 x 8 picture opens and paints in %.1f ms.\n", frameAlone * 1000);
    if (frame > 0)
        printf("One transition frame: %.1f ms; slowest step read ahead %.1f ms (aim <= %.1f ms)\n", frame * 1000,
               worstReady * 1000, frame * 1000 + 20);
    if (hook)
        UnhookWindowsHookEx(hook);
    OleUninitialize();
    AfxSetThread(NULL);
    return 0;
}
