// The loaders the fuzzer drives: the codec front end for every picture
// format (the JPEG EXIF thumbnail through its own mode, JPEGs, WebP, HEIF
// and JPEG XL files also through the thumbnails' preview and reduced
// decode), every frame of a GIF, the catalogue record stream and the file
// registry.
#include "FuzzTargets.h"

#include "Framework.h"
#include "RgbBuffer.h"
#include "GifFile.h"
#include "JpgFile.h"
#include "ThumbnailSource.h"
#include "FileInfoList.h"
#include "MemoryMappedDB.h"
#include "ArchiveStream.h"
#include "FileInfo.h"
#include "ColourTransform.h"
#include "IccProfile.h"

#include <stdio.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>

namespace
{
void RunPicture(const char* path)
{
    CRgbBuffer picture;
    picture.LoadRgbBuffer(path, false);
}

// The full decode, then the reduced one that the thumbnails use (a small
// box, so that every seed is decoded at 1/8 scale, where progressive files
// lose their luminance's AC scans before decoding).
void RunJpeg(const char* path)
{
    RunPicture(path);
    CRgbBuffer reduced;
    CSize fullSize;
    CJpgFile(path, 100, false).LoadReduced(&reduced, 16, 16, &fullSize);
}

// The full decode, then what the thumbnail generator reads: the file's own
// preview and the reduced decode into a small box (1/8 scale for JPEG XL).
void RunWithThumbnailPasses(const char* path)
{
    RunPicture(path);
    CRgbBuffer preview, reduced;
    CSize fullSize;
    CThumbnailSource::LoadPreview(path, &preview);
    CThumbnailSource::LoadReduced(path, &reduced, 16, 16, &fullSize);
}

void RunExifThumbnail(const char* path)
{
    CRgbBuffer picture;
    picture.LoadRgbBuffer(path, true);
}

// The first picture as the suite shows it, then every frame as an
// animation would play it.
void RunGif(const char* path)
{
    RunPicture(path);
    CGifFile gif(path);
    if (gif.Open(path, 0xFFFFFF) != 0)
        return;
    HBITMAP first = NULL;
    while (gif.NextImage() > 0)
    {
        if (!first)
            first = gif.CreateMappedBitmap(NULL, 0, 1);
    }
    HBITMAP last = gif.CreateMappedBitmap(NULL, 0, 1);
    if (first)
        DeleteObject(first);
    if (last)
        DeleteObject(last);
    gif.Close();
}

// An ICC profile as a file would embed it: checked, and when it passes,
// used both ways on a few pixels as a picture and a display would use it.
void RunIccProfile(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return;
    std::string profile;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof(block), file)) > 0 && profile.size() <= CIccProfile::MaxBytes)
        profile.append(block, got);
    fclose(file);
    if (!CIccProfile::IsUsable(profile))
        return;
    BYTE pixels[3 * 64];
    for (int i = 0; i < (int)sizeof(pixels); ++i)
        pixels[i] = (BYTE)(i * 37);
    CColourTransform::Convert(pixels, 64, profile, std::string());
    CColourTransform::Convert(pixels, 64, std::string(), profile);
}

class CFuzzCatalogue : public CFileInfoList
{
public:
    explicit CFuzzCatalogue(const char* path) : m_Path(path) {}

protected:
    CString GetFileName() override { return m_Path; }

private:
    CString m_Path;
};

void RunCatalogue(const char* path)
{
    CFuzzCatalogue list(path);
    list.Load();
    // Walk what was read, as the thumbnail view does.
    CFileInfo* first = list.GetCurrentFile();
    for (CFileInfo* entry = first; entry;)
    {
        entry->GetDescription().GetLength();
        entry = list.SelectTheNextFile();
        if (entry == first)
            break;
    }
}

void RunRegistry(const char* path)
{
    CMemoryMappedDB registry(path, 2048);
    registry.Load();
    size_t total = 0;
    for (int i = 0; i < registry.GetFileCount(); ++i)
        total += strlen(registry.GetFile(i));
    registry.RegisterFile("C:\\Pictures\\fuzz");
    registry.UnRegisterFile("C:\\Pictures\\fuzz");
    registry.Save();
}

const FuzzTarget kTargets[] = {
    { "bmp", ".bmp", ".bmp;.dib", LayoutBmp, false, RunPicture },
    { "ico", ".ico", ".ico", LayoutIcon, false, RunPicture },
    { "cur", ".cur", ".cur;.ico", LayoutIcon, false, RunPicture },
    { "jpeg", ".jpg", ".jpg;.jpeg", LayoutJpeg, false, RunJpeg },
    { "exif", ".jpg", ".jpg;.jpeg", LayoutJpeg, true, RunExifThumbnail },
    { "png", ".png", ".png", LayoutPng, false, RunPicture },
    { "gif", ".gif", ".gif", LayoutGif, false, RunGif },
    { "tiff", ".tif", ".tif;.tiff", LayoutTiff, false, RunPicture },
    { "wmf", ".wmf", ".wmf", LayoutWmf, false, RunPicture },
    { "emf", ".emf", ".emf", LayoutEmf, false, RunPicture },
    { "webp", ".webp", ".webp", LayoutRiff, false, RunWithThumbnailPasses },
    { "heif", ".heic", ".heic;.heif", LayoutBoxes, false, RunWithThumbnailPasses },
    { "jxl", ".jxl", ".jxl", LayoutBoxes, false, RunWithThumbnailPasses },
    { "avif", ".avif", ".avif", LayoutBoxes, false, RunWithThumbnailPasses },
    { "ttf", ".ttf", ".ttf", LayoutNone, false, RunPicture },
    { "icc", ".icc", ".icc;.icm", LayoutNone, false, RunIccProfile },
    { "catalogue", ".alb", ".alb", LayoutRecords, false, RunCatalogue },
    { "registry", ".db", ".fdb", LayoutStrings, false, RunRegistry },
};

bool WriteBytesTo(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

std::string ArchiveString(const std::string& text)
{
    BYTE prefix[7];
    int n = CArchiveStream::EncodeLengthPrefix((DWORD)text.size(), prefix);
    return std::string((const char*)prefix, n) + text;
}

std::string Int32(long value)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = (char)((unsigned long)value >> (8 * i));
    return out;
}

std::string SmallExifJpeg(const std::string& path)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return std::string();
    std::string head(65536 + 4, '\0');
    head.resize(fread(&head[0], 1, head.size(), file));
    fclose(file);
    size_t pos = 2;
    while (pos + 10 <= head.size() && (unsigned char)head[pos] == 0xFF)
    {
        unsigned marker = (unsigned char)head[pos + 1];
        size_t length = ((unsigned char)head[pos + 2] << 8) | (unsigned char)head[pos + 3];
        if (marker == 0xDA || length < 2 || pos + 2 + length > head.size())
            break;
        if (marker == 0xE1 && head.compare(pos + 4, 6, std::string("Exif\0\0", 6)) == 0)
        {
            std::string segment = head.substr(pos, 2 + length);
            std::string picture = "\xFF\xD9";
            size_t start = segment.find("\xFF\xD8", 10);
            size_t end = segment.rfind("\xFF\xD9");
            if (start != std::string::npos && end != std::string::npos && end > start)
                picture = segment.substr(start + 2, end + 2 - start - 2);
            return "\xFF\xD8" + segment + picture;
        }
        pos += 2 + length;
    }
    return std::string();
}

std::vector<std::string> PicturesIn(const char* folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(folder) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            CFileInfo::IsImageFile(found.cFileName))
            names.push_back(std::string(folder) + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

const FuzzTarget* FuzzTargets(int& count)
{
    count = (int)(sizeof(kTargets) / sizeof(kTargets[0]));
    return kTargets;
}

const FuzzTarget* FindFuzzTarget(const char* name)
{
    int count;
    const FuzzTarget* targets = FuzzTargets(count);
    for (int i = 0; i < count; ++i)
        if (_stricmp(targets[i].name, name) == 0)
            return &targets[i];
    return NULL;
}

int WriteGeneratedSeeds(const char* folder)
{
    std::vector<std::string> pictures = PicturesIn(folder);
    if (pictures.empty())
        pictures.push_back(std::string(folder) + "\\missing.jpg");
    int written = 0;

    // Catalogue streams: short, long (three- and seven-byte prefixes) and
    // empty descriptions, every transition kind, a duplicate, a cut record.
    std::string all, small;
    for (size_t i = 0; i < pictures.size(); ++i)
    {
        std::string description = i % 3 == 0 ? "" : "Picture " + std::to_string(i);
        if (i == 1)
            description.assign(300, 'd');
        all += ArchiveString(pictures[i]) + ArchiveString(description) + Int32((long)(i % 40)) +
               Int32((long)(i * 7 % 256));
        if (i < 3)
            small = all;
    }
    std::string longOne = ArchiveString(pictures[0]) + ArchiveString(std::string(70000, 'x')) +
                          Int32(3) + Int32(9);
    std::string repeated = small + small.substr(0, small.size() / 2);
    written += WriteBytesTo(std::string(folder) + "\\catalogue_all.alb", all);
    written += WriteBytesTo(std::string(folder) + "\\catalogue_small.alb", small);
    written += WriteBytesTo(std::string(folder) + "\\catalogue_long.alb", longOne);
    written += WriteBytesTo(std::string(folder) + "\\catalogue_cut.alb", repeated);

    // Registry files: sorted with filler, unsorted with duplicates, and one
    // with a string at the length limit.
    std::string sorted, unsorted;
    for (size_t i = 0; i < pictures.size() && i < 24; ++i)
    {
        std::string folderName = pictures[i].substr(0, pictures[i].rfind('\\')) + "\\" +
                                 std::to_string(i);
        sorted += folderName + '\0';
        unsorted = folderName + '\0' + unsorted;
    }
    unsorted += "C:\\Pictures\\A" + std::string(1, '\0') + "c:\\pictures\\a" + std::string(1, '\0');
    std::string limit = "C:\\" + std::string(257, 'p') + std::string(1, '\0') + "D:\\x" + std::string(1, '\0');
    written += WriteBytesTo(std::string(folder) + "\\files_sorted.fdb", sorted + std::string(2048, '\0'));
    written += WriteBytesTo(std::string(folder) + "\\files_unsorted.fdb", unsorted);
    written += WriteBytesTo(std::string(folder) + "\\files_limit.fdb", limit + std::string(300, '\0'));

    // Small JPEGs with EXIF data: the camera samples are megabytes, but the
    // thumbnail reader needs only their EXIF segment, and the embedded
    // thumbnail makes the picture.
    for (const std::string& path : pictures)
    {
        if (!CFileInfo::IsJPGFile(path.c_str()) || path.find("\\exif_") != std::string::npos)
            continue;
        std::string small = SmallExifJpeg(path);
        if (!small.empty())
            written += WriteBytesTo(std::string(folder) + "\\exif_" + path.substr(path.rfind('\\') + 1), small);
    }

    // The type sample reads nothing of the font, so a small file will do:
    // a TrueType offset table with one table record.
    static const unsigned char font[] = { 0, 1, 0, 0, 0, 1, 0, 16, 0, 0, 0, 0,
                                          'h', 'e', 'a', 'd', 0, 0, 0, 0, 0, 0, 0, 28, 0, 0, 0, 54 };
    written += WriteBytesTo(std::string(folder) + "\\font_small.ttf",
                            std::string((const char*)font, sizeof(font)) + std::string(54, '\0'));
    return written;
}
