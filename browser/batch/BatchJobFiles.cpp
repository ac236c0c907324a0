// CBatchJobFiles: the job's own copy of the selection.
#include "BatchJobFiles.h"
#include "FileInfo.h"
#include "FileInfoList.h"

CBatchJobFiles::CBatchJobFiles(CFileInfoList* list)
{
    if (!list || list->IsEmpty())
        return;
    std::vector<CFileInfo*> entries;
    entries.reserve(list->GetCount());
    POSITION pos = list->GetHeadPosition();
    while (pos)
        entries.push_back(static_cast<CFileInfo*>(list->GetNext(pos)));
    CFileInfo* current = list->GetCurrentFile();
    size_t start = 0;
    while (start < entries.size() && entries[start] != current)
        ++start;
    if (start == entries.size())
        start = 0;
    m_StartName = entries[start]->GetName();
    for (size_t i = 0; i < entries.size(); ++i)
    {
        size_t index = (start + i) % entries.size();
        if (!entries[index]->Selected())
            continue;
        m_Files.push_back(new CFileInfo(*entries[index]));
        m_NextNames.push_back(entries[(index + 1) % entries.size()]->GetName());
    }
}

CBatchJobFiles::~CBatchJobFiles()
{
    for (CFileInfo* file : m_Files)
        delete file;
}

CString CBatchJobFiles::CurrentAfter(int handled, bool stoppedOnLast) const
{
    if (handled <= 0 || m_Files.empty())
        return m_StartName;
    size_t last = (size_t)handled - 1 < m_Files.size() ? (size_t)handled - 1 : m_Files.size() - 1;
    return stoppedOnLast ? m_Files[last]->GetName() : m_NextNames[last];
}
