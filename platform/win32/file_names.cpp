// The path separator of Windows; a forward slash is accepted where Windows accepts one.

#include "platform/file_names.h"

namespace kalvero {

const char kPathSeparator = '\\';

}  // namespace kalvero
