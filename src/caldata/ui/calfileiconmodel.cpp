#include "caldata/ui/calfileiconmodel.h"

namespace zk {

CalFileIconModel::CalFileIconModel(QObject *parent)
    : CalFileTreeModel(parent)
    , m_folder(QStringLiteral(":/icons/folder.svg"))
    , m_table(QStringLiteral(":/icons/table.svg")) {}

QVariant CalFileIconModel::data(const QModelIndex &index, int role) const {
    if (role == Qt::DecorationRole) {
        if (const CalFileNode *n = node(index))
            return n->kind == CalFileNode::Kind::Folder ? m_folder : m_table;
        return {};
    }
    return CalFileTreeModel::data(index, role);
}

} // namespace zk
