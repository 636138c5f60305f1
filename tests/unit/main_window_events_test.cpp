#include "app/main_window_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/fatal_error.h"
#include "app/settings.h"
#include "tests/fakes/system.h"

namespace {

using namespace app::main_window;
using testing::ElementsAre;

class RecordingWindow final : public LoadTarget {
 public:
  void SetButtonCaption(const std::wstring& caption) override { steps.push_back(L"button=" + caption); }
  void SetCaption(const std::wstring& caption) override { steps.push_back(L"caption=" + caption); }
  void SetPictureMousePointer(int style) override {
    steps.push_back(L"pointer=" + std::to_wstring(style));
  }
  void SetPictureMouseIcon(int cursor) override {
    if (cursorMissing) throw app::FatalError(L"no cursor");
    steps.push_back(L"icon=" + std::to_wstring(cursor));
  }
  void SetPictureTooltip(const std::wstring& text) override { steps.push_back(L"tooltip=" + text); }

  std::vector<std::wstring> steps;
  bool cursorMissing = false;
};

class MainWindowEvents : public testing::Test {
 protected:
  void SetUp() override { basMain::FillSettings(); }
  void TearDown() override { basMain::FillSettings(); }
};

TEST_F(MainWindowEvents, LoadSetsCaptionsPointerAndTooltipInOrder) {
  RecordingWindow window;
  Load(window);
  EXPECT_THAT(window.steps,
              ElementsAre(L"button=Создать VPN подключение к Интернет", L"caption=Dialwright VPN 1.00",
                          L"pointer=99", L"icon=101",
                          L"tooltip=Здесь может быть ссылка на ваш сервер. Перейти на сайт программы: " +
                              basMain::DefaultSiteAddress()));
}

TEST_F(MainWindowEvents, LoadTooltipForAProvidersOwnSite) {
  basMain::SiteAddress = L"http://www.example.ru/";
  RecordingWindow window;
  Load(window);
  ASSERT_FALSE(window.steps.empty());
  EXPECT_EQ(window.steps.back(), L"tooltip=Открыть сайт компании: http://www.example.ru/");
}

TEST_F(MainWindowEvents, MissingCursorStopsLoadWithAFatalError) {
  RecordingWindow window;
  window.cursorMissing = true;
  EXPECT_THROW(Load(window), app::FatalError);
  // The steps before it ran; the tooltip never got set.
  EXPECT_THAT(window.steps, ElementsAre(L"button=Создать VPN подключение к Интернет",
                                        L"caption=Dialwright VPN 1.00", L"pointer=99"));
}

TEST_F(MainWindowEvents, PictureClickOpensTheSiteInAnsiMaximisedAndIgnoresFailures) {
  basMain::SiteAddress = L"http://провайдер.рф/";
  fakes::TheSystem().shellThrows = true;
  EXPECT_NO_THROW(ClickImage1());
  EXPECT_NO_THROW(ClickImage1());  // and can be clicked again
  EXPECT_THAT(fakes::TakeJournal(),
              ElementsAre(L"ShellExecuteA open http://провайдер.рф/ 3",
                          L"ShellExecuteA open http://провайдер.рф/ 3"));
}

}  // namespace
