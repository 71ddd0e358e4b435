#pragma once
// The recent-file text parser lives in the config library; this name stays for the app code.
#include "config/RecentFileText.h"
