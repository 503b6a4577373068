// The language d88info speaks to its user: --lang, or by default the user's
// own (Japanese where the user reads Japanese, English elsewhere).
#pragma once

namespace d88info {

enum class Language { English, Japanese };

}  // namespace d88info
