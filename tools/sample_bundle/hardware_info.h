// The virtual scanner's answer to DAT_VX_HARDWAREINFO.
#pragma once

#include "twaintrace/twain_vendor.h"

void FillHardwareInfo(TWVX_HARDWAREINFO* info);
