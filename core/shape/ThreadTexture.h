#pragma once
// The thread picture as the pin's surface texture: a plain cylinder that looks
// threaded, one picture covering the circumference and 6.25 pitches.

#include <cstdint>
#include <string>

#include "core/env/Module.h"

namespace zelva::shape {

constexpr const char* kTexturePicture = "3iaoftt.jpg";

// -1 and the picture's full name when found in ApplDir's Images folder or the
// host's thread-file directory; 0 and `path` untouched otherwise.
int16_t FindTextureFile(env::Module& m, std::string& path);

// The three sizes the surface finish is given, in the host's internal unit:
// half the pin's diameter twice, half its length.
struct FinishSize {
    double width = 0;
    double depth = 0;
    double height = 0;
};

// Gives the shape a surface finish textured with the thread picture, the
// picture as wide as the circumference of `diameter` and 6.25 pitches high.
// Without the picture nothing changes; once the texture is asked for, a
// failing step is skipped and the rest still run.
void ApplyThreadTexture(env::Module& m, Object& shape, FinishSize size, double diameter, double pitch);

}  // namespace zelva::shape
