// make_thread_texture OUT.jpg
//
// Draws the seamless thread texture (see TexturePicture.h) and writes it as a JPEG of
// quality 90.  The shipped picture is install/Tessalo/Images/3iaoftt.jpg.
// Exit status: 0 written, 1 could not be drawn or written, 2 wrong usage.
#include <cstdio>
#include <exception>
#include <string>

#include "TexturePicture.h"

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]).empty() || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: make_thread_texture OUT.jpg\n"
                     "Writes a 256x256 seamless thread texture (JPEG, quality 90) to OUT.jpg.\n");
        return 2;
    }
    const std::string out = argv[1];
    try {
        const zelva::texture::Image image = zelva::texture::makeThreadTexture();
        zelva::texture::writeJpeg(image, out, 90);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_thread_texture: %s\n", e.what());
        return 1;
    }
    std::printf("make_thread_texture: wrote %s\n", out.c_str());
    return 0;
}
