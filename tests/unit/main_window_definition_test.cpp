#include "app/main_window_definition.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "app/cursor_hot_spot.h"
#include "app/main_window_banner.h"
#include "app/main_window_events.h"
#include "app/settings.h"
#include "tests/fakes/system.h"

namespace {

using namespace app::main_window;

// Texts, tooltips, states, tab order and the geometry at 96 dpi are checked on the running
// window under Wine (a provider's site in the tooltip by the provider's build); here: what
// only shows at other densities.
const TwipsRect kTopDown[] = {Image1.bounds, FirewallCheckBox.bounds, ShortcutCheckBox.bounds,
                              CreateConnectionButton.bounds};

TEST(MainWindowDefinition, GeometryRoundsPerAxisAndKeepsThePlacesAtEveryDensity) {
  EXPECT_EQ(ToPixels(Line1.ends, 96, 96), (PixelLine{0, 100, 304, 100}));
  EXPECT_EQ(ToPixels(Line2.ends, 96, 96), (PixelLine{0, 101, 304, 101}));
  // 120 dpi: 12 twips a pixel, with quarters to round; 144 dpi: half pixels round up.
  EXPECT_EQ(ToPixels(FirewallCheckBox.bounds, 120, 120), (PixelRect{30, 140, 281, 21}));
  EXPECT_EQ(ToPixels(CreateConnectionButton.bounds, 120, 120), (PixelRect{10, 200, 356, 41}));
  EXPECT_EQ(ToPixels(Line2.ends, 144, 144), (PixelLine{0, 152, 456, 152}));
  EXPECT_EQ(ToPixels(Image1.bounds, 96, 192), (PixelRect{0, 0, 300, 200}));
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
    // The button stays centred; the lines reach past the right edge, where the window clips.
    const PixelRect button = ToPixels(CreateConnectionButton.bounds, dpi, dpi);
    EXPECT_NEAR(button.left, clientWidth - button.left - button.width, 1);
    EXPECT_GT(ToPixels(Line1.ends, dpi, dpi).x2, clientWidth);
  }
}

TEST(MainWindowBanner, CompiledInBannerIs301By98TwentyFourBits) {
  const auto banner = BannerFile();
  const auto view = ParseBitmapFile(banner);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(std::tuple(view->width, view->height, view->bitCount), std::tuple(301, 98, 24));
  EXPECT_EQ(banner.size(), view->bitsOffset + 904u * 98u);  // 903 bytes a row, padded to 904
}

// A file whose header fields are set apart from their neighbours: the bytes between and around
// them are non-zero and no two fields share a value, so a field read at the wrong offset or
// with the wrong width reads something else. The pixels start one byte after the headers, and
// two bytes follow them.
std::vector<unsigned char> DistinctFile(std::uint32_t width = 3, std::uint32_t height = 2) {
  const std::size_t stride = (width * 3 + 3) / 4 * 4;
  std::vector<unsigned char> file(14 + 44 + 1 + stride * height + 2);
  for (std::size_t i = 0; i < file.size(); ++i) file[i] = static_cast<unsigned char>(0xA0 + i);
  const auto put = [&](std::size_t offset, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[offset + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(10, 14 + 44 + 1, 4);  // pixels one byte past a 44-byte info header
  put(14, 44, 4);
  put(18, width, 4);
  put(22, height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(30, 0, 4);
  put(38, 0x11120ECC, 4);
  put(42, 0x21220EC4, 4);
  return file;
}

TEST(MainWindowBanner, EachFieldIsReadAtItsOwnOffset) {
  const auto file = DistinctFile();
  const auto view = ParseBitmapFile(file);
  ASSERT_TRUE(view.has_value());
  EXPECT_EQ(std::tuple(view->infoOffset, view->infoSize, view->bitsOffset, view->bitsSize),
            std::tuple(14u, 44u, 59u, 24u));
  EXPECT_EQ(std::tuple(view->width, view->height, view->bitCount, view->compression),
            std::tuple(3, 2, 24, 0u));
  EXPECT_EQ(std::tuple(view->pixelsPerMetreX, view->pixelsPerMetreY),
            std::tuple(0x11120ECC, 0x21220EC4));
  EXPECT_TRUE(ParseBitmapFile(std::span(file).first(file.size() - 2)).has_value())
      << "the file may end with its pixels";
}

TEST(MainWindowBanner, RowsArePaddedToFourBytesUpToTheLargestSize) {
  struct Geometry {
    std::uint32_t width, height;
    std::size_t bitsSize;
  };
  for (const Geometry& g : {Geometry{1, 1, 4}, Geometry{4, 2, 24}, Geometry{5, 1, 16},
                            Geometry{0x4000, 1, 0xC000}, Geometry{1, 0x4000, 0x10000}}) {
    const auto file = DistinctFile(g.width, g.height);
    const auto view = ParseBitmapFile(file);
    ASSERT_TRUE(view.has_value()) << g.width << " x " << g.height;
    EXPECT_EQ(view->bitsSize, g.bitsSize) << g.width << " x " << g.height;
  }
}

TEST(MainWindowBanner, DamagedFilesAreRefused) {
  struct Damage {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    int bytes;
  };
  const Damage damages[] = {
      {"not BM", 0, 'X', 1},
      {"pixels past the end", 10, 0x00FFFFFF, 4},
      {"pixels inside the info header", 10, 14 + 43, 4},
      {"info header too small", 14, 39, 4},
      {"no width", 18, 0, 4},
      {"negative width", 18, 0xFFFFFFFD, 4},
      {"too wide", 18, 0x4001, 4},
      {"no height", 22, 0, 4},
      {"top-down rows", 22, 0xFFFFFFFE, 4},
      {"too high", 22, 0x4001, 4},
      {"two planes", 26, 2, 2},
      {"257 planes", 26, 0x0101, 2},
      {"a palette image", 28, 8, 2},
      {"280 bits", 28, 0x0118, 2},
      {"compressed", 30, 1, 4},
  };
  for (const Damage& damage : damages) {
    auto file = DistinctFile();
    for (int i = 0; i < damage.bytes; ++i)
      file[damage.offset + i] = static_cast<unsigned char>(damage.value >> (8 * i));
    EXPECT_FALSE(ParseBitmapFile(file).has_value()) << damage.what;
  }
  const auto file = DistinctFile();
  EXPECT_FALSE(ParseBitmapFile(std::span(file).first(file.size() - 3)).has_value())
      << "one byte short of its pixels";
  EXPECT_FALSE(ParseBitmapFile(std::span(file).first(53)).has_value()) << "no whole headers";
}

// The hand as the system scales it to 48 x 48 (150 %), its AND mask above a row of the XOR
// mask (all drawn): the fingertip two pixels wide at x 8 and 9 in the top rows, the hot spot
// truncated to 7.
TEST(FingertipHotSpot, MovesTheScaledHotSpotOntoTheTopmostDrawnPixelNearestToIt) {
  constexpr int kStride = 6;  // 48 pixels in whole 16-bit words
  std::vector<std::uint8_t> mask(48 * kStride, 0xFF);
  mask.resize(49 * kStride, 0x00);
  const auto spot = [&](int x) { return app::FingertipHotSpot(mask, kStride, 48, 48, {x, 0}); };
  EXPECT_EQ(spot(7), (app::HotSpot{7, 0})) << "nothing drawn: the system's stays";
  for (int y = 1; y < 3; ++y) mask[y * kStride + 1] = 0b00111111;  // x 8 and 9 drawn
  EXPECT_EQ(spot(7), (app::HotSpot{8, 1}));
  EXPECT_EQ(spot(11), (app::HotSpot{9, 1}));
  mask[0] = 0b01111111;                   // x 0 drawn in the top row
  mask[3] = 0b11111101;                   // and x 30
  EXPECT_EQ(spot(2), (app::HotSpot{0, 0}));
  EXPECT_EQ(spot(26), (app::HotSpot{30, 0}));
  EXPECT_EQ(spot(15), (app::HotSpot{0, 0})) << "the leftmost of two as near";
}

// The picture's click: the site, "open", maximised, by this process's shell; once elevated,
// by the desktop's, so that the browser does not run elevated too, and by this process's
// where no desktop shell answers. Never both.
TEST(PictureClick, OpensTheSiteWithTheUsersRightsWhereTheDesktopCan) {
  basMain::SiteAddress = L"http://провайдер.example/";
  const std::wstring here = L"ShellExecuteA open http://провайдер.example/ 3";
  const std::wstring desktop = L"ShellExecuteOnTheDesktop open http://провайдер.example/ 3";
  const struct {
    bool elevated, desktopAnswers;
    std::vector<std::wstring> calls;
  } cases[] = {{false, true, {here}}, {true, true, {desktop}}, {true, false, {desktop, here}}};
  for (const auto& c : cases) {
    fakes::TheSystem().elevated = c.elevated;
    fakes::TheSystem().desktopShellAnswers = c.desktopAnswers;
    ClickImage1();
    EXPECT_EQ(fakes::TakeJournal(), c.calls) << c.elevated << c.desktopAnswers;
  }
  basMain::FillSettings();
}

}  // namespace
