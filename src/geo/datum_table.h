#pragma once

#include <QString>

// The 228 geodetic datums of the datum selector, in selector order.
inline constexpr int kDatumCount = 228;
inline constexpr int kWgs84DatumIndex = 224;

// Name of datum `index` (0..227) exactly as the selector shows it.
const QString &datumName(int index);
