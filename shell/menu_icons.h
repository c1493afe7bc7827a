// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace vp {

// The small pictures beside the menu items, drawn by the program itself.
enum class MenuIcon {
    reference,    // "Справка": a book
    table,        // "Таблица": a ruled table
    stokes,       // "Стокс": a ball in a stream
    exit,         // "Выход": a door with an arrow
    instruction,  // "Инструкция": a written sheet
    controls,     // "Управление": a slider and a button
    authors,      // "Авторы": two persons
    about,        // "О программе": an information sign
    registration, // "Регистрация": a seal
};

QIcon menu_icon(MenuIcon which);

} // namespace vp
