// The codec layer of the program behind the engine's ImageCodec interface: what the window and
// scalora-batch run with.
#pragma once

#include "engine/image_codec.h"

#include <memory>

namespace scalora {

std::unique_ptr<ImageCodec> makeLibraryImageCodec();

} // namespace scalora
