#include "caldata/caltableviewer.h"

#include "common/guard.h"
#include "common/prompt.h"

#include <QFileInfo>

namespace zk {

CalTableViewer::CalTableViewer(QObject *parent)
    : QObject(parent) {}

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
        Prompt::instance().message(QStringLiteral("「") + path +
                                   QStringLiteral("」が見つかりませんでした。"));
        return false;
    }
    // Parse completely before touching the model, so that a table that fails
    // half-way leaves the previous one on screen.
    FoodTree tree;
    const bool ok = guarded([&] {
        // Only regular files are read: a pipe or device would block the program.
        if (!info.isFile())
            throw Error(QStringLiteral("ファイル %1 は開けません").arg(path));
        tree = FoodTree::load(path);
    });
    if (!ok)
        return false;
    m_model.setTree(m_dictionary ? tree.dictionary() : std::move(tree));
    Q_EMIT loaded();
    return true;
}

void CalTableViewer::showStandard(const CalFileNode *selected) {
    if (!m_dictionary)
        return;
    m_dictionary = false;
    Q_EMIT viewChanged(m_dictionary);
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
