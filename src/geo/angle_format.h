#pragma once

#include <QString>

// Text of one angle for the read-outs and the calibration form: hemisphere
// letter, a blank, then by `angleStyle` (value in degrees, sign dropped):
//   0: "%12.8f°"                     N  22.50000000°
//   1: "%3d°%08.5f'"                 W 121°30.00000'
//   2: "%3d°%02d'%06.3f\""           N  22°30'00.000"
// The value gets 5e-10 added to its magnitude first. Minutes and seconds are
// rounded to the printed precision before printing, and a value that rounds to
// 60 carries into the next unit, so no text ever shows 60 minutes or seconds.
// An unknown style prints as style 0. The degree sign passes through
// translation (context "CoordinateNotation"). NaN and values beyond the int
// range print their degrees saturated, never crash.
QString formatAngle(int angleStyle, double value, char hemisphere);

// The degree sign as the texts show it.
QString degreeSign();
