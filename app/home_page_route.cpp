#include "app/home_page_route.h"

HomePageRoute ChooseHomePageRoute(bool desktopShellStarted, bool elevated) {
  if (desktopShellStarted) return HomePageRoute::kDesktopShell;
  return elevated ? HomePageRoute::kShowAddress : HomePageRoute::kDirect;
}
