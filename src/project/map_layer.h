#pragma once

// One layer of a project: a raster source and its two-point calibration.
// (Filled in by the project model.)
struct MapLayer
{
};
