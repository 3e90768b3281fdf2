// The two web addresses the program knows: fixed here, read from nowhere else.
#pragma once

namespace brevolt::app {

inline constexpr const char* kHomePageAddress = "http://www.brevolt.com/";
inline constexpr const char* kVersionFileAddress =
    "https://www.brevolt.com/brevoltversion.txt";

}  // namespace brevolt::app
