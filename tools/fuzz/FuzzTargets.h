// The parsers under test: each names its file extension, the layout the
// mutator walks, the seed files it starts from and the call that runs the
// real loader on one file.
#pragma once

#include "FuzzLayout.h"

struct FuzzTarget
{
    const char* name;
    const char* extension;      // of the file each case is written to
    const char* seedExtensions; // seeds: files with one of these (";"-separated)
    FuzzLayout layout;
    bool exifOnly;              // seeds must hold an EXIF block; mutate it first
    void (*run)(const char* path);
};

const FuzzTarget* FuzzTargets(int& count);
const FuzzTarget* FindFuzzTarget(const char* name);

// Writes catalogue record streams and registry files into `folder`, naming
// the pictures already there, as seeds for those two parsers. Returns the
// number of files written.
int WriteGeneratedSeeds(const char* folder);
