// The DVI preview against a fake dviout of ours that serves DDE like the real one.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "build/tex.h"
#include "settings/settings.h"
#include "support/fake_tools.h"
#include "support/recording_host.h"
#include "support/settings_file.h"

namespace {

using Lines = std::vector<std::string>;

class DvioutPreview : public ::testing::Test {
 protected:
  DvioutPreview() {
    WriteFirstRunDefaults();
    WriteIniString(Setting::kDVIOUTdvioutPath, test::HelperPath("fake-dviout"));
    test::WriteFile(main_, "\\documentclass[a4paper]{jarticle}\n");
    tex_.current_file = main_;
    tex_.ResolveParent();
  }
  ~DvioutPreview() override {
    // Every fake dviout of the test goes away with it.
    while (HWND window = FindWindowA("dviout", nullptr)) {
      DWORD process_id = 0;
      GetWindowThreadProcessId(window, &process_id);
      test::KillProcess(static_cast<long>(process_id));
      test::WaitUntil([&] { return !IsWindow(window); });
    }
  }
  Lines Log() const { return test::ReadLines(log_path_); }
  // Waits until the log holds `count` lines.
  Lines LogOf(size_t count) const {
    test::WaitUntil([&] { return Log().size() >= count; });
    return Log();
  }

  test::SettingsFile settings_;
  std::string log_path_ = settings_.dir().File("dviout.log");
  test::ScopedEnvironment log_{"FAKE_TOOL_LOG", log_path_};
  std::string main_ = settings_.dir().File("main.tex");
  test::RecordedBuild build_;
  TeX& tex_ = build_.tex;
};

TEST_F(DvioutPreview, StartsDvioutTellsThePaperAndOpensTheFile) {
  tex_.PreviewDVI();
  const std::string open = "execute [FileOpen(" + settings_.dir().File("main.dvi") + ")]";
  EXPECT_EQ((Lines{"start -y:A4", "execute [WinNormal]", "execute [ValueSet( -y:A4)]",
                   "request dvifile", open}),
            LogOf(5));
  EXPECT_TRUE(build_.report.messages.empty());
  HWND window = FindWindowA("dviout", nullptr);
  ASSERT_NE(nullptr, window);
  EXPECT_TRUE(IsZoomed(window));

  // Already running and showing the parent's DVI file: no start and no open command.
  ShowWindow(window, SW_MINIMIZE);
  tex_.PreviewDVI();
  Lines log = LogOf(8);
  EXPECT_EQ((Lines{"execute [WinNormal]", "execute [ValueSet( -y:A4)]", "request dvifile"}),
            Lines(log.begin() + 5, log.end()));
  EXPECT_TRUE(IsZoomed(window));
}

TEST_F(DvioutPreview, ThePaperFollowsTheSettings) {
  WriteIniInt(Setting::kDVIOUTMaximize, 0);
  WriteIniInt(Setting::kDVIOUTWhichPaperSize, 3);
  WriteIniString(Setting::kDVIOUTPaperSizeX, "150");
  WriteIniString(Setting::kDVIOUTPaperSizeY, "200");
  tex_.PreviewDVI();
  EXPECT_EQ("execute [ValueSet( -y:F150:200)]", LogOf(3).at(2));
  EXPECT_FALSE(IsZoomed(FindWindowA("dviout", nullptr)));
  for (const auto& [options, paper] : std::vector<std::pair<std::string, std::string>>{
           {"b5j", "B5"}, {"b5e", "E5"}, {"executivepaper", "Executive"}}) {
    WriteIniInt(Setting::kDVIOUTWhichPaperSize, 1);
    tex_.class_options = options;
    size_t before = Log().size();
    tex_.PreviewDVI();
    EXPECT_EQ("execute [ValueSet( -y:" + paper + ")]", LogOf(before + 3).at(before + 1));
  }
}

TEST_F(DvioutPreview, WithoutPaperNoPaperIsTold) {
  WriteIniInt(Setting::kDVIOUTIsTellPaperSize, 0);
  tex_.PreviewDVI();
  Lines log = LogOf(4);
  ASSERT_EQ(4u, log.size());
  EXPECT_EQ((Lines{"start ", "execute [WinNormal]", "request dvifile"}),
            Lines(log.begin(), log.begin() + 3));
}

TEST_F(DvioutPreview, ADvioutThatNeverAnswersIsReported) {
  std::string mute = settings_.dir().File("mute-dviout.exe");
  std::filesystem::copy_file(test::HelperPath("fake-dviout"), mute);
  WriteIniString(Setting::kDVIOUTdvioutPath, mute);
  tex_.PreviewDVI();
  EXPECT_EQ(Lines{"start -y:A4"}, LogOf(1));
  EXPECT_EQ(Lines{"Pressel: DDE初期化に失敗．"}, build_.report.messages);
}

}  // namespace
