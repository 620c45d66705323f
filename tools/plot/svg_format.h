#pragma once

#include <string>

namespace tokshuf::plot {

// A coordinate with two decimals: a hundredth of a pixel is finer than any
// screen, and short numbers keep the picture small.
std::string coord(double value);

// "x,y" for polygon points and path commands.
std::string point(double x, double y);

}  // namespace tokshuf::plot
