// "Rotate left" and "Rotate right" from the browser: the selected JPEG is
// turned over itself without loss, its cell shows the turned picture (the
// old bitmap and cache copy are dropped), its description and place stay; a
// picture that cannot be turned without loss is turned only after the
// question, and other files are never touched.
#include <memory>
#include "AfxMessageBox.h"
#include "ViewTestKit.h"
#include "ThumbnailTestKit.h"
#include "BitmapFactory.h"
#include "JpgFile.h"

using namespace view_test;

namespace
{
struct Questions
{
    static std::vector<std::string>& Asked()
    {
        static std::vector<std::string> asked;
        return asked;
    }
    static int& Answer()
    {
        static int answer = IDNO;
        return answer;
    }
    static int Proc(const char* text, UINT)
    {
        Asked().push_back(text);
        return Answer();
    }
    Questions()
    {
        Asked().clear();
        AfxSetMessageBoxHook(Proc);
    }
    ~Questions() { AfxSetMessageBoxHook(NULL); }
};

// The generator of the test's thread while it lives: cells ask it, the
// test serves their tasks.
struct Generator
{
    CThumbnailManager manager;
    CThumbnailManager* previous;
    Generator() : previous(g_pThumbnailManager) { g_pThumbnailManager = &manager; }
    ~Generator() { g_pThumbnailManager = previous; }
    // Lets the cells paint and makes every bitmap they asked for.
    void ServeAll(CBrowserView* view)
    {
        for (int round = 0; round < 4; ++round)
        {
            Pump(50);
            view->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            while (manager.ServeNextTask() != CThumbnailManager::NoTask)
                ;
        }
    }
    // The colours (0xRRGGBB) at the middle of the top and bottom quarter of
    // the picture's bitmap; false when there is none.
    bool TopAndBottom(const std::string& path, DWORD& top, DWORD& bottom)
    {
        CThumbnailInfo info = manager.Thumbnails().Take(path.c_str());
        if (!info.m_hBitmap)
            return false;
        std::unique_ptr<CRgbBuffer> pixels(CBitmapFactory::CreateRgbFromDIBitmap(info.m_hBitmap));
        manager.Thumbnails().Set(path.c_str(), info);
        if (!pixels || !pixels->IsImage())
            return false;
        auto at = [&](int y) {
            const BYTE* p = pixels->GetBuffer() + 3 * ((size_t)y * pixels->GetWidth() + pixels->GetWidth() / 2);
            return ((DWORD)p[0] << 16) | ((DWORD)p[1] << 8) | p[2];
        };
        top = at(pixels->GetHeight() / 4);
        bottom = at(pixels->GetHeight() * 3 / 4);
        return true;
    }
};

// A JPEG whose left half is red and right half blue.
std::string WriteHalves(const TempFolder& folder, const std::string& name, int width, int height)
{
    CRgbBuffer picture(width, height);
    picture.m_GrayScale = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            BYTE* p = picture.GetBuffer() + 3 * ((size_t)y * width + x);
            p[0] = x < width / 2 ? 220 : 0;
            p[1] = 0;
            p[2] = x < width / 2 ? 0 : 220;
        }
    std::string path = folder.File(name);
    WriteFileBytes(path, EncodeJpeg(picture, 90));
    return path;
}

CFileInfo* EntryOf(CBrowserView* view, const std::string& path)
{
    for (CFileInfo* entry : view->GetEntries())
        if (CString(path.c_str()).CompareNoCase(entry->GetName()) == 0)
            return entry;
    return NULL;
}

void SelectOnly(CBrowserView* view, CFileInfo* chosen)
{
    for (CFileInfo* entry : view->GetEntries())
        entry->Select(entry == chosen);
}

CSize StoredSize(const std::string& path)
{
    CRgbBuffer picture;
    CJpgFile reader(path.c_str(), 100, false);
    return reader.Load(&picture) ? picture.GetImageSize() : CSize(0, 0);
}

const DWORD Red = 0xDC0000, Blue = 0x0000DC;
} // namespace

TEST_F(ViewWindow, RotateRightTurnsTheJpegWithoutLossAndItsCellShowsItAtOnce)
{
    TempFolder folder("view_rotate");
    std::string photo = WriteHalves(folder, "photo.jpg", 96, 64);
    std::string other = WriteHalves(folder, "other.jpg", 96, 64);
    // What the lossless turn of the original makes, for comparison.
    std::string original = folder.File("original.jpg.keep"), expected = folder.File("expected.jpg.keep");
    ASSERT_TRUE(CopyFileA(photo.c_str(), original.c_str(), FALSE));
    ASSERT_NE(0, CJpgFile::TransformLossless(original.c_str(), expected.c_str(), CJpgFile::TurnRotate90));
    const Bytes otherBytes = FileBytes(other);
    FILETIME old = {0, 0x01D60000}; // a day in 2020
    thumbnail_test::SetModifyTime(photo, old);

    Generator generator;
    Questions questions;
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    generator.ServeAll(view);
    CFileInfo* entry = EntryOf(view, photo);
    ASSERT_TRUE(entry != NULL);
    entry->SetDescription("Summit");
    const std::vector<CFileInfo*> order = view->GetEntries();
    DWORD top = 0, bottom = 0;
    ASSERT_TRUE(generator.TopAndBottom(photo, top, bottom)); // the unturned picture's

    // A cache copy of the old picture that would still count as fresh.
    std::string cache = thumbnail_test::CacheFileOf(photo);
    ASSERT_TRUE(CopyFileA(original.c_str(), cache.c_str(), FALSE));
    thumbnail_test::SetModifyTime(cache, thumbnail_test::Later(thumbnail_test::ModifyTime(photo), 3600 * 24 * 3650));

    SelectOnly(view, entry);
    s_window->Frame()->SendMessage(WM_COMMAND, ID_ROTATE_RIGHT, 0);

    EXPECT_TRUE(questions.Asked().empty());
    EXPECT_EQ(FileBytes(expected), FileBytes(photo));
    EXPECT_EQ(otherBytes, FileBytes(other));
    FILETIME modified = thumbnail_test::ModifyTime(photo);
    EXPECT_EQ(1, CompareFileTime(&modified, &old));
    EXPECT_FALSE(test_support::Exists(cache));
    // The cell paints the turned picture: red on top, blue below.
    generator.ServeAll(view);
    ASSERT_TRUE(generator.TopAndBottom(photo, top, bottom));
    EXPECT_TRUE(thumbnail_test::Near(top, Red, 40)) << std::hex << top;
    EXPECT_TRUE(thumbnail_test::Near(bottom, Blue, 40)) << std::hex << bottom;
    // The entry is the same, with its description, in its place.
    EXPECT_EQ(order, view->GetEntries());
    EXPECT_STREQ("Summit", entry->GetDescription());
    DeleteFileA(cache.c_str());
}

TEST_F(ViewWindow, RotateLeftAsksBeforeTurningAPictureWithALossAndLeavesOtherFilesAlone)
{
    TempFolder folder("view_rotate_ragged");
    // 100 x 52 in 4:2:0 has partial blocks at both edges.
    std::string ragged = WriteHalves(folder, "ragged.jpg", 100, 52);
    // 96 x 64 turns without loss, but the file is held open: it cannot be
    // replaced, and no question can help that.
    std::string locked = WriteHalves(folder, "locked.jpg", 96, 64);
    const Bytes lockedBytes = FileBytes(locked);
    std::unique_ptr<void, BOOL(WINAPI*)(HANDLE)> holder(
        CreateFileA(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL), CloseHandle);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder.get());
    std::string bitmap = folder.File("plain.bmp");
    WriteFileBytes(bitmap, "BM not really a picture");
    const Bytes raggedBytes = FileBytes(ragged);

    Questions questions;
    CBrowserView* view = View();
    view->ShowFolder(folder.Path().c_str());
    Pump(100);
    CFileInfo* raggedEntry = EntryOf(view, ragged);
    CFileInfo* bitmapEntry = EntryOf(view, bitmap);
    CFileInfo* lockedEntry = EntryOf(view, locked);
    ASSERT_TRUE(raggedEntry && bitmapEntry && lockedEntry);

    // Only JPEG files turn: with none selected the commands are off.
    SelectOnly(view, bitmapEntry);
    EXPECT_FALSE(view->HasSelectedJpeg());
    EXPECT_EQ(0, view->RotateSelection(CJpgFile::TurnRotate270));
    SelectOnly(view, raggedEntry);
    EXPECT_TRUE(view->HasSelectedJpeg());

    // "No" leaves the file as it was; the locked one is not asked about.
    lockedEntry->Select(true);
    Questions::Answer() = IDNO;
    s_window->Frame()->SendMessage(WM_COMMAND, ID_ROTATE_LEFT, 0);
    ASSERT_EQ(1u, questions.Asked().size());
    EXPECT_EQ("ragged.jpg cannot be turned without loss. Turn it anyway?", questions.Asked()[0]);
    EXPECT_EQ(raggedBytes, FileBytes(ragged));
    EXPECT_EQ(lockedBytes, FileBytes(locked));
    holder.reset();
    lockedEntry->Select(false);

    // "Yes" turns it whole, encoded at its own quality.
    Questions::Answer() = IDYES;
    s_window->Frame()->SendMessage(WM_COMMAND, ID_ROTATE_LEFT, 0);
    EXPECT_EQ(2u, questions.Asked().size());
    EXPECT_EQ(CSize(52, 100), StoredSize(ragged));
    EXPECT_EQ(90, CJpgFile::EstimateQuality(ragged.c_str()));
    // Turned left: the red (left) half is at the bottom now.
    CRgbBuffer turned;
    ASSERT_EQ(1, CJpgFile(ragged.c_str(), 100, false).Load(&turned));
    const BYTE* lower = turned.GetBuffer() + 3 * (75 * 52 + 26);
    EXPECT_GT(lower[0], 150);
    EXPECT_LT(lower[2], 60);
}
