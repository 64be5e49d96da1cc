// The banner decoder on arbitrary bytes: a picture of consistent size, or
// the JPEG error; nothing else.
#include "FuzzSupport.h"
#include "ui/about/JpegDecode.h"

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const RgbImage image = DecodeJpeg({data, size});
        FUZZ_CHECK(image.width > 0 && image.height > 0);
        FUZZ_CHECK(image.pixels.size() == static_cast<std::size_t>(image.width) * image.height * 3);
    } catch (const JpegError&) {
    }
    return 0;
}
