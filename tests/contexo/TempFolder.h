// A folder of the test's own under the temporary folder, deleted with all its
// contents when the object goes.
#pragma once

#include <windows.h>
#include <string>

class CTempFolder
{
public:
    explicit CTempFolder(const std::string& name)
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        static int s_nSerial = 0;
        m_Path = std::string(szTemp) + "contexo_tests_" + std::to_string(GetCurrentProcessId()) + "_"
               + std::to_string(++s_nSerial) + "_" + name;
        CreateDirectoryA(m_Path.c_str(), NULL);
    }
    ~CTempFolder() { DeleteTree(m_Path); }

    const std::string& Path() const { return m_Path; }
    std::string File(const std::string& name) const { return m_Path + "\\" + name; }

    // A subfolder, created at once.
    std::string Folder(const std::string& name) const
    {
        std::string path = File(name);
        CreateDirectoryA(path.c_str(), NULL);
        return path;
    }

private:
    // Files of a program that is just ending may still be in use: retry a while.
    static void DeleteTree(const std::string& path)
    {
        WIN32_FIND_DATAA found;
        HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &found);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteTree(child);
                else
                    for (int nTry = 0; nTry < 50 && !DeleteFileA(child.c_str()); nTry++)
                        Sleep(100);
            } while (FindNextFileA(hFind, &found));
            FindClose(hFind);
        }
        RemoveDirectoryA(path.c_str());
    }

    std::string m_Path;
};
