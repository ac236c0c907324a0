// The steps of a picture's history and the pixel patches they keep.
#include "EditSteps.h"
#include <string.h>
#include <algorithm>
#include "RgbBuffer.h"
#include "GlintfixDoc.h"

void CPixelPatch::Take(const CRgbBuffer& picture, const CRect& rect)
{
    m_Rect.SetRect(std::max<long>(rect.left, 0), std::max<long>(rect.top, 0),
                   std::min<long>(rect.right, picture.m_Width), std::min<long>(rect.bottom, picture.m_Height));
    m_Pixels.clear();
    if (m_Rect.left >= m_Rect.right || m_Rect.top >= m_Rect.bottom || !picture.m_Buffer)
    {
        m_Rect.SetRect(0, 0, 0, 0);
        return;
    }
    size_t row = (size_t)m_Rect.Width() * 3;
    m_Pixels.resize(row * m_Rect.Height());
    for (int y = m_Rect.top; y < m_Rect.bottom; ++y)
        memcpy(&m_Pixels[row * (y - m_Rect.top)], picture.m_Buffer + 3 * ((size_t)y * picture.m_Width + m_Rect.left),
               row);
}

void CPixelPatch::Put(CRgbBuffer& picture) const
{
    if (m_Pixels.empty() || !picture.m_Buffer || m_Rect.right > picture.m_Width || m_Rect.bottom > picture.m_Height)
        return;
    size_t row = (size_t)m_Rect.Width() * 3;
    for (int y = m_Rect.top; y < m_Rect.bottom; ++y)
        memcpy(picture.m_Buffer + 3 * ((size_t)y * picture.m_Width + m_Rect.left), &m_Pixels[row * (y - m_Rect.top)],
               row);
    picture.DeleteInternalBitmap();
}

CRect CPixelPatch::Differences(const CRgbBuffer& a, const CRgbBuffer& b, const CRect& within)
{
    CRect found(0, 0, 0, 0);
    if (!a.m_Buffer || !b.m_Buffer || a.m_Width != b.m_Width || a.m_Height != b.m_Height)
        return found;
    int left = std::max<long>(within.left, 0), top = std::max<long>(within.top, 0);
    int right = std::min<long>(within.right, a.m_Width), bottom = std::min<long>(within.bottom, a.m_Height);
    bool any = false;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
        {
            size_t at = 3 * ((size_t)y * a.m_Width + x);
            if (memcmp(a.m_Buffer + at, b.m_Buffer + at, 3) == 0)
                continue;
            if (!any)
                found.SetRect(x, y, x + 1, y + 1);
            found.left = std::min<long>(found.left, x);
            found.right = std::max<long>(found.right, x + 1);
            found.bottom = y + 1;
            any = true;
        }
    return found;
}

namespace
{
class CRegionStep : public CEditStep
{
public:
    CRegionStep(const CEditState& was, const CEditState& is, const CPixelPatch& before, const CRgbBuffer& working)
        : CEditStep(was, is)
    {
        // Only the part the click really changed is kept.
        CRect changed(0, 0, 0, 0);
        if (before.Bytes())
        {
            CRgbBuffer old(working);
            before.Put(old);
            changed = CPixelPatch::Differences(old, working, before.Rect());
            m_Before.Take(old, changed);
        }
        m_After.Take(working, changed);
    }
    void Undo(CGlintfixDoc& doc) override
    {
        m_Before.Put(*doc.m_pWorking);
        doc.SetState(CEditStep::m_Before);
    }
    void Redo(CGlintfixDoc& doc) override
    {
        m_After.Put(*doc.m_pWorking);
        doc.SetState(CEditStep::m_After);
    }
    size_t Bytes() const override { return m_Before.Bytes() + m_After.Bytes(); }

private:
    CPixelPatch m_Before, m_After;
};

class CTurnStep : public CEditStep
{
public:
    CTurnStep(const CEditState& state, EditSteps::Transform transform) : CEditStep(state, state), m_Transform(transform)
    {
    }
    void Undo(CGlintfixDoc& doc) override
    {
        static const EditSteps::Transform inverse[] = {EditSteps::RotateCounterClockwise, EditSteps::RotateClockwise,
                                                       EditSteps::FlipHorizontal, EditSteps::FlipVertical};
        EditSteps::TransformBoth(doc, inverse[m_Transform]);
    }
    void Redo(CGlintfixDoc& doc) override { EditSteps::TransformBoth(doc, m_Transform); }

private:
    EditSteps::Transform m_Transform;
};

class CRebuildStep : public CEditStep
{
public:
    CRebuildStep(CGlintfixDoc& doc, const CEditState& was, const CEditState& is, CRgbBuffer* previous)
        : CEditStep(was, is)
    {
        // What the earlier working picture held beyond its colours (red-eye
        // fixes) is kept as the rectangle where it differs from a rebuild.
        CRgbBuffer* rebuilt = doc.MakeWorking(was);
        if (rebuilt && previous)
            m_Extra.Take(*previous, CPixelPatch::Differences(*rebuilt, *previous,
                                                             CRect(0, 0, previous->m_Width, previous->m_Height)));
        delete rebuilt;
        delete previous;
    }
    void Undo(CGlintfixDoc& doc) override
    {
        doc.SetWorking(doc.MakeWorking(CEditStep::m_Before));
        m_Extra.Put(*doc.m_pWorking);
        doc.SetState(CEditStep::m_Before);
    }
    void Redo(CGlintfixDoc& doc) override
    {
        doc.SetWorking(doc.MakeWorking(CEditStep::m_After));
        doc.SetState(CEditStep::m_After);
    }
    size_t Bytes() const override { return m_Extra.Bytes(); }

private:
    CPixelPatch m_Extra;
};

// Holds the pair of pictures the document does not: the ones before the
// save while the file's are shown, and the file's while an undo went past it.
class CReloadStep : public CEditStep
{
public:
    CReloadStep(const CEditState& was, CRgbBuffer* base, CRgbBuffer* working)
        : CEditStep(was, was), m_pBase(base), m_pWorking(working)
    {
    }
    ~CReloadStep() override
    {
        delete m_pBase;
        delete m_pWorking;
    }
    void Undo(CGlintfixDoc& doc) override { Swap(doc); }
    void Redo(CGlintfixDoc& doc) override { Swap(doc); }
    size_t Bytes() const override
    {
        return ((size_t)m_pBase->m_Width * m_pBase->m_Height + (size_t)m_pWorking->m_Width * m_pWorking->m_Height) * 3;
    }
    bool IsTransparent() const override { return true; }

private:
    CRgbBuffer* m_pBase;
    CRgbBuffer* m_pWorking;
    void Swap(CGlintfixDoc& doc)
    {
        std::swap(doc.m_pBase, m_pBase);
        std::swap(doc.m_pWorking, m_pWorking);
        doc.m_pWorking->DeleteInternalBitmap();
        CEditState shown = doc.State();
        doc.SetState(CEditStep::m_Before);
        CEditStep::m_Before = CEditStep::m_After = shown;
    }
};
}

namespace EditSteps
{
CEditStep* Region(const CEditState& was, const CEditState& is, const CPixelPatch& before, const CRgbBuffer& working)
{
    return new CRegionStep(was, is, before, working);
}

CEditStep* Turn(const CEditState& state, Transform transform) { return new CTurnStep(state, transform); }

bool TransformBoth(CGlintfixDoc& doc, Transform transform)
{
    static CRgbBuffer* (CRgbBuffer::*const kinds[])() const = {&CRgbBuffer::Rotate90RGB, &CRgbBuffer::Rotate270RGB,
                                                                 &CRgbBuffer::FlipHorzRGB, &CRgbBuffer::FlipVertRGB};
    CRgbBuffer* working = (doc.m_pWorking->*kinds[transform])();
    CRgbBuffer* base = (doc.m_pBase->*kinds[transform])();
    if (!working || !base || !working->IsImage() || !base->IsImage())
    {
        delete working;
        delete base;
        return false;
    }
    // Turned, the pixels are still in the file's colours.
    base->m_IccProfile = doc.m_pBase->m_IccProfile;
    delete doc.m_pBase;
    doc.m_pBase = base;
    doc.SetWorking(working);
    return true;
}

CEditStep* Rebuild(CGlintfixDoc& doc, const CEditState& was, const CEditState& is, CRgbBuffer* previous)
{
    return new CRebuildStep(doc, was, is, previous);
}

CEditStep* Reload(const CEditState& was, CRgbBuffer* base, CRgbBuffer* working)
{
    return new CReloadStep(was, base, working);
}
}
