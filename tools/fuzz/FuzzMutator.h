// The mutator: one case number gives one mutated file, always the same.
#pragma once

#include "FuzzLayout.h"

struct FuzzSeed
{
    std::string name;
    Bytes data;
};

class CFuzzMutator
{
public:
    CFuzzMutator(FuzzLayout layout, const std::vector<FuzzSeed>& seeds, const char* parser,
                 bool preferFocus);

    // The file of case `number`; `description` names the seed and the steps.
    Bytes Mutate(uint64_t number, std::string& description) const;

    enum { MaxOutputBytes = 4 * 1024 * 1024 };

private:
    void ApplyOne(CFuzzRandom& random, Bytes& data, std::string& description) const;
    size_t PickOffset(CFuzzRandom& random, const Bytes& data, const FuzzStructure& s) const;
    const FuzzField* PickField(CFuzzRandom& random, const FuzzStructure& s) const;
    const FuzzSeed& OtherSeed(CFuzzRandom& random) const;

    FuzzLayout m_Layout;
    const std::vector<FuzzSeed>& m_Seeds;
    uint64_t m_Salt;
    bool m_PreferFocus;
};
