// CFolderPaneTree: refill on every expansion, animation every 125 ms.
#include "FolderPaneTree.h"

CFolderPaneTree::CFolderPaneTree()
{
    SetAnimationDelay(AnimationDelay);
}

BOOL CFolderPaneTree::WantsRefresh(HTREEITEM)
{
    return 1;
}
