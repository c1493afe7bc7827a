// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/about_texts.h"

#include <QStringList>

namespace vp::about_texts {
namespace {

const QString line_break = QStringLiteral("\n");

} // namespace

QString authors()
{
    return QStringList{
        QStringLiteral("Команда проекта viscous-pendulum, 2026"),
        QStringLiteral("Разработчики программы"),
        QStringLiteral("Физика, численные методы, интерфейс"),
        QStringLiteral("Открытый учебный проект"),
        QStringLiteral("Открытая разработка, без адреса"),
        QStringLiteral("maintainers@users.noreply.c-seed-bdb5bd45.example"),
    }
        .join(line_break);
}

QString about_program()
{
    const QStringList lines{
        QStringLiteral("Виртуальная лабораторная установка: колебания толстостенной"),
        QStringLiteral("полой сферы на массивном стержне, качающемся вокруг"),
        QStringLiteral("горизонтальной оси в вязкой среде. Учитываются сила тяжести,"),
        QStringLiteral("выталкивающая сила Архимеда, сила Стокса, пропорциональная"),
        QStringLiteral("скорости, и лобовое сопротивление, пропорциональное её квадрату."),
        QStringLiteral(" "),
        QStringLiteral("История версий:"),
        QStringLiteral("Версия " VP_VERSION ", Linux (Qt 6), 07.12.2026, команда viscous-pendulum"),
        QStringLiteral("Первая версия: расчёт движения методом Рунге-Кутты, анимация, графики, файлы параметров и "
                       "результатов, справочные документы."),
    };
    return lines.join(line_break);
}

QString registration()
{
    return QStringList{
        QStringLiteral("Колебания толстостенной сферы на массивном стержне в вязкой среде"),
        QStringLiteral("Версия " VP_VERSION),
        QStringLiteral("Учебная программа, регистрации не требует."),
        QStringLiteral("Свободно используется в учебных целях."),
    }
        .join(line_break);
}

} // namespace vp::about_texts
