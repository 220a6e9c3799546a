// Resource ids shared by compplace.rc and the code that loads them.
#pragma once

#define IDI_COMPPLACE 1
