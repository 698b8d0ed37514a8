#include "app/home_page_route.h"

#include <gtest/gtest.h>

namespace {

TEST(HomePageRoute, AnElevatedInstallerNeverStartsTheBrowserItself) {
  struct Case {
    bool shellStarted, elevated;
    HomePageRoute route;
  } cases[] = {
      {true, true, HomePageRoute::kDesktopShell},
      {true, false, HomePageRoute::kDesktopShell},
      {false, false, HomePageRoute::kDirect},
      {false, true, HomePageRoute::kShowAddress},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.route, ChooseHomePageRoute(c.shellStarted, c.elevated))
        << c.shellStarted << c.elevated;
  }
}

}  // namespace
