#include <gtest/gtest.h>

#include "vexel/graphics/vx_pixel.h"

TEST(PixelPacking, ClampsChannelsAndConvertsToFrameworkColours) {
  EXPECT_EQ(MakePixel(300, -5, 128, 0x40), 0x40FF0080u);
  EXPECT_EQ(ColorToPixel(0x00332211, 0x80), 0x80112233u);  // BBGGRR becomes RRGGBB
  EXPECT_EQ(PixelToColor(0x80112233), 0x00332211);
  // System colours resolve through the scheme before packing: alpha from the argument.
  EXPECT_EQ(ColorToPixel(clBtnFace, 0xFF) >> 24, 0xFFu);
  EXPECT_EQ(ColorToPixel(clBtnFace, 0) & 0xFFFFFF, ColorToPixel(ColorToRGB(clBtnFace), 0) & 0xFFFFFF);
}

TEST(PixelHsl, ConvertsKnownColours) {
  float H, S, L;
  PixelToHSL(0xFFFF0000, H, S, L);
  EXPECT_FLOAT_EQ(H, 0.0f);
  EXPECT_FLOAT_EQ(S, 1.0f);
  EXPECT_FLOAT_EQ(L, 0.5f);
  PixelToHSL(0xFF0000FF, H, S, L);  // blue: 4/6
  EXPECT_FLOAT_EQ(H, 4.0f / 6.0f);
  PixelToHSL(0xFFFF00FF, H, S, L);  // magenta: red is max, (0 - 1) / 6 + 1
  EXPECT_FLOAT_EQ(H, 5.0f / 6.0f);
  EXPECT_EQ(HSLToPixel(0.0f, 0.0f, 0.5f), 0xFF808080u);  // Round(127.5) = 128
}

TEST(PixelHsl, RoundTripsEveryHueOfSaturatedColours) {
  const TvxColor Colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFFC0FFEE, 0xFF7F007F, 0xFFFFFFFF};
  for (TvxColor C : Colours) {
    float H, S, L;
    PixelToHSL(C, H, S, L);
    EXPECT_EQ(HSLToPixel(H, S, L), C) << std::hex << C;
  }
}

TEST(PixelShifts, HueBrightnessAndAdjust) {
  EXPECT_EQ(ShiftHue(0x00646464, 0), 0xFF646464u);  // grey keeps its value, alpha 255
  EXPECT_EQ(ShiftHue(0xFFFF0000, 85), 0xFF00FF00u);  // a third of the way round: red to green
  EXPECT_EQ(ShiftHue(0xFFFF0000, -85), 0xFF0000FFu);
  EXPECT_EQ(ShiftBrightness(0x10F01020, 20), 0xFFFF2434u);
  EXPECT_EQ(ShiftBrightness(0x10F01020, -20), 0xFFDC000Cu);
  EXPECT_EQ(AdjustPixel(0xF0102030, 1, 2, 0x20, 3), 0x10112233u);  // alpha wraps modulo 256
  EXPECT_EQ(LightenPixel(0x80102030, 100), 0x80748494u);
  EXPECT_EQ(LightenPixel(0x80102030, -100), 0x80000000u);
}

// Red equal to green above blue has hue 1/6; in single precision that is a little above 1/6, so
// hue x 255 is 42.5000013 and rounds to 43, not to the even 42 of an exact half.
TEST(PixelShifts, RoundTheExactProductOfAHueJustAboveAHalf) {
  struct {
    TvxColor Pixel;
    Integer Delta;
    TvxColor Expected;
  } const Cases[] = {
      {0xFFFFFF00, 0, 0xFFFCFF00},    // hue 43: red (1/3 - 43/255) x 6 = 252/255 of full
      {0xFF808000, 0, 0xFF7E8000},    // 128 x 252/255 = 126.49
      {0xFFC8C864, 0, 0xFFC7C864},    // min 100 + 100 x 252/255 = 198.8
      {0x80FFFF00, -43, 0xFFFF0000},  // 43 - 43: pure red
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ShiftHue(C.Pixel, C.Delta), C.Expected) << std::hex << C.Pixel << " " << C.Delta;
  // A grey whose lightness in single precision is just above 42.5 / 255.
  EXPECT_EQ(HSLToPixel(0.0f, 0.0f, 1.0f / 6.0f), 0xFF2B2B2Bu);
}

TEST(BlendPixel, FollowsTheSixteenBitLaneFormula) {
  // (256*100 + 128*(200-100)) >> 8 = 150 for red; alpha (256*255 + 128*(128-255)) >> 8 = 191.
  EXPECT_EQ(BlendPixel(0x80C80000, 0xFF640000), 0xBF960000u);
  EXPECT_EQ(BlendPixel(0x00FFFFFF, 0x12345678), 0x12345678u);  // alpha 0 keeps the target
  EXPECT_EQ(BlendPixel(0xFF010203, 0x12345678), 0xFF010203u);  // alpha 255 replaces it
  EXPECT_EQ(BlendPixel(0x01FFFFFF, 0x00000000), 0x00000000u);  // (0 + 1*255) >> 8 = 0, alpha too
}
