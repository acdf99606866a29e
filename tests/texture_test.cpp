// Thread texture picture (tools/texture): the drawing is seamless in both
// directions, has the contrast and the crests of a thread, and survives JPEG encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "TexturePicture.h"

namespace {

using zelva::texture::Image;
using zelva::texture::ThreadTextureOptions;

std::filesystem::path outDir() {
#ifdef ZELVA_TEXTURE_TEST_OUT_DIR
    return ZELVA_TEXTURE_TEST_OUT_DIR;
#else
    return std::filesystem::temp_directory_path();
#endif
}

// ------------------------------------------------------------------ seam measurement

struct SeamStats {
    double wrap = 0;           // mean |difference| across the wrap-around edge
    double interiorMean = 0;  // mean of the per-edge mean differences inside the picture
    double interiorMax = 0;   // largest per-edge mean difference inside the picture
};

// Mean absolute luminance difference between each column and the next, the last column
// being compared with the first (its wrap-around neighbour).
SeamStats columnSeam(const Image& img) {
    SeamStats s;
    std::vector<double> edges;
    for (int x = 0; x < img.width; ++x) {
        const int nx = (x + 1) % img.width;
        double sum = 0;
        for (int y = 0; y < img.height; ++y) sum += std::abs(img.luma(x, y) - img.luma(nx, y));
        const double mean = sum / img.height;
        if (nx == 0) s.wrap = mean; else edges.push_back(mean);
    }
    s.interiorMean = std::accumulate(edges.begin(), edges.end(), 0.0) / static_cast<double>(edges.size());
    s.interiorMax = *std::max_element(edges.begin(), edges.end());
    return s;
}

SeamStats rowSeam(const Image& img) {
    SeamStats s;
    std::vector<double> edges;
    for (int y = 0; y < img.height; ++y) {
        const int ny = (y + 1) % img.height;
        double sum = 0;
        for (int x = 0; x < img.width; ++x) sum += std::abs(img.luma(x, y) - img.luma(x, ny));
        const double mean = sum / img.width;
        if (ny == 0) s.wrap = mean; else edges.push_back(mean);
    }
    s.interiorMean = std::accumulate(edges.begin(), edges.end(), 0.0) / static_cast<double>(edges.size());
    s.interiorMax = *std::max_element(edges.begin(), edges.end());
    return s;
}

// A seam shows as a wrap-around step larger than the steps inside the picture.
bool seamless(const SeamStats& s, double slack = 1.0) {
    return s.wrap <= s.interiorMax + slack && s.wrap <= 1.5 * s.interiorMean + slack;
}

// Number of dark bands met when walking once round a closed path of luminances
// (hysteresis: a band starts below `low` and ends above `high`).
int darkBands(const std::vector<double>& path, double low, double high) {
    // Start the walk in a bright place, so a band across the start is counted once.
    const auto start = std::max_element(path.begin(), path.end()) - path.begin();
    int bands = 0;
    bool dark = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const double v = path[(start + i) % path.size()];
        if (!dark && v < low) { dark = true; ++bands; }
        else if (dark && v > high) dark = false;
    }
    return bands;
}

std::vector<double> columnLuma(const Image& img, int x) {
    std::vector<double> v;
    for (int y = 0; y < img.height; ++y) v.push_back(img.luma(x, y));
    return v;
}

std::vector<double> rowLuma(const Image& img, int y) {
    std::vector<double> v;
    for (int x = 0; x < img.width; ++x) v.push_back(img.luma(x, y));
    return v;
}

struct LumaSummary {
    double mean, sd, p05, p95;
};

LumaSummary summarise(const Image& img) {
    std::vector<double> v;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) v.push_back(img.luma(x, y));
    const double mean = std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
    double var = 0;
    for (double a : v) var += (a - mean) * (a - mean);
    std::sort(v.begin(), v.end());
    return {mean, std::sqrt(var / static_cast<double>(v.size())), v[v.size() * 5 / 100], v[v.size() * 95 / 100]};
}

// ------------------------------------------------------------------ JPEG decoding

struct DecodeError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

extern "C" void decodeErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<DecodeError*>(cinfo->err)->jump, 1);
}

// Decodes a JPEG held in memory into an RGB Image; false if libjpeg rejects it.
bool decodeRaw(const unsigned char* data, unsigned long size, int* w, int* h, int* comps,
                unsigned char* pixels, std::size_t capacity) {
    jpeg_decompress_struct cinfo;
    DecodeError err;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = decodeErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    *w = static_cast<int>(cinfo.output_width);
    *h = static_cast<int>(cinfo.output_height);
    *comps = cinfo.output_components;
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * cinfo.output_components;
    if (stride * cinfo.output_height > capacity) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + cinfo.output_scanline * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

Image decode(const std::vector<std::uint8_t>& bytes) {
    Image img;
    int comps = 0;
    std::vector<std::uint8_t> pixels(4096 * 4096 * 3);
    if (!decodeRaw(bytes.data(), bytes.size(), &img.width, &img.height, &comps, pixels.data(),
                    pixels.size()) ||
        comps != 3)
        throw std::runtime_error("JPEG does not decode as 3-component RGB");
    pixels.resize(static_cast<std::size_t>(img.width) * img.height * 3);
    img.rgb = std::move(pixels);
    return img;
}

std::vector<std::uint8_t> readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ------------------------------------------------------------------ the drawing

TEST(ThreadTexture, HasTheRequestedSizeAndIsDeterministic) {
    const Image a = zelva::texture::makeThreadTexture();
    EXPECT_EQ(a.width, 256);
    EXPECT_EQ(a.height, 256);
    ASSERT_EQ(a.rgb.size(), 256u * 256u * 3u);
    EXPECT_EQ(a.rgb, zelva::texture::makeThreadTexture().rgb);
}

TEST(ThreadTexture, LeftAndRightEdgesMeetWithoutASeam) {
    const SeamStats s = columnSeam(zelva::texture::makeThreadTexture());
    EXPECT_TRUE(seamless(s)) << "wrap " << s.wrap << ", interior mean " << s.interiorMean
                             << ", interior max " << s.interiorMax;
}

TEST(ThreadTexture, TopAndBottomEdgesMeetWithoutASeam) {
    const SeamStats s = rowSeam(zelva::texture::makeThreadTexture());
    EXPECT_TRUE(seamless(s)) << "wrap " << s.wrap << ", interior mean " << s.interiorMean
                             << ", interior max " << s.interiorMax;
}

TEST(ThreadTexture, OtherSizesAndTurnCountsAreSeamlessToo) {
    ThreadTextureOptions o;
    o.width = 200;
    o.height = 120;
    o.turns = 4;
    const Image img = zelva::texture::makeThreadTexture(o);
    EXPECT_TRUE(seamless(columnSeam(img)));
    EXPECT_TRUE(seamless(rowSeam(img)));
}

TEST(ThreadTexture, SeamMeasureCatchesASeam) {
    // Negative control: the same picture with its left 37 columns cut away has a step at
    // the wrap-around edge, and the measure must see it.
    const Image full = zelva::texture::makeThreadTexture();
    Image cut;
    cut.width = full.width - 37;
    cut.height = full.height;
    for (int y = 0; y < full.height; ++y)
        for (int x = 37; x < full.width; ++x)
            for (int c = 0; c < 3; ++c) cut.rgb.push_back(full.at(x, y, c));
    EXPECT_FALSE(seamless(columnSeam(cut)));

    Image rows;
    rows.width = full.width;
    rows.height = full.height - 21;
    rows.rgb.assign(full.rgb.begin(), full.rgb.begin() + rows.width * rows.height * 3);
    EXPECT_FALSE(seamless(rowSeam(rows)));
}

TEST(ThreadTexture, HasRealContrastAndIsOnlyLightlyTinted) {
    const Image img = zelva::texture::makeThreadTexture();
    const LumaSummary s = summarise(img);
    EXPECT_GT(s.sd, 35.0);
    EXPECT_LT(s.p05, 80.0);
    EXPECT_GT(s.p95, 170.0);
    EXPECT_GT(s.mean, 70.0);
    EXPECT_LT(s.mean, 180.0);
    int maxTint = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const int r = img.at(x, y, 0), g = img.at(x, y, 1), b = img.at(x, y, 2);
            maxTint = std::max({maxTint, std::abs(r - g), std::abs(b - g)});
        }
    EXPECT_LE(maxTint, 16);
}

TEST(ThreadTexture, ShowsOneDarkFlankPerTurnDownEveryColumn) {
    ThreadTextureOptions o;  // 6 turns by default
    const Image img = zelva::texture::makeThreadTexture(o);
    const LumaSummary s = summarise(img);
    for (int x : {0, 64, 128, 255})
        EXPECT_EQ(darkBands(columnLuma(img, x), s.mean - 0.6 * s.sd, s.mean), o.turns) << "column " << x;

    o.turns = 4;
    const Image four = zelva::texture::makeThreadTexture(o);
    const LumaSummary s4 = summarise(four);
    EXPECT_EQ(darkBands(columnLuma(four, 10), s4.mean - 0.6 * s4.sd, s4.mean), 4);
}

TEST(ThreadTexture, CrestsRiseOneTurnAcrossTheWidthLikeAHelix) {
    const Image img = zelva::texture::makeThreadTexture();
    const LumaSummary s = summarise(img);
    for (int y : {0, 100, 255})
        EXPECT_EQ(darkBands(rowLuma(img, y), s.mean - 0.6 * s.sd, s.mean), 1) << "row " << y;
    // The crests rise to the right: a quarter of the width further right, the pattern of
    // column 0 is found a quarter pitch higher up (the height holds 6 pitches).
    const int x = img.width / 4;
    const int q = static_cast<int>(std::lround(img.height / 6.0 / 4.0));  // 11 px
    double rising = 0, falling = 0;
    for (int y = 0; y < img.height; ++y) {
        rising += std::abs(img.luma(x, y) - img.luma(0, (y + q) % img.height));
        falling += std::abs(img.luma(x, y) - img.luma(0, (y - q + img.height) % img.height));
    }
    EXPECT_LT(2.0 * rising, falling);
}

TEST(ThreadTexture, RejectsANonPositiveSize) {
    ThreadTextureOptions o;
    o.width = 0;
    EXPECT_THROW(zelva::texture::makeThreadTexture(o), std::invalid_argument);
    o = {};
    o.turns = 0;
    EXPECT_THROW(zelva::texture::makeThreadTexture(o), std::invalid_argument);
}

// ------------------------------------------------------------------ the JPEG

TEST(ThreadTextureJpeg, WrittenFileStartsWithSoiAndDecodesToThePicture) {
    const Image img = zelva::texture::makeThreadTexture();
    const std::filesystem::path path = outDir() / "texture_test_3iaoftt.jpg";
    std::filesystem::remove(path);
    zelva::texture::writeJpeg(img, path.string(), 90);

    const std::vector<std::uint8_t> bytes = readFile(path);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
    EXPECT_EQ(bytes[bytes.size() - 2], 0xFF);
    EXPECT_EQ(bytes[bytes.size() - 1], 0xD9);
    EXPECT_EQ(bytes, zelva::texture::encodeJpeg(img, 90));

    const Image back = decode(bytes);
    ASSERT_EQ(back.width, 256);
    ASSERT_EQ(back.height, 256);

    double err = 0;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) err += std::abs(back.luma(x, y) - img.luma(x, y));
    EXPECT_LT(err / (img.width * img.height), 4.0);

    // Still seamless after compression (the 8x8 blocks divide 256).
    EXPECT_TRUE(seamless(columnSeam(back), 2.0));
    EXPECT_TRUE(seamless(rowSeam(back), 2.0));
    std::filesystem::remove(path);
}

TEST(ThreadTextureJpeg, WritingToAMissingFolderThrowsNamingThePath) {
    const Image img = zelva::texture::makeThreadTexture();
    const std::string path = (outDir() / "no-such-folder" / "x.jpg").string();
    try {
        zelva::texture::writeJpeg(img, path, 90);
        FAIL() << "writeJpeg did not throw";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

TEST(ThreadTextureJpeg, RejectsABadQualityOrBuffer) {
    Image img = zelva::texture::makeThreadTexture();
    EXPECT_THROW(zelva::texture::encodeJpeg(img, 0), std::runtime_error);
    EXPECT_THROW(zelva::texture::encodeJpeg(img, 101), std::runtime_error);
    img.rgb.pop_back();
    EXPECT_THROW(zelva::texture::encodeJpeg(img, 90), std::runtime_error);
}

}  // namespace
