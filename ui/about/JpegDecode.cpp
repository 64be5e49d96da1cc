#include "ui/about/JpegDecode.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace quickdex {
namespace {

// Pictures larger than this are refused before any memory is taken: a
// corrupt header may claim any size.
constexpr unsigned long MaxPixels = 64ul * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// Warnings (level -1) are corrupt data the library would paper over, such
// as a file that ends early: they count as errors. Trace messages are not.
void OnMessage(j_common_ptr info, int level)
{
    if (level < 0)
        OnError(info);
}

// Everything the decoding changes lives here, not in locals of the function
// that calls setjmp, so that nothing is lost when the library jumps back.
struct Decoding {
    jpeg_decompress_struct info;
    ErrorManager errors;
    RgbImage* image;
    const char* failure = nullptr;
};

// Returns false with `failure` set, or after a jump from the library with
// its message in `errors.message`.
bool Decode(const std::uint8_t* data, unsigned long size, Decoding* d)
{
    d->info.err = jpeg_std_error(&d->errors.base);
    d->errors.base.error_exit = OnError;
    d->errors.base.emit_message = OnMessage;
    d->errors.message[0] = '\0';
    if (setjmp(d->errors.jump)) {
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    jpeg_create_decompress(&d->info);
    jpeg_mem_src(&d->info, const_cast<unsigned char*>(data), size);
    jpeg_read_header(&d->info, TRUE);
    d->info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&d->info);
    if (d->info.output_width == 0 || d->info.output_height == 0 ||
        static_cast<unsigned long>(d->info.output_width) * d->info.output_height > MaxPixels) {
        d->failure = "the picture's size is out of range";
        jpeg_destroy_decompress(&d->info);
        return false;
    }
    d->image->width = static_cast<int>(d->info.output_width);
    d->image->height = static_cast<int>(d->info.output_height);
    d->image->pixels.resize(static_cast<std::size_t>(d->info.output_width) * d->info.output_height * 3);
    jpeg_start_decompress(&d->info);
    while (d->info.output_scanline < d->info.output_height) {
        JSAMPROW row = d->image->pixels.data() +
                       static_cast<std::size_t>(d->info.output_scanline) * d->info.output_width * 3;
        jpeg_read_scanlines(&d->info, &row, 1);
    }
    jpeg_finish_decompress(&d->info);
    jpeg_destroy_decompress(&d->info);
    return true;
}

} // namespace

RgbImage DecodeJpeg(std::span<const std::uint8_t> data)
{
    if (data.empty())
        throw JpegError("not a JPEG picture: no data");
    RgbImage image;
    Decoding decoding{};
    decoding.image = &image;
    if (!Decode(data.data(), static_cast<unsigned long>(data.size()), &decoding))
        throw JpegError(std::string("not a JPEG picture that can be read: ") +
                        (decoding.failure ? decoding.failure : decoding.errors.message));
    return image;
}

} // namespace quickdex
