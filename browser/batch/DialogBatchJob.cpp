// CDialogBatchJob: the output folder, Start, the job loop over the selection
// and the naming and overwrite rules shared by every batch tool.
#include "DialogBatchJob.h"
#include <shlobj.h>
#include "CDataExchange.h"
#include "AfxMessageBox.h"
#include "FileInfo.h"
#include "FileInfoList.h"
#include "JpgFile.h"
#include "RgbBuffer.h"
#include "DialogBatchJobIndicator.h"
#include "BrowserFileList.h"
#include "BatchJobFiles.h"

BEGIN_MESSAGE_MAP(CDialogBatchJob, CDialog)
    ON_BN_CLICKED(IDC_BATCH_START, OnStart)
    ON_BN_CLICKED(IDC_BATCH_BROWSE, OnBrowse)
END_MESSAGE_MAP()


CDialogBatchJob::CDialogBatchJob(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent ? pParent : AfxGetMainWnd()),
      m_Prop_OutputFolderName("m_Prop_OutputFolderName", "C:\\Pixmere"), m_pFileList(NULL),
      m_pJobFiles(NULL), m_nUnwritten(0), m_nSkipped(0)
{
    m_strOutputFolder = m_Prop_OutputFolderName;
}

CDialogBatchJob::~CDialogBatchJob()
{
}


BOOL CDialogBatchJob::OnInitDialog()
{
    m_strOutputFolder = m_Prop_OutputFolderName;
    return CDialog::OnInitDialog();
}

void CDialogBatchJob::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_BATCH_OUTPUT_FOLDER, m_strOutputFolder);
}

int CDialogBatchJob::ReadClampedInt(int editId, int minimum, int maximum, int fallback) const
{
    BOOL translated = FALSE;
    int value = (int)GetDlgItemInt(editId, &translated, TRUE);
    if (!translated)
        value = fallback;
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

CFileInfoList* CDialogBatchJob::GetFileList()
{
    return m_pFileList ? m_pFileList : BrowserFileList();
}

void CDialogBatchJob::OnStart()
{
    if (m_hWnd)
        UpdateData(TRUE);
    m_Prop_OutputFolderName = m_strOutputFolder;
    StoreSettings();
    if (!CheckBeforeRun())
        return;
    RunBatch(GetFileList());
}

bool CDialogBatchJob::CheckSelection(CFileInfoList* list)
{
    if (list && list->GetSelectedFileCount() > 0)
        return true;
    AfxMessageBox("You need to select one or more files for this task", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CDialogBatchJob::RunIndicator(CFileInfoList* list)
{
    CBatchJobFiles files(list);
    m_pJobFiles = &files;
    m_nUnwritten = m_nSkipped = 0;
    CDialogBatchJobIndicator indicator(this, this);
    indicator.DoModal();
    m_pJobFiles = NULL;
}

void CDialogBatchJob::CountOutput(bool written)
{
    if (!written)
        ++m_nUnwritten;
}

namespace
{
CString CountText(int count, const char* rest)
{
    CString text;
    text.Format(" %d%s", count, rest);
    return text;
}
}

CString CDialogBatchJob::EndText() const
{
    // The status line shows a skipped source only until the next picture,
    // so the end text counts them too.
    CString text = "Done.";
    if (m_nUnwritten == 1)
        text += " 1 file could not be written.";
    else if (m_nUnwritten > 1)
        text += CountText(m_nUnwritten, " files could not be written.");
    if (m_nSkipped == 1)
        text += " 1 file was skipped: its output would replace its source.";
    else if (m_nSkipped > 1)
        text += CountText(m_nSkipped, " files were skipped: their outputs would replace their sources.");
    return text + " Press ESC key";
}

bool CDialogBatchJob::RunBatch(CFileInfoList* list)
{
    if (!CheckSelection(list))
        return false;
    RunIndicator(list);
    return true;
}

bool CDialogBatchJob::EscapePressed()
{
    return (GetAsyncKeyState(VK_ESCAPE) & 1) != 0;
}

void CDialogBatchJob::RunJob(CDialogBatchJobIndicator* indicator)
{
    if (m_pJobFiles)
        Walk(*m_pJobFiles, indicator);
}

void CDialogBatchJob::RunJob(CFileInfoList* list, CDialogBatchJobIndicator* indicator)
{
    CBatchJobFiles files(list);
    Walk(files, indicator);
}

void CDialogBatchJob::Walk(CBatchJobFiles& files, CDialogBatchJobIndicator* indicator)
{
    m_nUnwritten = m_nSkipped = 0;
    CWinApp* app = AfxGetApp();
    if (app)
        app->BeginWaitCursor();
    // An ESC still held from closing something else must not end this job.
    while (GetAsyncKeyState(VK_ESCAPE) & 0x8000)
        Sleep(20);
    EscapePressed();

    int count = files.GetCount();
    int done = 0;
    bool escaped = false, stopped = false;
    while (done < count)
    {
        if (EscapePressed())
        {
            escaped = true;
            break;
        }
        CFileInfo* file = files.GetAt(done);
        indicator->SetFileBar(0);
        ++done;
        indicator->SetStatus("Input file : " + file->GetName());
        if (!ProcessFile(file, indicator))
        {
            stopped = true;
            break;
        }
        indicator->SetJobBar(100 * done / count);
    }
    if (!escaped)
        indicator->SetJobBar(100);
    EndJob();
    // The list may be gone, or be another one by now: it is asked for afresh.
    if (CFileInfoList* list = GetFileList())
        list->SetCurrentFile(files.CurrentAfter(done, stopped));
    if (app)
        app->EndWaitCursor();
}

CDialogBatchJob::OutputDecision CDialogBatchJob::OutputPath(CFileInfo* source, const CString& folder,
                                                            CDialogBatchJobIndicator* indicator,
                                                            CString& target)
{
    if (!CFileInfo::MakeDir(folder))
    {
        AfxMessageBox("Output folder " + folder + " could not be created", MB_OK | MB_ICONERROR);
        CountOutput(false);
        return OutputStop;
    }
    // The JPEG writer gives every file the extension "jpg", so that is the
    // file to ask about: a PNG source c.png is written as c.jpg.
    CString name = CFileInfo::GetFileFromFullPath(source->GetName());
    target = CFileInfo::AssureExtension(folder + "\\" + name, "jpg");
    if (target.CompareNoCase(source->GetName()) == 0)
    {
        // An output folder that holds the sources: never replace one, and
        // say why this output is missing.
        indicator->SetStatus("Skipped: the output would replace the source " + source->GetName());
        ++m_nSkipped;
        return OutputSkip;
    }
    if (CFileInfo::FileExist(target))
    {
        CString question = "File " + target + " exists. Overwrite?";
        int answer = AfxMessageBox(question, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDNO)
            return OutputSkip;
        if (answer != IDYES)
            return OutputStop;
    }
    indicator->SetStatus("Input file : " + source->GetName() + "\n" + "Output file : " + target);
    return OutputWrite;
}

bool CDialogBatchJob::SaveJpeg(CRgbBuffer* picture, const CString& target, int quality,
                               const CString& metadataSource)
{
    CJpgFile file(target, quality, false);
    file.SetMetadataSource(metadataSource);
    return file.Save(picture) != 0;
}

void CDialogBatchJob::OnBrowse()
{
    BROWSEINFOA info = {};
    char name[MAX_PATH] = "";
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = name;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
    LPITEMIDLIST items = SHBrowseForFolderA(&info);
    if (!items)
        return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDListA(items, path))
        SetDlgItemText(IDC_BATCH_OUTPUT_FOLDER, path);
    CoTaskMemFree(items);
}
