#pragma once

namespace vintrel {

// A picture's size, scale and border as written; OnImageFormat may change it.
struct TRepImageFormat {
    int widthPixels = 0;
    int heightPixels = 0;
    double widthMm = 0;
    double heightMm = 0;
    int scaleX = 100; // percent
    int scaleY = 100;
    int borderKind = 0;     // 0 none, 1 single, 2 double, 3 thick, 4 shadow, 5 dotted, 6 hairline
    double borderWidth = 0; // twips
    int borderColour = 0;   // one of the 16 standard colours
    bool flag = false;
};

} // namespace vintrel
