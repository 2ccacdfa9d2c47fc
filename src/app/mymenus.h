#pragma once

#include "app/intakerow.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace zk {

// The user's own dishes, kept as a calorie table of its own, data/Myﾒﾆｭｰ.cal,
// with its nutrient file: a menu is one food of it, one portion (a serving)
// of the rows it was made from, under a heading for the month it was made:
//   @2026年12月
//   <TAB>朝定食:520
// So a menu is a food like any other: in the food tree, the filter, the
// search and the editor.
class MyMenus {
public:
    // The rows summed and shared out over the servings it makes.
    struct Menu {
        QByteArray name;
        qint32 calory = 0;         // whole kcal a serving
        IntakeNutrients nutrients; // a serving's; a nutrient only when every row knows it
    };
    static constexpr int mostServings = 20;

    // The table in the program folder, and the name it shows under.
    static QString tablePath();
    static QString tableName();

    // Why a name cannot be a menu's; empty when it can be. A name is trimmed
    // of surrounding spaces first.
    static QString refusal(const QString &name);
    // The menu of the rows under a name that passed refusal().
    static Menu of(const QString &name, const QList<IntakeRow> &rows, int servings);

    // The bytes of the table and of its nutrient file (nothing: no file).
    struct Files {
        QByteArray table;
        std::optional<QByteArray> nutrients;
    };
    // What both files hold with the menu saved into them, as save() says;
    // zk::Error when the table does not read as a table or cannot take it.
    static Files withMenu(const Files &before, const Menu &menu, QDate made);

    explicit MyMenus(QString tablePath = MyMenus::tablePath());

    // Whether the table has a food line of that name. Throws zk::Error
    // naming the file when it cannot be read.
    bool contains(const QByteArray &name) const;
    // Gives every food line of the menu's name the menu's value, or (when no
    // food has the name) adds the menu under the month's heading; its
    // nutrient line is replaced. Both files are written atomically, the nutrients first; when
    // the table cannot be written the nutrient file is put back. Throws
    // zk::Error naming the file; nothing is changed then.
    void save(const Menu &menu, QDate made);

private:
    QString m_path;
};

} // namespace zk
