// Reading the metadata segments of a JPEG file (see JpegMarkers.h) and the
// small edit of XMP text that a saved copy needs.
#include "JpegMarkers.h"

#include <stdio.h>
#include <string.h>

const char CJpegMarkers::ExifIdentifier[6] = { 'E', 'x', 'i', 'f', 0, 0 };
const char CJpegMarkers::XmpIdentifier[29] = "http://ns.adobe.com/xap/1.0/";
const char CJpegMarkers::IccIdentifier[12] = "ICC_PROFILE";

namespace
{
// Segments looked at before the first scan; cameras write a dozen.
const int MaxSegments = 1000;

bool StartsWith(const std::string& data, const char* prefix, size_t length)
{
    return data.size() >= length && memcmp(data.data(), prefix, length) == 0;
}

// The next marker code, skipping fill bytes; -1 at the end or on a byte that
// is no marker (the segments are then not what a JPEG holds).
int NextMarker(FILE* file)
{
    int c = fgetc(file);
    if (c != 0xFF)
        return -1;
    while (c == 0xFF)
        c = fgetc(file);
    return c == EOF ? -1 : c;
}
} // namespace

bool CJpegMarkers::Read(const char* path)
{
    FILE* file = path && *path ? fopen(path, "rb") : NULL;
    if (!file)
    {
        m_Exif.clear();
        m_Xmp.clear();
        m_Icc.clear();
        return false;
    }
    bool ok = Read(file);
    fclose(file);
    return ok;
}

bool CJpegMarkers::Read(FILE* file)
{
    m_Exif.clear();
    m_Xmp.clear();
    m_Icc.clear();
    if (!file || fseek(file, 0, SEEK_SET) != 0)
        return false;
    bool ok = fgetc(file) == 0xFF && fgetc(file) == 0xD8;
    for (int segment = 0; ok && segment < MaxSegments; ++segment)
    {
        int marker = NextMarker(file);
        if (marker < 0)
        {
            ok = false;
            break;
        }
        if (marker == 0xDA || marker == 0xD9)
            break; // the picture's data: no metadata after it
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        int high = fgetc(file), low = fgetc(file);
        long length = low == EOF ? -1 : (((long)high << 8) | low) - 2;
        if (length < 0)
        {
            ok = false;
            break;
        }
        if (marker != App1 && marker != App2)
        {
            ok = fseek(file, length, SEEK_CUR) == 0;
            continue;
        }
        std::string data((size_t)length, '\0');
        if (length > 0 && fread(&data[0], 1, (size_t)length, file) != (size_t)length)
        {
            ok = false;
            break;
        }
        if (marker == App1 && m_Exif.empty() && StartsWith(data, ExifIdentifier, sizeof(ExifIdentifier)))
            m_Exif = data.substr(sizeof(ExifIdentifier));
        else if (marker == App1 && m_Xmp.empty() && StartsWith(data, XmpIdentifier, sizeof(XmpIdentifier)))
            m_Xmp = data;
        else if (marker == App2 && StartsWith(data, IccIdentifier, sizeof(IccIdentifier)))
            m_Icc.push_back(data);
    }
    if (!ok)
    {
        // A damaged file gives nothing rather than a part of its metadata.
        m_Exif.clear();
        m_Xmp.clear();
        m_Icc.clear();
    }
    return ok;
}

std::string CJpegMarkers::SetXmpValue(const std::string& xmp, const char* name, const char* value)
{
    std::string result = xmp;
    std::string attribute = std::string(name) + "=";
    size_t at = result.find(attribute);
    if (at != std::string::npos && at + attribute.size() < result.size())
    {
        // name="6" or name='6'
        char quote = result[at + attribute.size()];
        size_t start = at + attribute.size() + 1;
        size_t end = result.find(quote, start);
        if ((quote == '"' || quote == '\'') && end != std::string::npos)
            result.replace(start, end - start, value);
        return result;
    }
    std::string open = std::string("<") + name + ">";
    at = result.find(open);
    if (at != std::string::npos)
    {
        size_t start = at + open.size();
        size_t end = result.find('<', start);
        if (end != std::string::npos)
            result.replace(start, end - start, value);
    }
    return result;
}
