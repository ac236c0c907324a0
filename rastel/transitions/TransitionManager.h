// CTransitionManager: animates the change from one picture to the next as a
// fixed sequence of frames handed to a callback, one transition kind drawn at
// random from the kinds a mask allows.
//
// Contract:
// - Run never changes or keeps the caller's pictures; it centres both on black
//   canvases of the larger width and height, owned by the manager until the
//   next Run, CleanUp or destruction. An empty buffer stands for black.
// - Each frame is a canvas of the common size owned by the engine; the callback
//   may read, draw or convert it (releasing a cached bitmap it made), must not
//   keep the pointer and must not change its size or pixels: the next frame is
//   built on this one. A non-zero callback result asks for the next frame, 0
//   cancels.
// - The target itself is never delivered: callers show it after Run returns.
// - Results: 1 when the transition ran to its end, 0 when cancelled, refused
//   (null callback, no pixels, no allowed kind) or out of memory. Nothing throws.
#pragma once

#include "Framework.h"
#include "RastelApi.h"
#include "RgbBuffer.h"

struct TRANSITION
{
    int id;
    const char* name;
    int flag; // 0 for "Fading", 1 for the kinds that apply the fluctuation
};

enum enumTransitionType
{
    TRANSITION_FADING = 0,
    TRANSITION_SLIDER,
    TRANSITION_SHUTTER,
    TRANSITION_SLIDER_ADVANCED,
    TRANSITION_SHUTTER_ADVANCED,
    TRANSITION_TURN_LEFT_RIGHT,
    TRANSITION_SHUT_LEFT_RIGHT,
    TRANSITION_SHUT_VERTICAL,
    TRANSITION_SHUT_HORIZONTAL,
    TRANSITION_TURN,
    TRANSITION_DIAMOND,
    TRANSITION_SQUARE,
    TRANSITION_CIRCLE,
    TRANSITION_COUNT,
    TRANSITION_NONE = 14 // drawn when the mask allows no kind: runs nothing
};

typedef int (*TRANSITIONCALLBACK)(void* userData, CRgbBuffer* frame);
// Shape of the half and quarter effects: (row, W / 2, H / 2, step 0..100,
// effect parameter) -> edge offset (half) or half-width (quarter).
typedef int (*TRANSITIONSHAPE)(int i, int e, int h, int c, double x);

class RASTEL_API CTransitionManager
{
public:
    static TRANSITION m_Transitions[TRANSITION_COUNT];

    CTransitionManager();
    // Copies get canvases of their own, so that each manager frees only its own.
    CTransitionManager(const CTransitionManager& other);
    CTransitionManager& operator=(const CTransitionManager& other);
    virtual ~CTransitionManager();

    int Run(CRgbBuffer* from, CRgbBuffer* to, UINT transitionMask, TRANSITIONCALLBACK callback,
            void* userData, double effectParameter, int amplitude);

    // The random source of every draw of the engine and its effects, and the
    // seeding that Run does from the time in seconds. Null restores the C
    // runtime's rand() and srand(). The source must return values 0..32767.
    // Process-wide, like rand() itself: tests use it to fix a sequence.
    typedef int (*RANDOMSOURCE)();
    typedef void (*RANDOMSEED)(unsigned seed);
    static void SetRandomSource(RANDOMSOURCE random, RANDOMSEED seed);

    // Shape functions of the half and quarter effects.
    static int functionHalfTurnLeftRight(int i, int e, int h, int c, double x);
    static int functionHalfShutLeftRight(int i, int e, int h, int c, double x);
    static int functionQuarterShutVert(int i, int e, int h, int c, double x);
    static int functionQuarterShutHorz(int i, int e, int h, int c, double x);
    static int functionQuarterTurnDownUp(int i, int e, int h, int c, double x);
    static int functionQuarterDiamondInOut(int i, int e, int h, int c, double x);
    static int functionQuarter2SquaresInOut(int i, int e, int h, int c, double x);
    static int functionQuarterSquareInOut(int i, int e, int h, int c, double x);
    static int functionQuarterCircleInOut(int i, int e, int h, int c, double x);
    static int functionQuarter2UDCirclesInOut(int i, int e, int h, int c, double x);
    static int functionQuarter2RLCirclesInOut(int i, int e, int h, int c, double x);

protected:
    CRgbBuffer* m_pFrom; // working canvas: the current picture, changed by the fading effects
    CRgbBuffer* m_pTo;   // target canvas, only read
    TRANSITIONCALLBACK m_pCallback;
    void* m_pUserData;
    double m_EffectParameter;
    int m_Amplitude;

    void CleanUp();
    int _RunTransition(enumTransitionType kind);
    int fluctuation(int mode, int amplitude, int position, int length, int step);
    static int Random();

    // Geometric effects (101 frames each).
    int DoPointTransition(bool slide, int amplitude, int mode);
    int DoCurveTransition(bool slide, bool fromLeft, int amplitude, int mode);
    int DoHalfTransition(TRANSITIONSHAPE shape, int amplitude, int mode, int dir);
    int DoQuarterTransition(TRANSITIONSHAPE shape, int amplitude, int mode, int dir);

    // Fading effects (32 to 128 frames), in place on m_pFrom.
    int DoFadingTransparentTransition();
    int DoFadingAirBrushTransition();
    int DoFadingWindowTransition();
    int DoFadingColorTransition();
    int DoFadingBlurTransition();
    int DoFadingBrushTransition();
    int DoShiftColorsTransition();
    int DoFadingNegativeTransition();
    int DoFadingGrayscaleTransition();
    int DoMosaicTransition();

private:
    int Deliver(CRgbBuffer* frame);
    // Geometric effects on canvases under two rows: the target at every frame.
    int DeliverTargetFrames();
    // Fading helpers. BlendPhase moves m_pFrom from start toward goal (both
    // 3 * N bytes) in `frames` frames (32 or 64), delivering each one.
    int BlendPhase(const BYTE* start, const BYTE* goal, int frames);
    // One random pass replacing pixels first .. end - 1 with the target's.
    void ReplacePass(int first, int end, int divisor);
    // The closing 16 frames shared by three effects: random replacement passes.
    int ReplacePhase();
    // The closing 24 frames of the blur and brush effects: replacement passes
    // over every pixel with divisors max(k, minimum) for k = 23 down to 0.
    int ReplaceCountdown(int minimum);
};
