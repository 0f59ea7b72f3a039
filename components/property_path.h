#pragma once

// Paths through object properties, such as "Font" or "Panels[1]": how language scripts and window
// descriptions reach sub-objects and collection items.

#include <string_view>

#include "components/persistent.h"

namespace kalvero {

// Follows `path`, a list of parts separated by ".", from `start`. Each part names an object
// property of the current object, optionally followed by an index in brackets ("Panels[1]": the
// text between "[" and the first "]", or the rest of the part without a "]"). The current object
// becomes the object the property holds; with an index that reads as a whole number, on a
// collection, it becomes the item of that number. An index that is no whole number, or an index
// on an object that is no collection, is ignored. The empty path is `start` itself.
// Answers null when a part names no property, or one that is not an object property, or the
// property holds nothing. Throws ERangeError for an index outside the collection.
TPersistent* ResolvePropertyPath(TPersistent& start, std::string_view path);

}  // namespace kalvero
