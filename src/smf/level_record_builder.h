#pragma once

#include <QString>

#include "project/map_layer.h"
#include "smf/smf_level_record.h"

// The level record of a layer cut into tileColumns x tileRows tiles of
// tileWidth x tileHeight pixels: the layer's two calibration points, its scale
// truncated toward zero, and the extent of the whole tile grid. The extent is
// extended from the calibration points to the grid's edges with a whole number of
// milliarcseconds per pixel (the step truncated toward zero), in 64-bit arithmetic;
// an edge stays at the point's own value when the point lies on or beyond it.
// firstTile is left 0. The layer's scale must be current.
// Returns false, with an English reason, when the bottom-right pixel is not right
// of and below the top-left pixel (no step can be formed), the scale is not a
// 32-bit value, or an edge of the extent falls outside the 32-bit range.
bool buildLevelRecord(const MapLayer &layer, int tileColumns, int tileRows, int tileWidth, int tileHeight,
                      SmfLevelRecord *record, QString *reason);
