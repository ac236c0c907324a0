// Batch outputs that cannot be written: counted in the progress window's end
// text while older outputs stay as they were (a locked output answered Yes, a
// read-only output folder, a full disk); an output folder that cannot be made
// stops the job with a message naming it; and a job goes on with its own
// entries when the view's list is freed during its overwrite question; a
// source that cannot be read leaves no trace, and an output that would replace
// its source is skipped with a word in the progress window.
#include <gtest/gtest.h>
#include "BatchTestKit.h"
#include "batch/DialogBatchGrayScale.h"
#include "batch/DialogBatchRotateFlip.h"
#include "batch/DialogBatchWatermark.h"

using namespace batch_test;

namespace
{
// Pictures a.jpg, b.jpg, ... of w x h in `folder`.
std::vector<std::string> Pictures(const TempFolder& folder, const std::vector<const char*>& names, int w = 80,
                                  int h = 60)
{
    std::vector<std::string> files;
    for (const char* name : names)
    {
        files.push_back(folder.File(name));
        WriteJpeg(files.back(), w, h, (int)files.size());
    }
    return files;
}

struct GrayJob
{
    explicit GrayJob(const std::string& output) { tool.m_Prop_OutputFolderName = CString(output.c_str()); }
    CDialogBatchGrayScale tool;
};
}

TEST(BatchUnwritten, LockedOutputAnsweredYesIsCountedAndKeepsItsBytes)
{
    TempFolder folder("batch_locked");
    std::vector<std::string> files = Pictures(folder, {"a.jpg", "b.jpg"});
    CFileInfo::MakeDir(folder.File("out\\GrayScale").c_str());
    std::string old = folder.File("out\\GrayScale\\a.jpg");
    test_support::WriteFileBytes(old, "kept");
    HANDLE holder = CreateFileA(old.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    std::unique_ptr<CTestList> list(MakeList(folder, files));
    Messages messages({IDYES});
    GrayJob job(folder.File("out"));
    DoneCloser closer;
    job.tool.RunBatch(list.get());
    CloseHandle(holder);

    EXPECT_EQ(1u, messages.All().size());
    EXPECT_EQ("Done. 1 file could not be written. Press ESC key", closer.EndText());
    EXPECT_EQ(1, job.tool.GetUnwrittenCount());
    EXPECT_EQ("kept", test_support::FileBytes(old));
    EXPECT_EQ(CSize(80, 60), PictureSize(folder.File("out\\GrayScale\\b.jpg")));
    EXPECT_TRUE(FilesMatching(folder.File("out\\GrayScale"), "*.tmp").empty());
}

TEST(BatchUnwritten, ReadOnlyOutputFolderCountsEveryOutput)
{
    TempFolder folder("batch_readonly");
    std::vector<std::string> files = Pictures(folder, {"a.jpg", "b.jpg", "c.jpg"});
    std::string output = folder.File("out\\GrayScale");
    CFileInfo::MakeDir(output.c_str());
    test_support::WriteFileBytes(output + "\\a.jpg", "kept");
    std::unique_ptr<CTestList> list(MakeList(folder, files));
    Messages messages({IDYES});
    GrayJob job(folder.File("out"));
    {
        // The older output is read-only too, as on a write-protected medium.
        ReadOnlyFolder readOnlyFile(output + "\\a.jpg");
        ReadOnlyFolder readOnly(output);
        if (!readOnly.Made() || !readOnlyFile.Made())
            GTEST_SKIP() << "cannot make a folder read-only here";
        DoneCloser closer;
        job.tool.RunBatch(list.get());
        EXPECT_EQ("Done. 3 files could not be written. Press ESC key", closer.EndText());
    }
    EXPECT_EQ("kept", test_support::FileBytes(output + "\\a.jpg"));
    EXPECT_EQ(std::vector<std::string>{"a.jpg"}, FilesMatching(output, "*.*"));
}

TEST(BatchUnwritten, FullDiskCountsEveryOutputAndLeavesNoPart)
{
    TempFolder folder("batch_full");
    // Colour pictures whose turned copies at quality 100 do not fit in 64 KiB.
    std::vector<std::string> files = Pictures(folder, {"a.jpg", "b.jpg"}, 1200, 900);
    std::unique_ptr<CTestList> list(MakeList(folder, files));
    Messages messages;
    CDialogBatchRotateFlip tool;
    tool.m_Prop_OutputFolderName = CString(folder.File("small").c_str());
    tool.m_Prop_JobFlag = CDialogBatchRotateFlip::Rotate90;
    std::vector<std::string> left;
    {
        SmallDisk disk(folder.File("small"));
        if (!disk.Mounted())
            GTEST_SKIP() << "cannot mount a small file system here";
        DoneCloser closer;
        tool.RunBatch(list.get());
        EXPECT_EQ("Done. 2 files could not be written. Press ESC key", closer.EndText());
        left = FilesMatching(folder.File("small\\RotateFlip"), "*.*");
    }
    EXPECT_TRUE(messages.All().empty());
    EXPECT_TRUE(left.empty()) << left.size() << " files left, the first " << left[0];
}

TEST(BatchOutputFolder, ThatCannotBeMadeStopsTheJobNamingItAndWritesNothing)
{
    TempFolder folder("batch_nofolder");
    std::vector<std::string> files = Pictures(folder, {"a.jpg", "b.jpg"});
    test_support::WriteFileBytes(folder.File("plain.txt"), "a file, not a folder");
    CreateDirectoryA(folder.File("locked").c_str(), NULL);
    ReadOnlyFolder readOnly(folder.File("locked"));
    std::vector<std::string> outputs = {folder.File("plain.txt\\out")};
    if (readOnly.Made())
        outputs.push_back(folder.File("locked\\out"));
    for (const std::string& output : outputs)
    {
        std::unique_ptr<CTestList> list(MakeList(folder, files));
        Messages messages;
        GrayJob job(output);
        DoneCloser closer;
        job.tool.RunBatch(list.get());
        ASSERT_EQ(1u, messages.All().size()) << output;
        EXPECT_EQ("Output folder " + output + "\\GrayScale could not be created", messages.All()[0].text);
        EXPECT_EQ((UINT)MB_ICONERROR, messages.All()[0].type & MB_ICONMASK);
        EXPECT_EQ("Done. 1 file could not be written. Press ESC key", closer.EndText());
        EXPECT_FALSE(CFileInfo::FolderExist(output.c_str()));
    }
    EXPECT_TRUE(FilesMatching(folder.File("locked"), "*").empty());
}

namespace
{
// The view's list, freed from inside the first question, as a deletion of
// the album posted by another window would free it; the view then shows
// another list of other pictures.
struct FreedDuringQuestion
{
    static FreedDuringQuestion*& Current()
    {
        static FreedDuringQuestion* current = NULL;
        return current;
    }
    static int Answer(const char* text, UINT)
    {
        FreedDuringQuestion* self = Current();
        self->questions.push_back(text);
        if (self->original)
        {
            delete self->original;
            self->original = NULL;
            self->replacement.reset(MakeList(*self->other, self->otherFiles));
            self->job->SetFileList(self->replacement.get());
        }
        return IDYES;
    }
    CDialogBatchJob* job;
    CTestList* original;
    const TempFolder* other;
    std::vector<std::string> otherFiles;
    std::unique_ptr<CTestList> replacement;
    std::vector<std::string> questions;
};
}

TEST(BatchJobList, GoesOnWithItsOwnEntriesWhenTheViewsListIsFreedDuringAQuestion)
{
    TempFolder folder("batch_freed");
    TempFolder elsewhere("batch_freed_other");
    std::vector<std::string> files = Pictures(folder, {"a.jpg", "b.jpg", "c.jpg"});
    CFileInfo::MakeDir(folder.File("out\\GrayScale").c_str());
    test_support::WriteFileBytes(folder.File("out\\GrayScale\\a.jpg"), "earlier");
    GrayJob job(folder.File("out"));
    FreedDuringQuestion freed;
    freed.job = &job.tool;
    freed.original = MakeList(folder, files);
    freed.other = &elsewhere;
    freed.otherFiles = Pictures(elsewhere, {"x.jpg", "y.jpg", "z.jpg", "w.jpg"});
    FreedDuringQuestion::Current() = &freed;
    job.tool.SetFileList(freed.original);
    AfxSetMessageBoxHook(FreedDuringQuestion::Answer);
    DoneCloser closer;
    job.tool.RunBatch(freed.original);
    AfxSetMessageBoxHook(NULL);

    ASSERT_EQ(1u, freed.questions.size());
    EXPECT_EQ("Done. Press ESC key", closer.EndText());
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        EXPECT_EQ(CSize(80, 60), PictureSize(folder.File((std::string("out\\GrayScale\\") + name).c_str())))
            << name;
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}), FilesMatching(folder.File("out\\GrayScale"), "*.jpg"));
    // The list shown now keeps its own current entry: the walk's end is not in it.
    EXPECT_EQ(freed.otherFiles[0], (LPCSTR)freed.replacement->GetCurrentFile()->GetName());
}

namespace
{
// Runs `tool` over a list of `source` alone, writing below `output`; returns
// the message boxes it raised.
template <class Tool>
std::vector<Messages::Seen> RunOver(Tool& tool, const TempFolder& folder, const std::string& source,
                                    const std::string& output)
{
    std::unique_ptr<CTestList> list(MakeList(folder, {source}));
    tool.m_Prop_OutputFolderName = CString(output.c_str());
    Messages messages({IDYES});
    DoneCloser closer;
    EXPECT_TRUE(tool.RunBatch(list.get()));
    EXPECT_EQ(1, closer.Closed());
    EXPECT_EQ("Done. Press ESC key", closer.EndText());
    return messages.All();
}

// A source that cannot be read gives no output folder, no overwrite
// question (even where its output exists) and no output.
template <class Tool>
void CheckUnreadableSource(const char* subFolder)
{
    SCOPED_TRACE(subFolder);
    TempFolder folder("batch_unreadable");
    std::string bad = folder.File("bad.jpg");
    test_support::WriteFileBytes(bad, "not a picture at all");
    {
        Tool tool;
        EXPECT_TRUE(RunOver(tool, folder, bad, folder.File("fresh")).empty());
        EXPECT_FALSE(CFileInfo::FolderExist(folder.File("fresh").c_str()));
    }
    std::string earlier = folder.File(std::string("old\\") + subFolder + "\\bad.jpg");
    CFileInfo::MakeDir(folder.File(std::string("old\\") + subFolder).c_str());
    test_support::WriteFileBytes(earlier, "earlier result");
    {
        Tool tool;
        EXPECT_TRUE(RunOver(tool, folder, bad, folder.File("old")).empty());
        EXPECT_EQ("earlier result", test_support::FileBytes(earlier));
    }
}
}

TEST(BatchUnreadableSource, MakesNoFolderAsksNothingAndWritesNothing)
{
    CheckUnreadableSource<CDialogBatchGrayScale>("GrayScale");
    CheckUnreadableSource<CDialogBatchRotateFlip>("RotateFlip");
    CheckUnreadableSource<CDialogBatchWatermark>("Watermark");
}

TEST(BatchSourceAsOutput, IsSkippedAndTheProgressWindowSaysSo)
{
    TempFolder folder("batch_self");
    std::string source = folder.File("GrayScale\\a.jpg");
    CFileInfo::MakeDir(folder.File("GrayScale").c_str());
    WriteJpeg(source, 60, 40);
    std::string before = test_support::FileBytes(source);
    std::unique_ptr<CTestList> list(MakeList(folder, {source}));
    CDialogBatchGrayScale tool;
    tool.m_Prop_OutputFolderName = CString(folder.Path().c_str());
    Messages messages;
    DoneCloser closer;
    ASSERT_TRUE(tool.RunBatch(list.get()));
    EXPECT_TRUE(messages.All().empty());
    EXPECT_EQ(before, test_support::FileBytes(source));
    EXPECT_EQ("Done. 1 file was skipped: its output would replace its source. Press ESC key", closer.EndText());
    EXPECT_EQ("Skipped: the output would replace the source " + source, closer.StatusText());
}
