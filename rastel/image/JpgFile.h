// CJpgFile: the JPEG codec (the suite's only writer of picture files) and the
// reader of the small JPEG thumbnail that cameras embed in a file's EXIF data.
//
// Contract:
// - Load decodes into an empty buffer and returns buffer->IsImage(). Pixels
//   are allocated with CRgbBuffer::AllocatePixelArray (zero-filled, so rows
//   that a decoding error left undecoded are black). A decoding error after
//   the size was known keeps the rows decoded so far and counts as a success.
// - Colour files decode to RGB; grayscale files to grey RGB (R = G = B);
//   four-component files (CMYK, YCCK) are converted to RGB, taking their
//   samples as Adobe-inverted as the common encoders write them.
// - With thumbnailOnly, Load decodes only the EXIF thumbnail; a file without
//   one yields an empty buffer.
// - Load and LoadReduced turn the picture (and the thumbnail) upright by the
//   EXIF orientation tag (CExifOrientation).
// - Save always writes the extension "jpg"; a buffer with m_GrayScale 1 is
//   written as a one-channel file made from the red channel.
// - Save writes into a temporary file beside the target, checks every write,
//   flushes it to disk and only then moves it over the target: it returns
//   nonzero only when the whole file is in place; on failure the target is
//   as it was and no temporary file is left. A replaced file keeps its
//   attributes; a new one has normal attributes.
// - With a metadata source (SetMetadataSource), Save copies that JPEG's EXIF,
//   XMP and ICC profile into the file it writes (read before the target is
//   replaced, so the source may be the target): Orientation 1, the pixel
//   dimension tags of the saved size, the EXIF thumbnail made anew from the
//   saved picture (or dropped when it does not fit). A damaged EXIF block is
//   not copied; a source without EXIF gives a file without EXIF.
// - Without profile chunks from a metadata source, Save writes the buffer's
//   m_IccProfile (when it has one) as APP2 "ICC_PROFILE" chunks, so a
//   picture that came from another format keeps its colours.
// - TransformLossless turns a JPEG file by moving its compressed blocks, so
//   the picture loses nothing: the turn asked for is applied to the picture
//   as it is shown (upright by its EXIF orientation), the result is stored
//   upright with Orientation 1, the dimension tags and the EXIF thumbnail
//   follow the turn, every other segment (EXIF, XMP, ICC, comments) is
//   copied, a progressive file stays progressive. The target is written
//   through the safe write (it may be the source). When the width or height
//   is not a whole number of blocks where the turn needs one, nothing is
//   written and it returns 0: the caller decodes and encodes instead, so
//   no picture is ever cropped or left with a smeared edge.
// - Library errors never escape: functions return 0 and free what they made.
//   Hostile input (bad offsets, looping directories, huge sizes, endless
//   progressive scans) is refused, never read outside its buffer.
#pragma once

#include <stdio.h>
#include "ImageFile.h"

class RASTEL_API CJpgFile : public CImageFile
{
public:
    enum
    {
        MaxExifLength = 40000,     // largest EXIF block read
        MaxProgressiveScans = 100, // a file with more scans is refused
    };

    int m_Quality;
    bool m_ThumbnailOnly;
    CRgbBuffer* m_Target;

    // Parse state of the EXIF block; 0 / null outside Load. Offsets count
    // from the block's first byte (the TIFF byte-order mark).
    BYTE* m_ExifData; // malloc'ed
    int m_ExifLength;
    int m_ThumbnailOffset;
    int m_MotorolaOrder;
    int m_Position;
    int m_ExifIfdOffset;
    int m_InteropIfdOffset;

    CJpgFile(CString fileName, int quality = 100, bool thumbnailOnly = false);
    // The JPEG whose metadata Save copies; empty (the default) for none.
    void SetMetadataSource(const CString& path) { m_MetadataSource = path; }
    const CString& GetMetadataSource() const { return m_MetadataSource; }
    // Copies name, quality and mode; the copy starts with a clear parse state.
    CJpgFile(const CJpgFile& other);
    CJpgFile& operator=(const CJpgFile& other);
    virtual ~CJpgFile();

    virtual int Load(CRgbBuffer* buffer);
    virtual int Save(CRgbBuffer* buffer);

    // Decodes from file, or when file is null from data/length. *pixels gets
    // a new array (free it with CRgbBuffer::FreePixelArray); its size is set
    // as soon as it is known. Returns 1, or 0 after a library error.
    static int read_JPG_file(FILE* file, BYTE** pixels, int* width, int* height, BYTE* data,
                             int length);
    // Decodes a file at the smallest DCT scale (1/8, 1/4, 1/2) whose output
    // still covers the picture's best fit into boxWidth x boxHeight (at full
    // size when the picture fits the box or no scale covers the fit). The
    // picture's own size goes to fullWidth/fullHeight. Result as read_JPG_file.
    static int read_JPG_file_reduced(FILE* file, BYTE** pixels, int* width, int* height,
                                     int boxWidth, int boxHeight, int* fullWidth, int* fullHeight);
    // Loads the file like Load (not in thumbnail mode) through
    // read_JPG_file_reduced; fullSize gets the picture's own size.
    int LoadReduced(CRgbBuffer* buffer, int boxWidth, int boxHeight, CSize* fullSize);
    // Encodes width x height RGB pixels; with grayScale one channel from red.
    static int save_JPG_file(FILE* file, BYTE* pixels, int width, int height, int quality,
                             int grayScale);

    // Operations of TransformLossless, numbered as the Rotate/Flip job's.
    enum
    {
        TurnRotate90,       // clockwise
        TurnRotate180,
        TurnRotate270,      // clockwise, i.e. 90 counter-clockwise
        TurnFlipHorizontal, // mirror left-right
        TurnFlipVertical    // mirror top-bottom
    };
    // Writes source turned by `operation` to target (see the contract);
    // nonzero on success, 0 with target untouched otherwise.
    static int TransformLossless(LPCSTR source, LPCSTR target, int operation);
    // Nonzero when source is a JPEG that `operation` turns perfectly, so
    // TransformLossless can fail only by not writing its target.
    static int CanTransformLossless(LPCSTR source, int operation);
    // The quality (1 to 100) the file's luminance quantisation table was
    // made with, by the scale of the standard table it is nearest; 0 when
    // the file cannot be read as a JPEG.
    static int EstimateQuality(LPCSTR path);

    // Reads the block of the file's first APP1 segment when it is EXIF data.
    int read_exif_data(FILE* file);
    // Entry count of the directory at m_Position (0 when it lies outside).
    int calculate_number_of_tags();
    // Interprets the entry after m_Position and moves on; 0 when outside.
    int process_next_entry();
    // Walks the directories of m_ExifData (m_ExifLength bytes) and decodes
    // the thumbnail into m_Target when one is found.
    void ParseExifData();

private:
    void ClearParseState();
    void ProcessDirectory();
    bool ReadExif16(long long offset, unsigned& value) const;
    bool ReadExif32(long long offset, unsigned& value) const;
    void DecodeThumbnail(unsigned length);
    bool m_ThumbnailDone; // the thumbnail's length tag ended the parse
    CString m_MetadataSource;
};
