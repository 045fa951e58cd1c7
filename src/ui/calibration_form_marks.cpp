// The calibration form's marks: which texts can be stored, the edits that hold a
// text the layer does not, and the words that name a field.

#include "ui/calibration_form.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

#include "ui/calibration_form_values.h"
#include "ui/hinted_validators.h"
#include "ui/main_window.h"

namespace {

const char *const kMarkedProperty = "unstored";

bool isEmptyText(const QLineEdit *edit)
{
    return edit->text().trimmed().isEmpty();
}

// The edit's own base colour with a third of red in it, readable in light and dark
// palettes alike.
void setMarked(QLineEdit *edit, bool marked)
{
    if (edit->property(kMarkedProperty).toBool() == marked)
        return;
    edit->setProperty(kMarkedProperty, marked);
    if (!marked) {
        edit->setPalette(QPalette());
        return;
    }
    QPalette palette = edit->palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor red(255, 0, 0);
    palette.setColor(QPalette::Base, QColor((2 * base.red() + red.red()) / 3, (2 * base.green() + red.green()) / 3,
                                            (2 * base.blue() + red.blue()) / 3));
    edit->setPalette(palette);
}

QString rangeText(const QValidator *validator)
{
    const auto number = [](double value) { return QString::number(value, 'g', 10); };
    if (const auto *whole = qobject_cast<const QIntValidator *>(validator))
        return QStringLiteral(" (%1\u00a0…\u00a0%2)").arg(whole->bottom()).arg(whole->top());
    if (const auto *decimal = qobject_cast<const QDoubleValidator *>(validator))
        return QStringLiteral(" (%1\u00a0…\u00a0%2)").arg(number(decimal->bottom()), number(decimal->top()));
    return QString();
}

}  // namespace

QList<CalibrationForm::FieldGroup> CalibrationForm::groupsOf(bool topLeft) const
{
    const PointFields &f = fieldsOf(topLeft);
    const QString &refusal = m_gridRefusal[topLeft ? 0 : 1];
    QList<FieldGroup> groups = {{{f.x}, GroupKind::Pixel, {}}, {{f.y}, GroupKind::Pixel, {}}};
    if (m_notation == 3)
        groups.append({{f.utmZone, f.utmBand, f.utmEasting, f.lat.decimal}, GroupKind::Grid, refusal});
    else if (m_notation == 4)
        groups.append({{f.tmEasting, f.tmNorthing}, GroupKind::Grid, refusal});
    else
        groups += {{angleRowEdits(topLeft, false), GroupKind::Angle, {}},
                   {angleRowEdits(topLeft, true), GroupKind::Angle, {}}};
    return groups;
}

QList<QLineEdit *> CalibrationForm::blockingEdits(const FieldGroup &group)
{
    const bool anyFilled = std::any_of(group.edits.cbegin(), group.edits.cend(),
                                       [](const QLineEdit *edit) { return !isEmptyText(edit); });
    const bool emptyBlocks = group.kind == GroupKind::Pixel || (group.kind == GroupKind::Grid && anyFilled);
    QList<QLineEdit *> blocking;
    for (QLineEdit *edit : group.edits) {
        if (isEmptyText(edit) ? emptyBlocks : !edit->hasAcceptableInput())
            blocking.append(edit);
    }
    return blocking.isEmpty() && !group.refusal.isEmpty() ? group.edits : blocking;
}

QList<QLineEdit *> CalibrationForm::typedBlockingEdits(bool topLeft) const
{
    QList<QLineEdit *> blocking;
    // A browse window shows what its file holds, with validators never ranged.
    if (window->isBrowsing())
        return blocking;
    for (const FieldGroup &group : groupsOf(topLeft)) {
        if (std::any_of(group.edits.cbegin(), group.edits.cend(),
                        [this](const QLineEdit *edit) { return m_typed.contains(edit); }))
            blocking += blockingEdits(group);
    }
    return blocking;
}

bool CalibrationForm::storable(const FieldGroup &group)
{
    return blockingEdits(group).isEmpty()
        && std::any_of(group.edits.cbegin(), group.edits.cend(),
                       [](const QLineEdit *edit) { return !isEmptyText(edit); });
}

bool CalibrationForm::isMarked(const QLineEdit *edit) const
{
    return edit->property(kMarkedProperty).toBool();
}

void CalibrationForm::clearFields()
{
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->clear();
        setMarked(edit, false);
    }
    m_lastEdited = nullptr;
    m_typed.clear();
    m_gridRefusal[0].clear();
    m_gridRefusal[1].clear();
    m_outsideGrid[0] = m_outsideGrid[1] = false;
    hintLabel->clear();
    showGeoreference(nullptr);
}

void CalibrationForm::markFields()
{
    const QList<QLineEdit *> marked = typedBlockingEdits(true) + typedBlockingEdits(false);
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        setMarked(edit, marked.contains(edit));
    // The edit typed in last speaks first; without a fault, a position shown read-only
    // is noted, in the colour of plain text.
    QLineEdit *reported = marked.contains(m_lastEdited) ? m_lastEdited : marked.value(0);
    QStringList outside;
    for (bool topLeft : {true, false}) {
        if (m_outsideGrid[topLeft ? 0 : 1])
            outside << (topLeft ? topLeftBox : bottomRightBox)->title();
    }
    const QString note = outside.isEmpty() || window->isBrowsing()
        ? QString()
        : tr("%1:超出 %2 的范围,只读显示").arg(outside.join(QStringLiteral(", ")),
                                              window->notation(m_notation).label);
    hintLabel->setStyleSheet(reported ? QStringLiteral("color: rgb(255, 0, 0);") : QString());
    hintLabel->setText(reported ? reasonFor(reported) : note);
}

QString CalibrationForm::editName(const QLineEdit *edit) const
{
    const CalibrationField field = m_fieldOfEdit.value(edit);
    const QString part = m_partOfEdit.value(edit);
    if (part.isEmpty())
        return fieldName(field);
    // A UTM zone or band is no part of the easting its row's caption names.
    const bool gridPart = edit == m_point1.utmZone || edit == m_point1.utmBand || edit == m_point2.utmZone
        || edit == m_point2.utmBand;
    const QGroupBox *box = field <= CalibrationField::TopLeftLat ? topLeftBox : bottomRightBox;
    return (gridPart ? box->title() : fieldName(field)) + QLatin1Char(' ') + part;
}

QString CalibrationForm::reasonFor(const QLineEdit *edit) const
{
    const CalibrationField field = m_fieldOfEdit.value(edit);
    const QString name = editName(edit);
    if (isEmptyText(edit))
        return tr("%1: 未输入").arg(name);
    if (edit->hasAcceptableInput()) {
        // Each text is fine; the grid position they make is not.
        return name + QStringLiteral(": ") + m_gridRefusal[field <= CalibrationField::TopLeftLat ? 0 : 1];
    }
    const NumberText number = readNumberText(edit->text());
    if (number.kind == NumberText::Partial)
        return tr("%1: 数字不完整").arg(name);
    if (number.kind != NumberText::Complete)
        return tr("%1: 不是数字").arg(name);
    const bool horizontal = field == CalibrationField::TopLeftX || field == CalibrationField::BottomRightX;
    const bool pixel = horizontal || field == CalibrationField::TopLeftY || field == CalibrationField::BottomRightY;
    const QSize image = currentImageSize();
    if (pixel && number.value > (horizontal ? image.width() : image.height()))
        return (horizontal ? tr("最大宽度为") + QString::number(image.width())
                           : tr("最大高度为") + QString::number(image.height()));
    const bool whole = !number.hasSeparator && number.value == std::trunc(number.value);
    if (qobject_cast<const QIntValidator *>(edit->validator()) && !whole)
        return tr("%1: 须为整数").arg(name);
    return tr("%1: 超出范围%2").arg(name, rangeText(edit->validator()));
}

CalibrationCheck CalibrationForm::firstUnstoredField(const QLineEdit **edit) const
{
    if (layerIndex() < 0)
        return {};
    for (bool topLeft : {true, false}) {
        for (const QLineEdit *blocking : typedBlockingEdits(topLeft)) {
            if (edit)
                *edit = blocking;
            return {isEmptyText(blocking) ? CalibrationFault::NotEntered : CalibrationFault::OutOfRange,
                    m_fieldOfEdit.value(blocking)};
        }
    }
    return {};
}

QString CalibrationForm::fieldName(CalibrationField field) const
{
    using F = CalibrationField;
    const bool topLeft = field <= F::TopLeftLat;
    const PointFields &f = fieldsOf(topLeft);
    const QLabel *captions[] = {topLeft ? lblX1 : lblX2, topLeft ? lblY1 : lblY2, f.lonCaption, f.latCaption};
    const int coordinate = int(field) - int(topLeft ? F::TopLeftX : F::BottomRightX);
    return (topLeft ? topLeftBox : bottomRightBox)->title() + QLatin1Char(' ') + captions[coordinate]->text();
}

QString CalibrationForm::faultText(const QString &layerName, const CalibrationCheck &check,
                                   const QLineEdit *edit) const
{
    using F = CalibrationField;
    const QString name = edit ? editName(edit) : fieldName(check.field);
    switch (check.fault) {
    case CalibrationFault::None:
        return QString();
    case CalibrationFault::NotEntered:
        return tr("%1: %2 未输入").arg(layerName, name);
    case CalibrationFault::OutOfRange:
        return tr("%1: %2 输入无效或超出范围").arg(layerName, name);
    case CalibrationFault::NotGreater:
        break;
    }
    // The same coordinate of the other point.
    const int offset = int(F::BottomRightX) - int(F::TopLeftX);
    const F other = F(check.field <= F::TopLeftLat ? int(check.field) + offset : int(check.field) - offset);
    return tr("%1: %2 须大于 %3").arg(layerName, fieldName(check.field), fieldName(other));
}
