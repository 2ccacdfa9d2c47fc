#pragma once

#include "caldata/calfiletree.h"
#include "caldata/foodfiltermodel.h"
#include "caldata/foodtreemodel.h"

#include <QObject>
#include <QString>

#include <optional>

namespace zk {

class Prompt;

// What the main window shows of the calorie tables: the food tree of the
// table last chosen, its title and the view (standard: as in the file; list:
// foods only, sorted by name).
class CalTableViewer : public QObject {
    Q_OBJECT
public:
    // `prompt` tells the user about a table that cannot be shown.
    explicit CalTableViewer(Prompt &prompt, QObject *parent = nullptr);

    FoodTreeModel *model() { return &m_model; }
    const FoodTreeModel *model() const { return &m_model; }
    // The food tree as shown: the model narrowed by the user's filter, which
    // stays for the tables loaded after it.
    FoodFilterModel *shown() { return &m_shown; }
    const FoodFilterModel *shown() const { return &m_shown; }
    bool isDictionary() const { return m_dictionary; }
    const QString &caption() const { return m_caption; }
    const QString &path() const { return m_path; }

    // Shows the table of a file-tree node; a folder or no node changes
    // nothing. The title follows the node even when its file is missing or
    // unreadable; the food tree then keeps what it showed and the user is
    // told. Returns true when the table was shown.
    bool showNode(const CalFileNode *node);
    bool showTable(const QString &name, const QString &path);
    // Shows a list the program made (よく食べる食品) under a caption; it has
    // no file, and 標準 shows it in the order it was made.
    void showFoods(const QString &caption, FoodTree foods);
    bool showsMadeList() const { return m_made.has_value(); }

    // 標準: reads the selected table again, as in the file (a made list is
    // shown as it was made).
    void showStandard(const CalFileNode *selected);
    // 一覧: the list view of what is loaded; it stays chosen for the tables
    // loaded after it.
    void showDictionary();

Q_SIGNALS:
    void titleChanged(const QString &caption, const QString &path);
    void viewChanged(bool dictionary);
    // The food tree got a freshly loaded table.
    void loaded();

private:
    Prompt &m_prompt;
    FoodTreeModel m_model;
    FoodFilterModel m_shown{&m_model};
    bool m_dictionary = false;
    QString m_caption;
    QString m_path;
    std::optional<FoodTree> m_made; // the list shown when it is one the program made
};

} // namespace zk
