// CTransitionSettings: a program's three transition settings, named with its
// prefix ("Viewer" for the viewer, "Movie" for the video creator): the mask
// of allowed kinds (prefix + "_Transition", default 16, any value), the
// fluctuation amplitude ("_Amplitude", 5 to 30, default 30) and its switch
// ("_Fluctuation", 0 or 1, default 0). Like every property, they are read and
// clamped when made and written at every assignment; make a fresh object to
// see changes another window wrote.
#pragma once

#include "Framework.h"
#include "IntProperty.h"

class CTransitionSettings
{
public:
    enum
    {
        DefaultMask = 16,
        MinAmplitude = 5,
        MaxAmplitude = 30,
        DefaultAmplitude = 30
    };

    explicit CTransitionSettings(const CString& prefix)
        : m_Transition(prefix + "_Transition", (unsigned)DefaultMask, 0u, 0xFFFFFFFFu),
          m_Amplitude(prefix + "_Amplitude", DefaultAmplitude, MinAmplitude, MaxAmplitude),
          m_Fluctuation(prefix + "_Fluctuation", 0, 0, 1)
    {
    }

    // The amplitude a transition runs with: 0 while the fluctuation is off.
    int RunAmplitude() const { return m_Fluctuation == 1 ? (int)m_Amplitude : 0; }

    CIntProperty<unsigned> m_Transition;
    CIntProperty<int> m_Amplitude;
    CIntProperty<int> m_Fluctuation;
};
