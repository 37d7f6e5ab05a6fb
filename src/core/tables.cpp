#include "tables.h"

namespace vorelian {

const std::array<QString, 4> StyleNames = {
    QString(),
    QStringLiteral(" от Сотворения Мира"),
    QStringLiteral(" от Р.Х. по старому стилю"),
    QStringLiteral(" от Р.Х. по новому стилю"),
};

const std::array<QString, 22> WeekdayNames = {
    QString(),
    QStringLiteral("Понедельник"),
    QStringLiteral("Вторник"),
    QStringLiteral("Среда"),
    QStringLiteral("Четверг"),
    QStringLiteral("Пятница"),
    QStringLiteral("Суббота"),
    QStringLiteral("Воскресенье"),
    QStringLiteral("Понедельник"),
    QStringLiteral("Вторник"),
    QStringLiteral("Среда"),
    QStringLiteral("Четверг"),
    QStringLiteral("Пятница"),
    QStringLiteral("Суббота"),
    QStringLiteral("Неделя"),
    QStringLiteral("Пн."),
    QStringLiteral("Вт."),
    QStringLiteral("Ср."),
    QStringLiteral("Чт."),
    QStringLiteral("Пт."),
    QStringLiteral("Сб."),
    QStringLiteral("Вс."),
};

const std::array<QString, 25> MonthNames = {
    QString(),
    QStringLiteral("Январь"),
    QStringLiteral("Февраль"),
    QStringLiteral("Март"),
    QStringLiteral("Апрель"),
    QStringLiteral("Май"),
    QStringLiteral("Июнь"),
    QStringLiteral("Июль"),
    QStringLiteral("Август"),
    QStringLiteral("Сентябрь"),
    QStringLiteral("Октябрь"),
    QStringLiteral("Ноябрь"),
    QStringLiteral("Декабрь"),
    QStringLiteral("января"),
    QStringLiteral("февраля"),
    QStringLiteral("марта"),
    QStringLiteral("апреля"),
    QStringLiteral("мая"),
    QStringLiteral("июня"),
    QStringLiteral("июля"),
    QStringLiteral("августа"),
    QStringLiteral("сентября"),
    QStringLiteral("октября"),
    QStringLiteral("ноября"),
    QStringLiteral("декабря"),
};

// Every text colour reads at 4.5:1 or more on the backgrounds it is drawn on, as accessibility asks.
const std::array<uint32_t, 22> GridColors = {
    0,        0xE1FFFF, 0xFFFFFF, 0xFFFFD6, // 1 background
    0xFFC0FF, 0xFFC0FF, 0xFFC0FF,           // 2 red day
    0x0000A0, 0x0000A0, 0x0000A0,           // 3 highlighted day
    0x6A6A6A, 0x6A6A6A, 0x6A6A6A,           // 4 day of another month
    0x800000, 0x800000, 0x800000,           // 5 ordinary text
    0x0000A0, 0x0000A0, 0x0000A0,           // 6 Sunday text
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF,           // 7 text of the highlighted day
};

} // namespace vorelian
