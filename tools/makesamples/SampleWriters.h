// The sample tool's writers. Each source file of the tool registers the
// writers of one family of formats with PIXMERE_SAMPLE_WRITER; MakeSamples
// runs them all, in name order, into one folder. Output is deterministic:
// no clock, no unseeded random numbers.
#pragma once

// folder: an existing folder, without a trailing backslash.
// Returns the number of files written, or -1 on failure.
typedef int (*SampleWriterFn)(const char* folder);

struct SampleWriterRegistration
{
    SampleWriterRegistration(const char* name, SampleWriterFn writer);
};

#define PIXMERE_SAMPLE_WRITER(name, writer) \
    static SampleWriterRegistration s_sampleWriter_##name(#name, writer)
