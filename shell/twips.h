// Window geometry is designed in twips; 15 twips make one logical pixel.
#pragma once

constexpr int twipsToPixels(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

constexpr int pixelsToTwips(int pixels) {
    return pixels * 15;
}
