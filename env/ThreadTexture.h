#pragma once
// The thread picture as the pin's surface texture: a plain cylinder that looks
// threaded, one picture covering the circumference and 6.25 pitches.

#include <cstdint>
#include <string>

#include "env/Module.h"

namespace zelva::env {

constexpr const char* kTexturePicture = "3iaoftt.jpg";

// -1 and the picture's full name when found in ApplDir's Images folder or the
// host's thread-file directory; 0 and `path` untouched otherwise.
int16_t FindTextureFile(Module& m, std::string& path);

// Gives the shape a surface finish textured with the thread picture. Without the
// picture nothing changes; once the texture is asked for, a failing step is
// skipped and the rest still run.
void ApplyThreadTexture(Module& m, Object& shape, double& q, double& r, double& s, double& diameter, double pitch);

}  // namespace zelva::env
