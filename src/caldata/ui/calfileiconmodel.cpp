#include "caldata/ui/calfileiconmodel.h"

namespace zk {

CalFileIconModel::CalFileIconModel(QObject *parent)
    : CalFileTreeModel(parent)
    , m_folder(QStringLiteral(":/icons/folder.svg"))
    , m_table(QStringLiteral(":/icons/table.svg"))
    , m_frequent(QStringLiteral(":/icons/frequent.svg")) {}

QVariant CalFileIconModel::data(const QModelIndex &index, int role) const {
    if (role == Qt::DecorationRole) {
        const CalFileNode *n = node(index);
        if (!n)
            return {};
        switch (n->kind) {
        case CalFileNode::Kind::Folder:
            return m_folder;
        case CalFileNode::Kind::Table:
            return m_table;
        case CalFileNode::Kind::Frequent:
            return m_frequent;
        }
        return {};
    }
    return CalFileTreeModel::data(index, role);
}

} // namespace zk
