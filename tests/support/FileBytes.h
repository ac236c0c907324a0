// Whole-file reads and writes of the tests, with plain C streams so that
// they share no code with the file handling under test.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <string>

namespace test_support
{
// Writes bytes as the whole file; false when it could not be written whole.
inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

// Reads a whole file; false when it cannot be opened.
inline bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes.clear();
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.append(chunk, got);
    fclose(file);
    return true;
}

// The bytes of a file, empty when it cannot be read.
inline std::string FileBytes(const std::string& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace test_support
