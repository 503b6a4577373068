#include "UserLanguage.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#ifdef _WIN32
#include <windows.h>
#endif

namespace d88console {

bool localeNamesJapanese(const char* (*lookUp)(const char* variable)) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = lookUp(variable);
        if (value != nullptr && value[0] != '\0') {
            return std::strncmp(value, "ja", 2) == 0;
        }
    }
    return false;
}

bool userReadsJapanese() {
#ifdef _WIN32
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
#else
    return localeNamesJapanese(
        [](const char* variable) -> const char* { return std::getenv(variable); });
#endif
}

}  // namespace d88console
