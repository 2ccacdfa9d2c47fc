#include "caldata/calcatalogue.h"

#include "common/platform.h"

namespace zk {

CalCatalogue::CalCatalogue(QObject *parent)
    : QObject(parent) {}

void CalCatalogue::setTables(const CalFileTree &tree) {
    m_entries.clear();
    for (int i = 0; i < tree.size(); ++i) {
        const CalFileNode &node = tree.node(i);
        if (node.kind == CalFileNode::Kind::Table)
            m_entries.append({node.name, node.path});
    }
    Q_EMIT changed();
}

CalCatalogue &CalFileList() {
    static CalCatalogue catalogue;
    return catalogue;
}

CalFileTree SetCaloryDirectories(CalCatalogue &catalogue) {
    CalFileTree tree = CalFileTree::scan(ProgramFolder::file(QStringLiteral("data/")));
    catalogue.setTables(tree);
    return tree;
}

} // namespace zk
