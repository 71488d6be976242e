#pragma once

#include <string_view>

#include "config/language_table.h"
#include "platform/messages.h"

namespace tessaline::engine {

// True when a typed text may be used in new names; otherwise the user is told
// why and the result is false.
bool checkNameText(platform::Messages& messages, const config::LanguageTable& language,
                   std::u16string_view text, bool useSpecialStrings);

// True when every random-string symbol "%n%" of text is well formed.
bool checkRandomSpecs(platform::Messages& messages, const config::LanguageTable& language,
                      std::u16string_view text);

}  // namespace tessaline::engine
