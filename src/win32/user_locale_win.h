// The user's regional number format, as the model's single-byte texts.
#pragma once

#include "dialog/number_text.h"

namespace win32 {

numtext::Locale userLocale();

}  // namespace win32
