// Writing a sample file whole from its bytes.
#pragma once

#include <stdio.h>
#include <string>
#include <vector>

// False when the file could not be written whole.
inline bool WriteSampleFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}
