// The list shown by the thumbnail view of the calling thread's browser
// window, which the batch tools work on; null when it shows nothing.
#pragma once

class CFileInfoList;

CFileInfoList* BrowserFileList();
