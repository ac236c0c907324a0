// A file list kept in a catalogue file of the test's choice, with the names
// of its entries in list order.
#pragma once

#include <string>
#include <vector>

#include "FileInfoList.h"

class CTestList : public CFileInfoList
{
public:
    explicit CTestList(const std::string& file) : m_file(file.c_str()) {}

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        POSITION pos = GetHeadPosition();
        while (pos)
            names.push_back((LPCSTR) static_cast<CFileInfo*>(GetNext(pos))->GetName());
        return names;
    }

protected:
    CString GetFileName() override { return m_file; }

private:
    CString m_file;
};
