#include "ui/download/decimal_separator.h"

#include <clocale>

namespace melvanto {

std::string UserDecimalSeparator() {
    const char* point = std::localeconv()->decimal_point;
    return point && *point ? point : ".";
}

} // namespace melvanto
