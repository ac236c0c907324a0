// Finds the thumbnail view's list for the batch tools.
#include "BrowserFileList.h"
#include "Framework.h"

CFileInfoList* BrowserFileList()
{
    return NULL;
}
