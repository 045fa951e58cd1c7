#include "geo/helmert_shift.h"

CartesianPosition applyHelmertShift(const CartesianPosition &p, const HelmertShift &shift)
{
    const double scale = shift.s / 1000.0;
    CartesianPosition out;
    out.x = p.x + p.x * scale - p.y * shift.rz + p.z * shift.ry + shift.tx;
    out.y = p.x * shift.rz + p.y + p.y * scale - p.z * shift.rx + shift.ty;
    out.z = p.z + p.z * scale + p.y * shift.rx - p.x * shift.ry + shift.tz;
    return out;
}
