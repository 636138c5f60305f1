#include "app/main_window_definition.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/main_window_banner.h"

namespace {

using namespace app::main_window;

// Texts, states, tab order and the geometry at 96 dpi are checked on the running window under
// Wine; here: what only shows at other densities, and the rules behind the texts.
const TwipsRect kTopDown[] = {Image1.bounds, FirewallCheckBox.bounds, ShortcutCheckBox.bounds,
                              CreateConnectionButton.bounds};

TEST(MainWindowDefinition, GeometryOfTheLinesAndAtLargerDensities) {
  EXPECT_EQ(ToPixels(Line1.ends, 96, 96), (PixelLine{0, 100, 304, 100}));
  EXPECT_EQ(ToPixels(Line2.ends, 96, 96), (PixelLine{0, 101, 304, 101}));
  // 120 dpi: 12 twips a pixel, with quarters to round.
  EXPECT_EQ(TwipsToPixels(kClientArea.width, 120), 376);
  EXPECT_EQ(TwipsToPixels(kClientArea.height, 120), 250);
  EXPECT_EQ(ToPixels(FirewallCheckBox.bounds, 120, 120), (PixelRect{30, 140, 281, 21}));
  EXPECT_EQ(ToPixels(CreateConnectionButton.bounds, 120, 120), (PixelRect{10, 200, 356, 41}));
  // 144 dpi: 10 twips a pixel; half pixels round up.
  EXPECT_EQ(TwipsToPixels(kClientArea.width, 144), 452);
  EXPECT_EQ(ToPixels(Line2.ends, 144, 144), (PixelLine{0, 152, 456, 152}));
  // Different horizontal and vertical densities are kept apart.
  EXPECT_EQ(ToPixels(Image1.bounds, 96, 192), (PixelRect{0, 0, 300, 200}));
}

TEST(MainWindowDefinition, ControlsKeepTheirPlacesAtEveryDensity) {
  for (const int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    const int clientWidth = TwipsToPixels(kClientArea.width, dpi);
    const int clientHeight = TwipsToPixels(kClientArea.height, dpi);
    int previousBottom = TwipsToPixels(Line2.ends.y2, dpi);
    for (const TwipsRect& twips : kTopDown) {
      const PixelRect rect = ToPixels(twips, dpi, dpi);
      EXPECT_LE(rect.left + rect.width, clientWidth);
      EXPECT_LE(rect.top + rect.height, clientHeight);
      if (twips.top > 0) {  // below the lines, one under the other, no overlap
        EXPECT_GT(rect.top, previousBottom);
        previousBottom = rect.top + rect.height;
      }
    }
    // The button stays centred: the same margin on both sides.
    const PixelRect button = ToPixels(CreateConnectionButton.bounds, dpi, dpi);
    EXPECT_NEAR(button.left, clientWidth - button.left - button.width, 1);
    // The lines reach past the right edge, where the window clips them.
    EXPECT_GT(ToPixels(Line1.ends, dpi, dpi).x2, clientWidth);
  }
}

TEST(MainWindowDefinition, ControlIdsAreDistinctAndClearOfOkAndCancel) {
  // Ids are distinct and clear of IDOK/IDCANCEL (1, 2), which Enter and Escape send.
  const std::vector<int> ids = {Image1.id, ShortcutCheckBox.id, FirewallCheckBox.id, CreateConnectionButton.id};
  for (std::size_t i = 0; i < ids.size(); ++i) {
    EXPECT_GT(ids[i], 2);
    for (std::size_t j = i + 1; j < ids.size(); ++j) EXPECT_NE(ids[i], ids[j]);
  }
}

TEST(MainWindowDefinition, CaptionRule) {
  EXPECT_EQ(WindowCaption(L"Dialwright", 1), L"Dialwright VPN 1.00");
  // Only the major version shows; ".00" is fixed text.
  EXPECT_EQ(WindowCaption(L"Dialwright", 2), L"Dialwright VPN 2.00");
  EXPECT_EQ(WindowCaption(L"Dialwright", 12), L"Dialwright VPN 12.00");
}

TEST(MainWindowDefinition, TooltipRuleComparesWholeTextsExactly) {
  const std::wstring site = L"http://www.dialwright.ru/";
  EXPECT_EQ(PictureTooltip(site, site),
            L"Здесь может быть ссылка на ваш сервер. Перейти на сайт программы: "
            L"http://www.dialwright.ru/");
  for (const std::wstring other : {L"http://www.Dialwright.ru/", L"HTTP://WWW.DIALWRIGHT.RU/",
                                   L"http://www.dialwright.ru", L"http://www.dialwright.ru//",
                                   L"http://www.example.ru/"}) {
    SCOPED_TRACE(testing::PrintToString(other));
    EXPECT_EQ(PictureTooltip(other, site), L"Открыть сайт компании: " + other);
  }
}

TEST(MainWindowBanner, CompiledInBannerIs301By98TwentyFourBitsAt96Dpi) {
  const auto banner = BannerFile();
  const auto view = ParseBitmapFile(banner);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(view->width, 301);
  EXPECT_EQ(view->height, 98);
  EXPECT_EQ(view->bitCount, 24);
  EXPECT_EQ(view->compression, 0u);
  EXPECT_EQ(view->pixelsPerMetreX, 3780);
  EXPECT_EQ(view->pixelsPerMetreY, 3780);
  EXPECT_EQ(view->bitsSize, 904u * 98u);  // 903 bytes a row, padded to 904
  EXPECT_EQ(banner.size(), view->bitsOffset + view->bitsSize);
}

TEST(MainWindowBanner, DamagedFilesAreRefused) {
  const auto banner = BannerFile();
  std::vector<unsigned char> bytes(banner.begin(), banner.end());
  // One byte short of its pixels.
  EXPECT_FALSE(ParseBitmapFile(std::span(bytes).first(bytes.size() - 1)).has_value());
  EXPECT_FALSE(ParseBitmapFile(std::span(bytes).first(40)).has_value());
  auto damaged = bytes;
  damaged[0] = 'X';
  EXPECT_FALSE(ParseBitmapFile(damaged).has_value());
  damaged = bytes;
  damaged[10] = 0xFF;  // pixels said to start past the end
  damaged[11] = 0xFF;
  damaged[12] = 0xFF;
  EXPECT_FALSE(ParseBitmapFile(damaged).has_value());
  damaged = bytes;
  damaged[28] = 8;  // a palette image is not what the window draws
  EXPECT_FALSE(ParseBitmapFile(damaged).has_value());
}

}  // namespace
