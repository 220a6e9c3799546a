// The user's regional number format, as the model's single-byte texts.
#pragma once

#include "numtext/number_text.h"

namespace win32 {

numtext::Locale userLocale();

}  // namespace win32
