#include "smf/smf_level_record.h"

#include <QtEndian>

#include <array>

#include "smf/smf_layout.h"

namespace {

// The sixteen 32-bit fields in file order.
template <typename Record>
auto fields(Record &r)
{
    return std::array<decltype(&r.left), 16>{
        &r.left, &r.top, &r.right, &r.bottom, &r.tileColumns, &r.tileRows, &r.verticalScale,
        &r.firstTile, &r.topLeftLon, &r.topLeftLat, &r.topLeftX, &r.topLeftY, &r.bottomRightLon,
        &r.bottomRightLat, &r.bottomRightX, &r.bottomRightY};
}

}  // namespace

QByteArray SmfLevelRecord::toBytes() const
{
    QByteArray bytes(kSmfLevelRecordSize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    for (const qint32 *field : fields(*this)) {
        qToLittleEndian<qint32>(*field, out);
        out += 4;
    }
    return bytes;
}

bool SmfLevelRecord::fromBytes(QByteArrayView bytes, SmfLevelRecord *record)
{
    if (bytes.size() < kSmfLevelRecordSize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qint32 *field : fields(*record)) {
        *field = qFromLittleEndian<qint32>(in);
        in += 4;
    }
    return true;
}

bool SmfLevelRecord::operator==(const SmfLevelRecord &other) const
{
    const auto a = fields(*this);
    const auto b = fields(other);
    for (size_t i = 0; i < a.size(); ++i) {
        if (*a[i] != *b[i])
            return false;
    }
    return true;
}
