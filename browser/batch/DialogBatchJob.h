// CDialogBatchJob: base of the browser's batch tools (tool windows of the
// left pane). It keeps the output folder shared by all tools, checks that
// pictures are selected, runs the progress window and walks the selection
// from the list's current entry, handing each selected picture to the tool's
// ProcessFile. Sources are only read; every result is a new JPEG file.
//
// Contract:
// - A job works on its own copy of the selection, taken when it starts
//   (CBatchJobFiles), so nothing another window does meanwhile can free what
//   it works on. When it ends, the current entry of the list the tool works
//   on (if there still is one) is moved to where the walk ended.
// - Outputs go to OutputPath, which asks before replacing an existing file
//   (the JPEG that will really be written) and never writes over the source
//   (the progress window then says the output was skipped).
//   An output folder that cannot be made stops the job with a message naming
//   it. Every output that could not be written is counted, and the progress
//   window's end text tells how many.
// - Message boxes go through one replaceable function, so that tests answer
//   them without a modal box.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "Property.h"
#include "BatchResource.h"

class CFileInfo;
class CFileInfoList;
class CRgbBuffer;
class CDialogBatchJobIndicator;
class CBatchJobFiles;

class CDialogBatchJob : public CDialog
{
public:
    // What to do with one output file.
    enum OutputDecision
    {
        OutputWrite, // write it
        OutputSkip,  // leave it, go on with the next output
        OutputStop   // leave it and stop the whole batch
    };

    CDialogBatchJob(UINT nIDTemplate, CWnd* pParent = NULL);
    ~CDialogBatchJob() override;

    // One picture of the batch: nonzero goes on with the next one, 0 stops.
    virtual int ProcessFile(CFileInfo* file, CDialogBatchJobIndicator* indicator) = 0;

    // The job loop: every entry of the job's own copy of the selection once
    // (from the list's current entry, wrapping around); ESC between steps
    // ends it. The progress window runs it over the copy RunIndicator took.
    void RunJob(CDialogBatchJobIndicator* indicator);
    // The same over a copy of `list`'s selection taken now.
    void RunJob(CFileInfoList* list, CDialogBatchJobIndicator* indicator);

    // The list the tool works on: the one set with SetFileList, else the list
    // shown by the browser window's thumbnail view (null when none).
    virtual CFileInfoList* GetFileList();
    void SetFileList(CFileInfoList* list) { m_pFileList = list; }

    // Checks the selection (telling the user when there is none) and runs
    // the progress window over `list`; false when nothing ran.
    bool RunBatch(CFileInfoList* list);
    // False, after telling the user, when `list` has no selected entry.
    bool CheckSelection(CFileInfoList* list);
    // Runs the progress window, and the job in it, over a copy of the
    // selection of `list`.
    void RunIndicator(CFileInfoList* list);

    // Outputs of the last job that could not be written.
    int GetUnwrittenCount() const { return m_nUnwritten; }
    // The progress window's text once the job is over: "Done. Press ESC key",
    // or with the number of outputs that could not be written and of sources
    // skipped because their output would have replaced them.
    CString EndText() const;

    // The file that an output for `source` in `folder` will be written to
    // (always a JPEG), and whether to write it: asks before replacing an
    // existing file and refuses to write over the source itself. Shows the
    // input and output names in the progress window.
    OutputDecision OutputPath(CFileInfo* source, const CString& folder,
                              CDialogBatchJobIndicator* indicator, CString& target);
    // Saves `picture` as a JPEG of `quality` with the metadata of the JPEG
    // `metadataSource` (the picture's source file; may be empty); false
    // when it could not be written.
    static bool SaveJpeg(CRgbBuffer* picture, const CString& target, int quality,
                         const CString& metadataSource);
    // Counts an output that could not be written.
    void CountOutput(bool written);

    // True when ESC was pressed since the previous poll.
    static bool EscapePressed();

    CStringProperty m_Prop_OutputFolderName;
    CString m_strOutputFolder; // text of the output-folder edit

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A tool window stays when Enter or ESC is pressed in it.
    void OnOK() override {}
    void OnCancel() override {}

    // Start, step 2: the tool's controls into its settings.
    virtual void StoreSettings() {}
    // Start, step 3: false when the tool cannot run (it told the user why).
    virtual bool CheckBeforeRun() { return true; }

    // Called when the walk is over, before the end text is shown.
    virtual void EndJob() {}

    // Reads the edit `editId` as a number within [minimum, maximum].
    int ReadClampedInt(int editId, int minimum, int maximum, int fallback) const;

    afx_msg void OnStart();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void Walk(CBatchJobFiles& files, CDialogBatchJobIndicator* indicator);

    CFileInfoList* m_pFileList;
    CBatchJobFiles* m_pJobFiles; // the running job's own entries
    int m_nUnwritten;
    int m_nSkipped; // sources whose output would have been the source itself
};
