#include "app/constant.h"

namespace melvanto {

std::string CurrentSongId;

} // namespace melvanto
