#pragma once
// The decimal separator of the user's regional settings.

#include <string>

namespace melvanto {

// The numeric locale's decimal point (the windowing runtime takes the user's locale at
// start-up), as an ANSI string; "." when the locale gives none.
std::string UserDecimalSeparator();

} // namespace melvanto
