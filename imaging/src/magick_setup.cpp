// Runs when the library is loaded: Magick++ is initialised and its resource limits are set
// before anything can read a picture, then the shared picture is built.

#include "magick_setup.h"

namespace zel::imaging {
namespace {

struct MagickSetUp {
    MagickSetUp() {
        Magick::InitializeMagick(nullptr);
        Magick::ResourceLimits::width(max_picture_side);
        Magick::ResourceLimits::height(max_picture_side);
        Magick::ResourceLimits::area(max_picture_area);
        Magick::ResourceLimits::memory(max_picture_memory);
        Magick::ResourceLimits::map(max_picture_memory);
        // No spilling of pixel caches to disk: a picture that does not fit is refused.
        Magick::ResourceLimits::disk(0);
        // The system runs on one thread; Magick's worker threads would also outlive every
        // call (and trip the leak checker at exit).
        Magick::ResourceLimits::thread(1);
    }
};

// Defined in this order in one file, so Magick is set up before the picture is built.
const MagickSetUp g_set_up;
Magick::Image g_shared_image;

} // namespace

Magick::Image& shared_image() {
    return g_shared_image;
}

} // namespace zel::imaging
