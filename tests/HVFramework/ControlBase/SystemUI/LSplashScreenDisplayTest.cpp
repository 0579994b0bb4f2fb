#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "HVFramework/Platform/UI/ChildProcess.h"
#include "HVFramework/Platform/Splash/X11SplashPainter.h"
#include "HVFramework/ControlBase/SystemUI/LSplashScreen.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

namespace HV {
namespace {

// One pixel of the screen as "r,g,b", read through ImageMagick's import.
std::string ScreenPixel(int32_t x, int32_t y) {
  Platform::ChildProcessRunner runner;
  const std::string crop = "1x1+" + std::to_string(x) + "+" + std::to_string(y);
  const Platform::ChildProcessResult result =
      runner.Run({"import", "-window", "root", "-crop", crop, "-depth", "8", "txt:-"});
  int r = -1, g = -1, b = -1;
  const size_t at = result.output.find("0,0: (");
  if (at == std::string::npos || std::sscanf(result.output.c_str() + at, "0,0: (%d,%d,%d", &r, &g, &b) != 3)
    return "unreadable: " + result.output;
  return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
}

// Whether the desktop lists a top-level window of that name. A search fails
// when a window it lists is destroyed before it reads its name (other display
// tests run at the same time): a few more searches are made then.
bool HasWindowNamed(const std::string& name) {
  Platform::ChildProcessRunner runner;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const Platform::ChildProcessResult result =
        runner.Run({"xdotool", "search", "--maxdepth", "1", "--name", "^" + name + "$"});
    if (result.exitCode == 0 && !result.output.empty()) return true;
  }
  return false;
}

RectT<int32_t> DesktopWorkArea() {
  const RCPtr<Platform::X11SplashPainter> probe = Platform::X11SplashPainter::Create();
  if (!probe->Connect()) return {};
  const RectT<int32_t> area = probe->GetWorkArea();
  probe->Close();
  return area;
}

// The desktop's painter, with the work area moved into the bottom-right
// corner of the real one, away from the windows of the other display tests
// that may run at the same time on the same screen.
class CornerPainter : public Platform::ISplashPainter {
 public:
  explicit CornerPainter(const RectT<int32_t>& corner) : mCorner(corner) {}
  bool Connect() override { return mDesktop->Connect(); }
  RectT<int32_t> GetWorkArea() override { return mCorner; }
  bool Open(const Platform::SplashWindowSpec& spec) override { return mDesktop->Open(spec); }
  void ShowProgress(const RectT<int32_t>& bar, int32_t position) override { mDesktop->ShowProgress(bar, position); }
  void Wait(uint32_t milliseconds) override { mDesktop->Wait(milliseconds); }
  void Wake() override { mDesktop->Wake(); }
  void Close() override { mDesktop->Close(); }

 private:
  const RectT<int32_t> mCorner;
  const RCPtr<Platform::X11SplashPainter> mDesktop = Platform::X11SplashPainter::Create();
};

RCPtr<LBitmap> Picture(int32_t width, int32_t height, uint32_t argb) {
  Color color;
  color.SetARGB(argb);
  return LBitmap::CreateFilledBitmap(width, height, color);
}

TEST(LSplashScreenDisplay, TheImageShowsCentredWhileRunningAndOnlyATitledSplashIsListed) {
  const RectT<int32_t> area = DesktopWorkArea();
  ASSERT_GT(area.width, 0) << "no X display";
  const RectT<int32_t> corner{area.x + area.width - 300, area.y + area.height - 200, 300, 200};
  const int32_t centreX = corner.x + 150;
  const int32_t centreY = corner.y + 100;
  const std::string image = "32,128,192";

  const RCPtr<LSplashScreen> splash = LSplashScreen::Create(RCPtr<Platform::ISplashPainter>(new CornerPainter(corner)));
  splash->SetImage(Picture(240, 120, 0xFF2080C0));
  splash->Start();
  ASSERT_TRUE(splash->IsRunning());
  EXPECT_EQ(ScreenPixel(centreX, centreY), image);
  EXPECT_EQ(ScreenPixel(centreX - 120, centreY - 60), image);  // the image's corners
  EXPECT_EQ(ScreenPixel(centreX + 119, centreY + 59), image);
  EXPECT_NE(ScreenPixel(centreX + 120, centreY), image);  // just right of it
  splash->SetProgress(50);
  splash->Stop();
  EXPECT_NE(ScreenPixel(centreX, centreY), image);

  const RCPtr<LSplashScreen> titled = LSplashScreen::Create(RCPtr<Platform::ISplashPainter>(new CornerPainter(corner)));
  titled->SetImage(Picture(100, 100, 0xFF00FF00));
  titled->SetTitle(u"Tarsel Splash");
  titled->Start();
  EXPECT_TRUE(HasWindowNamed("Tarsel Splash"));
  titled->Stop();
  EXPECT_FALSE(HasWindowNamed("Tarsel Splash"));
}

}  // namespace
}  // namespace HV
