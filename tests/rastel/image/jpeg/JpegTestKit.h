// Helpers of the JPEG codec tests: a temporary folder, JPEG bytes made with
// the codec's own encoder, EXIF blocks built byte by byte in either byte
// order (so tests can make them as hostile as they like), and the native
// djpeg decoder as an independent oracle.
#pragma once

#include <windows.h>
#include <stdio.h>
#include <stdint.h>
#include <string>
#include <vector>
#include "RgbBuffer.h"
#include "JpgFile.h"

typedef std::string Bytes;

// ---- Files ----------------------------------------------------------------

class TempDir
{
public:
    explicit TempDir(const char* name)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        char folder[MAX_PATH];
        snprintf(folder, MAX_PATH, "%s%s_%lu", temp, name, GetCurrentProcessId());
        m_Path = folder;
        RemoveTree(m_Path);
        CreateDirectoryA(m_Path.c_str(), NULL);
    }
    ~TempDir() { RemoveTree(m_Path); }
    const std::string& Path() const { return m_Path; }
    std::string operator/(const std::string& name) const { return m_Path + "\\" + name; }

    static void RemoveTree(const std::string& path)
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE)
        {
            do
            {
                std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                std::string child = path + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(child);
                else
                    DeleteFileA(child.c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(path.c_str());
    }

private:
    std::string m_Path;
};

inline bool WriteBytes(const std::string& path, const Bytes& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    size_t written = fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return written == bytes.size();
}

inline Bytes ReadBytes(const std::string& path)
{
    Bytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.append(chunk, got);
    fclose(file);
    return bytes;
}

inline bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// ---- Pictures -------------------------------------------------------------

// A picture with structure in every channel, so a decoder that mixes up rows,
// columns or channels shows it.
inline void PaintPattern(CRgbBuffer& picture, int seed)
{
    BYTE* p = picture.GetBuffer();
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x, p += 3)
        {
            p[0] = (BYTE)((x * 255) / (picture.GetWidth() > 1 ? picture.GetWidth() - 1 : 1));
            p[1] = (BYTE)((y * 255) / (picture.GetHeight() > 1 ? picture.GetHeight() - 1 : 1));
            p[2] = (BYTE)(((x / 8 + y / 8 + seed) % 2) * 160 + 40);
        }
}

inline CRgbBuffer* MakePicture(int width, int height, int seed)
{
    CRgbBuffer* picture = new CRgbBuffer(width, height);
    picture->m_GrayScale = 0;
    PaintPattern(*picture, seed);
    return picture;
}

// The bytes of a JPEG file made by the codec from picture.
inline Bytes EncodeJpeg(const CRgbBuffer& picture, int quality = 90, int grayScale = 0)
{
    char temp[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "jpg", 0, path);
    Bytes bytes;
    FILE* file = fopen(path, "wb");
    if (file)
    {
        int ok = CJpgFile::save_JPG_file(file, picture.GetBuffer(), picture.GetWidth(),
                                         picture.GetHeight(), quality, grayScale);
        fclose(file);
        if (ok)
            bytes = ReadBytes(path);
    }
    DeleteFileA(path);
    return bytes;
}

// Largest absolute difference of two same-sized pictures' bytes; -1 when the
// sizes differ.
inline int MaxDifference(const CRgbBuffer& a, const CRgbBuffer& b)
{
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight())
        return -1;
    int worst = 0;
    for (int i = 0; i < a.GetWidth() * a.GetHeight() * 3; ++i)
    {
        int d = abs(a.GetBuffer()[i] - b.GetBuffer()[i]);
        if (d > worst)
            worst = d;
    }
    return worst;
}

// ---- JPEG segments ----------------------------------------------------------

// jpeg with an APP1 EXIF segment inserted right after its SOI. The declared
// length is the true one unless declared is given.
inline Bytes WithExif(const Bytes& jpeg, const Bytes& block, long declared = -1)
{
    long length = declared >= 0 ? declared : (long)block.size() + 8;
    Bytes out = jpeg.substr(0, 2);
    out += "\xFF\xE1";
    out += (char)((length >> 8) & 0xFF);
    out += (char)(length & 0xFF);
    out += Bytes("Exif\0\0", 6);
    out += block;
    out += jpeg.substr(2);
    return out;
}

// Offset of the first marker segment with the given code, or npos.
inline size_t FindMarker(const Bytes& jpeg, unsigned char code)
{
    size_t at = 2;
    while (at + 4 <= jpeg.size() && (unsigned char)jpeg[at] == 0xFF)
    {
        unsigned char marker = (unsigned char)jpeg[at + 1];
        if (marker == code)
            return at;
        if (marker == 0xDA)
            break;
        at += 2 + (((unsigned char)jpeg[at + 2] << 8) | (unsigned char)jpeg[at + 3]);
    }
    return Bytes::npos;
}

// ---- EXIF blocks ------------------------------------------------------------

// A TIFF-structured block in Intel or Motorola order, written at explicit
// offsets so that tests can lay out (and break) anything.
class ExifBlock
{
public:
    explicit ExifBlock(bool motorola, size_t size = 8) : m_Motorola(motorola), m_Bytes(size, '\0')
    {
        m_Bytes[0] = m_Bytes[1] = motorola ? 'M' : 'I';
        Put16(2, 42);
        Put32(4, 8);
    }
    void Put16(size_t at, unsigned v)
    {
        Grow(at + 2);
        for (int i = 0; i < 2; ++i)
            m_Bytes[at + i] = (char)(v >> (8 * (m_Motorola ? 1 - i : i)));
    }
    void Put32(size_t at, uint32_t v)
    {
        Grow(at + 4);
        for (int i = 0; i < 4; ++i)
            m_Bytes[at + i] = (char)(v >> (8 * (m_Motorola ? 3 - i : i)));
    }
    void PutBytes(size_t at, const Bytes& bytes)
    {
        Grow(at + bytes.size());
        m_Bytes.replace(at, bytes.size(), bytes);
    }
    // A directory header at `at` with `count` entries; returns the offset of
    // its next-directory word.
    size_t Directory(size_t at, unsigned count, uint32_t next)
    {
        Put16(at, count);
        Put32(at + 2 + 12 * count, next);
        return at + 2 + 12 * count;
    }
    void Entry(size_t directory, unsigned index, unsigned tag, unsigned type, uint32_t count,
               uint32_t value)
    {
        size_t at = directory + 2 + 12 * index;
        Put16(at, tag);
        Put16(at + 2, type);
        Put32(at + 4, count);
        if (type == 3 && count == 1)
        {
            Put16(at + 8, value);
            Put16(at + 10, 0);
        }
        else
        {
            Put32(at + 8, value);
        }
    }
    void Resize(size_t size) { m_Bytes.resize(size, '\0'); }
    const Bytes& Data() const { return m_Bytes; }

private:
    void Grow(size_t size)
    {
        if (m_Bytes.size() < size)
            m_Bytes.resize(size, '\0');
    }
    bool m_Motorola;
    Bytes m_Bytes;
};

enum
{
    TypeShort = 3,
    TypeLong = 4,
    TypeAscii = 2,
    TypeUndefined = 7
};

// Where CameraExif put things.
struct CameraLayout
{
    size_t ifd0, exifIfd, interopIfd, ifd1, thumbnail;
    size_t thumbnailOffsetEntry, thumbnailLengthEntry; // value fields
};

// The layout cameras write: IFD0 (with the EXIF sub-directory pointer) ->
// IFD1 (with the thumbnail tags), the EXIF and interoperability
// sub-directories, then the thumbnail's bytes.
inline Bytes CameraExif(bool motorola, const Bytes& thumbnail, CameraLayout* layout = NULL,
                        size_t padTo = 0)
{
    ExifBlock block(motorola);
    CameraLayout l;
    l.ifd0 = 8;
    l.exifIfd = 70;
    l.interopIfd = 100;
    l.ifd1 = 118;
    l.thumbnail = 160;
    block.Directory(l.ifd0, 3, (uint32_t)l.ifd1);
    block.Entry(l.ifd0, 0, 0x010F, TypeAscii, 20, 50); // Make, text at 50
    block.PutBytes(50, Bytes("Pixmere Test Camera\0", 20));
    block.Entry(l.ifd0, 1, 0x0112, TypeShort, 1, 1); // Orientation
    block.Entry(l.ifd0, 2, 0x8769, TypeLong, 1, (uint32_t)l.exifIfd);
    block.Directory(l.exifIfd, 2, 0);
    block.Entry(l.exifIfd, 0, 0x9000, TypeUndefined, 4, 0);
    block.PutBytes(l.exifIfd + 2 + 8, "0230");
    block.Entry(l.exifIfd, 1, 0xA005, TypeLong, 1, (uint32_t)l.interopIfd);
    block.Directory(l.interopIfd, 1, 0);
    block.Entry(l.interopIfd, 0, 0x0001, TypeAscii, 4, 0);
    block.PutBytes(l.interopIfd + 2 + 8, Bytes("R98\0", 4));
    block.Directory(l.ifd1, 3, 0);
    block.Entry(l.ifd1, 0, 0x0103, TypeShort, 1, 6); // Compression: JPEG
    block.Entry(l.ifd1, 1, 0x0201, TypeLong, 1, (uint32_t)l.thumbnail);
    block.Entry(l.ifd1, 2, 0x0202, TypeLong, 1, (uint32_t)thumbnail.size());
    l.thumbnailOffsetEntry = l.ifd1 + 2 + 12 + 8;
    l.thumbnailLengthEntry = l.ifd1 + 2 + 24 + 8;
    block.PutBytes(l.thumbnail, thumbnail);
    if (padTo > block.Data().size())
        block.Resize(padTo);
    if (layout)
        *layout = l;
    return block.Data();
}

// ---- Native oracle ------------------------------------------------------------

// The Unix path of a Windows path under Wine, or "" elsewhere.
inline std::string UnixPathOf(const std::string& windowsPath)
{
    typedef char*(CDECL * UnixNameFn)(LPCWSTR);
    UnixNameFn toUnix =
        (UnixNameFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    WCHAR wide[MAX_PATH * 2];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH * 2))
        return "";
    char* unixName = toUnix(wide);
    if (!unixName)
        return "";
    std::string result(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return result;
}

// Runs a /bin/sh command natively (Wine starts Unix programs by their path
// but cannot wait for them, so the script leaves a marker file when done).
// Returns the command's exit status, or -1.
inline int RunNative(const std::string& folder, const std::string& command)
{
    std::string script = folder + "\\native.sh";
    std::string marker = folder + "\\native.done";
    DeleteFileA(marker.c_str());
    std::string unixMarker = UnixPathOf(marker);
    std::string unixScript = UnixPathOf(script);
    if (unixMarker.empty() || unixScript.empty())
        return -1;
    Bytes text = "(" + command + ") </dev/null >/dev/null 2>&1\necho $? > '" + unixMarker +
                 ".part'\nmv '" + unixMarker + ".part' '" + unixMarker + "'\n";
    if (!WriteBytes(script, text))
        return -1;
    std::string commandLine = "/bin/sh " + unixScript;
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &process))
        return -1;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    int status = -1;
    for (int waited = 0; waited < 60000; waited += 10)
    {
        FILE* file = fopen(marker.c_str(), "rb");
        if (file)
        {
            if (fscanf(file, "%d", &status) != 1)
                status = -1;
            fclose(file);
            break;
        }
        Sleep(10);
    }
    DeleteFileA(marker.c_str());
    DeleteFileA(script.c_str());
    return status;
}

// Decodes a JPEG file with the native djpeg into an RGB buffer (P6 output).
inline bool DecodeWithDjpeg(const std::string& folder, const std::string& jpegPath,
                            CRgbBuffer& picture)
{
    std::string ppm = folder + "\\djpeg_out.ppm";
    DeleteFileA(ppm.c_str());
    std::string command = "djpeg -pnm -outfile '" + UnixPathOf(ppm) + "' '" +
                          UnixPathOf(jpegPath) + "'";
    if (RunNative(folder, command) != 0)
        return false;
    Bytes bytes = ReadBytes(ppm);
    DeleteFileA(ppm.c_str());
    int width = 0, height = 0, maxValue = 0, consumed = 0;
    char kind[3] = {};
    if (sscanf(bytes.c_str(), "%2s %d %d %d%n", kind, &width, &height, &maxValue, &consumed) != 4)
        return false;
    bool grey = kind[1] == '5';
    size_t start = (size_t)consumed + 1;
    size_t size = (size_t)width * height * (grey ? 1 : 3);
    if (bytes.size() < start + size || !picture.AllocateImage(width, height))
        return false;
    for (size_t i = 0; i < (size_t)width * height; ++i)
        for (int c = 0; c < 3; ++c)
            picture.GetBuffer()[i * 3 + c] = (BYTE)bytes[start + (grey ? i : i * 3 + c)];
    return true;
}
