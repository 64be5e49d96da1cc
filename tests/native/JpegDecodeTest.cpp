#include "ui/about/JpegDecode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quickdex {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& name)
{
    std::ifstream in(std::string(QUICKDEX_SOURCE_DIR) + "/res/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The banner: a light background at the right, the dark word, and the
// badge's coloured ring at the left.
void ExpectBanner(const RgbImage& image, bool grey)
{
    ASSERT_EQ(image.width, 300);
    ASSERT_EQ(image.height, 60);
    ASSERT_EQ(image.pixels.size(), 300u * 60 * 3);
    const std::uint8_t* corner = image.At(298, 2);
    EXPECT_GT(corner[0], 200);
    EXPECT_GT(corner[1], 200);
    EXPECT_GT(corner[2], 200);
    if (grey) {
        for (int x = 0; x < 300; x += 7)
            for (int y = 0; y < 60; y += 5)
                ASSERT_EQ(image.At(x, y)[0], image.At(x, y)[2]);
    }
}

TEST(JpegDecode, BaselineProgressiveAndGreyBanners)
{
    ExpectBanner(DecodeJpeg(ReadBytes("banner.jpg")), false);
    ExpectBanner(DecodeJpeg(ReadBytes("test/banner_progressive.jpg")), false);
    ExpectBanner(DecodeJpeg(ReadBytes("test/banner_gray.jpg")), true);
    // Baseline and progressive encode the same picture: close, pixel for pixel.
    const RgbImage a = DecodeJpeg(ReadBytes("banner.jpg"));
    const RgbImage b = DecodeJpeg(ReadBytes("test/banner_progressive.jpg"));
    long long difference = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        difference += std::abs(int(a.pixels[i]) - int(b.pixels[i]));
    EXPECT_LT(difference / static_cast<long long>(a.pixels.size()), 3);
}

TEST(JpegDecode, BrokenInputIsAClearErrorNeverACrash)
{
    const std::vector<std::uint8_t> good = ReadBytes("banner.jpg");
    ASSERT_GT(good.size(), 1000u);
    std::vector<std::vector<std::uint8_t>> bad;
    bad.push_back({});
    bad.push_back({'n', 'o', 't', ' ', 'a', ' ', 'j', 'p', 'e', 'g'});
    bad.emplace_back(good.begin(), good.begin() + 2);                          // the start marker alone
    bad.emplace_back(good.begin(), good.begin() + good.size() / 2);            // cut in the middle
    bad.emplace_back(good.begin(), good.end() - 2);                            // no end marker
    std::vector<std::uint8_t> corrupt = good;
    for (std::size_t i = 20; i < 400; i += 3)
        corrupt[i] ^= 0x5A; // the headers and tables scrambled
    bad.push_back(corrupt);
    std::vector<std::uint8_t> huge = good;
    for (std::size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) { // the frame header: claim 65535 x 65535
            huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF;
            break;
        }
    }
    bad.push_back(huge);

    for (std::size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(i);
        try {
            DecodeJpeg(bad[i]);
            ADD_FAILURE() << "decoded";
        } catch (const JpegError& e) {
            EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace quickdex
