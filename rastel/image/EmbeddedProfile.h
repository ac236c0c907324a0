// EmbeddedProfile: finds the colour profile that a picture file embeds, in
// the containers whose codecs decode from memory or a library handle, and
// attaches it to the decoded picture. Internal to rastel.
//
// Contract: each function looks only inside the bytes or handle it is
// given; a missing, damaged or unusable profile (CIccProfile::IsUsable)
// leaves the picture without one, which means sRGB. Nothing throws.
#pragma once

#include <stddef.h>
#include <stdio.h>
#include <string>

#include "Framework.h"

class CRgbBuffer;
struct tiff;

namespace EmbeddedProfile
{
// Sets picture->m_IccProfile to `profile` when it is usable, else empties it.
void Attach(CRgbBuffer* picture, const std::string& profile);

// The APP2 "ICC_PROFILE" chunks of an open JPEG file (read from its start).
std::string FromJpegFile(FILE* file);
std::string FromTiff(struct tiff* tif);           // the ICC profile tag
std::string FromWebp(const BYTE* data, size_t size); // the ICCP chunk
// The ICC profile, or one built from the nclx colour information where its
// primaries and transfer are simple ones; empty for sRGB.
std::string FromHeif(const BYTE* data, size_t size);
std::string FromJxl(const BYTE* data, size_t size); // the decoded data's encoding

// The codecs' one-line hooks: find and attach.
void AttachFromWebp(const BYTE* data, size_t size, CRgbBuffer* picture);
void AttachFromHeif(const BYTE* data, size_t size, CRgbBuffer* picture);
void AttachFromJxl(const BYTE* data, size_t size, CRgbBuffer* picture);
} // namespace EmbeddedProfile
