#include "platform/scoped_win32.h"
