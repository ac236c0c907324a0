// The structure of each file format as far as the mutator needs it: the
// chunks that can be duplicated, removed or spliced (PNG chunks, JPEG
// segments, metafile records, catalogue records...) and the numeric fields
// that hold sizes, counts and offsets, so that mutations reach the parsers'
// length arithmetic instead of dying at the first sanity check.
#pragma once

#include "FuzzBytes.h"

enum FuzzLayout
{
    LayoutBmp,
    LayoutIcon,
    LayoutJpeg,
    LayoutPng,
    LayoutGif,
    LayoutTiff,
    LayoutWmf,
    LayoutEmf,
    LayoutRiff,    // WebP: RIFF chunks
    LayoutBoxes,   // HEIF: ISO base media boxes
    LayoutRecords, // catalogue and album record stream
    LayoutStrings, // the registry's NUL-terminated strings
    LayoutNone,
};

struct FuzzChunk
{
    size_t offset;
    size_t length;
};

struct FuzzField
{
    size_t offset;
    int size; // 1, 2 or 4 bytes
    bool bigEndian;
    bool focus; // inside the part a target concentrates on (the EXIF block)
};

struct FuzzStructure
{
    std::vector<FuzzChunk> chunks;
    std::vector<FuzzField> fields;
};

// Never reads outside `data`; a broken file gives what could be found.
void AnalyseLayout(FuzzLayout layout, const Bytes& data, FuzzStructure& out);
// Recomputes the checksums that would otherwise stop the parser at once
// (PNG chunk CRCs); other layouts have none.
void FixChecksums(FuzzLayout layout, Bytes& data);
