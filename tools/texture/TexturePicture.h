// Thread texture picture ("3iaoftt.jpg").
//
// The host wraps the picture round the pin: its width becomes the circumference and
// its height a fixed number of pitches.  The picture drawn here is a developed view of
// a single-start ISO 60-degree thread: the crests run diagonally and rise by exactly one
// turn across the full width, so that the left and right edges meet like a helix, and a
// whole number of turns fills the height, so that top and bottom meet too.  The picture
// therefore tiles without seams in both directions.
//
// Build-time tool only: nothing of the component links this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelva::texture {

// An 8-bit RGB picture, rows top to bottom, pixels left to right, 3 bytes a pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3

    std::uint8_t at(int x, int y, int channel) const {
        return rgb[(static_cast<std::size_t>(y) * width + x) * 3 + channel];
    }
    // Luminance (Rec. 601 weights), 0..255.
    double luma(int x, int y) const {
        return 0.299 * at(x, y, 0) + 0.587 * at(x, y, 1) + 0.114 * at(x, y, 2);
    }
};

struct ThreadTextureOptions {
    int width = 256;
    int height = 256;
    // Thread turns stacked over the picture height (a whole number, so the picture tiles
    // vertically).  The host maps the height onto 6.25 pitches; 6 turns is the
    // nearest whole number, so a crest lands within 4 % of the true pitch.
    int turns = 6;
    // Amplitude of the machining streaks, in grey levels (0 for none).
    double streaks = 9.0;
    // Subsamples per pixel along each axis (anti-aliasing of the flank edges).
    int supersample = 4;
};

// Draws the picture.  Throws std::invalid_argument for a non-positive size, turns or
// supersample.  Deterministic: the same options always give the same pixels.
Image makeThreadTexture(const ThreadTextureOptions& options = {});

// Encodes the picture as a baseline JPEG (quality 1..100) in memory.
// Throws std::runtime_error when libjpeg reports an error.
std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality = 90);

// Encodes and writes the picture to path, replacing any file there.
// Throws std::runtime_error naming the path and the reason when it cannot be written.
void writeJpeg(const Image& image, const std::string& path, int quality = 90);

}  // namespace zelva::texture
