// Helpers of the codec tests: the shared private temporary folder, pixel
// access, and writing and loading a file with one codec class.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "ImageBytes.h"
#include "PixelRead.h"
#include "RgbBuffer.h"
#include "TempFolder.h"

using test_support::ColorAt;
using test_support::PixelAt;

// Loads path with the codec class Codec into a fresh buffer.
template <class Codec>
int LoadWith(const std::string& path, CRgbBuffer& buffer)
{
    Codec codec(path.c_str());
    return codec.Load(&buffer);
}

// Writes bytes as the file name in folder and loads it with Codec.
template <class Codec>
int WriteAndLoad(const test_support::TempFolder& folder, const char* name, const image_bytes::Bytes& bytes,
                 CRgbBuffer& buffer)
{
    std::string path = folder.File(name);
    EXPECT_TRUE(image_bytes::WriteFile(path, bytes));
    return LoadWith<Codec>(path, buffer);
}
