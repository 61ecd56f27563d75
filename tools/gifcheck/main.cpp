// gifcheck FILE...: decodes each GIF whole and prints its size, so scripts (the demo's
// check in CI among them) can tell a real picture from a broken file.
#include <gif_lib.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fputs("usage: gifcheck FILE.gif...\n", stderr);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        int error = 0;
        GifFileType *gif = DGifOpenFileName(argv[i], &error);
        if (!gif) {
            std::fprintf(stderr, "gifcheck: %s: %s\n", argv[i], GifErrorString(error));
            status = 1;
            continue;
        }
        if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
            std::fprintf(stderr, "gifcheck: %s: %s\n", argv[i], GifErrorString(gif->Error));
            status = 1;
        } else {
            std::printf("%s: %dx%d, %d colours\n", argv[i], gif->SWidth, gif->SHeight,
                        gif->SColorMap ? gif->SColorMap->ColorCount : gif->SavedImages[0].ImageDesc.ColorMap->ColorCount);
        }
        DGifCloseFile(gif, &error);
    }
    return status;
}
