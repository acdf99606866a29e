#include "TexturePicture.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <stdexcept>

// libjpeg's header needs <cstdio> (FILE, size_t) before it.
#include <jpeglib.h>

namespace zelva::texture {
namespace {

// ----------------------------------------------------------------------------- profile
//
// One period of the thread, as a function of the phase t in [0, 1) measured down the
// picture from the centre of a crest.  ISO 68-1 basic profile: flat crest P/8, flat
// root P/4, two straight flanks of 5P/16 each at 60 degrees to one another.

constexpr double kCrestHalf = 1.0 / 16.0;    // half the crest flat
constexpr double kRootStart = 6.0 / 16.0;    // distance from crest centre where the root flat starts
constexpr double kFlankRun = kRootStart - kCrestHalf;  // 5/16
constexpr double kDepth = 0.5413;            // H1/P: flank height over pitch (tan 60 deg flanks)
constexpr double kCornerRound = 0.035;       // width (in pitches) over which corners are rounded

// Height of the surface, 1 on the crest and 0 in the root.
double profileHeight(double t) {
    t -= std::floor(t);
    const double d = std::min(t, 1.0 - t);  // distance from the crest centre
    if (d <= kCrestHalf) return 1.0;
    if (d >= kRootStart) return 0.0;
    return 1.0 - (d - kCrestHalf) / kFlankRun;
}

// Slope dz/dt of the surface in pitch units (z = kDepth * height), box-filtered over
// kCornerRound so that crest and root corners are slightly rounded like a rolled thread.
double profileSlope(double t) {
    const double w = kCornerRound;
    return kDepth * (profileHeight(t + w / 2) - profileHeight(t - w / 2)) / w;
}

// Shade of one point of the thread surface, 0..1.  The picture's y axis runs along the
// pin axis and the light falls from the top of the picture and a little from the front,
// so the flank that faces up shines, the flank that faces down lies in shadow, the crest
// carries a narrow highlight and the root is dimmed by occlusion.
double shade(double t) {
    const double slope = profileSlope(t);  // dz/dy, y pointing down the picture
    // Surface normal in the (y, z) plane: (-dz/dy, 1), normalised.
    const double inv = 1.0 / std::sqrt(slope * slope + 1.0);
    const double ny = -slope * inv;
    const double nz = inv;
    // Light from above (-y) and mostly from the front (+z).
    const double ll = std::sqrt(0.35 * 0.35 + 0.94 * 0.94);
    const double ly = -0.35 / ll, lz = 0.94 / ll;
    // Half vector between the light and a viewer straight in front (+z).
    const double hy0 = ly, hz0 = lz + 1.0;
    const double hn = std::sqrt(hy0 * hy0 + hz0 * hz0);
    const double hy = hy0 / hn, hz = hz0 / hn;

    const double diffuse = std::max(0.0, ny * ly + nz * lz);
    const double specular = std::pow(std::max(0.0, ny * hy + nz * hz), 24.0);
    // The root is half hidden between the flanks: less light reaches it and no glint.
    const double h = profileHeight(t);
    const double occlusion = 0.55 + 0.45 * h;
    return std::clamp((0.20 + 0.58 * diffuse) * occlusion + 0.26 * specular * h * h, 0.0, 1.0);
}

// ----------------------------------------------------------------------------- streaks
//
// Fine machining marks that follow the helix.  Value noise on a lattice of cu cells
// across the width and cb cells down the height, sheared with the helix: lattice
// coordinates a = cu * x / W and b = cb * (y / H + x / (W * turns)).  Moving one picture
// width to the right adds cu to a and k = cb / turns to b; moving one picture height down
// adds cb to b.  The lattice values are made to repeat under exactly those two moves, so
// the noise tiles like the thread does.

std::uint32_t hash2(std::uint32_t i, std::uint32_t j, std::uint32_t salt) {
    std::uint32_t h = i * 0x8da6b343u ^ j * 0xd8163841u ^ salt * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

struct StreakLattice {
    int cu, cb, k;
    std::uint32_t salt;

    // Lattice value in [-1, 1], with V(i + cu, j + k) = V(i, j) and V(i, j + cb) = V(i, j).
    double value(long i, long j) const {
        const long q = static_cast<long>(std::floor(static_cast<double>(i) / cu));
        const long ii = i - q * cu;
        long jj = (j - static_cast<long>(k) * q) % cb;
        if (jj < 0) jj += cb;
        const std::uint32_t h = hash2(static_cast<std::uint32_t>(ii), static_cast<std::uint32_t>(jj), salt);
        return (h & 0xffffff) / static_cast<double>(0xffffff) * 2.0 - 1.0;
    }

    double sample(double a, double b) const {
        const double fa = std::floor(a), fb = std::floor(b);
        const long i = static_cast<long>(fa), j = static_cast<long>(fb);
        auto smooth = [](double s) { return s * s * (3.0 - 2.0 * s); };
        const double sa = smooth(a - fa), sb = smooth(b - fb);
        const double v00 = value(i, j), v10 = value(i + 1, j);
        const double v01 = value(i, j + 1), v11 = value(i + 1, j + 1);
        return (v00 * (1 - sa) + v10 * sa) * (1 - sb) + (v01 * (1 - sa) + v11 * sa) * sb;
    }
};

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

}  // namespace

Image makeThreadTexture(const ThreadTextureOptions& o) {
    if (o.width <= 0 || o.height <= 0 || o.turns <= 0 || o.supersample <= 0)
        throw std::invalid_argument("thread texture: size, turns and supersample must be positive");

    Image img;
    img.width = o.width;
    img.height = o.height;
    img.rgb.resize(static_cast<std::size_t>(o.width) * o.height * 3);

    const double W = o.width, H = o.height, n = o.turns;
    const int ss = o.supersample;

    // Coarse streaks run long along the helix; fine ones add grain.
    const StreakLattice coarse{6, o.turns * 14, 14, 0x5eed1u};
    const StreakLattice fine{24, o.turns * 40, 40, 0x5eed2u};

    for (int y = 0; y < o.height; ++y) {
        for (int x = 0; x < o.width; ++x) {
            double sum = 0.0;
            for (int sy = 0; sy < ss; ++sy) {
                for (int sx = 0; sx < ss; ++sx) {
                    const double px = x + (sx + 0.5) / ss;
                    const double py = y + (sy + 0.5) / ss;
                    // Phase: n turns down the height, one turn across the width (helix).
                    sum += shade(n * py / H + px / W);
                }
            }
            double v = 255.0 * sum / (ss * ss);

            const double cx = x + 0.5, cy = y + 0.5;
            const double along = cx / W;                 // around the pin
            const double across = cy / H + cx / (W * n);  // constant along a crest
            const double noise = 0.7 * coarse.sample(along * coarse.cu, across * coarse.cb) +
                                 0.3 * fine.sample(along * fine.cu, across * fine.cb);
            v += o.streaks * noise;

            // Light cool steel tint.
            std::uint8_t* p = &img.rgb[(static_cast<std::size_t>(y) * o.width + x) * 3];
            p[0] = toByte(v * 0.97 - 1.0);
            p[1] = toByte(v * 0.99 + 1.0);
            p[2] = toByte(v * 1.00 + 4.0);
        }
    }
    return img;
}

// ----------------------------------------------------------------------------- JPEG

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr) {}  // warnings: stay quiet

// Runs libjpeg with only trivially destructible locals, so the longjmp of an error
// skips no destructor.  On success *out / *outSize hold a malloc'ed buffer.
bool encodeRaw(const Image& image, int quality, unsigned char** out, unsigned long* outSize,
                char* message) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.output_message = onJpegMessage;
    err.message[0] = '\0';
    *out = nullptr;
    *outSize = 0;

    if (setjmp(err.jump)) {
        std::strncpy(message, err.message, JMSG_LENGTH_MAX);
        jpeg_destroy_compress(&cinfo);
        std::free(*out);
        *out = nullptr;
        return false;
    }

    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality) {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw std::runtime_error("JPEG encoding: the image buffer does not match its size");
    if (quality < 1 || quality > 100)
        throw std::runtime_error("JPEG encoding: quality must lie between 1 and 100");

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    if (!encodeRaw(image, quality, &buffer, &size, message))
        throw std::runtime_error(std::string("JPEG encoding failed: ") + message);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

void writeJpeg(const Image& image, const std::string& path, int quality) {
    const std::vector<std::uint8_t> bytes = encodeJpeg(image, quality);

    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write '" + path + "': " + std::strerror(errno));
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), f);
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (written != bytes.size() || !closed) {
        const int e = writeErrno ? writeErrno : errno;
        std::remove(path.c_str());
        throw std::runtime_error("cannot write '" + path + "': " +
                                 (e ? std::strerror(e) : "write failed"));
    }
}

}  // namespace zelva::texture
