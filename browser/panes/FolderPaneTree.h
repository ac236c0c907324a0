// CFolderPaneTree: the explorer pane's tree of the shell namespace. Every
// expansion lists the folder again (so the tree follows the disk), and an
// item that takes long to fill shows a progress bar beside its text and a
// turning hourglass over its image.
#pragma once

#include "CRect.h"
#include "ShellTreeCtrl.h"
#include "TreeProgressLayer.h"
#include "TreeHourglassLayer.h"

class CFolderPaneTree : public CTreeHourglassLayer<CTreeProgressLayer<CShellTreeCtrl>>
{
public:
    enum { AnimationDelay = 125 };

    CFolderPaneTree();

protected:
    BOOL WantsRefresh(HTREEITEM hItem) override;
};
