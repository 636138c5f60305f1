#include "app/main_window_definition.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/main_window_banner.h"

namespace {

using namespace app::main_window;

struct Placed {
  const wchar_t* name;
  TwipsRect twips;
  PixelRect at96;
};

const std::vector<Placed>& Layout() {
  static const std::vector<Placed> layout = {
      {Image1.name, Image1.bounds, {0, 0, 300, 100}},
      {FirewallCheckBox.name, FirewallCheckBox.bounds, {24, 112, 225, 17}},
      {ShortcutCheckBox.name, ShortcutCheckBox.bounds, {24, 136, 217, 17}},
      {CreateConnectionButton.name, CreateConnectionButton.bounds, {8, 160, 285, 33}},
  };
  return layout;
}

TEST(MainWindowDefinition, GeometryAt96DotsPerInch) {
  EXPECT_EQ(TwipsToPixels(kClientArea.width, 96), 301);
  EXPECT_EQ(TwipsToPixels(kClientArea.height, 96), 200);
  for (const auto& control : Layout()) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(control.name)));
    EXPECT_EQ(ToPixels(control.twips, 96, 96), control.at96);
  }
  EXPECT_EQ(ToPixels(Line1.ends, 96, 96), (PixelLine{0, 100, 304, 100}));
  EXPECT_EQ(ToPixels(Line2.ends, 96, 96), (PixelLine{0, 101, 304, 101}));
  EXPECT_EQ(Line1.systemColour, 1);
  EXPECT_EQ(Line2.systemColour, 3);
}

TEST(MainWindowDefinition, GeometryAtLargerDensities) {
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
    for (const auto& control : Layout()) {
      const PixelRect rect = ToPixels(control.twips, dpi, dpi);
      EXPECT_LE(rect.left + rect.width, clientWidth);
      EXPECT_LE(rect.top + rect.height, clientHeight);
      if (control.twips.top > 0) {  // below the lines, one under the other, no overlap
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

TEST(MainWindowDefinition, TabOrderTextsAndInitialValues) {
  ASSERT_EQ(kTabOrder.size(), 3u);
  EXPECT_STREQ(kTabOrder[0]->name, L"КнопкаСоздатьПодключение");
  EXPECT_STREQ(kTabOrder[1]->name, L"Ярлык");
  EXPECT_STREQ(kTabOrder[2]->name, L"ВключитьФайервол");
  for (std::size_t i = 0; i < kTabOrder.size(); ++i) EXPECT_EQ(kTabOrder[i]->tabIndex, int(i));

  EXPECT_EQ(ShortcutCheckBox.kind, ControlKind::CheckBox);
  EXPECT_EQ(ShortcutCheckBox.initialValue, kChecked);
  EXPECT_STREQ(ShortcutCheckBox.caption, L"Ярлык на рабочий стол");
  EXPECT_EQ(ShortcutCheckBox.tooltip, nullptr);

  EXPECT_EQ(FirewallCheckBox.kind, ControlKind::CheckBox);
  EXPECT_EQ(FirewallCheckBox.initialValue, kChecked);
  EXPECT_STREQ(FirewallCheckBox.caption, L"Включить брандмауэр");
  EXPECT_STREQ(FirewallCheckBox.tooltip, L"Должна быть запущенна служба Брандмауэр Windows");

  EXPECT_EQ(CreateConnectionButton.kind, ControlKind::CommandButton);
  EXPECT_STREQ(CreateConnectionButton.caption, L"Создать подключение");
  EXPECT_STREQ(CreateConnectionButton.tooltip, L"Создать подключение с выбранными параметрами");
  EXPECT_STREQ(kLoadedButtonCaption, L"Создать VPN подключение к Интернет");
  EXPECT_STREQ(kDefinitionCaption, L"Dialwright VPN & PPPoE");

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
