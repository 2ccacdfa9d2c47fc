#include "caldata/caltableviewer.h"

#include "common/error.h"
#include "common/prompt.h"

#include <QFileInfo>

namespace zk {

CalTableViewer::CalTableViewer(Prompt &prompt, QObject *parent)
    : QObject(parent)
    , m_prompt(prompt) {}

bool CalTableViewer::showNode(const CalFileNode *node) {
    if (!node || node->kind != CalFileNode::Kind::Table)
        return false;
    return showTable(node->name, node->path);
}

bool CalTableViewer::showTable(const QString &name, const QString &path) {
    m_caption = name;
    m_path = path;
    Q_EMIT titleChanged(m_caption, m_path);

    const QFileInfo info(path);
    if (!info.exists()) {
        m_prompt.message(QStringLiteral("「") + path +
                         QStringLiteral("」が見つかりませんでした。"));
        return false;
    }
    // Parse completely before touching the model, so that a table that fails
    // half-way leaves the previous one on screen.
    // Only regular files are read: a pipe or device would block the program.
    if (!info.isFile()) {
        m_prompt.error(QStringLiteral("ファイル %1 は開けません").arg(path));
        return false;
    }
    FoodTree tree;
    try {
        tree = FoodTree::load(path);
    } catch (const Error &e) {
        m_prompt.error(e.text());
        return false;
    }
    tree.attachNutrients(NutrientTable::loadFor(path));
    m_made.reset();
    m_model.setTree(m_dictionary ? tree.dictionary() : std::move(tree));
    Q_EMIT loaded();
    return true;
}

void CalTableViewer::showFoods(const QString &caption, FoodTree foods) {
    m_caption = caption;
    m_path.clear();
    Q_EMIT titleChanged(m_caption, m_path);
    m_model.setTree(m_dictionary ? foods.dictionary() : foods);
    m_made = std::move(foods);
    Q_EMIT loaded();
}

void CalTableViewer::showStandard(const CalFileNode *selected) {
    if (!m_dictionary)
        return;
    m_dictionary = false;
    Q_EMIT viewChanged(m_dictionary);
    if (m_made) {
        m_model.setTree(*m_made);
        Q_EMIT loaded();
        return;
    }
    showNode(selected);
}

void CalTableViewer::showDictionary() {
    if (m_dictionary)
        return;
    m_dictionary = true;
    Q_EMIT viewChanged(m_dictionary);
    m_model.setTree(m_model.tree().dictionary());
}

} // namespace zk
