// A file list over a catalogue file of the test's choice, in a private folder
// with a few stand-in pictures.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "CatalogueTestKit.h"
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

class ListTest : public ::testing::Test
{
protected:
    ListTest() : m_folder("pixmere_lists") {}

    std::string Picture(const std::string& name) { return catalogue_test::MakePicture(m_folder / name); }
    std::string Catalogue() const { return m_folder / "catalogue.db"; }

    catalogue_test::TempFolder m_folder;
};
