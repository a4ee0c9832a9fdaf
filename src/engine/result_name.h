// How a result file is named: the source's base name, "_copy" and a number when earlier list
// items would produce the same name, and the extension of the format actually written.
#pragma once

#include "engine/image_item.h"
#include "engine/output_format.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace scalora {

// Extension written for an output format ("As original" keeps the format the source extension
// maps to). Empty when the source extension maps to no format.
std::string resultExtension(OutputFormat format, std::string_view sourceExtension);
// Format the result is written in: the chosen one, or for "As original" the format of the
// source extension (Unknown when it maps to none).
OutputFormat resultFormat(OutputFormat format, std::string_view sourceExtension);
// base name + "_copy" + index (index above 0 only) + "." + extension. Ends with "." when the
// extension is empty, which the caller treats as "cannot be written".
std::string resultFileName(const ImageItem& item, OutputFormat format);
// The name two results collide on (the result folder, then base name and written extension in
// lower case); the copy index counts earlier items with the same key.
std::string resultNameKey(const ImageItem& item, OutputFormat format);

} // namespace scalora
