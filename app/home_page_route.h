#pragma once

// How the home page is opened. An elevated installer must not start the browser itself:
// the browser would run with the administrator's rights, and in the administrator's profile
// when a standard user typed that password.
enum class HomePageRoute {
  kDesktopShell,  // the desktop's shell (Explorer) started it, as the signed-in user
  kDirect,        // start it from this process: it is not elevated, so nothing is passed on
  kShowAddress,   // elevated and no unelevated way: show the address for the user to open
};

// desktopShellStarted: the desktop's shell accepted the request.
HomePageRoute ChooseHomePageRoute(bool desktopShellStarted, bool elevated);
