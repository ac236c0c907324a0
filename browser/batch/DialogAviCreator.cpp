// CDialogAviCreator: the video settings, Create and the frames of each picture.
#include "DialogAviCreator.h"
#include "ColourTransform.h"
#include "CCommonDialogs.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "RgbBuffer.h"
#include "AviFile.h"
#include "TransitionManager.h"
#include "TransitionSettings.h"
#include "TransitionsDialog.h"
#include "DialogBatchJobIndicator.h"

BEGIN_MESSAGE_MAP(CDialogAviCreator, CDialogBatchJob)
    ON_BN_CLICKED(IDC_AVI_CREATE, OnCreateVideo)
    ON_BN_CLICKED(IDC_AVI_TRANSITIONS, OnTransitions)
    ON_BN_CLICKED(IDC_AVI_VGA, OnSizeChoice)
    ON_BN_CLICKED(IDC_AVI_CUSTOM, OnSizeChoice)
END_MESSAGE_MAP()

namespace
{
// All thirteen kinds: what a stored mask of 0 means for a video.
const UINT AllTransitions = (1u << TRANSITION_COUNT) - 1;
}

CDialogAviCreator::CDialogAviCreator(CWnd* pParent)
    : CDialogBatchJob(IDD, pParent), m_Prop_VideoSizeIndex("m_Prop_VideoSizeIndex", 0, 0, 1),
      m_Prop_CustomWidth("m_Prop_CustomWidth", 320, 160, 1024),
      m_Prop_CustomHeight("m_Prop_CustomHeight", 240, 120, 768), m_Prop_Seconds("m_Prop_Seconds", 2, 1, 5),
      m_Prop_FrameRate("m_Prop_FrameRate", 15, 10, 25), m_Prop_AviFileName("m_Prop_AviFileName", "Output.avi"),
      m_bColorManagement("m_bColorManagement", 1, 0, 1),
      m_pAviFile(NULL), m_pPrevious(NULL), m_pIndicator(NULL), m_VideoSize(VgaWidth, VgaHeight),
      m_hFrameBitmap(NULL), m_pFrameBits(NULL)
{
}

CDialogAviCreator::~CDialogAviCreator()
{
    delete m_pPrevious;
    delete m_pAviFile;
    FreeFrameBitmap();
}

HBITMAP CDialogAviCreator::FrameBitmap(const CRgbBuffer* frame)
{
    int width = m_VideoSize.cx, height = m_VideoSize.cy;
    if (!frame->IsImage() || frame->GetWidth() != width || frame->GetHeight() != height)
        return NULL;
    if (!m_hFrameBitmap)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height; // bottom-up, as the writer reads it
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = NULL;
        m_hFrameBitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        m_pFrameBits = (BYTE*)bits;
        if (!m_hFrameBitmap || !m_pFrameBits)
        {
            FreeFrameBitmap();
            return NULL;
        }
    }
    GdiFlush();
    size_t stride = ((size_t)width * 3 + 3) & ~(size_t)3;
    for (int k = 0; k < height; ++k)
    {
        BYTE* target = m_pFrameBits + (size_t)k * stride;
        const BYTE* source = frame->m_Buffer + (size_t)(height - 1 - k) * width * 3;
        for (int x = 0; x < width; ++x, target += 3, source += 3)
        {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return m_hFrameBitmap;
}

void CDialogAviCreator::FreeFrameBitmap()
{
    if (m_hFrameBitmap)
        DeleteObject(m_hFrameBitmap);
    m_hFrameBitmap = NULL;
    m_pFrameBits = NULL;
}

BOOL CDialogAviCreator::OnInitDialog()
{
    CDialogBatchJob::OnInitDialog();
    CheckRadioButton(IDC_AVI_VGA, IDC_AVI_CUSTOM, m_Prop_VideoSizeIndex ? IDC_AVI_CUSTOM : IDC_AVI_VGA);
    SetDlgItemInt(IDC_AVI_WIDTH, m_Prop_CustomWidth, FALSE);
    SetDlgItemInt(IDC_AVI_HEIGHT, m_Prop_CustomHeight, FALSE);
    struct
    {
        int editId, spinId;
        CIntProperty<int>* value;
    } spins[2] = {{IDC_AVI_SECONDS, IDC_AVI_SPIN_SECONDS, &m_Prop_Seconds},
                  {IDC_AVI_FRAME_RATE, IDC_AVI_SPIN_FRAME_RATE, &m_Prop_FrameRate}};
    for (const auto& spin : spins)
    {
        SendDlgItemMessage(spin.spinId, UDM_SETBUDDY, (WPARAM)::GetDlgItem(m_hWnd, spin.editId));
        SendDlgItemMessage(spin.spinId, UDM_SETRANGE32, spin.value->GetMinimum(), spin.value->GetMaximum());
        SendDlgItemMessage(spin.spinId, UDM_SETPOS32, 0, (int)*spin.value);
        SetDlgItemInt(spin.editId, *spin.value, FALSE);
    }
    EnableCustomSize();
    return TRUE;
}

void CDialogAviCreator::EnableCustomSize()
{
    bool custom = IsDlgButtonChecked(IDC_AVI_CUSTOM) == BST_CHECKED;
    const int ids[2] = {IDC_AVI_WIDTH, IDC_AVI_HEIGHT};
    for (int id : ids)
        if (HWND edit = ::GetDlgItem(m_hWnd, id))
            ::EnableWindow(edit, custom);
}

void CDialogAviCreator::OnSizeChoice()
{
    EnableCustomSize();
}

void CDialogAviCreator::StoreSettings()
{
    if (!m_hWnd)
        return;
    m_Prop_VideoSizeIndex = IsDlgButtonChecked(IDC_AVI_CUSTOM) == BST_CHECKED ? 1 : 0;
    m_Prop_CustomHeight = ReadClampedInt(IDC_AVI_HEIGHT, 120, 768, m_Prop_CustomHeight);
    m_Prop_CustomWidth = ReadClampedInt(IDC_AVI_WIDTH, 160, 1024, m_Prop_CustomWidth);
    SetDlgItemInt(IDC_AVI_WIDTH, m_Prop_CustomWidth, FALSE);
    SetDlgItemInt(IDC_AVI_HEIGHT, m_Prop_CustomHeight, FALSE);
    m_Prop_Seconds = ReadClampedInt(IDC_AVI_SECONDS, 1, 5, m_Prop_Seconds);
    m_Prop_FrameRate = ReadClampedInt(IDC_AVI_FRAME_RATE, 10, 25, m_Prop_FrameRate);
    SendDlgItemMessage(IDC_AVI_SPIN_SECONDS, UDM_SETPOS32, 0, (int)m_Prop_Seconds);
    SendDlgItemMessage(IDC_AVI_SPIN_FRAME_RATE, UDM_SETPOS32, 0, (int)m_Prop_FrameRate);
}

CSize CDialogAviCreator::VideoSize() const
{
    if (m_Prop_VideoSizeIndex == 0)
        return CSize(VgaWidth, VgaHeight);
    return CSize(m_Prop_CustomWidth, m_Prop_CustomHeight);
}

bool CDialogAviCreator::AskVideoFileName(CString& path)
{
    CString name = m_Prop_AviFileName;
    CFileDialog dialog(FALSE, "avi", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "AVI files(*.avi) |*.avi||",
                       this);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

void CDialogAviCreator::OnCreateVideo()
{
    StoreSettings();
    CFileInfoList* list = GetFileList();
    if (!CheckSelection(list))
        return;
    CString path;
    if (!AskVideoFileName(path))
        return;
    m_Prop_AviFileName = path;
    CreateVideo(list, path);
}

bool CDialogAviCreator::CreateVideo(CFileInfoList* list, const CString& path)
{
    if (!CheckSelection(list))
        return false;
    BeginVideo(path);
    RunIndicator(list);
    EndVideo();
    return true;
}

void CDialogAviCreator::BeginVideo(const CString& path)
{
    m_VideoSize = VideoSize();
    delete m_pPrevious;
    m_pPrevious = NULL;
    delete m_pAviFile;
    m_pAviFile = new CAviFile(path, m_Prop_FrameRate);
}

void CDialogAviCreator::EndJob()
{
    if (m_pAviFile)
        CountOutput(m_pAviFile->Close());
}

void CDialogAviCreator::EndVideo()
{
    delete m_pPrevious;
    m_pPrevious = NULL;
    // Finished by EndJob when the job ran; a writer that was given no frame
    // leaves no file.
    delete m_pAviFile;
    m_pAviFile = NULL;
    FreeFrameBitmap();
}

void CDialogAviCreator::OnTransitions()
{
    CTransitionsDialog dialog("Movie", this);
    dialog.DoModal();
}

int CDialogAviCreator::AppendTransitionFrame(void* creator, CRgbBuffer* frame)
{
    CDialogAviCreator* self = (CDialogAviCreator*)creator;
    HBITMAP bitmap = self->FrameBitmap(frame);
    int appended = bitmap && self->m_pAviFile->AppendNewFrame(bitmap);
    if (self->m_pIndicator)
        self->m_pIndicator->SetFileBar(self->m_pIndicator->GetFileBar() + 1);
    if (EscapePressed() || !appended)
        return 0;
    return 1;
}

int CDialogAviCreator::ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator)
{
    if (!m_pAviFile)
        return 0;
    m_pIndicator = indicator;
    indicator->SetFileBar(0);
    CTransitionManager* manager = new CTransitionManager;
    int width = m_VideoSize.cx, height = m_VideoSize.cy;
    if (!m_pPrevious)
        m_pPrevious = new CRgbBuffer(width, height);

    // Every frame has the video size: the picture is fitted, then centred on black.
    CRgbBuffer* canvas = NULL;
    {
        CRgbBuffer loaded;
        loaded.LoadRgbBuffer(file->GetName());
        if (m_bColorManagement)
            CColourTransform::ToSrgb(&loaded);
        CRgbBuffer* fitted = loaded.CreateBestFitRGB(CRect(0, 0, width, height));
        canvas = (fitted ? fitted : &loaded)->CreateRectAllRGB(CRect(0, 0, width, height), 0);
        delete fitted;
    }
    if (!canvas)
        canvas = new CRgbBuffer(width, height);

    CTransitionSettings settings("Movie");
    UINT mask = settings.m_Transition;
    if ((mask & AllTransitions) == 0)
        mask = AllTransitions;
    int result = manager->Run(m_pPrevious, canvas, mask, AppendTransitionFrame, this, 2.0, settings.RunAmplitude());
    if (result)
    {
        HBITMAP bitmap = FrameBitmap(canvas);
        int stills = m_Prop_FrameRate * m_Prop_Seconds;
        for (int i = 0; i < stills; ++i)
        {
            if (EscapePressed())
            {
                result = 0;
                break;
            }
            if (!bitmap || !m_pAviFile->AppendNewFrame(bitmap))
            {
                result = 0;
                break;
            }
        }
    }
    delete m_pPrevious;
    m_pPrevious = canvas;
    delete manager;
    m_pIndicator = NULL;
    return result;
}
