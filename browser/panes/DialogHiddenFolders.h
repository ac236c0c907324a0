// CDialogHiddenFolders: "Hidden folders", the list of folders the user hid
// from the indexed-folders pane; removing one brings it back at the pane's
// next rebuild.
#pragma once

#include "Framework.h"
#include "CDialog.h"
#include "PanesResource.h"

class CDialogHiddenFolders : public CDialog
{
public:
    enum { IDD = IDD_HIDDEN_FOLDERS };

    explicit CDialogHiddenFolders(CWnd* pParent = NULL);

    // Takes the selected entry out of the list box and the hidden folders,
    // then selects the same position (or the last entry).
    void RemoveSelected();

protected:
    BOOL OnInitDialog() override;
    void UpdateRemoveButton();

    afx_msg void OnRemove();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()
};
