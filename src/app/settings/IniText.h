#pragma once
// The INI text parser lives in the config library; this name stays for the settings code.
#include "config/IniText.h"
