// The JPEG library's error handling as the suite's codecs use it: an error
// jumps back to the caller's setjmp instead of ending the process, warnings
// and traces go nowhere (there is no console and no log), and a progressive
// file with more scans than CJpgFile::MaxProgressiveScans is refused (each
// scan is a pass over the whole picture). Internal to rastel.
#pragma once

#include "JpegLib.h"
#include "JpgFile.h"

struct ErrorJump
{
    jpeg_error_mgr pub;
    jmp_buf jump;
};

inline void JumpOnError(j_common_ptr cinfo)
{
    longjmp(((ErrorJump*)cinfo->err)->jump, 1);
}

inline void DiscardMessage(j_common_ptr)
{
}

inline jpeg_error_mgr* InitErrorJump(ErrorJump* err)
{
    jpeg_std_error(&err->pub);
    err->pub.error_exit = JumpOnError;
    err->pub.output_message = DiscardMessage;
    return &err->pub;
}

// Installed as the progress monitor's callback.
inline void LimitScans(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    j_decompress_ptr dinfo = (j_decompress_ptr)cinfo;
    if (dinfo->input_scan_number > CJpgFile::MaxProgressiveScans)
        ERREXIT1(cinfo, JERR_BAD_SCAN_SCRIPT, dinfo->input_scan_number);
}
