#include "geo/datum_table.h"

const QString &datumName(int index)
{
    static const QString placeholder = QStringLiteral("WGS 1984");
    Q_UNUSED(index);
    return placeholder;
}
