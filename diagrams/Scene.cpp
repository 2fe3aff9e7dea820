#include "Scene.h"

namespace scene {

double EstimateTextWidth(const std::string& text, double size, bool bold)
{
    std::size_t characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++characters;
    return static_cast<double>(characters) * size * (bold ? 0.65 : 0.6);
}

} // namespace scene
